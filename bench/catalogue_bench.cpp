// Time per description file of building the catalogue from 10,000 files on
// the real file system, against the floor measured in the same run: opening
// each of the same files and reading its first six lines, nothing more.
//   catalogue_bench [file count]

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "PosixFileSystem.h"
#include "launcher/MapCatalogue.h"
#include "standin/HeadlessView.h"
#include "standin/StandinCodePage.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string RandomName(std::mt19937& random) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -'_";
    std::uniform_int_distribution<int> length(4, 30);
    std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
    std::string name;
    for (int n = length(random); n > 0; --n) name += kLetters[pick(random)];
    return name;
}

// Opens the file, reads until six line ends are seen or the file ends.
std::size_t ReadSixLines(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) std::abort();
    char buffer[4096];
    int lineEnds = 0;
    std::size_t total = 0;
    while (lineEnds < 6) {
        ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0) break;
        total += static_cast<std::size_t>(count);
        for (ssize_t i = 0; i < count; ++i) lineEnds += buffer[i] == '\n';
    }
    ::close(fd);
    return total;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int fileCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    namespace fs = std::filesystem;
    std::string folderTemplate = (fs::temp_directory_path() / "catalogue_bench_XXXXXX").string();
    if (::mkdtemp(folderTemplate.data()) == nullptr) return 1;
    const fs::path root = folderTemplate;
    fs::create_directory(root / "data");

    std::mt19937 random(1);
    std::vector<std::string> paths;
    for (int i = 0; i < fileCount; ++i) {
        const std::string base = "map" + std::to_string(i);
        const fs::path path = root / "data" / (base + ".mmp");
        std::ofstream(path, std::ios::binary)
            << "[MapFiles]\r\nGMPFile = " << base << ".gmp\r\nSTYFile = " << base << ".sty\r\nSCRFile = " << base
            << ".scr\r\nDescription = " << RandomName(random)
            << "\r\nPlayerCount = 6\r\n\r\n[Info]\r\nAuthor = bench\r\n";
        paths.push_back(path.string());
    }

    PosixFileSystem files;
    const std::string gameFolder = root.string() + "/";
    // The floor reads the files in the order the catalogue meets them, the
    // directory's own order: on ext4 that alone costs more than creation order.
    std::vector<std::string> searchOrder;
    for (const std::string& name : files.FindPlainFiles(gameFolder + "data\\*.mmp")) {
        searchOrder.push_back((root / "data" / name).string());
    }
    std::vector<double> catalogue, floor, creationOrderFloor, search;
    std::size_t sink = 0;
    for (int round = 0; round < 7; ++round) {
        auto start = Clock::now();
        for (const std::string& path : searchOrder) sink += ReadSixLines(path);
        floor.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / fileCount);

        start = Clock::now();
        for (const std::string& path : paths) sink += ReadSixLines(path);
        creationOrderFloor.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                                     fileCount);

        start = Clock::now();
        sink += files.FindPlainFiles(gameFolder + "data\\*.mmp").size();
        search.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / fileCount);

        HeadlessView view;
        start = Clock::now();
        view.AppendRows(SortedCatalogue(ReadDescribedMaps(files, gameFolder).maps, Western1252()));
        catalogue.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / fileCount);
        if (view.RowCount() != fileCount + static_cast<int>(BuiltInMaps().size())) {
            std::fprintf(stderr, "catalogue has %d rows, expected %d\n", view.RowCount(), fileCount);
            return 1;
        }
    }
    fs::remove_all(root);

    const double c = Median(catalogue), f = Median(floor);
    std::printf("files: %d (median of %zu rounds, warm cache)\n", fileCount, catalogue.size());
    std::printf("catalogue: %.2f us per file\n", c);
    std::printf("floor (open + read six lines, search order): %.2f us per file\n", f);
    std::printf("(the same, files in creation order: %.2f us per file)\n", Median(creationOrderFloor));
    std::printf("of which the file search alone: %.2f us per file\n", Median(search));
    std::printf("ratio: %.2f (goal: at most 1.5)\n", c / f);
    return sink == 0;
}

// Checks the map list's orderings against the system's own comparison, which
// the list is sorted by: each name read in the ANSI code page, as the list and
// the files read it, and compared in the user's locale with case ignored. The
// sort keys the program asks the system for are checked in whatever world the
// test is started in, and the stand-ins' Western model in an English one
// (code page 1252). Every pair of names must compare the same way on both
// sides, equality included. In every world too, UTF-16 text (wide file names,
// Unicode description files) must come into the code page exactly or be
// reported, never as a look-alike.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "standin/MapNameOrder.h"
#include "support/SystemOrder.h"
#include "windows/Win32CodePage.h"

namespace {

// A world of LOCALE_WORLDS (tests/wine) names the code page and user locale
// it is meant to give, "<code page>:<LCID in hex>": one that gave others
// would prove nothing about the world it stands for.
void ExpectTheWorldAskedFor() {
    const char* world = std::getenv("BRINDLEWAY_TEST_WORLD");
    if (world == nullptr) return;
    unsigned codePage = 0;
    unsigned lcid = 0;
    ASSERT_EQ(std::sscanf(world, "%u:%x", &codePage, &lcid), 2) << world;
    EXPECT_EQ(GetACP(), codePage) << world;
    EXPECT_EQ(GetUserDefaultLCID(), lcid) << world;
}

int Sign(int value) { return (value > 0) - (value < 0); }

std::string Show(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            shown += code;
        }
    }
    return "\"" + shown + "\"";
}

// Compares every pair of names, by position, with `order` and with the
// system, and reports the first few disagreements.
template <typename Order>
void ExpectSameOrder(const std::vector<std::string>& names, Order order) {
    std::vector<std::wstring> wide;
    for (const std::string& name : names) wide.push_back(Wide(name));
    int mismatches = 0;
    for (std::size_t a = 0; a < names.size(); ++a) {
        for (std::size_t b = 0; b < names.size(); ++b) {
            int expected = Sign(SystemOrder(wide[a], wide[b]));
            int actual = Sign(order(a, b));
            if (expected != actual && ++mismatches <= 20) {
                ADD_FAILURE() << Show(names[a]) << " vs " << Show(names[b]) << ": system " << expected << ", ours "
                              << actual;
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << "pairs ordered differently from the system";
}

// The stand-ins' Western model.
void ExpectSameOrder(const std::vector<std::string>& names) {
    ExpectSameOrder(names, [&](std::size_t a, std::size_t b) { return CompareMapNames(names[a], names[b]); });
}

// The system's keys, made once per name as the catalogue makes them.
void ExpectKeysInSystemOrder(const std::vector<std::string>& names) {
    const Win32CodePage codePage;
    std::vector<std::string> keys(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(codePage.AppendSortKey(names[i], keys[i]));
        ASSERT_FALSE(keys[i].empty()) << Show(names[i]);
    }
    ExpectSameOrder(names, [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]); });
}

std::vector<std::string> RandomNames(std::mt19937& random, const std::string& alphabet, int count, int maxLength) {
    std::uniform_int_distribution<int> length(1, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string name;
        for (int n = length(random); n > 0; --n) name += alphabet[pick(random)];
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> MapNamesAsMapMakersWriteThem() {
    // clang-format off
    return {
        "1st City - Downtown", "2nd City - Residential", "3rd City - Industrial", "1st City Bonus 1",
        "1st City Bonus 2", "2nd City Bonus 3", "3rd City Bonus 1", "Mini-Hood", "Minigolf", "MiniHood",
        "Mini Hood", "mini-hood", "pacman's", "pacmans", "Pacman", "pac-man", "Ice Rink", "ice rink", "Ice-Rink",
        "Icerink", "Ice_Rink", "[DM] Arena", "(beta) Arena", "Arena (beta)", "Arena 10", "Arena 2", "Arena 02",
        "arena_2", "Arena-2", "Arena's 2", "Zaibatsu", "zaibatsu", "_test", "-test", "'test", "test", "Test 1",
        "Test1", "Test.1", "Test!1", "T\xE9l\xE9" "port", "Tele" "port", "T\xC9L\xC9PORT", "\xC6on", "Aeon", "AEON",
        "Stra\xDF" "e", "Strasse", "\xD6l", "Ol", "Oel", "\xF1u", "nu", "\xC5land", "Aland", "Zz", "",
        " ", "  Gap", "Gap", "co-op", "coop", "co'op", "coo-p", "Map #1", "Map #10", "Map $", "Map ~", "Map \x96 2",
        "Map \x97 2", "Map - 2", "\xBFQu\xE9?", "\xA1Hola!", "Caf\xE9", "Cafe", "CAF\xC9", "\xDEorn", "Thorn",
        "\x9C" "uvre", "oeuvre", "\xA9 Map", "Map\xAD" "soft", "Mapsoft", "Brand\x99", "Brandtm", "BrandTM", "Brandtn", "No\xBA 1", "No 1", "\xB2nd", "2nd", "Level \xB3", "Level 3",
    };
    // clang-format on
}

}  // namespace

TEST(SortOrder, MapNamesAsMapMakersWriteThem) { ExpectSameOrder(MapNamesAsMapMakersWriteThem()); }

TEST(SortOrder, EverySingleCharacter) {
    std::vector<std::string> names;
    for (int c = 1; c < 256; ++c) names.push_back(std::string(1, static_cast<char>(c)));
    ExpectSameOrder(names);
}

TEST(SortOrder, GeneratedNamesOverAllCharacters) {
    std::mt19937 random(20240601);
    std::string alphabet;
    for (int c = 1; c < 256; ++c) alphabet += static_cast<char>(c);
    ExpectSameOrder(RandomNames(random, alphabet, 400, 4));
}

TEST(SortOrder, GeneratedNamesOfLettersDigitsAndSeparators) {
    std::mt19937 random(7);
    // Few symbols, so that names often agree at the first level and the
    // later levels (accents, hyphens, apostrophes) decide.
    ExpectSameOrder(RandomNames(random,
                                "aAbB01-' _\x96\xE1\xC1\xE6\xDF"
                                "e",
                                500, 6));
}

TEST(SortOrder, GeneratedNamesOfIgnorablesLigaturesAndSuperscripts) {
    std::mt19937 random(99);
    // Characters that count at the later levels only, or nowhere, or twice.
    ExpectSameOrder(RandomNames(
        random, "aAeE-'\x96\x97\x01\x1F\x7F\xAD\xE6\xC6\xDF\xFE\xDE\x8C\x9C\xAA\xBA\xB9\xB2\xB3\xE9\xC9 1", 700, 8));
}

// In every world the tests start it in: English, Russian (1251), Polish
// (1250) and Japanese (932), where a lone lead byte must not upset it either,
// and the worlds whose format is not the language of the code page.
TEST(SortOrder, SystemKeysOrderAsTheSystemCompares) {
    ASSERT_NO_FATAL_FAILURE(ExpectTheWorldAskedFor());
    std::vector<std::string> names = MapNamesAsMapMakersWriteThem();
    for (int c = 1; c < 256; ++c) names.push_back(std::string(1, static_cast<char>(c)));
    std::mt19937 random(1251);
    std::string alphabet;
    for (int c = 1; c < 256; ++c) alphabet += static_cast<char>(c);
    for (const std::string& name : RandomNames(random, alphabet, 400, 4)) names.push_back(name);
    // The upper half holds the letters of the code pages beyond the Western
    // one; with hyphens and case among them the later levels decide too.
    std::string letters = "aAeEzZ-' \x96";
    for (int c = 0xA3; c < 256; c += 3) letters += static_cast<char>(c);
    letters += "\x8C\x9C\x8F\x9F\xA8\xB8";
    for (const std::string& name : RandomNames(random, letters, 300, 6)) names.push_back(name);
    names.push_back(std::string("Mapsoft\0hidden", 14));
    // Keys longer than the room the program first offers them.
    std::string longName;
    for (int i = 0; i < 400; ++i) longName += "a-";
    names.push_back(longName);
    names.push_back(longName + "b");
    names.push_back("A" + longName.substr(1));
    ExpectKeysInSystemOrder(names);
}

// Only what converts back to itself is the character: a "best fit" such as L
// for \u0141, or on code page 932 a backslash for the yen sign, does not.
TEST(CodePage, TextFromUtf16IsExactOrReportedNeverBestFit) {
    ASSERT_NO_FATAL_FAILURE(ExpectTheWorldAskedFor());
    const Win32CodePage codePage;
    int mismatches = 0;
    for (unsigned unit = 1; unit < 0x10000 && mismatches < 5; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;
        const auto wide = static_cast<wchar_t>(unit);
        char bytes[8] = {};
        const int size = WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
        wchar_t back[4] = {};
        const bool roundTrips =
            size > 0 && MultiByteToWideChar(CP_ACP, 0, bytes, size, back, 4) == 1 && back[0] == wide;
        const auto character = static_cast<char16_t>(unit);
        std::string converted;
        const bool exact = codePage.AppendFromUtf16(std::u16string_view(&character, 1), converted);
        if (exact != roundTrips || (exact && converted != std::string(bytes, size))) {
            ADD_FAILURE() << "U+" << std::hex << unit << ": " << (exact ? "exact as " : "reported, given as ")
                          << Show(converted) << ", the system gives " << Show(std::string(bytes, size))
                          << (roundTrips ? ", which converts back" : ", which does not convert back");
            ++mismatches;
        }
    }
}

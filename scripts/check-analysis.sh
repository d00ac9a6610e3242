#!/usr/bin/env bash
# Static analysis of the program's own code as the 32-bit Windows build
# compiles it: clang-tidy with the checks in .clang-tidy, and cppcheck's
# warning, performance and portability checks, over launcher/, registry/,
# system/, windows/ and platform/. Fails naming every finding (file:line and
# the check) and passes only when neither tool finds anything.
#   JOBS=n  files analysed at once (default: the number of processors)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
folders=(launcher registry system windows platform)
mingw=i686-w64-mingw32-g++-posix

for tool in clang-tidy cppcheck "$mingw"; do
    command -v "$tool" >/dev/null || { echo "check-analysis: $tool is not installed" >&2; exit 1; }
done

# The defines the Windows build compiles with (CMakeLists.txt).
defines=(-D_WIN32 -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601)

# clang finds MinGW's C headers by itself for this target, but not the C++
# library of Debian's "12-posix" GCC, and it would add the host's
# /usr/include after them: ask the cross compiler where its headers are and
# hand clang exactly those. GCC's own intrinsics folders are left to clang's.
mapfile -t system_dirs < <("$mingw" -E -x c++ - -v </dev/null 2>&1 |
    sed -n '/#include <...> search starts here:/,/End of search list./p' |
    sed -n 's/^ //p' | grep -E '/include/c\+\+|/i686-w64-mingw32/include$')
[ ${#system_dirs[@]} -gt 0 ] || { echo "check-analysis: no include folders from $mingw" >&2; exit 1; }
clang_args=(--target=i686-w64-mingw32 -std=c++17 -nostdlibinc -I"$root" "${defines[@]}")
for d in "${system_dirs[@]}"; do clang_args+=(-isystem "$(realpath "$d")"); done

mapfile -t sources < <(git ls-files --cached --others --exclude-standard -- "${folders[@]/%//*.cpp}")
mapfile -t headers < <(git ls-files --cached --others --exclude-standard -- "${folders[@]/%//*.h}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A header is checked inside the files that include it (HeaderFilterRegex);
# one that no source reaches, even through other headers, gets a file of its
# own so that it is not skipped unseen.
declare -A reached=()
pending=("${sources[@]}")
while [ ${#pending[@]} -gt 0 ]; do
    mapfile -t found < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' \
        "${pending[@]}" 2>/dev/null | sort -u)
    pending=()
    for h in "${found[@]}"; do
        if [ -f "$h" ] && [ -z "${reached[$h]:-}" ]; then
            reached[$h]=1
            pending+=("$h")
        fi
    done
done
units=("${sources[@]}")
for h in "${headers[@]}"; do
    if [ -z "${reached[$h]:-}" ]; then
        unit="$work/alone-$(printf %s "$h" | tr / _).cpp"
        printf '#include "%s"\n' "$h" >"$unit"
        units+=("$unit")
    fi
done

# clang-tidy, one file a process. Each writes its own report, read once all
# have finished so that parallel output does not interleave.
echo "check-analysis: clang-tidy on ${#units[@]} files, $jobs at a time"
export CHECK_ANALYSIS_ROOT=$root CHECK_ANALYSIS_WORK=$work
printf '%s\0' "${units[@]}" | xargs -0 -P "$jobs" -I{} bash -c '
    report="$CHECK_ANALYSIS_WORK/tidy-$(printf %s "$0" | tr / _).txt"
    clang-tidy --quiet --config-file="$CHECK_ANALYSIS_ROOT/.clang-tidy" "$0" -- "$@" >"$report" 2>&1 ||
        echo "$0" >>"$CHECK_ANALYSIS_WORK/tidy-failed"
' {} "${clang_args[@]}"

# A header is reported once for each file that includes it: name it once.
# Every finding is an error (WarningsAsErrors), which clang-tidy marks in the
# check's name.
tidy_findings=$(cat "$work"/tidy-*.txt |
    sed -n 's/^\(.*\):\([0-9]*\):[0-9]*: \(warning\|error\): \(.*\) \[\([^]]*\)\]$/\1:\2: \5: \4/p' |
    sed "s|^$root/||; s|^\./||; s|,-warnings-as-errors: |: |" | sort -u)

echo "check-analysis: cppcheck on ${folders[*]}"
# win32A and the windows library: the types, sizes and Win32 calls of the
# 32-bit narrow-text program, so that a handle passed where the system
# forbids null is caught like any other dereference.
cppcheck_status=0
cppcheck --enable=warning,performance,portability --std=c++17 --language=c++ --platform=win32A \
    --library=windows -I "$root" "${defines[@]}" -j "$jobs" --quiet --error-exitcode=1 \
    --template='{file}:{line}: {id}: {message}' "${folders[@]}" >"$work/cppcheck.txt" 2>&1 || cppcheck_status=$?
cppcheck_findings=$(sed "s|^$root/||; s|^\./||" "$work/cppcheck.txt")

if [ ! -s "$work/tidy-failed" ] && [ -z "$tidy_findings" ] && [ $cppcheck_status -eq 0 ] && [ -z "$cppcheck_findings" ]; then
    echo "check-analysis: nothing found (clang-tidy $(clang-tidy --version | sed -n 's/.*version \([0-9.]*\).*/\1/p'), $(cppcheck --version))"
    exit 0
fi
[ -z "$tidy_findings" ] || printf '%s\n' "$tidy_findings" | sed 's/^/clang-tidy: /' >&2
[ -z "$cppcheck_findings" ] || printf '%s\n' "$cppcheck_findings" | sed 's/^/cppcheck: /' >&2
if [ -s "$work/tidy-failed" ] && [ -z "$tidy_findings" ]; then
    # Failed without a finding it could name: show what it said.
    while read -r unit; do
        grep -v 'warnings generated\.$' "$work/tidy-$(printf %s "$unit" | tr / _).txt" >&2 || true
    done <"$work/tidy-failed"
    echo "check-analysis: clang-tidy failed on: $(tr '\n' ' ' <"$work/tidy-failed")" >&2
fi
if [ $cppcheck_status -ne 0 ] && [ -z "$cppcheck_findings" ]; then
    echo "check-analysis: cppcheck failed (status $cppcheck_status)" >&2
fi
echo "check-analysis: found something; see above" >&2
exit 1

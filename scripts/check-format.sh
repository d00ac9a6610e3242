#!/usr/bin/env bash
# Fails, naming each file, when a C++ file of the repository differs from
# what clang-format makes of it with the repository's .clang-format.
#   check-format.sh        check
#   check-format.sh --fix  reformat those files in place
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 1; }

mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
unformatted=()
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    if ! clang-format --style=file "$f" | cmp -s - "$f"; then
        unformatted+=("$f")
    fi
done

if [ ${#unformatted[@]} -eq 0 ]; then
    echo "check-format: ${#files[@]} files formatted as .clang-format says"
    exit 0
fi
if [ "${1:-}" = --fix ]; then
    clang-format --style=file -i "${unformatted[@]}"
    printf 'check-format: reformatted %s\n' "${unformatted[@]}"
    exit 0
fi
printf 'check-format: not formatted: %s\n' "${unformatted[@]}" >&2
echo "check-format: run scripts/check-format.sh --fix ($(clang-format --version))" >&2
exit 1

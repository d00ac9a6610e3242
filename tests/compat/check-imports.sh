#!/usr/bin/env bash
# Fails, naming each one, when the program imports a function that the
# 32-bit system libraries of Windows XP SP3 do not export, or when it imports
# shell32 or ole32 at all (the folder picker binds those when first shown).
#   check-imports.sh OBJDUMP PROGRAM.exe EXPORT_LIST
set -euo pipefail

objdump=${1:?objdump}
program=${2:?program}
exports=${3:?export list}

table=$("$objdump" -p "$program")
# "DLL Name: X" opens each library's block; its entries are "hint name"
# lines, closed by a blank line.
imports=$(awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    dll != "" && NF == 0 { dll = ""; next }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && NF == 3 { print dll, $3 }
' <<<"$table" | sort -u)

if [ -z "$imports" ]; then
    echo "check-imports: no imports read from $program" >&2
    exit 1
fi

status=0
missing=$(comm -23 <(echo "$imports") <(grep -v '^#' "$exports" | awk 'NF == 2 { print tolower($1), $2 }' | sort -u))
if [ -n "$missing" ]; then
    echo "Imports that Windows XP SP3 does not export:"
    echo "$missing" | sed 's/^/  /'
    status=1
fi
eager=$(echo "$imports" | awk '$1 == "shell32.dll" || $1 == "ole32.dll"' || true)
if [ -n "$eager" ]; then
    echo "Imports that must be bound on first use instead:"
    echo "$eager" | sed 's/^/  /'
    status=1
fi
[ $status -eq 0 ] && echo "check-imports: $(echo "$imports" | wc -l) imports, all exported by Windows XP SP3"
exit $status

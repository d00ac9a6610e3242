#!/usr/bin/env bash
# Makes a demo game folder for trying the launcher without the game:
#   make-demo-game.sh DIR [GTA2_EXE]
# DIR gets the stand-in game as gta2.exe (GTA2_EXE, or the one built in the
# first build/*windows* folder), the marker data\attract\attr1.rep and a few
# map description files with CR LF line ends. Existing files are replaced.
set -euo pipefail

dir=${1:?usage: make-demo-game.sh DIR [GTA2_EXE]}
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")

exe=${2:-}
if [ -z "$exe" ]; then
    for candidate in "$repo"/build/*windows*/tools/fake-game/gta2.exe; do
        if [ -f "$candidate" ]; then exe=$candidate; break; fi
    done
fi
if [ -z "$exe" ] || [ ! -f "$exe" ]; then
    echo "make-demo-game: no stand-in gta2.exe found; build the Windows target fake_game or name it" >&2
    exit 1
fi

mkdir -p "$dir/data/attract"
cp "$exe" "$dir/gta2.exe"
printf 'Brindleway demo attract recording\r\n' >"$dir/data/attract/attr1.rep"

# One description file: the positions matter, the words do not. Line 2 to 4
# values start at character 11, the name on line 5 at character 15.
description() {
    local file=$1 base=$2 name=$3
    printf '[MapFiles]\r\nGMPFile = %s.gmp\r\nSTYFile = %s.sty\r\nSCRFile = %s.scr\r\nDescription = %s\r\nAuthor = Brindleway demo\r\n' \
        "$base" "$base" "$base" "$name" >"$dir/data/$file"
}
description canalside.mmp canalside "Canalside Run (2-4 players)"
description quarry.mmp quarry "Old Quarry Deathmatch"
description harbour.mmp harbour "Harbour Lights"

echo "$dir"

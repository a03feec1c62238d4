#!/bin/sh
# Installs the build into a temporary prefix, as `make install PREFIX=...` does, and checks the
# tree: both executables, the data the game reads from ../share/quorvin beside them (English
# stays the language: the translation lies in languages/, not where the game looks for it), the
# menu entry, the position files' type and the software-centre description (through the
# desktop's own validators and against each other), and the icon at each size. The installed
# quorvin-cli must run from the prefix.
# Usage: check_install.sh CMAKE BUILD_DIR SOURCE_DIR VERSION
set -eu
cmake=$1 build=$2 source=$3 version=$4
export LC_ALL=C.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
share=$prefix/share
data=$share/quorvin
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; echo "FAIL: cmake --install" >&2; exit 1; }

for exe in quorvin quorvin-cli; do
    [ -x "$prefix/bin/$exe" ] || fail "bin/$exe is missing or not executable"
done
if ldd "$prefix/bin/quorvin" | grep -q "not found"; then fail "bin/quorvin misses libraries"; fi

# The data folder holds what the game reads and nothing else.
[ "$(ls "$data" | tr '\n' ' ')" = "Images Positions Quorvin.html Sound help languages " ] ||
    fail "share/quorvin holds: $(ls "$data" | tr '\n' ' ')"
for folder in Images Sound help languages Positions; do
    diff -r "$source/data/$folder" "$data/$folder" >/dev/null || fail "share/quorvin/$folder differs from data/$folder"
done
cmp -s "$source/data/Quorvin.html" "$data/Quorvin.html" || fail "share/quorvin/Quorvin.html differs"

# The menu entry and the type of the position files.
desktop=$share/applications/quorvin.desktop
mime=$share/mime/packages/quorvin.xml
if ! desktop-file-validate "$desktop"; then fail "desktop-file-validate"; fi
grep -qx 'Exec=quorvin load %f' "$desktop" || fail "the menu entry does not start quorvin load %f"
grep -qx 'Categories=Game;BoardGame;' "$desktop" || fail "the menu entry is not a board game"
type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$desktop")
grep -q "<mime-type type=\"$type\">" "$mime" || fail "the menu entry's type $type is not defined in $mime"
if update-mime-database "$share/mime" 2>"$work/mime.log"; then
    grep -qx "[0-9]*:$type:\*\.qvp" "$share/mime/globs2" || fail "*.qvp is not recognised as $type"
else
    cat "$work/mime.log" >&2
    fail "update-mime-database"
fi

# The description for software centres.
metainfo=$(ls "$share"/metainfo/*.metainfo.xml)
if ! appstreamcli validate --no-net "$metainfo"; then fail "appstreamcli validate"; fi
grep -q '<launchable type="desktop-id">quorvin.desktop</launchable>' "$metainfo" ||
    fail "the description does not launch quorvin.desktop"
grep -q "<release version=\"$version\" " "$metainfo" || fail "the description has no release $version"

# The icon the menu entry names, at every size, really that size.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 32 48 64 128 256; do
    file=$share/icons/hicolor/${size}x$size/apps/$icon.png
    if [ ! -f "$file" ]; then
        fail "no ${size}x$size icon"
    elif [ "$(png_size "$file")" != "${size}x$size" ]; then
        fail "the ${size}x$size icon is $(png_size "$file")"
    fi
done

# The command line tool runs from the prefix on an installed position.
"$prefix/bin/quorvin-cli" think "$data/Positions/spanish_8x8_middle.qvp" --level 1 >"$work/think.log" ||
    { cat "$work/think.log"; fail "the installed quorvin-cli"; }

[ "$failures" -eq 0 ] || exit 1
echo "The installed tree is complete"

#!/usr/bin/env bash
# Glyphsmith's icon files against independent tools: every group of Wine's
# shell32.dll extracted by Glyphsmith holds the same image data as icoutils'
# wrestool extracts, and icotool and ImageMagick read what Glyphsmith wrote.
#   glyphsmith_wrestool_test.sh GLYPHSMITH_EXE WINE_RUN FIXTURE_DIR
set -euo pipefail
glyphsmith=$1 wine_run=$2 fixtures=$3
source "$(dirname "$wine_run")/wine-env"
# The shell32.dll that the program under test sees as its system's: the
# 32-bit one, or the 64-bit one where the prefix has no 32-bit part.
system=syswow64
[[ -f "$WINEPREFIX/drive_c/windows/syswow64/shell32.dll" ]] || system=system32
dll="$WINEPREFIX/drive_c/windows/$system/shell32.dll"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winpath() { echo "Z:${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

u16() { od -An -t u2 -j "$2" -N 2 "$1" | tr -d ' '; }
# The image data of an icon file, image after image in directory order.
images() {
    local file=$1 count i at size offset end
    local -a d
    count=$(u16 "$file" 4)
    read -r -a d <<<"$(od -An -v -t u1 -j 6 -N $((16 * count)) "$file" | tr '\n' ' ')"
    end=$((6 + 16 * count))
    local -a sizes offsets
    local contiguous=1
    for ((i = 0; i < count; i++)); do
        at=$((16 * i))
        size=$((d[at + 8] | d[at + 9] << 8 | d[at + 10] << 16 | d[at + 11] << 24))
        offset=$((d[at + 12] | d[at + 13] << 8 | d[at + 14] << 16 | d[at + 15] << 24))
        sizes+=("$size") offsets+=("$offset")
        ((offset == end)) || contiguous=0
        end=$((end + size))
    done
    if ((contiguous)); then
        tail -c +$((6 + 16 * count + 1)) "$file" | head -c $((end - 6 - 16 * count))
    else
        for ((i = 0; i < count; i++)); do tail -c +$((offsets[i] + 1)) "$file" | head -c "${sizes[i]}"; done
    fi
}

mkdir "$work/wrestool" "$work/glyphsmith"
wrestool -x -t14 -o "$work/wrestool" "$dll"
"$wine_run" "$glyphsmith" --extract "C:\\windows\\$system\\shell32.dll" "$(winpath "$work/glyphsmith")" >/dev/null

theirs=$(ls "$work/wrestool" | wc -l)
ours=$(ls "$work/glyphsmith" | wc -l)
[[ $theirs == 184 ]] || fail "wrestool wrote $theirs icon files"
[[ $ours == 184 ]] || fail "Glyphsmith wrote $ours icon files"
for file in "$work/wrestool"/*.ico; do
    name=$(basename "$file" .ico)
    name=${name#shell32.dll_14_}
    name=${name%_*}  # the language
    mine="$work/glyphsmith/shell32($name).ico"
    [[ -f $mine ]] || fail "no file for group $name"
    [[ $(u16 "$file" 4) == $(u16 "$mine" 4) ]] || fail "group $name: image counts differ"
    cmp -s <(images "$file") <(images "$mine") || fail "group $name: image data differs"
    icotool -l "$mine" >/dev/null || fail "icotool cannot read shell32($name).ico"
done

# A group holding a PNG image and a DIB image of the fixture library.
"$wine_run" "$glyphsmith" "/0/$(winpath "$fixtures/twelve_groups.dll")/$(winpath "$work/mixed.ico")/7/0;1;/"
[[ $(icotool -l "$work/mixed.ico" | wc -l) == 2 ]] || fail "icotool does not list two images"
identify "$work/mixed.ico" >"$work/identify.txt" 2>&1 || fail "identify refuses mixed.ico: $(cat "$work/identify.txt")"
grep -q '64x64' "$work/identify.txt" || fail "identify does not see the 64x64 image"
grep -q '16x16' "$work/identify.txt" || fail "identify does not see the 16x16 image"
echo "184 groups equal to wrestool's; icotool and identify read the exported files"

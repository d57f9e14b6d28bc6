#!/usr/bin/env bash
# Unpacking an archive of about 200 MB of Wine's own DLLs (made once with
# zip -r, kept under the build root): the native phunzip against
# unzip -qq -o, and against inflate and CRC alone, into the same disk.
#   unzip.sh BUILD_ROOT   (run by make bench after the native build)
set -euo pipefail
build=$1
phunzip="$build/native/bin/phunzip"
floor="$build/native/bench-helpers/bench_inflate_crc"
data="$build/bench-data"
archive="$data/wine-dlls.zip"
runs=${PH_BENCH_RUNS:-3}
source_dir=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
[[ -d $source_dir ]] || source_dir=/usr/lib/i386-linux-gnu/wine/i386-windows

if [[ ! -f $archive ]]; then
    mkdir -p "$data"
    stage=$(mktemp -d "$data/stage.XXXXXX")
    mkdir -p "$stage/Program/system"
    total=0
    for file in "$source_dir"/*; do
        [[ -f $file ]] || continue
        size=$(stat -c %s "$file")
        ((total + size > 200 * 1024 * 1024)) && break
        ln -s "$file" "$stage/Program/system/$(basename "$file")"
        total=$((total + size))
    done
    (cd "$stage" && zip -q -r "$archive.part" Program)
    mv "$archive.part" "$archive"
    rm -rf "$stage"
fi

work=$(mktemp -d "$data/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Wall-clock and processor (user + system) seconds of one command.
measure() {
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null
    awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$work/time"
}
best() { sort -g | head -n1; }
theirs=() ours=() floors=()
for ((i = 0; i < runs; i++)); do
    rm -rf "$work/u" "$work/p" && mkdir "$work/u" "$work/p"
    theirs+=("$(measure unzip -qq -o "$archive" -d "$work/u")")
    ours+=("$(measure "$phunzip" "$archive" "$work/p")")
    floors+=("$(measure "$floor" "$archive")")
done
diff -rq "$work/u" "$work/p" >/dev/null || echo "  phunzip and unzip unpacked different files!"
column() { printf '%s\n' "${@:2}" | cut -d' ' -f"$1" | best; }
tw=$(column 1 "${theirs[@]}") tc=$(column 2 "${theirs[@]}")
ow=$(column 1 "${ours[@]}") oc=$(column 2 "${ours[@]}")
fw=$(column 1 "${floors[@]}") fc=$(column 2 "${floors[@]}")
# phunzip runs the update's path, which begins with a 200 ms pause.
pw=$(awk -v o="$ow" 'BEGIN { printf "%.3f", o - 0.2 }')
echo "$(unzip -Z1 "$archive" | wc -l) entries, $(du -sm "$work/p" | cut -f1) MB unpacked from a" \
     "$(($(stat -c %s "$archive") / 1048576)) MB archive, best of $runs (wall, processor):"
printf '  unzip -qq -o          %6.3f s  %6.3f s\n' "$tw" "$tc"
printf '  phunzip               %6.3f s  %6.3f s  (wall %.3f s with the 200 ms pause)\n' "$pw" "$oc" "$ow"
printf '  inflate and CRC only  %6.3f s  %6.3f s\n' "$fw" "$fc"
awk -v pw="$pw" -v oc="$oc" -v tw="$tw" -v tc="$tc" -v fw="$fw" -v fc="$fc" 'BEGIN {
    printf "  phunzip / unzip       %6.2f    %6.2f    (goal at most 0.75)\n", pw / tw, oc / tc
    printf "  phunzip / floor       %6.2f    %6.2f    (goal at most 1.25)\n", pw / fw, oc / fc }'

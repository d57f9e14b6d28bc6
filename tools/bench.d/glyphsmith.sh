#!/usr/bin/env bash
# Exporting every icon group of Wine's shell32.dll with Glyphsmith (Wine's
# start included) against icoutils' wrestool -x -t14 on the same file.
#   glyphsmith.sh BUILD_ROOT   (run by make bench with the Wine session up)
set -euo pipefail
build=$1
tools=$(cd "$(dirname "$0")/.." && pwd)
source "$tools/wine-env"
glyphsmith="$build/$("$tools/wine-preset")/bin/Glyphsmith.exe"
# The shell32.dll that the program under test sees as its system's: the
# 32-bit one, or the 64-bit one where the prefix has no 32-bit part.
system=syswow64
[[ -f "$WINEPREFIX/drive_c/windows/syswow64/shell32.dll" ]] || system=system32
dll="$WINEPREFIX/drive_c/windows/$system/shell32.dll"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=${PH_BENCH_RUNS:-5}

now() { date +%s.%N; }
best() { sort -g | head -n1; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.6f", b - a }'; }
theirs=() ours=()
for ((i = 0; i < runs; i++)); do
    rm -rf "$work/w" "$work/g" && mkdir "$work/w" "$work/g"
    start=$(now); wrestool -x -t14 -o "$work/w" "$dll"; theirs+=("$(elapsed "$start")")
    start=$(now)
    "$tools/wine-run" "$glyphsmith" --extract "C:\\windows\\$system\\shell32.dll" "Z:${work//\//\\}\\g" >/dev/null
    ours+=("$(elapsed "$start")")
done
t=$(printf '%s\n' "${theirs[@]}" | best)
o=$(printf '%s\n' "${ours[@]}" | best)
echo "shell32.dll, $(ls "$work/g" | wc -l) groups, best of $runs:"
printf '  wrestool -x -t14     %.3f s\n' "$t"
printf '  Glyphsmith --extract %.3f s (Wine start included)\n' "$o"
awk -v o="$o" -v t="$t" 'BEGIN { printf "  ratio                %.2f (goal at most 3)\n", o / t }'

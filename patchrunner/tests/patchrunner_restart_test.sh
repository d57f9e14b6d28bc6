#!/usr/bin/env bash
# The answer "Yes" to the restart question, in a Wine prefix of its own with
# its own wineserver: a restart ends every process of its prefix, so this is
# driven from outside, and the box is answered through the X display.
#   patchrunner_restart_test.sh PATCHRUNNER MARKER_PROGRAM FILE_HOLDER TOOLS_DIR ROOT
set -uo pipefail
patchrunner=$1 marker=$2 holder=$3 tools=$4 root=$5

# The session's display; the prefix, HOME and server are this test's own.
session_root=${PH_WINE_ROOT:-$tools/../build/wine}
[[ -s $session_root/display ]] || { echo "no Wine session display in $session_root"; exit 1; }
export DISPLAY=":$(head -n1 "$session_root/display")" PH_KEEP_DISPLAY=1
export PH_WINE_ROOT=$root
source "$tools/wine-env"

fail() { echo "FAIL: $*"; status=1; }
status=0
log=$root/restart.log
: >"$log"

if [[ ! -f $WINEPREFIX/.ph-ready ]]; then
    rm -rf "$WINEPREFIX"
    echo "creating the restart test's Wine prefix (about 30 s, once)"
    wine wineboot.exe -i </dev/null >>"$log" 2>&1
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f </dev/null >>"$log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.ph-ready"
fi
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null' EXIT
# Detached streams: what Wine leaves running must not hold ctest's pipes.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >>"$log" 2>&1
wine reg delete 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations /f \
    </dev/null >/dev/null 2>&1

folder_unix=$WINEPREFIX/drive_c/restart-test/Pictoharvest
rm -rf "$WINEPREFIX/drive_c/restart-test"
mkdir -p "$folder_unix/temp_/temp1"
cp "$patchrunner" "$folder_unix/Patchrunner.exe"
cp "$marker" "$folder_unix/Pictoharvest.exe"
printf old >"$folder_unix/Eins.dll"
printf new >"$folder_unix/temp_/temp1/Eins.dll"
folder='C:\restart-test\Pictoharvest\'

# A program that keeps the installed file open, so it can only be scheduled.
cp "$holder" "$root/file_holder.exe"
wine "$root/file_holder.exe" "${folder}Eins.dll" 120 </dev/null >>"$log" 2>&1 &
holder_pid=$!
for _ in $(seq 200); do [[ -f $folder_unix/Eins.dll.held ]] && break; sleep 0.1; done
[[ -f $folder_unix/Eins.dll.held ]] || fail "the holder did not open the file"

wine "$folder_unix/Patchrunner.exe" "${folder}\\temp_\\temp1;${folder};Eins.dll;" </dev/null >>"$log" 2>&1 &
runner_pid=$!

box=$(timeout 20 xdotool search --sync --name '^Pictoharvest$' 2>/dev/null | head -n1)
if [[ -z $box ]]; then
    fail "no restart question"
else
    # The default button is "Yes".
    xdotool windowfocus --sync "$box" 2>>"$log"
    sleep 0.3
    xdotool key Return 2>>"$log"
    echo "question answered yes"
fi

started=$(date +%s%N)
for _ in $(seq 300); do kill -0 "$runner_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$runner_pid" 2>/dev/null; then
    fail "Patchrunner still runs 30 s after the answer"
    kill "$runner_pid"
else
    wait "$runner_pid"; echo "Patchrunner ended with $? after $(( ($(date +%s%N) - started) / 1000000 )) ms"
fi
# A forced restart under Wine ends every process of the prefix, the holder
# too, and carries out the scheduled replacements.
for _ in $(seq 100); do kill -0 "$holder_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$holder_pid" 2>/dev/null; then
    fail "the program holding the file still runs: no restart"
    kill "$holder_pid" 2>/dev/null
else
    echo "the program holding the file was ended"
fi
installed=$(cat "$folder_unix/Eins.dll")
[[ $installed == new ]] || fail "the installed file is '$installed', not the new one"
pending=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations \
    </dev/null 2>/dev/null | grep -c PendingFileRenameOperations)
[[ $pending == 0 ]] || fail "replacements are still pending after the restart"
# Not checked: the restart may end the installer before it starts the main program.
echo "work folder: $([[ -d $folder_unix/temp_ ]] && echo kept || echo gone)"
echo "main program started: $([[ -f $folder_unix/marker.txt ]] && echo yes || echo no)"
rm -rf "$WINEPREFIX/drive_c/restart-test"
[[ $status == 0 ]] && echo "restart test passed"
exit $status

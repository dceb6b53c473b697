#!/usr/bin/env bash
# Checks the Windows program folder: kavu.exe carries its icon and version, and the folder holds
# the licence texts. Then runs it under wine on a private Xvfb display, in a fresh wine prefix,
# with fake adb.exe / fastboot.exe (tests/windows/fake_tool.c) and empty DLLs beside kavu.exe:
# the main window appears, the device-check console asks adb for "devices", the device list
# follows a small adb server of our own (tests/windows/adb_host.py), a help page shows its
# picture, a package button of the apps window reaches adb with the exact arguments, a hidden run
# leaves no cmd.exe behind, and closing the main window ends kavu.exe.
# Leaves screenshots of the main window and of a help page in the build folder.
# Arguments: the program folder (build/windows/Kavu) and the folder for the screenshots.
set -euo pipefail
program_dir=$(readlink -f "$1")
shot_dir=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")

work=$(mktemp -d)
kavu_pid=""
host_pid=""
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/Kavu/tool-log.txt" ] && sed 's/^/  tool log: /' "$work/Kavu/tool-log.txt" >&2
    exit 1
}
source "$here/../e2e/desktop.sh"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# wine passes it on: kavu.exe speaks Chinese, the language of the texts checked here.
export KAVU_LANG=zh
cleanup() {
    [ -n "$kavu_pid" ] && kill "$kavu_pid" 2>/dev/null || true
    [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null || true
    # Ends every process of this prefix (the consoles kavu opened), and nothing else.
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

# kavu.exe's resources: the icon (an icon group and its pictures) and the version.
resources=$(x86_64-w64-mingw32-objdump -p "$program_dir/kavu.exe" |
    sed -n '/^The .rsrc Resource Directory section/,$p')
[ -n "$resources" ] || fail "kavu.exe has no resource section"
# The type table's entries: 0x3 icon pictures, 0xe the icon group, 0x10 the version.
for type in 000003 00000e 000010; do
    grep -Eq "^[0-9a-f]+   Entry: ID: 0x$type," <<<"$resources" ||
        fail "kavu.exe has no resources of type 0x$type"
done
version=$(sed -n 's/^project(Kavu VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
version_value() { strings -el "$program_dir/kavu.exe" | { grep -x -A1 "$1" || true; } | sed -n 2p; }
for field in "ProductName=Kavu" "ProductVersion=$version" "FileVersion=$version" \
    "OriginalFilename=kavu.exe"; do
    value=$(version_value "${field%%=*}")
    [ "$value" = "${field#*=}" ] || fail "kavu.exe's ${field%%=*} is '$value', not '${field#*=}'"
done
echo "kavu.exe: icon and version $version"

# The licences: Kavu's, Qt's (the LGPL, with the GPL it builds on), the GCC runtime's exception,
# winpthreads'.
licence_has() {
    [ -f "$program_dir/$1" ] || fail "the folder has no $1"
    grep -Fq "$2" "$program_dir/$1" || fail "$1 does not hold \"$2\""
}
licence_has LICENSE.txt "Apache License"
licence_has NOTICE.txt "Apache License, Version 2.0"
licence_has licenses/LGPL-3.0.txt "GNU LESSER GENERAL PUBLIC LICENSE"
licence_has licenses/GPL-3.0.txt "GNU GENERAL PUBLIC LICENSE"
licence_has licenses/Qt.txt "The Qt Company"
licence_has licenses/GCC-runtime.txt "GCC RUNTIME LIBRARY EXCEPTION"
licence_has licenses/MinGW-w64.txt "mingw-w64-libraries/winpthreads"
echo "licences: Kavu, Qt, the GCC runtime, MinGW-w64"

cp -r "$program_dir" "$work/Kavu"
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -Werror -o "$work/Kavu/adb.exe" "$here/fake_tool.c"
cp "$work/Kavu/adb.exe" "$work/Kavu/fastboot.exe"
: > "$work/Kavu/AdbWinApi.dll"
: > "$work/Kavu/AdbWinUsbApi.dll"
g++ -O1 -o "$work/close_window" "$here/../e2e/close_window.cpp" -lX11

log=$work/Kavu/tool-log.txt
wait_for_log() { wait_for_line "$log" "$1"; }
# The interpreters running (wine shows each by the command line it was given: "cmd /k ...").
interpreters() { pgrep -c -i -f '^(cmd(\.exe)?|.*\\cmd\.exe)( |$)' || true; }
# Raises the window (no window manager does it here) and clicks at a point inside it.
click() {
    xdotool windowraise "$1"
    sleep 0.3
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# The adb server the device list talks to; wine passes the port on to kavu.exe.
python3 "$here/adb_host.py" "$work/adb-port" "$work/adb-host-log.txt" &
host_pid=$!
for _ in $(seq 50); do [ -s "$work/adb-port" ] && break; sleep 0.1; done
[ -s "$work/adb-port" ] || fail "the adb server of the test did not start"
export ANDROID_ADB_SERVER_PORT=$(cat "$work/adb-port")

start_display
wineboot -i >/dev/null 2>&1 || fail "wineboot could not set up the prefix"

(cd "$work/Kavu" && exec wine kavu.exe) >/dev/null 2>&1 &
kavu_pid=$!

# The first start in a new prefix is slow: up to a minute.
main=""
for _ in 1 2 3 4 5 6; do
    main=$(wait_for_window '^Kavu 第六代免ROOT玩机神器$') && break
done
[ -n "$main" ] || fail "the main window did not appear"
wait_for_log "adb.exe devices" || fail "the device-check console did not run adb devices"
echo "main window $main; the device check ran"
# The list followed the server: after the first list it asks for the models.
wait_for_line "$work/adb-host-log.txt" "host:track-devices" ||
    fail "the device list did not ask the adb server to track devices"
wait_for_line "$work/adb-host-log.txt" "host:devices-l" ||
    fail "the device list did not read the server's list"
echo "device list: tracked the server's list and asked for the models"
sleep 1
python3 "$here/screenshot.py" "$main" "$shot_dir/windows-main-window.png" ||
    fail "the screenshot could not be taken"

# Help, page "连接与驱动": its picture (label Imageauth, 300 x 220 at (120, 163)) is drawn. The
# area checked is the picture's lower right, where the other pages and this page without its
# picture have nothing.
click "$main" 370 192
help=$(wait_for_window '^帮助支持$') || fail "the help window did not open"
sleep 0.5
click "$help" 52 66
sleep 1
python3 "$here/screenshot.py" "$help" "$shot_dir/windows-help.png" 280 330 140 50 ||
    fail "the help page shows no picture"
"$work/close_window" "$help"
window_gone '^帮助支持$' || fail "the help window did not close"
echo "help: the picture shows"

# The apps window: type a package name, press 强行停止.
click "$main" 158 64
apps=$(wait_for_window '^软件操作$') || fail "the apps window did not open"
sleep 0.5
click "$apps" 168 48
xdotool type --delay 20 "com.example.app"
click "$apps" 147 121
wait_for_log "adb.exe shell am force-stop com.example.app" ||
    fail "the package button did not reach adb with its arguments"
echo "package button: adb shell am force-stop com.example.app"

# A hidden run (恢复默认(0,0,0,0) of the display window) ends with its interpreter.
before=$(interpreters)
click "$main" 370 64
display=$(wait_for_window '^显示操作\(Windows Manager\)$') || fail "the display window did not open"
sleep 0.5
click "$display" 527 225
wait_for_log "adb.exe shell wm overscan 0,0,0,0" || fail "the hidden run did not reach adb"
for _ in $(seq 100); do
    [ "$(interpreters)" -le "$before" ] && break
    sleep 0.1
done
[ "$(interpreters)" -le "$before" ] || fail "the hidden run's cmd.exe is still running"
echo "hidden run: ended, $before interpreters before and after"

# Closing the last window ends kavu.exe, though its consoles stay open.
"$work/close_window" "$apps"
"$work/close_window" "$display"
window_gone '^软件操作$' || fail "the apps window did not close"
closed_at=$(date +%s%N)
"$work/close_window" "$main"
wait_for_exit "$kavu_pid" || fail "kavu.exe still runs after its main window closed"
echo "kavu.exe ended $(( ($(date +%s%N) - closed_at) / 1000000 )) ms after its main window closed"
kavu_pid=""
echo "PASS"

#!/usr/bin/env bash
# Starts the real kavu in set-ups that used to go wrong, one row of a table each, under Xvfb, and
# checks what each says or does: the line on standard error and the exit code, the message box,
# or the windows and the folder the device-check console's adb runs in. Runs Kavu as an ordinary
# user (nobody, when the test runs as the superuser, who could write where a row forbids it).
# Arguments: the program folder (kavu, kavu-cmd), the configured launcher, the close_window helper.
set -euo pipefail
program_dir=$1
launcher=$2
close_window=$3

work=$(mktemp -d)
kavu_pid=""
source "$(dirname "$0")/desktop.sh"
trap stop_kavu_and_display EXIT

user_run=()
if [ "$(id -u)" = 0 ]; then
    user_run=("$(command -v setpriv)" --reuid=65534 --regid=65534 --clear-groups --)
fi

# An adb that records the folder it runs in (and which copy it is) and answers like adb; the one
# beside the program and a decoy first on PATH.
fake_adb() {
    printf '#!/bin/sh\necho "%s $(pwd)" >> "%s"\necho "List of devices attached"\necho\n' \
        "$2" "$work/log/adb.log" > "$1/adb"
    printf '#!/bin/sh\nexit 0\n' > "$1/fastboot"
    chmod 755 "$1/adb" "$1/fastboot"
}

mkdir "$work/bin" "$work/path" "$work/log" "$work/home" "$work/ro"
cp "$program_dir/kavu" "$program_dir/kavu-cmd" "$work/bin/"
fake_adb "$work/path" path

# A portable program folder of the row's own: the program, kavu-cmd, the fake tools, File/.
portable() {
    local folder="$work/$1"
    mkdir -p "$folder/File"
    ln "$work/bin/kavu" "$work/bin/kavu-cmd" "$folder/"
    fake_adb "$folder" beside
}
portable prog
portable noexec
chmod 644 "$work/noexec/adb"
portable noadb
rm "$work/noadb/adb"
portable dangling
ln -sf "$work/gone/adb" "$work/dangling/adb"
# An adb that cannot start a server, as Debian's says it when the port may not be taken.
portable noserver
cat > "$work/noserver/adb" <<EOF
#!/bin/sh
echo "beside \$(pwd)" >> "$work/log/adb.log"
echo "* daemon not running; starting now at tcp:1" >&2
echo "ADB server didn't ACK" >&2
echo "adb F 12-08 07:31:10  1400  1400 main.cpp:144] could not install *smartsocket* listener: Permission denied" >&2
echo "* failed to start daemon" >&2
echo "error: cannot connect to daemon" >&2
exit 255
EOF
# A program folder that cannot be written, and one whose journal file cannot be.
portable readonly
portable rojournal
mkdir "$work/rojournal/journal"
touch "$work/rojournal/journal/(no-device).jsonl"
portable noterm
# An installed tree: the launcher finds the program folder beside its own.
mkdir -p "$work/root/usr/bin" "$work/root/usr/lib"
cp "$launcher" "$work/root/usr/bin/kavu"
chmod 755 "$work/root/usr/bin/kavu"
portable root/usr/lib/kavu

# A font configuration with no font that draws Chinese.
mkdir "$work/fontcache"
printf '<?xml version="1.0"?>\n<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>%s</cachedir></fontconfig>\n' \
    "$work/fontcache" > "$work/latin-fonts.conf"

[ ${#user_run[@]} = 0 ] || chown -R 65534:65534 "$work"
chmod 755 "$work"
chmod 555 "$work/ro" "$work/readonly"
chmod 444 "$work/rojournal/journal/(no-device).jsonl"

start_display

# row NAME COPY FOLDER SETTINGS EXPECTED TEXT [THEN]
#   COPY: the program started (installed: through the launcher), FOLDER: the folder it is started
#   in, SETTINGS: shell statements that change the environment.
#   EXPECTED: "line" (exit 1 with TEXT on standard error, no window), "box" (a message box, exit 1
#   once it is closed, TEXT on standard error when given), "warns" (a box with TEXT on standard
#   error, then the program runs on), "runs" (the main window and the
#   device-check console appear; TEXT is what adb records: which copy ran, and where), "boxes" (the
#   main window and a box, no console; TEXT on standard error when given), "tells" (the main
#   window, and the console titled as the terminal's, its adb having failed; TEXT on standard
#   error).
#   THEN: a check, once the program has ended, of what it left behind.
row() {
    local name=$1 copy=$2 folder=$3 settings=$4 expected=$5 text=$6 then=${7:-true}
    echo "--- $name"
    rm -f "$work/log/adb.log"
    (
        cd "$folder"
        unset KAVU_HOME XDG_DATA_HOME XDG_RUNTIME_DIR XDG_SESSION_TYPE WAYLAND_DISPLAY QT_QPA_PLATFORM
        export HOME="$work/home" PATH="$work/path:$PATH" LANG=C.UTF-8
        eval "$settings"
        exec "${user_run[@]}" "$copy"
    ) > "$work/out" 2> "$work/err" &
    kavu_pid=$!
    case $expected in
    line) ;;
    box)
        # Shown: Qt keeps a hidden window of the program's name as well.
        box=$(wait_for_window '^Kavu$' --onlyvisible) || fail "$name: no message box; stderr: $(cat "$work/err")"
        "$close_window" "$box"
        ;;
    warns)
        # A box first, then the program runs on.
        box=$(wait_for_window '^Kavu$' --onlyvisible) || fail "$name: no message box; stderr: $(cat "$work/err")"
        "$close_window" "$box"
        main=$(wait_for_window '^Kavu .') || fail "$name: no main window after the box"
        console=$(wait_for_window '^设备连接检测结果') || fail "$name: no device-check console"
        xdotool windowfocus "$console" key space
        window_gone '^设备连接检测结果' || fail "$name: the console did not close"
        "$close_window" "$main"
        ;;
    tells)
        main=$(wait_for_window '^Kavu .') || fail "$name: no main window; stderr: $(cat "$work/err")"
        console=$(wait_for_window '^cmd$' --onlyvisible) || fail "$name: no device-check console"
        xdotool windowfocus "$console" type exit
        xdotool windowfocus "$console" key Return
        window_gone '^cmd$' || fail "$name: the console did not close"
        "$close_window" "$main"
        ;;
    boxes)
        main=$(wait_for_window '^Kavu .') || fail "$name: no main window; stderr: $(cat "$work/err")"
        box=$(wait_for_window '^Kavu$' --onlyvisible) || fail "$name: no message box; stderr: $(cat "$work/err")"
        "$close_window" "$box"
        "$close_window" "$main"
        ;;
    runs)
        # Any title after "Kavu ": in a "C" locale Qt writes the old-style window name (the one
        # xdotool searches) in Latin-1.
        main=$(wait_for_window '^Kavu .') ||
            fail "$name: no main window; stderr: $(cat "$work/err")"
        console=$(wait_for_window '^设备连接检测结果') ||
            fail "$name: no device-check console titled in Chinese"
        wait_for_line "$work/log/adb.log" "$text" ||
            fail "$name: adb ran as '$(cat "$work/log/adb.log" 2>/dev/null)', not '$text'"
        xdotool windowfocus "$console" key space
        window_gone '^设备连接检测结果' || fail "$name: the console did not close"
        "$close_window" "$main"
        ;;
    esac
    wait_for_exit "$kavu_pid" || fail "$name: kavu still runs"
    local status=0
    wait "$kavu_pid" || status=$?
    kavu_pid=""
    local want=1
    case $expected in runs | warns | boxes | tells) want=0 ;; esac
    [ "$status" = "$want" ] || fail "$name: exit status $status, not $want; stderr: $(cat "$work/err")"
    if [ "$expected" != runs ] && [ -n "$text" ]; then
        grep -qxF "$text" "$work/err" || fail "$name: stderr lacks '$text': $(cat "$work/err")"
    fi
    eval "$then" || fail "$name: afterwards not so: $then; stderr: $(cat "$work/err")"
}

# Whether the journal file holds the text.
journal_has() {
    [ -f "$1" ] && grep -qF "$2" "$1"
}
fallback_journal="$work/home/.local/share/kavu/journal/(no-device).jsonl"

installed="$work/root/usr/bin/kavu"
prog="$work/prog/kavu"
#   set-up                       copy        folder      settings                    expected
row "HOME unwritable" "$installed" / "HOME=$work/ro" \
    box "Kavu 无法使用数据文件夹 $work/ro/.local/share/kavu：权限不够"
row "XDG_DATA_HOME unwritable" "$installed" / "export XDG_DATA_HOME=$work/ro" \
    box "Kavu 无法使用数据文件夹 $work/ro/kavu：权限不够"
row "HOME missing" "$installed" / "unset HOME" \
    box "Kavu 找不到存放数据的文件夹：环境变量 HOME 和 XDG_DATA_HOME 都没有设置。请在设置了 HOME 的桌面会话中启动 Kavu。"
row "no DISPLAY" "$prog" "$work/prog" "unset DISPLAY" \
    line "Kavu 需要图形桌面：无法连接显示（没有设置 DISPLAY）"
# The project installs no Wayland plugin for Qt.
row "only a Wayland display, no Wayland plugin" "$prog" "$work/prog" "unset DISPLAY; export WAYLAND_DISPLAY=wayland-9" \
    line "Kavu 需要图形桌面：无法连接显示（没有设置 DISPLAY）"
row "display that does not answer" "$prog" "$work/prog" "DISPLAY=:9999" \
    line "Kavu 需要图形桌面：无法连接显示 :9999"
row "display that does not answer, in English" "$prog" "$work/prog" "export KAVU_LANG=en DISPLAY=:9999" \
    line "Kavu needs a graphical desktop: cannot connect to display :9999"
# The start-up box names each tool file that cannot serve; the lines go to standard error too.
row "adb cannot be run" "$work/noexec/kavu" "$work/noexec" "" \
    box "adb 不可执行"
row "adb missing" "$work/noadb/kavu" "$work/noadb" "" \
    box "缺少 adb：$work/noadb"
row "adb a dangling link" "$work/dangling/kavu" "$work/dangling" "" \
    box "adb 指向的文件不存在：$work/gone/adb"
# The device check's adb cannot start a server: the row says why, and so does standard error.
row "adb cannot start a server" "$work/noserver/kavu" "$work/noserver" "export ANDROID_ADB_SERVER_PORT=1" \
    tells "adb 无法启动服务（退出码 255）：could not install *smartsocket* listener: Permission denied"
# The journal moves to the data folder when its folder or its file cannot be written.
row "program folder read-only" "$work/readonly/kavu" "$work/readonly" "" \
    runs "beside $work/readonly" 'journal_has "$fallback_journal" "adb devices"'
rm -rf "$work/home/.local/share/kavu/journal"
row "journal file not writable" "$work/rojournal/kavu" "$work/rojournal" "" \
    runs "beside $work/rojournal" 'journal_has "$fallback_journal" "adb devices"'
rm -rf "$work/home/.local/share/kavu/journal"
# Without a terminal a box says so, and the journal marks the device check as never started.
row "no terminal" "$work/noterm/kavu" "$work/noterm" "export PATH=$work/path" \
    boxes "" 'journal_has "$work/noterm/journal/(no-device).jsonl" "\"started\":false"'
row "no font draws Chinese" "$prog" "$work/prog" "export FONTCONFIG_FILE=$work/latin-fonts.conf" \
    warns "No font on this system can show Chinese, so Kavu's Chinese texts would appear as empty boxes. Install the package fonts-noto-cjk (sudo apt install fonts-noto-cjk), then start Kavu again."
row "LC_ALL=C" "$prog" "$work/prog" "export LC_ALL=C" \
    runs "beside $work/prog"
row "portable copy started elsewhere" "$prog" / "" \
    runs "beside $work/prog"
row "installed" "$installed" / "" \
    runs "beside $work/home/.local/share/kavu"
# The consoles work in KAVU_HOME and still take the program folder's tools, not PATH's.
row "KAVU_HOME set" "$prog" / "export KAVU_HOME=$work/home/elsewhere" \
    runs "beside $work/home/elsewhere"
[ -d "$work/home/.local/share/kavu/File" ] || fail "installed: no File folder in the data folder"
echo "PASS"

#!/usr/bin/env bash
# Checks Kavu's desktop files and its Debian package: the menu entry and the metadata validate,
# the package holds what an installed Kavu needs, names its licences and lintian finds no error,
# and the unpacked Kavu, started through its own launcher from a fresh home, shows its main
# window, closes, and has written nothing but its File folder and the journal of the lines it ran.
# Arguments: the .deb, the source folder, the close_window helper.
set -euo pipefail
deb=$1
source_dir=$2
close_window=$3

work=$(mktemp -d)
kavu_pid=""
source "$source_dir/tests/e2e/desktop.sh"
cleanup() {
    [ -n "$kavu_pid" ] && kill "$kavu_pid" 2>/dev/null || true
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

desktop-file-validate "$source_dir/packaging/kavu.desktop" || fail "the menu entry does not validate"
# The id is not in reverse-DNS form (the project owns no domain to name): that warning is expected;
# anything else is a fault.
metadata=$(appstreamcli validate --no-net "$source_dir/packaging/kavu.metainfo.xml" 2>&1 || true)
if echo "$metadata" | grep -E '^[EW]:' | grep -v 'cid-desktopapp-is-not-rdns' | grep -q .; then
    echo "$metadata" >&2
    fail "the metadata does not validate"
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
files=$(cd "$root" && find . \( -type f -o -type l \) | sort)
expected="./usr/bin/kavu
./usr/lib/kavu/adb
./usr/lib/kavu/fastboot
./usr/lib/kavu/kavu
./usr/lib/kavu/kavu-cmd
./usr/share/applications/kavu.desktop
./usr/share/doc/kavu/changelog.gz
./usr/share/doc/kavu/copyright
./usr/share/icons/hicolor/48x48/apps/kavu.png
./usr/share/icons/hicolor/scalable/apps/kavu.svg
./usr/share/man/man1/kavu.1.gz
./usr/share/metainfo/kavu.metainfo.xml"
unexpected=$(comm -3 <(echo "$expected") <(echo "$files") || true)
[ -z "$unexpected" ] || fail "the package's files differ from the expected ones: $unexpected"
[ "$(readlink "$root/usr/lib/kavu/adb")" = /usr/bin/adb ] || fail "adb does not link to /usr/bin/adb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in adb fastboot xdg-utils fonts-noto-cjk 'xterm | x-terminal-emulator' libqt6widgets6; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
# The pictures are PNG, read by Qt itself: no image plugin package is needed.
[[ "$depends" != *libqt6svg* ]] || fail "Depends names the SVG module: $depends"

# The licences: the copyright file in Debian's machine-readable form, and the metadata.
copyright="$root/usr/share/doc/kavu/copyright"
[ "$(head -n1 "$copyright")" = \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "the copyright file is not in the machine-readable format"
# The License of the paragraph whose Files field is exactly $1.
licence_of() {
    awk -v files="Files: $1" 'BEGIN { RS = "" } { split($0, lines, "\n") }
        lines[1] == files { for (i in lines) if (lines[i] ~ /^License: /) print substr(lines[i], 10) }' \
        "$copyright"
}
[ "$(licence_of '*')" = Apache-2.0 ] || fail "the copyright file does not license Kavu as Apache-2.0"
[ "$(licence_of 'resources/icons/*')" = public-domain ] ||
    fail "the copyright file does not name the Tango icons public domain"
grep -Fq '<project_license>Apache-2.0</project_license>' \
    "$root/usr/share/metainfo/kavu.metainfo.xml" || fail "the metadata does not name Apache-2.0"

lintian_report=$(lintian --no-tag-display-limit "$deb" 2>&1 || true)
echo "$lintian_report" | grep '^E:' && fail "lintian reports errors"
echo "lintian warnings:"
echo "$lintian_report" | grep '^W:' || echo "  none"

# Tools that answer like adb and fastboot, in the program folder (whose tools the consoles take
# first) and first on PATH, so that no adb server is started.
mkdir "$work/tools"
make_fake_tools "$work/tools"
for tool in adb fastboot; do
    rm "$root/usr/lib/kavu/$tool"
    ln -s "$work/tools/$tool" "$root/usr/lib/kavu/$tool"
done

home="$work/home"
mkdir "$home"
start_display
# In Chinese, whatever the machine's locale: the titles below are the Chinese ones.
(cd / && HOME="$home" XDG_DATA_HOME="" PATH="$work/tools:$PATH" KAVU_LANG=zh exec "$root/usr/bin/kavu") &
kavu_pid=$!
main=$(wait_for_window '^Kavu 第六代免ROOT玩机神器$') || fail "the main window did not appear"
console=$(wait_for_window '^设备连接检测结果') || fail "the device-check console did not appear"
xdotool windowfocus "$console" key space
window_gone '^设备连接检测结果' || fail "the device-check console did not close"
"$close_window" "$main"
wait_for_exit "$kavu_pid" || fail "kavu still runs after its window closed"
wait "$kavu_pid" || fail "kavu ended with status $?"
kavu_pid=""

[ -d "$home/.local/share/kavu/File" ] || fail "the File folder was not made in the home"
# The device check ran with no device chosen: its line is journaled in the data folder.
grep -q '"line":"cmd /k adb devices' "$home/.local/share/kavu/journal/(no-device).jsonl" ||
    fail "the device check is not in the journal"
written=$(cd "$home" && find . -mindepth 1 ! -path './.local' ! -path './.local/share' \
    ! -path './.local/share/kavu' ! -path './.local/share/kavu/File' \
    ! -path './.local/share/kavu/journal' ! -path './.local/share/kavu/journal/(no-device).jsonl' \
    ! -path './.cache*' | sort)
[ -z "$written" ] || fail "written in the home besides the File folder and the journal: $written"
[ "$(cd "$root" && find . \( -type f -o -type l \) | sort)" = "$files" ] ||
    fail "the program folder was written to"
echo "PASS"

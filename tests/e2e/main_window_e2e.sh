#!/usr/bin/env bash
# Starts the real kavu under Xvfb with the real terminal, checks that the main window and the
# device-check console appear, closes both as a user would, and checks that nothing is left.
# Arguments: the program folder (kavu, kavu-cmd) and the close_window helper.
set -euo pipefail
program_dir=$1
close_window=$2

work=$(mktemp -d)
kavu_pid=""
source "$(dirname "$0")/desktop.sh"
trap stop_kavu_and_display EXIT

# A program folder of its own, with fake tools.
cp "$program_dir/kavu" "$program_dir/kavu-cmd" "$work/"
make_fake_tools "$work"

start_display

(cd "$work" && exec ./kavu) &
kavu_pid=$!

main=$(wait_for_window '^Kavu 第六代免ROOT玩机神器$') || fail "the main window did not appear"
console=$(wait_for_window '^设备连接检测结果') || fail "the device-check console did not appear"
echo "main window $main, console $console"

# The console waits for a key, then closes itself.
xdotool windowfocus "$console"
xdotool key space
window_gone '^设备连接检测结果' || fail "the console did not close after a key press"

# Closing the last window ends the program.
"$close_window" "$main"
wait_for_exit "$kavu_pid" || fail "kavu still runs after its last window closed"
wait "$kavu_pid" || fail "kavu ended with status $?"
kavu_pid=""

# Nothing started from the test folder is left running.
sleep 0.3
leftovers=$(pgrep -a -f "$work" || true)
[ -z "$leftovers" ] || fail "processes left behind: $leftovers"
echo "PASS"

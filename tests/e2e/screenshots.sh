#!/usr/bin/env bash
# Pictures of every window in Chinese and in English, drawn on an Xvfb display with the fonts of
# this machine, to look at (not a test, not committed): each row of test_language's window table
# saves its window as <row>.png.
# Usage: tests/e2e/screenshots.sh TEST_LANGUAGE OUTPUT_FOLDER
#   e.g. tests/e2e/screenshots.sh build/asan/tests/shell/test_language /tmp/kavu-pictures
set -euo pipefail
test_language=$(readlink -f "$1")
mkdir -p "$2"
output=$(readlink -f "$2")

source "$(dirname "$0")/desktop.sh"
work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT
start_display
# The X11 libraries keep an allocation to the end, as the other tests on a display suppress.
export LSAN_OPTIONS="suppressions=$(dirname "$(readlink -f "$0")")/../lsan.supp:print_suppressions=0"
KAVU_LANG=zh KAVU_SCREENSHOTS="$output" "$test_language" windows >/dev/null
ls "$output"

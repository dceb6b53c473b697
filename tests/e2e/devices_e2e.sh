#!/usr/bin/env bash
# Runs the device end-to-end test under Xvfb, then ends the consoles it left waiting for a key
# (each carries this run's mark in its environment) and checks that no adb server was started.
# Arguments: the test program.
set -euo pipefail
test_program=$1

work=$(mktemp -d)
source "$(dirname "$0")/desktop.sh"
mark="kavu-e2e-$$-$RANDOM"
export KAVU_E2E_MARK=$mark

# The processes of this run: found by the mark, each ended by its own id.
marked() {
    local entry pid
    for entry in /proc/[0-9]*; do
        pid=${entry#/proc/}
        [ "$pid" = "$$" ] && continue
        if { tr "\\0" "\\n" < "$entry/environ"; } 2>/dev/null | grep -qx "KAVU_E2E_MARK=$mark"; then
            echo "$pid"
        fi
    done
}

cleanup() {
    for pid in $(marked); do
        kill "$pid" 2>/dev/null || true
    done
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

start_display
export QT_QPA_PLATFORM=xcb

status=0
"$test_program" || status=$?

# adb starts a server of its own when none answers; the simulated one must always have.
servers=""
for pid in $(marked); do
    if { tr "\\0" " " < "/proc/$pid/cmdline"; } 2>/dev/null | grep -q fork-server; then
        servers="$servers $pid"
    fi
done
if [ -n "$servers" ]; then
    echo "FAIL: an adb server was started:$servers" >&2
    status=1
fi
exit "$status"

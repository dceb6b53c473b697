# A private X display and small fakes for the end-to-end scripts, sourced by them. Needs $work (a
# temporary folder the caller removes); stop_display is for the caller's cleanup.

xvfb_pid=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

skip() {
    echo "SKIPPED: $*"
    exit 77
}

# Debian's pyatspi belongs to the system's Python.
python=/usr/bin/python3

# Runs the calling script again (with the arguments given) on a private D-Bus session, where the
# AT-SPI accessibility bus comes up; returns once it runs there. Exits 77 (skipped) only when no
# D-Bus session or accessibility bus can be started here.
enter_accessibility_session() {
    "$python" -c 'import pyatspi' 2>/dev/null ||
        fail "python3-pyatspi is not installed (./dev test installs it)"
    if [ -z "${KAVU_A11Y_SESSION:-}" ]; then
        command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (Debian dbus)"
        timeout 10 dbus-run-session -- true 2>/dev/null || skip "no private D-Bus session can be started"
        exec dbus-run-session -- env KAVU_A11Y_SESSION=1 "$0" "$@"
    fi
    # The accessibility bus comes up on demand from the session bus (at-spi2-core).
    timeout 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
        skip "the AT-SPI bus cannot be started on the D-Bus session (at-spi2-core)"
}

# Writes into a folder tools that answer like adb and fastboot without starting a server that
# would outlive the test.
make_fake_tools() {
    printf '#!/bin/sh\necho "List of devices attached"\necho\n' > "$1/adb"
    printf '#!/bin/sh\nexit 0\n' > "$1/fastboot"
    chmod +x "$1/adb" "$1/fastboot"
}

# Starts Xvfb on a free display and exports DISPLAY for it. It does not reset when its last client
# leaves, as a desktop, whose window manager stays, never does: a reset between xdotool's calls
# would refuse a program that connects at that moment.
start_display() {
    exec 3<> "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
    unset QT_QPA_PLATFORM
}

stop_display() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# A cleanup for a script that started kavu ($kavu_pid) from $work: ends kavu, the consoles it
# opened (they run in sessions of their own), the display, and removes $work.
stop_kavu_and_display() {
    [ -n "${kavu_pid:-}" ] && kill "$kavu_pid" 2>/dev/null || true
    for pid in $(pgrep -f "$work" || true); do
        kill "$pid" 2>/dev/null || true
    done
    stop_display
    rm -rf "$work"
}

# Waits up to ten seconds for a window whose name matches; prints its id. Further arguments are
# search options (--onlyvisible).
wait_for_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search "${@:2}" --name "$1" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to ten seconds until no window's name matches.
window_gone() {
    for _ in $(seq 100); do
        xdotool search --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Waits up to twenty seconds for a file to hold a line that is exactly the text given.
wait_for_line() {
    for _ in $(seq 200); do
        grep -qxF "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to ten seconds for a process to end; fails when it is still there.
wait_for_exit() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

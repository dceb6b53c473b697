"""Double-clicks launcher entries of a running Kavu through the X server, as a user's mouse does,
and checks that each double click only opens its window.

Usage: double_click_entries.py PID ADB_LOG OPEN_LOG CLOSE_WINDOW CAPTION=TITLE...
Each entry is found by its caption through AT-SPI (for its place on the screen), double-clicked in
its middle with xdotool, and its window (found by TITLE) must appear as the one new window of the
process, with no new line in the fake tools' logs (ADB_LOG, OPEN_LOG): the second click must not
have pressed anything in the opened window. The window is then closed with CLOSE_WINDOW.
"""
import subprocess
import sys
import time

import pyatspi

from press_by_name import find


def windows(pid):
    listed = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", pid],
                            capture_output=True, text=True)
    return set(listed.stdout.split())


def window_name(window):
    named = subprocess.run(["xdotool", "getwindowname", window], capture_output=True, text=True)
    return named.stdout.strip()


def read(path):
    try:
        with open(path, encoding="utf-8") as log:
            return log.read()
    except FileNotFoundError:
        return ""


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    return None


def main():
    pid, adb_log, open_log, close_window = sys.argv[1:5]
    failures = []
    for entry in sys.argv[5:]:
        caption, title = entry.split("=", 1)
        label = wait_for(lambda: find(caption), 10)
        if label is None:
            failures.append(f"{caption}: no launcher entry on the accessibility bus")
            continue
        box = label.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        before_windows = windows(pid)
        before_logs = read(adb_log) + read(open_log)

        subprocess.run(["xdotool", "mousemove", "--sync", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), "click", "--repeat", "2", "--delay",
                        "120", "1"], check=True)
        opened = wait_for(lambda: windows(pid) - before_windows, 10)
        # Whatever the second click might have pressed would show by now.
        time.sleep(1.0)
        new_windows = windows(pid) - before_windows
        names = sorted(window_name(window) for window in new_windows)
        new_lines = "".join(
            line for line in (read(adb_log) + read(open_log))[len(before_logs):].splitlines(True)
            if line.strip() != "fastboot devices (hidden)")
        print(f"{caption}: opened {names}")
        if opened is None or names != [title]:
            failures.append(f"{caption}: expected only the window {title!r}, found {names}")
        if new_lines:
            failures.append(f"{caption}: the double click also ran: {new_lines.strip()!r}")
        for window in new_windows:
            subprocess.run([close_window, window], check=False)
        wait_for(lambda: not (windows(pid) - before_windows), 10)
        # The next entry's first click must not count as the second of this one.
        time.sleep(0.6)
    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

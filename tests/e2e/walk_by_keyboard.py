"""Walks a running Kavu with the keyboard only, reading through AT-SPI what has the focus, as a
screen reader user hears it.

Usage: walk_by_keyboard.py PID STEP...
Steps:
  tab-to:NAME  presses Tab until the control with the keyboard focus is named NAME (the focused
               control may already be it); fails after 80 presses
  key:KEY      presses a key (an xdotool key name: Return, space)
  type:TEXT    types text into the focused control
Keys go through the X server to the focused window, as a keyboard's do. Exits 1 naming the step
that failed.
"""
import subprocess
import sys
import time

import pyatspi


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def focused(pid):
    """The name of the control that has the keyboard focus, or None."""
    try:
        app = application(pid)
        if app is None:
            return None
        found = pyatspi.findDescendant(
            app, lambda node: node is not None
            and node.getState().contains(pyatspi.STATE_FOCUSED)
            and node.getRole() != pyatspi.ROLE_FRAME)
        return None if found is None else found.name
    except Exception:  # the tree changes while it is walked
        return None


def settled(pid, before, seconds=3.0):
    """The focused control's name once it differs from before, or what it is after seconds."""
    deadline = time.monotonic() + seconds
    name = focused(pid)
    while name == before and time.monotonic() < deadline:
        time.sleep(0.1)
        name = focused(pid)
    return name


def press(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)


def tab_to(pid, name):
    current = settled(pid, None)
    for _ in range(80):
        if current == name:
            print(f"focus on {name!r}")
            return True
        press("Tab")
        current = settled(pid, current)
        print(f"  Tab: {current!r}")
    return False


def main():
    pid = int(sys.argv[1])
    for step in sys.argv[2:]:
        verb, _, argument = step.partition(":")
        if verb == "tab-to":
            if not tab_to(pid, argument):
                print(f"FAIL: Tab never reached {argument!r}", file=sys.stderr)
                return 1
        elif verb == "key":
            print(f"key {argument}")
            press(argument)
        elif verb == "type":
            print(f"typing {argument!r}")
            subprocess.run(["xdotool", "type", "--delay", "20", argument], check=True)
        else:
            print(f"FAIL: unknown step {step!r}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

"""Finds controls of a running Kavu through AT-SPI by their names and presses them.

Usage: press_by_name.py SECONDS NAME [NAME...]
Each NAME is looked up (a push button, check box or radio button with exactly that name) in any
application on the accessibility bus, waiting up to SECONDS for it to appear, and pressed with its
first (default) action. Exits 1 naming what was not found.
"""
import sys
import time

import pyatspi

PRESSABLE = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON}


def find(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is None:
            continue
        found = pyatspi.findDescendant(
            app, lambda node: node is not None and node.name == name
            and node.getRole() in PRESSABLE)
        if found is not None:
            return found
    return None


def main():
    seconds = float(sys.argv[1])
    for name in sys.argv[2:]:
        deadline = time.monotonic() + seconds
        control = None
        while control is None and time.monotonic() < deadline:
            try:
                control = find(name)
            except Exception as error:  # the tree changes while it is walked
                print(f"retrying after: {error}", file=sys.stderr)
            if control is None:
                time.sleep(0.2)
        if control is None:
            print(f"FAIL: no control named {name!r} on the accessibility bus", file=sys.stderr)
            return 1
        action = control.queryAction()
        print(f"pressing {name!r} ({control.getRoleName()}, action {action.getName(0)!r})")
        action.doAction(0)
    return 0


if __name__ == "__main__":
    sys.exit(main())

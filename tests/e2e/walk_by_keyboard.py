"""Walks a running Kavu with the keyboard only, reading through AT-SPI what has the focus, as a
screen reader user hears it.

Usage: walk_by_keyboard.py PID STEP...
Steps:
  tab-to:NAME  presses Tab until the control with the keyboard focus is named NAME (the focused
               control may already be it); fails after 80 presses
  key:KEY      presses a key (an xdotool key name: Return, space)
  type:TEXT    types text into the focused control
  opened:TITLE waits for the window titled TITLE to be active, then checks it as it opened: its
               role is frame or dialog (not filler), every control Tab can reach has a name, and
               the focus is on a control that changes nothing on the phone (a text box, a list or
               its entry, a drop-down, or the window itself), marked as focused
  order:A|B|…  presses Tab once per name and checks that the focus lands on each in turn
  closes:TITLE presses Escape and checks that the window titled TITLE goes
  shows:TEXT   waits for a label showing TEXT in the active window
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
        # A view's entries keep their focused state when the view loses the focus; the view
        # itself tells where the focus is.
        found = pyatspi.findDescendant(
            app, lambda node: node is not None
            and node.getState().contains(pyatspi.STATE_FOCUSED)
            and node.getRole() not in ITEMS and node.getRole() != pyatspi.ROLE_FRAME)
        return None if found is None else found.name
    except Exception:  # the tree changes while it is walked
        return None


# What may hold the focus when a window opens: nothing there starts a command.
CHANGES_NOTHING = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_LIST,
                   pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE,
                   pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_ITEM,
                   pyatspi.ROLE_COMBO_BOX,
                   pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG}
WINDOWS = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG}
ITEMS = {pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TREE_ITEM}


def window_named(pid, title):
    """The top-level window titled title, active, or None."""
    try:
        app = application(pid)
        for index in range(app.childCount if app is not None else 0):
            window = app.getChildAtIndex(index)
            if window is not None and window.name == title and \
                    window.getState().contains(pyatspi.STATE_ACTIVE):
                return window
    except Exception:  # the tree changes while it is walked
        pass
    return None


def wait_for(test, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = test()
        if found:
            return found
        time.sleep(0.1)
    return None


def focused_node(window):
    """The node of the window that has the focus: a control, or the window itself."""
    found = pyatspi.findDescendant(
        window, lambda node: node is not None
        and node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRole() not in ITEMS)
    if found is None and window.getState().contains(pyatspi.STATE_FOCUSED):
        return window
    return found


def check_opened(pid, title):
    window = wait_for(lambda: window_named(pid, title))
    if window is None:
        return f"no active window titled {title!r}"
    if window.getRole() not in WINDOWS:
        return f"{title!r} is a {window.getRoleName()}, not a window"
    unnamed = pyatspi.findAllDescendants(
        window, lambda node: node is not None
        and node.getState().contains(pyatspi.STATE_FOCUSABLE)
        and node.getState().contains(pyatspi.STATE_SHOWING)
        and node.getRole() not in ITEMS and not node.name)
    if unnamed:
        return f"{title!r} has unnamed controls: " + \
            ", ".join(node.getRoleName() for node in unnamed)
    # The focus settles once the window is active.
    node = wait_for(lambda: focused_node(window), 3.0) or window
    if node.getRole() not in CHANGES_NOTHING:
        return f"{title!r} opens with the focus on {node.getRoleName()} {node.name!r}"
    if node is not window and not node.getState().contains(pyatspi.STATE_FOCUSED):
        return f"{title!r}: {node.name!r} is not marked as focused"
    print(f"{title!r} opened: {window.getRoleName()}, focus on {node.getRoleName()} "
          f"{node.name!r}")
    return None


def check_order(pid, names):
    current = settled(pid, None)
    for name in names:
        press("Tab")
        current = settled(pid, current)
        if current != name:
            return f"Tab reached {current!r}, not {name!r}"
        print(f"  Tab: {current!r}")
    return None


def check_closes(pid, title):
    if window_named(pid, title) is None:
        return f"no active window titled {title!r} to close"
    press("Escape")
    if not wait_for(lambda: window_named(pid, title) is None and "gone", 5.0):
        return f"Escape left {title!r} open"
    print(f"Escape closed {title!r}")
    return None


def check_shows(pid, text):
    def shown():
        app = application(pid)
        return app is not None and pyatspi.findDescendant(
            app, lambda node: node is not None and node.name == text
            and node.getRole() == pyatspi.ROLE_LABEL) is not None
    try:
        if wait_for(shown, 5.0):
            print(f"shows {text!r}")
            return None
    except Exception:  # the tree changes while it is walked
        pass
    return f"no label shows {text!r}"


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
        elif verb in ("opened", "order", "closes", "shows"):
            check = {"opened": lambda: check_opened(pid, argument),
                     "order": lambda: check_order(pid, argument.split("|")),
                     "closes": lambda: check_closes(pid, argument),
                     "shows": lambda: check_shows(pid, argument)}[verb]
            problem = check()
            if problem is not None:
                print(f"FAIL: {problem}", file=sys.stderr)
                return 1
        elif verb == "type":
            print(f"typing {argument!r}")
            subprocess.run(["xdotool", "type", "--delay", "20", argument], check=True)
        else:
            print(f"FAIL: unknown step {step!r}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

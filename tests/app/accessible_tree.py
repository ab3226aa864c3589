#!/usr/bin/python3
"""Prints the accessible tree of a program's windows as a screen reader finds it on AT-SPI (role,
name, focusable), and exits 1 when a control that takes the focus has no name. With --focused,
prints the name of the control that has the focus instead.
    accessible_tree.py PROGRAM-NAME [WINDOW-NAME...]   (no window names: every window)
    accessible_tree.py PROGRAM-NAME --focused"""
import sys

import pyatspi

# Entries of lists and menus: named by their text, and not controls of their own.
ITEMS = ("list item", "menu item", "table cell")


def walk(node, depth, out, nameless):
    states = node.getState()
    focusable = states.contains(pyatspi.STATE_FOCUSABLE)
    showing = states.contains(pyatspi.STATE_SHOWING)
    role = node.getRoleName()
    out.append("%s%s \"%s\"%s" % ("  " * depth, role, node.name, " focusable" if focusable else ""))
    if focusable and showing and not node.name.strip() and role not in ITEMS:
        nameless.append("%s under %s" % (role, node.parent.name if node.parent else "?"))
    for child in node:
        if child is not None:
            walk(child, depth + 1, out, nameless)


def focused(node):
    """The focused control under node; the current item of a list counts as its list."""
    if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRoleName() not in ITEMS:
        return node
    for child in node:
        found = focused(child) if child is not None else None
        if found is not None:
            return found
    return None


def main():
    program, windows = sys.argv[1], set(sys.argv[2:])
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [a for a in desktop if a is not None and a.name == program]
    if not apps:
        print("no application named %s on the accessibility bus" % program)
        return 1
    if windows == {"--focused"}:
        for window in apps[0]:
            node = focused(window) if window is not None and window.getState().contains(
                pyatspi.STATE_ACTIVE) else None
            if node is not None:
                print(node.name)
                return 0
        return 1
    out, nameless, seen = [], [], set()
    for window in apps[0]:
        if window is None or (windows and window.name not in windows):
            continue
        seen.add(window.name)
        walk(window, 0, out, nameless)
    print("\n".join(out))
    missing = windows - seen
    for name in missing:
        print("FAIL: no window named %s" % name)
    for what in nameless:
        print("FAIL: focusable %s without a name" % what)
    return 1 if nameless or missing else 0


if __name__ == "__main__":
    sys.exit(main())

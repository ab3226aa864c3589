#!/usr/bin/python3
"""Prints the accessible tree of a program's windows as a screen reader finds it on AT-SPI (role,
name, focusable), and exits 1 when a control that takes the focus has no name, or only a glyph
for one (punctuation, symbols, a single letter or digit: "|<", "■", "II", "A"). With --focused,
prints the name of the control that has the focus instead.
    accessible_tree.py PROGRAM-NAME [WINDOW-NAME...]   (no window names: every window)
    accessible_tree.py PROGRAM-NAME --focused"""
# Checks: accessible_name.cpp (src/controls); form1.cpp (src/app).
import sys

import pyatspi

# Entries of lists and menus: named by their text, and not controls of their own.
ITEMS = ("list item", "menu item", "table cell")


def children(node):
    return [child for child in node if child is not None]


def has(node, state):
    return node.getState().contains(state)


def glyph(name):
    """No name, or one that says nothing aloud: fewer than two different letters or digits."""
    return len({c for c in name if c.isalnum()}) < 2


def walk(node, depth, out, nameless):
    role, focusable = node.getRoleName(), has(node, pyatspi.STATE_FOCUSABLE)
    out.append("%s%s \"%s\"%s" % ("  " * depth, role, node.name, " focusable" if focusable else ""))
    if focusable and has(node, pyatspi.STATE_SHOWING) and glyph(node.name) and role not in ITEMS:
        parent = node.parent.name if node.parent else "?"
        nameless.append("%s \"%s\" under %s" % (role, node.name, parent))
    for child in children(node):
        walk(child, depth + 1, out, nameless)


def focused(node):
    """The focused control under node; the current item of a list counts as its list."""
    if has(node, pyatspi.STATE_FOCUSED) and node.getRoleName() not in ITEMS:
        return node
    return next((found for found in map(focused, children(node)) if found is not None), None)


def main():
    program, windows = sys.argv[1], set(sys.argv[2:])
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == program]
    if not apps:
        print("no application named %s on the accessibility bus" % program)
        return 1
    if windows == {"--focused"}:
        active = [w for w in children(apps[0]) if has(w, pyatspi.STATE_ACTIVE)]
        node = next((n for n in map(focused, active) if n is not None), None)
        print(node.name if node is not None else "")
        return 0 if node is not None else 1
    out, nameless, seen = [], [], set()
    for window in children(apps[0]):
        if not windows or window.name in windows:
            seen.add(window.name)
            walk(window, 0, out, nameless)
    fails = ["FAIL: no window named %s" % name for name in windows - seen]
    fails += ["FAIL: focusable %s without a name" % what for what in nameless]
    print("\n".join(out + fails))
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())

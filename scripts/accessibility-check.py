#!/usr/bin/python3
"""accessibility-check.py TITLE: walks the accessible tree of Quenlark's shown window TITLE over
AT-SPI and fails (exit 1) on a focusable control without a name a screen reader can speak, or a
grid whose columns have no headers. Prints what it found wrong, one control a line.

Needs the accessibility bus on the session bus (at-spi-bus-launcher) and Quenlark started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1; scripts/screenshots.sh --check runs it for every window."""
import sys
import time

import pyatspi

# Cells are named by their text and described by their column's header, which is checked on
# the grid itself.
CELL_ROLES = {pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TREE_ITEM}
GRID_ROLES = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE}


def find_window(title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "Quenlark":
            continue
        for window in app:
            if window is not None and window.name == title:
                return window
    return None


def path_of(node):
    parts = []
    while node is not None and node.getRole() != pyatspi.ROLE_APPLICATION:
        parts.append(f"{node.getRoleName()} '{node.name}'")
        node = node.parent
    return " / ".join(reversed(parts))


def spoken_name(node):
    """The node's name, else the name of the label it is labelled by (a buddy label: how a
    screen reader names a combo box on Linux, whose own name is its current text)."""
    if node.name.strip():
        return node.name
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for index in range(relation.getNTargets()):
                label = relation.getTarget(index)
                if label is not None and label.name.strip():
                    return label.name
    return ""


def check_grid(grid, problems):
    table = grid.queryTable()
    for column in range(table.nColumns):
        header = table.getColumnHeader(column)
        text = (header.name if header is not None else "") or table.getColumnDescription(column)
        if not text.strip():
            problems.append(f"{path_of(grid)}: column {column} has no header")


def walk(node, problems, depth=0):
    if depth > 40:
        return
    role = node.getRole()
    if role in CELL_ROLES:
        return
    states = node.getState()
    if (states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING)
            and not spoken_name(node)):
        problems.append(f"{path_of(node)}: focusable {node.getRoleName()} without a name")
    if role in GRID_ROLES:
        check_grid(node, problems)
        return
    for child in node:
        if child is not None:
            walk(child, problems, depth + 1)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    title = sys.argv[1]
    window = None
    for _ in range(100):
        window = find_window(title)
        if window is not None:
            break
        time.sleep(0.1)
    if window is None:
        seen = [(app.name, [window.name for window in app if window is not None])
                for app in pyatspi.Registry.getDesktop(0) if app is not None]
        print(f"accessibility: no window '{title}' of Quenlark on the accessibility bus "
              f"(there: {seen})", file=sys.stderr)
        return 1
    problems = []
    walk(window, problems)
    for problem in problems:
        print(f"accessibility: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

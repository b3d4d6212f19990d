#!/usr/bin/env python3
"""Prints the accessible tree of one running program as a screen reader reads it
over AT-SPI: one line per object that is showing on the screen, as
tab-separated fields

    path    role    name    description    children

where path is the indices of the object below the program's root, joined by
"/" (the first index is the top-level window), and children the number
of objects below it. Tabs and line breaks inside a
name or description are printed as blanks.

Usage: atspi_tree.py PID [SECONDS]
Waits up to SECONDS (default 60) for the program to appear on the
accessibility bus. Exit code 0 when the tree was printed, 1 when the program
never appeared, 77 when pyatspi (python3-pyatspi) is missing.
"""
import sys
import time

try:
    import pyatspi
except ImportError:
    print("atspi_tree: pyatspi not found (package python3-pyatspi)", file=sys.stderr)
    sys.exit(77)


def clean(text):
    return " ".join((text or "").split())


def find_app(pid, seconds):
    deadline = time.monotonic() + seconds
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        if time.monotonic() > deadline:
            return None
        time.sleep(0.2)


def labels(node):
    """The objects that label `node` (a reader says them before it), as role:name."""
    said = []
    try:
        for relation in node.getRelationSet():
            if relation.getRelationType() != pyatspi.RELATION_LABELLED_BY:
                continue
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                if target is not None:
                    said.append("%s:%s" % (target.getRoleName(), clean(target.name)))
    except Exception:
        pass
    return "|".join(said)


def walk(node, path, out):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        states = child.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            continue
        here = path + [i]
        out.write("%s\t%s\t%s\t%s\t%d\t%s\n" % ("/".join(map(str, here)), child.getRoleName(), clean(child.name),
                                                clean(child.description), child.childCount, labels(child)))
        walk(child, here, out)


def main():
    pid = int(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60
    app = find_app(pid, seconds)
    if app is None:
        print("atspi_tree: program %d is not on the accessibility bus" % pid, file=sys.stderr)
        return 1
    walk(app, [], sys.stdout)
    sys.stdout.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())

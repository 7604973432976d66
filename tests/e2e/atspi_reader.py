"""Reads the program's accessible tree as a screen reader does, over AT-SPI.

Runs under Debian's Python, which has pyatspi, with the environment of a
private session bus (DBUS_SESSION_BUS_ADDRESS). It answers one JSON request
per line on standard input with one JSON line on standard output:

  {"cmd": "tree", "window": NAME, "role": ROLE}
                      the showing objects of that window (the active one when
                      NAME is null; of that role when ROLE is given), depth first: [{"role", "name", "depth",
                      "focusable", "focused", "enabled", "keys", "labels"}];
                      a list's or table's items are left out
  {"cmd": "focus"}    the focused object of the active window, or null
  {"cmd": "press", "window": NAME, "role": ROLE, "name": NAME}
                      runs the object's first action ("press"), as a reader
                      does, in the window of that name (a dialog before a frame)

"keys" are the key bindings of the object's actions; "labels" the names of the
objects it is labelled by.
"""

import json
import sys

import pyatspi

APP_NAME = "kelmora"


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == APP_NAME:
            return app
    raise LookupError("the program is not on the accessibility bus")


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def find_window(name, role=None):
    candidates = [w for w in program() if w is not None and showing(w)]
    for w in candidates:
        if role is not None and w.getRoleName() != role:
            continue
        if (name is None and w.getState().contains(pyatspi.STATE_ACTIVE)) or (name is not None and w.name == name):
            return w
    raise LookupError("no showing window %r (%s) among %r" % (name, role, [w.name for w in candidates]))


def key_bindings(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getKeyBinding(i) for i in range(action.nActions) if action.getKeyBinding(i)]


def labelled_by(obj):
    names = []
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names.extend(relation.getTarget(i).name for i in range(relation.getNTargets()))
    return names


def describe(obj, depth):
    state = obj.getState()
    return {"role": obj.getRoleName(), "name": obj.name, "depth": depth,
            "focusable": state.contains(pyatspi.STATE_FOCUSABLE),
            "focused": state.contains(pyatspi.STATE_FOCUSED),
            "enabled": state.contains(pyatspi.STATE_ENABLED),
            "keys": key_bindings(obj), "labels": labelled_by(obj)}


def walk(obj, depth, out):
    if obj is None or not showing(obj):
        return
    out.append(describe(obj, depth))
    if obj.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE):
        return
    for child in obj:
        walk(child, depth + 1, out)


def tree(name, role=None):
    out = []
    walk(find_window(name, role), 0, out)
    return out


def focus():
    # The deepest focused control is what the reader announces; a container
    # around it (a document window, a scrolling area's viewport) says it has
    # the focus too, but cannot take it itself.
    focused = [e for e in tree(None) if e["focused"] and e["focusable"] and e["depth"] > 0]
    return max(focused, key=lambda e: e["depth"]) if focused else None


def press(window, role, name):  # in the showing window of that name, a dialog first
    def search(obj):
        if obj is None or not showing(obj):
            return None
        if obj.getRoleName() == role and obj.name == name:
            return obj
        for child in obj:
            hit = search(child)
            if hit is not None:
                return hit
        return None

    try:
        top = find_window(window, "dialog")
    except LookupError:
        top = find_window(window)
    target = search(top)
    if target is None:
        raise LookupError("no showing %s %r" % (role, name))
    target.queryAction().doAction(0)
    return True


def answer(request):
    cmd = request.get("cmd")
    if cmd == "tree":
        return tree(request.get("window"), request.get("role"))
    if cmd == "focus":
        return focus()
    if cmd == "press":
        return press(request.get("window"), request["role"], request["name"])
    raise ValueError("unknown command %r" % cmd)


def main():
    for line in sys.stdin:
        try:
            reply = {"ok": answer(json.loads(line))}
        except Exception as e:  # reported to the test, which decides
            reply = {"error": "%s: %s" % (type(e).__name__, e)}
        sys.stdout.write(json.dumps(reply, ensure_ascii=False) + "\n")
        sys.stdout.flush()


if __name__ == "__main__":
    main()

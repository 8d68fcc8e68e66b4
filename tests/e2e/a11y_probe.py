#!/usr/bin/python3
"""Reads and drives a running player over the accessibility bus (AT-SPI, pyatspi).

  a11y_probe.py PID tree              one line per list, button and value control
  a11y_probe.py PID press NAME        runs the press action of the button named NAME
  a11y_probe.py PID set NAME VALUE    sets the value of the control named NAME

Lines: "list<TAB>name<TAB>row<TAB>row...", "button<TAB>name<TAB>action,action",
"value<TAB>name<TAB>current<TAB>minimum<TAB>maximum", "window<TAB>caption<TAB>role".
Exit code 0 on success, 2 when the application or the control is not found.
"""
import sys

import pyatspi

MAX_ROWS = 50


def find_app(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    role = node.getRole()
    if role in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE):
        return  # rows are read by the caller, not walked
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def rows(node):
    return [node.getChildAtIndex(i).name for i in range(min(node.childCount, MAX_ROWS))]


def value_of(node):
    try:
        return node.queryValue()
    except NotImplementedError:
        return None


def tree(app):
    for i in range(app.childCount):  # the top-level windows
        window = app.getChildAtIndex(i)
        print("window\t%s\t%s" % (window.name, window.getRoleName()))
    for node in walk(app):
        role = node.getRole()
        if role == pyatspi.ROLE_LIST:
            print("\t".join(["list", node.name] + rows(node)))
        elif role == pyatspi.ROLE_PUSH_BUTTON:
            action = node.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            print("button\t%s\t%s" % (node.name, ",".join(names)))
        elif value_of(node) is not None:
            value = value_of(node)
            print("value\t%s\t%g\t%g\t%g" % (node.name, value.currentValue,
                                             value.minimumValue, value.maximumValue))


def find(app, name, want):
    for node in walk(app):
        if node.name == name and want(node):
            return node
    return None


def press(app, name):
    node = find(app, name, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    if node is None:
        return 2
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == "press":
            action.doAction(i)
            return 0
    return 2


def set_value(app, name, value):
    node = find(app, name, lambda n: value_of(n) is not None)
    if node is None:
        return 2
    node.queryValue().currentValue = float(value)
    print("value\t%s\t%g" % (name, node.queryValue().currentValue))
    return 0


def main(argv):
    app = find_app(int(argv[1]))
    if app is None:
        print("no application with process id " + argv[1], file=sys.stderr)
        return 2
    command = argv[2]
    if command == "tree":
        tree(app)
        return 0
    if command == "press":
        return press(app, argv[3])
    if command == "set":
        return set_value(app, argv[3], argv[4])
    print("unknown command " + command, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))

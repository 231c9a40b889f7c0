"""Works out a batting average in the real program through the accessibility
bus, as a screen reader user would, and reads the figures as the reader hears
them. Needs the session and accessibility buses and the X server that
scripts/with-test-servers starts.

    atspi_result.py PROGRAM
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DEADLINE = 30  # seconds for any one wait


def pump():
    """Hands the events that have come in to their listeners."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, found):
    """Polls found() until it returns something true, and returns that."""
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        pump()
        result = found()
        if result:
            return result
        time.sleep(0.05)
    sys.exit(f"FAIL: {what} did not come within {DEADLINE} s")


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and a.name == name)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def press(accessible):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def check(what, actual, expected):
    if actual != expected:
        sys.exit(f"FAIL: {what}: {actual!r}, expected {expected!r}")
    print(f"PASS: {what}: {actual!r}")


def main():
    inserted = []
    pyatspi.Registry.registerEventListener(
        lambda e: inserted.append((e.source.name, e.any_data)), "object:text-changed:insert")

    # The bridge turns itself on for a screen reader; this test is the reader.
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        def application():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == program.pid and app.childCount > 0:
                    return app
            return None
        app = wait_for("the program on the accessibility bus", application)
        window = wait_for("the main window", lambda: find(app, pyatspi.ROLE_FRAME, "KavloVer2.0"))
        displays = {name: find(window, pyatspi.ROLE_LABEL, name)
                    for name in ("入力画面", "第一の数値", "第二の数値", "計算結果")}
        key = {name: find(window, pyatspi.ROLE_PUSH_BUTTON, name) for name in ("1", "0", "3", "打数 (D)")}
        key["安打 (H)"] = key["打数 (D)"]  # the same key, captioned for the figure it takes next

        # 10 at-bats, 3 hits: each key through its Press action, each figure read back.
        for name, display, shown in (("1", "入力画面", "1"), ("0", "入力画面", "10"),
                                     ("打数 (D)", "第一の数値", "10"), ("3", "入力画面", "3"),
                                     ("安打 (H)", "計算結果", "0.300")):
            press(key[name])
            wait_for(f"{shown!r} on {display} after {name}", lambda: text_of(displays[display]) == shown)
        check("the hits key's name", key["安打 (H)"].name, "安打 (H)")
        for name, shown in (("入力画面", ""), ("第一の数値", "10"), ("第二の数値", "3"), ("計算結果", "0.300")):
            check(f"{name} reads", text_of(displays[name]), shown)
        wait_for("the new result announced", lambda: ("計算結果", "0.300") in inserted)
        print("PASS: 計算結果 announced 0.300")

        result = displays["計算結果"]
        labels = [r.getTarget(i).name for r in result.getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]
        check("計算結果 labelled by", labels, ["打率"])
        thirds = find(window, pyatspi.ROLE_PUSH_BUTTON, "0/3").queryAction()
        check("0/3 key binding", thirds.getKeyBinding(0), "F5")

        press(find(window, pyatspi.ROLE_MENU_ITEM, "バ－ジョン情報(V)"))
        dialog = wait_for("the version window", lambda: find(app, pyatspi.ROLE_DIALOG, "バ－ジョン情報"))
        check("the version window's role", dialog.getRoleName(), "dialog")
        press(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK"))

        press(find(window, pyatspi.ROLE_MENU_ITEM, "終了(X)"))
        status = program.wait(DEADLINE)
        check("exit status after 終了", status, 0)
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


if __name__ == "__main__":
    main()

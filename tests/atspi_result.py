"""Works out a batting average in the real program through the accessibility
bus, pressing its keys as a screen reader user would, and reads the figures
as the reader gets them. Needs the buses and the X server that
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


def wait_for(what, found):
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass  # hands the events that came in to their listeners
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
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))


def main():
    inserted = []
    pyatspi.Registry.registerEventListener(
        lambda e: inserted.append((e.source.name, e.any_data)), "object:text-changed:insert")

    # Qt's bridge turns itself on for a screen reader; this script is the reader.
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        app = wait_for("the program on the accessibility bus", lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0)
             if a is not None and a.get_process_id() == program.pid and a.childCount > 0), None))
        window = wait_for("the main window", lambda: find(app, pyatspi.ROLE_FRAME, "KavloVer2.0"))
        display = {name: find(window, pyatspi.ROLE_LABEL, name)
                   for name in ("入力画面", "第一の数値", "第二の数値", "計算結果")}
        key = {name: find(window, pyatspi.ROLE_PUSH_BUTTON, name) for name in ("1", "0", "3", "打数 (D)")}

        # 10 at-bats, 3 hits. The at-bats key takes the hits too, captioned 安打 (H) by then.
        for name, shown_on, shown in (("1", "入力画面", "1"), ("0", "入力画面", "10"),
                                      ("打数 (D)", "第一の数値", "10"), ("3", "入力画面", "3"),
                                      ("打数 (D)", "計算結果", "0.300")):
            press(key[name])
            wait_for(f"{shown!r} on {shown_on}", lambda: text_of(display[shown_on]) == shown)
        read = {name: text_of(d) for name, d in display.items()}
        expected = {"入力画面": "", "第一の数値": "10", "第二の数値": "3", "計算結果": "0.300"}
        if read != expected:
            sys.exit(f"FAIL: the displays read {read}, expected {expected}")
        print(f"PASS: the displays read {read}")
        wait_for("the new result announced", lambda: ("計算結果", "0.300") in inserted)
        print("PASS: 計算結果 announced 0.300")

        press(find(window, pyatspi.ROLE_MENU_ITEM, "終了(X)"))
        if program.wait(DEADLINE) != 0:
            sys.exit(f"FAIL: the program ended with status {program.returncode}")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


if __name__ == "__main__":
    main()

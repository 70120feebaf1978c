#!/usr/bin/python3
"""The window as a screen reader reads it: through the accessibility bus (AT-SPI).

    screen_reader_test.py PROGRAM

Starts the program on local pages, in a scratch HOME with one favorite, and reads its
window the way a screen reader does: names, descriptions, label relations, states and the
events it is sent. Needs a display and a session bus of its own, which starts the
accessibility bus on demand:

    dbus-run-session -- tests/a11y/screen_reader_test.py build/zemora

Exit status 0 when every check holds; each failure is printed, and so is what a screen
reader announces for each control of the window.
"""
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

ADDRESS = "Address:"
FAVORITES = "收藏夹列表"
FAVORITES_HINT = "点击收藏夹，再请选择你要访问的网站"
HELPER_TEXTS = ["请填写您想收藏的网站名称", "请填写您想收藏的网址"]
TOOLS = ["Back", "Home", "Forward", "Refresh", "Stop", "百度", "MSN", "搜狐", "网易", "新浪", "Yahoo",
         "添加收藏"]
AUTO_REFRESH = "自动刷新"
LOADING = "正在加载…"
LOADING_ENDED = "加载结束"

# Roles a person works with, which must have a name whenever they are shown.
CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_LIST,
    pyatspi.ROLE_TABLE, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LINK,
}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)
    return condition


def pump(seconds):
    """Lets the bus deliver events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_until(predicate, seconds=20):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        try:
            if predicate():
                return True
        except Exception:  # the window may still be building its tree
            pass
        time.sleep(0.05)
    return False


def walk(obj):
    yield obj
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def has(obj, state):
    return obj.getState().contains(state)


def related(obj, relation):
    return [r.getTarget(i) for r in obj.getRelationSet() if r.getRelationType() == relation
            for i in range(r.getNTargets())]


def text_of(obj):
    try:
        return obj.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def window_objects(frame):
    """The window's own objects: the page's content, in the engine's process, left out."""
    objects = []

    def visit(obj):
        objects.append(obj)
        if obj.getRole() == pyatspi.ROLE_DOCUMENT_WEB:
            return
        for i in range(obj.childCount):
            child = obj.getChildAtIndex(i)
            if child is not None:
                visit(child)
    visit(frame)
    return objects


def announced(obj):
    """Roughly what a screen reader says when it lands on obj."""
    states = []
    if obj.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON) and not has(obj, pyatspi.STATE_ENABLED):
        states.append("disabled")
    if obj.getRole() == pyatspi.ROLE_TOGGLE_BUTTON:
        states.append("pressed" if has(obj, pyatspi.STATE_CHECKED) else "not pressed")
    labels = [label.name for label in related(obj, pyatspi.RELATION_LABELLED_BY)]
    parts = [f"“{obj.name}”", obj.getRoleName()] + states
    if obj.description:
        parts.append(f"description “{obj.description}”")
    if labels:
        parts.append("labelled by " + ", ".join(f"“{name}”" for name in labels))
    value = text_of(obj) if obj.getRole() == pyatspi.ROLE_TEXT else None
    if value:
        parts.append(f"text “{value}”")
    return " ".join(parts)


class Window:
    def __init__(self, program, home, page):
        env = dict(os.environ, HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"),
                   XDG_CACHE_HOME=str(home / ".cache"), XDG_DATA_HOME=str(home / ".local/share"),
                   MESA_SHADER_CACHE_DISABLE="true", LANG="zh_CN.UTF-8")
        env.pop("NO_AT_BRIDGE", None)
        self.log = open(home / "program.log", "w")
        self.process = subprocess.Popen([program, str(page)], env=env, stdout=self.log, stderr=subprocess.STDOUT)
        self.frame = None

    def find_frame(self, title_start):
        def found():
            for app in pyatspi.Registry.getDesktop(0):
                if app is None:
                    continue
                try:
                    if app.get_process_id() != self.process.pid:
                        continue
                except Exception:
                    continue
                for frame in app:
                    if frame is not None and frame.getRole() == pyatspi.ROLE_FRAME and frame.name.startswith(title_start):
                        self.frame = frame
                        return True
            return False
        return wait_until(found, 30)

    def objects(self):
        return window_objects(self.frame)

    def one(self, role, name):
        matches = [o for o in self.objects() if o.getRole() == role and o.name == name]
        check(len(matches) == 1, f"one {role} named “{name}”, found {len(matches)}")
        return matches[0] if matches else None

    def close(self):
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()


def main():
    program = os.path.abspath(sys.argv[1])
    home = pathlib.Path(tempfile.mkdtemp(prefix="zemora-a11y-"))
    try:
        return run(program, home)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def run(program, home):
    for sub in (".config", ".cache", ".local/share", "Favorites"):
        (home / sub).mkdir(parents=True)
    first = home / "first.html"
    second = home / "second.html"
    first.write_text("<!DOCTYPE html><title>First</title><p>first</p>", encoding="utf-8")
    second.write_text("<!DOCTYPE html><title>Second</title><p>second</p>", encoding="utf-8")
    (home / "Favorites" / "第二页.url").write_text(f"[InternetShortcut]\r\nURL=file://{second}\r\n",
                                                  encoding="utf-8")

    heard = []  # (event, role, name, detail1) as the bus delivers them

    def listen(event):
        try:
            heard.append((event.type, event.source.getRole(), event.source.name, event.detail1))
        except Exception:
            pass
    pyatspi.Registry.registerEventListener(listen, "object:state-changed:showing",
                                           "object:state-changed:checked")

    window = Window(program, home, first)
    try:
        if not check(window.find_frame("First"), "the window with the first page is on the accessibility bus"):
            return 1
        pump(0.5)
        print("What a screen reader announces for each control of the window as it opens:")
        for obj in window.objects():
            if has(obj, pyatspi.STATE_SHOWING) and (obj.getRole() in CONTROL_ROLES or obj.getRole() == pyatspi.ROLE_LABEL
                                                   or has(obj, pyatspi.STATE_FOCUSABLE)):
                print("  " + announced(obj), flush=True)
        read_names_and_relations(window)
        read_toolbar(window)
        read_loading_history_and_favorites(window, heard)
        read_auto_refresh(window, heard)
        read_picture_only_toolbar(window)
    finally:
        window.close()
    print(f"\n{len(failures)} failure(s)" if failures else "\nall checks hold")
    return 1 if failures else 0


def read_names_and_relations(window):
    objects = window.objects()
    # Whatever is shown and can be worked with, or can take the focus, is named.
    for obj in objects:
        if not has(obj, pyatspi.STATE_SHOWING):
            continue
        if obj.getRole() in CONTROL_ROLES or has(obj, pyatspi.STATE_FOCUSABLE):
            check(obj.name.strip() != "", f"a shown {obj.getRoleName()} has a name (parent: {obj.parent.getRoleName()} "
                                           f"“{obj.parent.name}”)")

    # "Address:" labels the address box and its text field, and nothing else.
    label = window.one(pyatspi.ROLE_LABEL, ADDRESS)
    box = window.one(pyatspi.ROLE_COMBO_BOX, ADDRESS)
    if label and box:
        field = [c for c in box if c is not None and c.getRole() == pyatspi.ROLE_TEXT]
        check(len(field) == 1 and field[0].name == ADDRESS, "the address box's text field is named “Address:”")
        targets = related(label, pyatspi.RELATION_LABEL_FOR)
        check(box in targets and (not field or field[0] in targets), "“Address:” is the label for the address box")
        check(all(t.getRole() in (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT) and t.name == ADDRESS for t in targets),
              f"“Address:” labels nothing but the address box: {[t.getRoleName() for t in targets]}")
        check(related(box, pyatspi.RELATION_LABELLED_BY) == [label], "the address box is labelled by “Address:”")
        if field:
            check(related(field[0], pyatspi.RELATION_LABELLED_BY) == [label],
                  "the address box's field is labelled by “Address:”")
    go = window.one(pyatspi.ROLE_PUSH_BUTTON, "GO...")
    if go:
        check(related(go, pyatspi.RELATION_LABELLED_BY) == [], "GO... is labelled by no label")
    for other in objects:
        if other.getRole() == pyatspi.ROLE_LABEL and other.name != ADDRESS:
            check(related(other, pyatspi.RELATION_LABEL_FOR) == [],
                  f"the label “{other.name}” labels no control")

    # The favorites box has a name of its own; its hint describes it.
    favorites = window.one(pyatspi.ROLE_COMBO_BOX, FAVORITES)
    if favorites:
        check(favorites.description == FAVORITES_HINT, "the favorites box is described by its hint")

    # The two helper fields are not offered at all.
    texts = [o for o in objects if o.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)]
    check(sorted(t.name for t in texts) == sorted([ADDRESS, FAVORITES]),
          f"the only text fields are the two boxes' fields: {[t.name for t in texts]}")
    for obj in objects:
        check(text_of(obj) not in HELPER_TEXTS and obj.name not in HELPER_TEXTS,
              f"a helper field is offered: {obj.getRoleName()} “{obj.name}”")
        if has(obj, pyatspi.STATE_FOCUSABLE) and obj.parent and obj.parent.getRole() == pyatspi.ROLE_PANEL:
            check(has(obj, pyatspi.STATE_VISIBLE), f"a hidden {obj.getRoleName()} is focusable")


def read_toolbar(window):
    bars = [o for o in window.objects() if o.getRole() == pyatspi.ROLE_TOOL_BAR]
    if not check(len(bars) == 1, "one toolbar"):
        return
    buttons = [o for o in walk(bars[0]) if o.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    check([b.name for b in buttons] == TOOLS, f"the toolbar's buttons are named by their captions: {[b.name for b in buttons]}")


def tool(window, name):
    return window.one(pyatspi.ROLE_PUSH_BUTTON, name)


def announcements(heard):
    return [name for kind, role, name, detail in heard
            if kind == "object:state-changed:showing" and role == pyatspi.ROLE_NOTIFICATION and detail == 1]


def read_loading_history_and_favorites(window, heard):
    # The first page alone: nowhere to go back or forward.
    for name in ("Back", "Forward"):
        button = tool(window, name)
        if button:
            check(wait_until(lambda: not has(button, pyatspi.STATE_ENABLED) and not has(button, pyatspi.STATE_SENSITIVE), 5),
                  f"{name} reports disabled with no page to go to")

    # Choosing the favorite, as a reader's user does through the box's selection.
    favorites = window.one(pyatspi.ROLE_COMBO_BOX, FAVORITES)
    if not favorites:
        return
    heard.clear()
    favorites.querySelection().selectChild(0)
    loaded = wait_until(lambda: window.frame.name.startswith("Second") and LOADING_ENDED in announcements(heard))
    check(loaded, "choosing the favorite opens its page")
    pump(1.0)
    check(announcements(heard) == [LOADING, LOADING_ENDED],
          f"loading is announced once as it starts and once as it ends: {announcements(heard)}")
    check(favorites.name == FAVORITES, f"the favorites box keeps its name once an entry is chosen: “{favorites.name}”")
    field = [c for c in favorites if c is not None and c.getRole() == pyatspi.ROLE_TEXT]
    check(len(field) == 1 and text_of(field[0]) == "第二页.url", "the chosen entry is the favorites box's text")

    back = tool(window, "Back")
    if back:
        check(wait_until(lambda: has(back, pyatspi.STATE_ENABLED), 5), "Back reports enabled with a page to go back to")
    forward = tool(window, "Forward")
    if forward:
        check(not has(forward, pyatspi.STATE_ENABLED), "Forward still reports disabled")


def read_auto_refresh(window, heard):
    button = window.one(pyatspi.ROLE_TOGGLE_BUTTON, AUTO_REFRESH)
    if not button:
        return
    check(not has(button, pyatspi.STATE_CHECKED), "auto refresh reports not pressed while off")
    heard.clear()
    button.queryAction().doAction(0)
    check(wait_until(lambda: has(button, pyatspi.STATE_CHECKED), 5), "auto refresh reports pressed once on")
    check(wait_until(lambda: ("object:state-changed:checked", pyatspi.ROLE_TOGGLE_BUTTON, AUTO_REFRESH, 1) in heard, 5),
          "turning auto refresh on is told as it happens")
    # Pressed again it stays on, and nothing more is told of it.
    wait_until(lambda: LOADING_ENDED in announcements(heard), 10)
    heard.clear()
    button.queryAction().doAction(0)
    pump(1.0)
    check(has(button, pyatspi.STATE_CHECKED), "auto refresh still reports pressed")
    check(not [h for h in heard if h[0] == "object:state-changed:checked"], f"no change is told when none happened: {heard}")


def read_picture_only_toolbar(window):
    bars = [o for o in window.objects() if o.getRole() == pyatspi.ROLE_TOOL_BAR]
    if not bars:
        return
    home = tool(window, "Home")
    tall = home.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).height
    ids = subprocess.run(["xdotool", "search", "--pid", str(window.process.pid), "--onlyvisible", "--name", "Second"],
                         capture_output=True, text=True).stdout.split()
    if not check(ids, "the window is found on the display"):
        return
    subprocess.run(["xdotool", "windowsize", ids[-1], "400", "300"], check=True)
    check(wait_until(lambda: home.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).height < tall * 0.7, 10),
          "a low window's toolbar shows pictures only")
    buttons = [o for o in walk(bars[0]) if o.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    check([b.name for b in buttons] == TOOLS,
          f"picture-only buttons keep their names: {[b.name for b in buttons]}")


if __name__ == "__main__":
    sys.exit(main())

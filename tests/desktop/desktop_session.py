#!/usr/bin/python3
"""Drives the real program through the desktop's accessibility interface, as a screen reader
user would: every control is found by its role and name, text goes in through the editable
text interface, buttons are pressed through their actions or with the Enter key, and list lines
are chosen through their Toggle action. A window's close box is pressed as a window manager
does, with the WM_DELETE_WINDOW message. Checks the files byte for byte afterwards and saves a
screenshot of each window.

usage: desktop_session.py <program> <screenshot folder> [<empty working folder>]
"""
import ctypes
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from PIL import ImageGrab

PROGRAM, SHOTS = sys.argv[1:3]
if os.sep in PROGRAM:  # it runs in the working folder
    PROGRAM = os.path.abspath(PROGRAM)
WORK = sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp(prefix="vedrin-desktop-")
MAIN_CAPTION = "Vedrinアドレスちょう"
BLANK_NAME = " " * 30


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_for(find, what, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise Failure("not found within %.0f s: %s" % (seconds, what))


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "vedrin":
            return app
    return None


def window(caption):
    app = application()
    if app is None:
        return None
    for child in app:
        if child is not None and child.name == caption and child.getState().contains(
                pyatspi.STATE_SHOWING):
            return child
    return None


def control(root, role, name):
    return pyatspi.findDescendant(
        root, lambda node: node is not None and node.getRoleName() == role and node.name == name)


def need(root, role, name):
    return wait_for(lambda: control(root, role, name), "%s %r" % (role, name))


def press(root, role, name):
    node = need(root, role, name)
    action = node.queryAction()
    check(action.nActions > 0, "%s %r has no action" % (role, name))
    action.doAction(0)


def press_enter_on(root, role, name):
    """Focuses the control and presses the Enter key, as a keyboard user does."""
    node = need(root, role, name)
    check(node.queryComponent().grabFocus(), "%s %r takes no focus" % (role, name))
    wait_for(lambda: node.getState().contains(pyatspi.STATE_FOCUSED), "focus on %r" % name)
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # XK_Return


def toggle(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Toggle" in names, "%r offers %r" % (node.name, names))
    action.doAction(names.index("Toggle"))


def type_into(root, name, text):
    node = need(root, "text", name)
    node.queryEditableText().setTextContents(text)
    check(node.queryText().getText(0, -1) == text, "text %r did not take %r" % (name, text))


def text_of(root, name):
    return need(root, "text", name).queryText().getText(0, -1)


def roster_lines(main):
    roster = need(main, "list", "roster list")
    return [item.name for item in roster]


def message_box():
    """The one open message box: its text, and a function that presses its OK."""
    def find():
        app = application()
        for child in app or []:
            if child is not None and child.name == "Vedrin" and child.getRoleName() in (
                    "dialog", "alert", "frame"):
                labels = [n.name for n in pyatspi.findAllDescendants(
                    child, lambda n: n is not None and n.getRoleName() == "label" and n.name)]
                if labels:
                    return child, labels
        return None
    box, labels = wait_for(find, "a message box")
    return " ".join(labels), lambda: press(box, "push button", "OK")


def answer_message(expected):
    text, press_ok = message_box()
    check(text == expected, "message %r, expected %r" % (text, expected))
    press_ok()
    wait_for(lambda: not message_open(), "the message box to close")


def message_open():
    app = application()
    return any(child is not None and child.name == "Vedrin" for child in app or [])


def screenshot(node, name):
    time.sleep(0.3)  # let the window finish painting
    extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    image = ImageGrab.grab(xdisplay=os.environ["DISPLAY"])
    image.crop((extents.x, extents.y, extents.x + extents.width,
                extents.y + extents.height)).save(os.path.join(SHOTS, name))


def press_close_box(caption):
    """Sends the window of that caption WM_DELETE_WINDOW, as a window manager's close box does."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 4
    x11.XGetWindowProperty.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
        ctypes.c_int, ctypes.c_ulong] + [ctypes.c_void_p] * 5
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFree.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_long * 24)]

    display = x11.XOpenDisplay(os.environ["DISPLAY"].encode())
    check(display, "no X display")
    try:
        atom = lambda name: x11.XInternAtom(display, name, 0)
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        x11.XQueryTree(display, x11.XDefaultRootWindow(display), ctypes.byref(root),
                       ctypes.byref(parent), ctypes.byref(children), ctypes.byref(count))
        windows = [children[i] for i in range(count.value)]
        x11.XFree(children)
        for window in windows:
            kind, size, items, rest = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), \
                ctypes.c_ulong()
            value = ctypes.POINTER(ctypes.c_char)()
            if x11.XGetWindowProperty(display, window, atom(b"_NET_WM_NAME"), 0, 1024, 0,
                                      atom(b"UTF8_STRING"), ctypes.byref(kind),
                                      ctypes.byref(size), ctypes.byref(items),
                                      ctypes.byref(rest), ctypes.byref(value)) != 0:
                continue
            name = ctypes.string_at(value, items.value).decode() if value else ""
            if value:
                x11.XFree(value)
            if name != caption:
                continue
            event = ClientMessage(type=33, window=window, message_type=atom(b"WM_PROTOCOLS"),
                                  format=32)
            event.data[0] = atom(b"WM_DELETE_WINDOW")
            x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
            x11.XFlush(display)
            return
        raise Failure("no X window %r" % caption)
    finally:
        x11.XCloseDisplay(display)


def read_bytes(name):
    with open(os.path.join(WORK, name), "rb") as stored:
        return stored.read()


def session():
    main = wait_for(lambda: window(MAIN_CAPTION), "the main window")
    need(main, "panel", "Myアドレス帳")
    lines = roster_lines(main)
    check(lines == ["%3d:  " % n + BLANK_NAME for n in range(1, 11)], "first roster %r" % lines)
    for role, name in [("text", "No"), ("text", "name"), ("text", "mail"), ("text", "Tell"),
                       ("text", "address"), ("label", "picture"), ("push button", "picture"),
                       ("push button", "登録"), ("push button", "削除"),
                       ("push button", "END"), ("menu item", "設定"), ("menu item", "Help")]:
        need(main, role, name)

    # Register slot 3 with the Enter key; a line break typed into the name box goes no further.
    type_into(main, "No", "3")
    type_into(main, "name", "Sato")
    need(main, "text", "name").queryEditableText().insertText(4, "\r\nYamada", 8)
    check(text_of(main, "name") == "Sato", "the name box holds %r" % text_of(main, "name"))
    type_into(main, "mail", "sato@example.org")
    type_into(main, "Tell", "03-1234-5678")
    press_enter_on(main, "push button", "登録")
    wait_for(lambda: roster_lines(main)[2] == "  3:  Sato" + " " * 26, "Sato on line 3")
    screenshot(main, "main-window.png")

    # Line 3 chosen through its Toggle action shows slot 3.
    type_into(main, "No", "")
    type_into(main, "mail", "")
    toggle(need(main, "list", "roster list")[2])
    wait_for(lambda: text_of(main, "No") == "3", "number 3 in the number box")
    check(text_of(main, "name") == "Sato" + " " * 26, "name box %r" % text_of(main, "name"))
    check(text_of(main, "mail") == "sato@example.org".ljust(30),
          "mail box %r" % text_of(main, "mail"))

    # An empty name is refused with a message.
    type_into(main, "name", "")
    press(main, "push button", "登録")
    answer_message("名前が入力されていません。")

    # The picture chooser, left again with cancel.
    press(main, "push button", "picture")
    chooser = wait_for(lambda: window("画像の選択"), "the picture chooser")
    need(chooser, "push button", "選択")
    screenshot(chooser, "picture-chooser.png")
    press(chooser, "push button", "cancel")
    wait_for(lambda: not window("画像の選択"), "the picture chooser to close")

    # About box.
    press(main, "menu item", "Help")
    about = wait_for(lambda: window("Vedrinのﾊﾞｰｼﾞｮﾝ情報"), "the About box")
    need(about, "label", "ﾊﾞｰｼﾞｮﾝ 1.2.4")
    need(about, "label", "作った人:  Vedrin開発チーム")
    screenshot(about, "about-box.png")
    press(about, "push button", "OK")
    wait_for(lambda: not window("Vedrinのﾊﾞｰｼﾞｮﾝ情報"), "the About box to close")

    # Settings: 12 entries and an owner's name; the main window comes back loaded afresh.
    press(main, "menu item", "設定")
    dialog = wait_for(lambda: window("Vedrin設定"), "the settings dialog")
    check(need(dialog, "text", "名簿の最大値").queryText().getText(0, -1) == "10",
          "the dialog shows the stored maximum")
    type_into(dialog, "名簿の最大値", "12")
    type_into(dialog, "あなたの名前", "山田")
    screenshot(dialog, "settings-dialog.png")
    press(dialog, "push button", "OK")
    main = wait_for(lambda: window(MAIN_CAPTION), "the main window again")
    need(main, "panel", "山田のアドレス帳")
    lines = wait_for(lambda: (lambda l: l if len(l) == 12 else None)(roster_lines(main)),
                     "twelve roster lines")
    check(lines[2] == "  3:  Sato" + " " * 26, "line 3 after the settings %r" % lines[2])

    # The About box left alone when the settings dialog goes by its close box: its OK ends
    # the program.
    press(main, "menu item", "Help")
    about = wait_for(lambda: window("Vedrinのﾊﾞｰｼﾞｮﾝ情報"), "the About box")
    press(main, "menu item", "設定")
    wait_for(lambda: window("Vedrin設定"), "the settings dialog")
    press_close_box("Vedrin設定")
    wait_for(lambda: not window("Vedrin設定"), "the settings dialog to close")
    press(about, "push button", "OK")


def main():
    os.makedirs(SHOTS, exist_ok=True)
    program = subprocess.Popen([PROGRAM], cwd=WORK)
    try:
        session()
        try:
            status = program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("the program still runs")
        check(status == 0, "the program's exit status %d" % status)
    finally:
        if program.poll() is None:
            program.kill()
    check(read_bytes("settei.ini") == b'12,"\x8e\x52\x93\x63"\r\n',
          "settei.ini holds %r" % read_bytes("settei.ini"))
    roster = read_bytes("meibo.dat")
    slot = (b"Sato".ljust(30) + b"sato@example.org".ljust(30) + b"03-1234-5678".ljust(30)
            + b" " * 90 + b" " * 256)
    check(len(roster) == 3 * 436, "meibo.dat is %d bytes" % len(roster))
    check(roster[872:] == slot, "slot 3 holds %r" % roster[872:])


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        sys.exit(1)
    print("desktop session passed")

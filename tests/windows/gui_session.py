#!/usr/bin/python3
# Drives the real program from outside with real key presses and clicks (xdotool), as a user
# would, on Linux and under Wine alike, so that the files it leaves can be compared byte for byte.
# The controls are found from the window's fixed layout (in twips, 15 to a pixel at 96 dpi),
# measured from the top left corner of the frame they sit in, which lies at a fixed place in the
# client area, itself found by the window's background colour.
# usage: gui_session.py <folder> <screenshot folder or -> <program> [<argument>...]
# With VEDRIN_SYSTEM_INFORMATION=<file>, the About box's ｼｽﾃﾑ情報 must create that file.
import os
import subprocess
import sys
import time

from PIL import ImageGrab
from Xlib import X, display, protocol

FOLDER, SHOTS, PROGRAM = sys.argv[1], sys.argv[2], sys.argv[3:]
MAIN_CAPTION = "Vedrinアドレスちょう"
ABOUT_CAPTION = "Vedrinのﾊﾞｰｼﾞｮﾝ情報"
CHOOSER_CAPTION = "画像の選択"
MESSAGE_CAPTION = "Vedrin"
BACKGROUND = (128, 128, 255)
STARTED = os.environ.get("VEDRIN_SYSTEM_INFORMATION")


def check(condition, what):
    if not condition:
        raise AssertionError(what)


# Keys go to the focused window: Qt drops the synthetic events that "key --window" sends.
def press(found, *keys):
    xdotool("windowfocus", "--sync", found)
    xdotool("key", *keys)


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], check=False, capture_output=True,
                          text=True).stdout.split()


def wait_for(find, what, seconds=60):  # Wine starts slowly on a loaded machine
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError("not within %d s: %s" % (seconds, what))


# By the UTF-8 name (xdotool's search reads the Latin-1 one), and only windows that show:
# Wine keeps hidden helper windows of the same name.
def window(caption):
    server = display.Display()
    name, utf8 = server.intern_atom("_NET_WM_NAME"), server.intern_atom("UTF8_STRING")
    found = []

    def walk(node):
        for child in node.query_tree().children:
            try:
                shown = child.get_attributes().map_state == X.IsViewable
                value = child.get_full_property(name, utf8)
            except Exception:  # gone while walking
                continue
            if shown and value and value.value.decode("utf-8", "replace") == caption:
                found.append(str(child.id))
            walk(child)

    walk(server.screen().root)
    server.close()
    return found[-1] if found else None


def opened(caption, shot=None):
    found = wait_for(lambda: window(caption), caption)
    time.sleep(1.0)  # let it finish painting
    xdotool("windowfocus", "--sync", found)
    if shot:
        shoot(found, shot)
    return found


def closed(caption):
    wait_for(lambda: not window(caption), caption + " to close")


# A click on the middle of a control placed in twips from the pixel x, y.
def click_at(x, y, control):
    left, top, width, height = control
    xdotool("mousemove", "--sync", str(x + (left + width // 2) // 15),
            str(y + (top + height // 2) // 15), "click", "1")
    time.sleep(0.3)


def shoot(found, shot):
    if SHOTS != "-":
        x, y, width, height = geometry(found)
        ImageGrab.grab(xdisplay=os.environ["DISPLAY"]).crop(
            (x, y, x + width, y + height)).save(os.path.join(SHOTS, shot))


def geometry(found):
    values = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", found))
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


# The client area's top left corner: the first pixel of the background colour, row by row.
def client_origin(found):
    x0, y0, width, height = geometry(found)
    screen = ImageGrab.grab(xdisplay=os.environ["DISPLAY"])
    for y in range(y0, y0 + height):
        for x in range(x0, x0 + width):
            if screen.getpixel((x, y)) == BACKGROUND:
                return x, y
    raise AssertionError("no background colour in the main window")


class Main:
    def __init__(self, found):
        self.window = found
        self.origin = client_origin(found)

    def click(self, left, top, width, height):
        click_at(self.origin[0] + FRAME[0] // 15, self.origin[1] + FRAME[1] // 15,
                 (left, top, width, height))

    # Latin text typed; Japanese text pasted, as an input method hands over a whole phrase:
    # Wine does not follow the key map that xdotool changes for each character outside it.
    def type_into(self, box, text):
        self.click(*box)
        xdotool("key", "ctrl+a", "BackSpace")
        if text.isascii():
            xdotool("type", "--delay", "30", text)
        else:
            # xclip stays behind to hand the text over: it must not hold the driver's output open.
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            time.sleep(0.3)
            xdotool("key", "ctrl+v")
        time.sleep(0.3)

    # Line n of the roster list: a click near its top, then the keys to the first line and down.
    def choose_line(self, n):
        self.click(120, 360, 2535, 240)
        xdotool("key", "Home")
        time.sleep(0.2)
        for _ in range(n - 1):
            xdotool("key", "Down")
            time.sleep(0.2)


FRAME = (120, 240)
NUMBER = (3240, 240, 735, 270)
NAME, MAIL, TELL = (2880, 840, 3135, 375), (2880, 1560, 3135, 375), (2880, 2280, 3135, 375)
MEMO = (2880, 2880, 5295, 1095)
PICTURE = (7320, 2400, 855, 255)
DRIVE = (2160, 120, 2175, 300)  # in the picture chooser
ABOUT_OK, SYSTEM_INFORMATION = (4245, 2625, 1380, 345), (4260, 3075, 1380, 345)  # in the About box
REGISTER, DELETE, END = (4680, 4200, 1095, 495), (5880, 4200, 1095, 495), (7080, 4200, 1095, 495)


# A click on a control of a window without a menu bar: without a window manager the X window is
# the client area itself. Clicks rather than keys, because Wine takes no keys for a window that
# it does not think active, as after another program was started.
def click_in(found, control):
    x, y, _, _ = geometry(found)
    click_at(x, y, control)


# The drive box opened, to be seen with the drives it offers, then closed again.
def show_drives(chooser):
    click_in(chooser, DRIVE)
    time.sleep(1.0)
    shoot(chooser, "drives.png")
    xdotool("key", "Escape")
    time.sleep(0.3)


def answer_message(shot=None):
    box = opened(MESSAGE_CAPTION, shot)
    press(box, "Return")
    closed(MESSAGE_CAPTION)


def register(main, number, name, mail, tell, memo):
    main.type_into(NUMBER, number)
    for box, text in [(NAME, name), (MAIL, mail), (TELL, tell), (MEMO, memo)]:
        main.type_into(box, text)
    main.click(*REGISTER)
    time.sleep(1.0)


# Sends the window WM_DELETE_WINDOW, as a window manager's close box does.
def press_close_box(found):
    server = display.Display()
    x_window = server.create_resource_object("window", int(found))
    atom = server.intern_atom
    x_window.send_event(protocol.event.ClientMessage(
        window=x_window, client_type=atom("WM_PROTOCOLS"),
        data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
    server.flush()


def about_box(main):
    # The menu bar by the keyboard: Alt, then along to Help.
    press(main.window, "alt")
    time.sleep(0.3)
    xdotool("key", "Right", "Right", "Return")
    about = opened(ABOUT_CAPTION, "about-box.png")
    if STARTED:
        click_in(about, SYSTEM_INFORMATION)
        wait_for(lambda: os.path.exists(STARTED), "the System Information tool to start")
        os.remove(STARTED)
        # Neither registry location now names a program.
        subprocess.run(os.environ["VEDRIN_FORGET_SYSTEM_INFORMATION"], shell=True, check=True)
    click_in(about, SYSTEM_INFORMATION)
    answer_message("no-system-information.png")
    click_in(about, ABOUT_OK)
    closed(ABOUT_CAPTION)


def session():
    process = subprocess.Popen(PROGRAM, cwd=FOLDER)
    main = Main(opened(MAIN_CAPTION))
    register(main, "2", "Tanaka Taro", "taro@example.jp", "03-1234-5678", "Tokyo 1-2-3")
    register(main, "4", "鈴木 花子", "hanako@example.jp", "06-0000-1111", "大阪府 ｵｵｻｶ")
    opened(MAIN_CAPTION, "main-window.png")
    # Shown, then registered under another number: the copy holds what showing put in the boxes.
    main.choose_line(2)
    main.type_into(NUMBER, "5")
    main.click(*REGISTER)
    time.sleep(1.0)
    main.choose_line(2)
    main.click(*DELETE)
    answer_message()
    main.click(*PICTURE)
    chooser = opened(CHOOSER_CAPTION, "picture-chooser.png")
    show_drives(chooser)
    press_close_box(chooser)
    closed(CHOOSER_CAPTION)
    about_box(main)
    # A second copy on the same roster is refused.
    second = subprocess.Popen(PROGRAM, cwd=FOLDER)
    answer_message("second-copy.png")
    check(second.wait(60) != 0, "the second copy ended with status 0")
    main.click(*END)
    check(process.wait(60) == 0, "the program did not end with status 0")


if __name__ == "__main__":
    session()

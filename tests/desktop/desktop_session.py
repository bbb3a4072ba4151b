#!/usr/bin/python3
# Drives the real program through the desktop's accessibility interface, as a screen reader user
# would, checks the files byte for byte afterwards and saves a screenshot of each window.
# usage: desktop_session.py <program> <screenshot folder> [<empty working folder>]
import os
import pathlib
import subprocess
import sys
import tempfile
import time

import pyatspi
from PIL import Image, ImageGrab
from Xlib import X, XK, display, protocol

PROGRAM, SHOTS = sys.argv[1:3]
if os.sep in PROGRAM:  # it runs in the working folder
    PROGRAM = os.path.abspath(PROGRAM)
WORK = sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp(prefix="vedrin-desktop-")
MAIN_CAPTION = "Vedrinアドレスちょう"
ABOUT_CAPTION = "Vedrinのﾊﾞｰｼﾞｮﾝ情報"


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def wait_for(find, what):
    deadline = time.monotonic() + 30  # a loaded machine starts the program slowly
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise AssertionError("not found within 30 s: " + what)


# The showing window of the program with that caption, or None.
def window(caption):
    for app in pyatspi.Registry.getDesktop(0):
        try:  # a program that has ended may still be listed for a while
            found = next((child for child in app if app.name == "vedrin" and child is not None
                          and child.name == caption
                          and child.getState().contains(pyatspi.STATE_SHOWING)), None)
        except Exception:
            continue
        if found:
            return found
    return None


def need(root, role, name):
    return wait_for(lambda: pyatspi.findDescendant(
        root, lambda n: n is not None and n.getRoleName() == role and n.name == name),
        "%s %r" % (role, name))


def press(root, role, name):
    need(root, role, name).queryAction().doAction(0)


def type_into(root, name, text, kept=None):
    need(root, "text", name).queryEditableText().setTextContents(text)
    check(text_of(root, name) == (kept or text), "text %r did not take %r" % (name, text))


def text_of(root, name):
    return need(root, "text", name).queryText().getText(0, -1)


def roster_lines(main):
    return [item.name for item in need(main, "list", "roster list")]


# Reads the one message box, the labels' text joined, and presses its OK.
def answer_message(expected):
    box = opened("Vedrin")
    text = wait_for(lambda: " ".join(label.name for label in pyatspi.findAllDescendants(
        box, lambda n: n.getRoleName() == "label" and n.name)), "the message's text")
    check(text == expected, "message %r, expected %r" % (text, expected))
    press(box, "push button", "OK")
    closed("Vedrin")


# Waits for the window of that caption and saves its screenshot under the name given.
def opened(caption, shot=None):
    node = wait_for(lambda: window(caption), caption)
    if shot:
        time.sleep(0.3)  # let the window finish painting
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        ImageGrab.grab(xdisplay=os.environ["DISPLAY"]).crop(
            (box.x, box.y, box.x + box.width, box.y + box.height)).save(os.path.join(SHOTS, shot))
    return node


def closed(caption):
    wait_for(lambda: not window(caption), caption + " to close")


# Sends the X window of that caption WM_DELETE_WINDOW, as a window manager's close box does.
def press_close_box(caption):
    server = display.Display()
    atom = server.intern_atom
    for x_window in server.screen().root.query_tree().children:
        if x_window.get_full_text_property(atom("_NET_WM_NAME"), atom("UTF8_STRING")) == caption:
            x_window.send_event(protocol.event.ClientMessage(
                window=x_window, client_type=atom("WM_PROTOCOLS"),
                data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
            server.flush()
            return
    raise AssertionError("no X window %r" % caption)


def toggle(list_node, line):
    action = wait_for(lambda: next(i for i in list_node if i.name == line), line).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Toggle" in names, "line %r offers %r" % (line, names))
    action.doAction(names.index("Toggle"))


# A full-width number as an input method commits it, a name cut to its 30 bytes, and a
# character that Shift-JIS lacks refused.
def japanese_text(main):
    type_into(main, "name", "Sato 😀")
    press(main, "push button", "登録")
    answer_message("名前はShift-JISで保存できない文字を含んでいます。")
    type_into(main, "No", "１")
    type_into(main, "name", "山" * 22, "山" * 15)
    press(main, "push button", "登録")
    wait_for(lambda: roster_lines(main)[0] == "  1:  " + "山" * 15 + " " * 15, "山 on line 1")


# The chooser's boxes by their lines' Toggle action; Qt names the drive box by its drive.
def chooser_by_actions(chooser):
    folders, files = need(chooser, "list", "フォルダ"), need(chooser, "list", "ファイル")
    sub = os.path.join(os.path.realpath(WORK), "sub")
    toggle(folders, "sub")
    wait_for(lambda: [i.name for i in files] == ["face.png", "notes.txt"], "the files of sub")
    check(folders.description == sub, "the folder box describes %r" % folders.description)
    toggle(files, "notes.txt")
    answer_message("画像ファイルでないかサポートしていない拡張子です。  (481)")
    toggle(files, "face.png")
    box = need(chooser, "image", "プレビュー").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    wait_for(lambda: ImageGrab.grab(xdisplay=os.environ["DISPLAY"]).getpixel(
        (box.x + box.width // 2, box.y + box.height // 2)) == (255, 0, 0), "face.png previewed")
    drive = pyatspi.findDescendant(chooser, lambda n: n.getRoleName() == "combo box")
    drive.queryAction().doAction(0)
    other = drive[0][drive[0].childCount - 1].name
    toggle(drive[0], other)
    wait_for(lambda: drive.name == other and folders.description in (other, sub), "drive " + other)
# The file dialog of "PDFに保存..." given a name in the working folder; the file must be a PDF.
def save_pdf(window, caption, name):
    press(window, "push button", "PDFに保存...")
    dialog = opened("PDFに保存...")
    field = wait_for(lambda: pyatspi.findDescendant(
        dialog, lambda n: n is not None and n.getRoleName() == "text"
        and n.getState().contains(pyatspi.STATE_EDITABLE) and n.name.startswith("File name")),
        "the file name box")
    field.queryEditableText().setTextContents(os.path.join(WORK, name))
    press(dialog, "push button", "Save")
    closed("PDFに保存...")
    path = pathlib.Path(WORK, name)
    wait_for(lambda: path.exists() and path.read_bytes().startswith(b"%PDF-"), name)


# Both printing windows, opened through the menu, each saving its PDF.
def printing_session(main):
    for command, caption, shot, name in [
            ("はがき宛名印刷(H)...", "はがき宛名印刷", "postcard-printing.png", "hagaki.pdf"),
            ("名簿を印刷(P)...", "名簿を印刷", "roster-printing.png", "meibo.pdf")]:
        press(main, "menu item", command)
        window = opened(caption)
        for role, control in [("radio button", "すべて"), ("radio button", "番号の範囲"),
                              ("push button", "印刷..."), ("push button", "閉じる")]:
            need(window, role, control)
        if caption == "はがき宛名印刷":
            type_into(window, "郵便番号", "100-0001")
            need(window, "list", "郵便番号の確認")
        opened(caption, shot)
        save_pdf(window, caption, name)
        press(window, "push button", "閉じる")
        closed(caption)
    insatsu = pathlib.Path(WORK, "insatsu.ini").read_text(encoding="utf-8")
    check("sender_postal_code=100-0001\n" in insatsu, "insatsu.ini holds %r" % insatsu)


def session():
    main = opened(MAIN_CAPTION)
    need(main, "panel", "Myアドレス帳")
    lines = roster_lines(main)
    check(lines == ["%3d:  " % n + " " * 30 for n in range(1, 11)], "first roster %r" % lines)
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
    register = need(main, "push button", "登録")
    check(register.queryComponent().grabFocus(), "登録 takes no focus")
    wait_for(lambda: register.getState().contains(pyatspi.STATE_FOCUSED), "focus on 登録")
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # XK_Return
    wait_for(lambda: roster_lines(main)[2] == "  3:  Sato" + " " * 26, "Sato on line 3")
    opened(MAIN_CAPTION, "main-window.png")

    # Line 3 chosen through its Toggle action shows slot 3.
    type_into(main, "No", "")
    type_into(main, "mail", "")
    toggle(need(main, "list", "roster list"), "  3:  Sato" + " " * 26)
    wait_for(lambda: text_of(main, "No") == "3", "number 3 in the number box")
    check(text_of(main, "name") == "Sato" + " " * 26, "name box %r" % text_of(main, "name"))
    check(text_of(main, "mail") == "sato@example.org".ljust(30), "mail %r" % text_of(main, "mail"))

    japanese_text(main)
    type_into(main, "name", "")
    press(main, "push button", "登録")
    answer_message("名前が入力されていません。")

    press(main, "push button", "picture")
    chooser = opened("画像の選択", "picture-chooser.png")
    need(chooser, "push button", "選択")
    chooser_by_actions(chooser)
    press(chooser, "push button", "cancel")
    closed("画像の選択")

    press(main, "menu item", "Help")
    about = opened(ABOUT_CAPTION, "about-box.png")
    need(about, "label", "ﾊﾞｰｼﾞｮﾝ 1.2.4")
    need(about, "label", "作った人:  Vedrin開発チーム")
    press(about, "push button", "OK")
    closed(ABOUT_CAPTION)

    # Settings: 12 entries and an owner's name; the main window comes back loaded afresh.
    press(main, "menu item", "設定")
    dialog = opened("Vedrin設定")
    check(text_of(dialog, "名簿の最大値") == "10", "the dialog shows the stored maximum")
    type_into(dialog, "名簿の最大値", "12")
    type_into(dialog, "あなたの名前", "山田")
    opened("Vedrin設定", "settings-dialog.png")
    press(dialog, "push button", "OK")
    main = opened(MAIN_CAPTION)
    need(main, "panel", "山田のアドレス帳")
    wait_for(lambda: len(roster_lines(main)) == 12, "twelve roster lines")
    check(roster_lines(main)[2] == "  3:  Sato" + " " * 26, "line 3 after the settings")
    printing_session(main)

    # The About box left alone when the settings dialog goes by its close box: its OK ends
    # the program.
    press(main, "menu item", "Help")
    about = opened(ABOUT_CAPTION)
    press(main, "menu item", "設定")
    opened("Vedrin設定")
    press_close_box("Vedrin設定")
    closed("Vedrin設定")
    press(about, "push button", "OK")


# Presses and releases keys by their X names, the first ones held down for the last.
def keys(*names):
    server = display.Display()
    codes = [server.keysym_to_keycode(XK.string_to_keysym(name)) for name in names]
    for code in codes[:-1]:
        pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(codes[-1], None, pyatspi.KEY_PRESSRELEASE)
    for code in reversed(codes[:-1]):
        pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_RELEASE)


def focus(node):
    check(node.queryComponent().grabFocus(), "%s takes no focus" % node.name)
    wait_for(lambda: node.getState().contains(pyatspi.STATE_FOCUSED), "focus on " + node.name)


# The table's rows, as a screen reader reads them: each row's name and its cells' names.
def table_rows(yomi):
    table = need(yomi, "table", "五十音順の一覧").queryTable()
    return [(table.getRowDescription(row),
             [table.getAccessibleAt(row, column).name for column in range(table.nColumns)])
            for row in range(table.nRows)]


YOMI_ROSTER = [("田中 一郎", "ichiro@example.jp", "03-1234-5678"),
               ("佐藤 花子", "hanako@example.jp", "090-8765-4321"),
               ("たなか みどり", "", "06-1111-2222"), ("中田", "nakata@example.jp", ""),
               ("田中花子", "", "")]


# The window Yomi on a roster of five: Ctrl+F, a reading confirmed, たなか and tanaka finding
# the same rows, Enter showing the first of them in the main window.
def yomi_session():
    main = opened(MAIN_CAPTION)
    focus(need(main, "text", "No"))
    keys("Control_L", "f")
    yomi = opened("五十音順一覧")
    for role, name in [("text", "検索"), ("push button", "あ行へ"), ("push button", "その他へ"),
                       ("label", "該当 5 件／全 5 件"), ("text", "よみ"), ("push button", "よみを登録(R)"),
                       ("push button", "推定を採用(G)"), ("push button", "この番号を表示(O)")]:
        need(yomi, role, name)
    rows = table_rows(yomi)
    check(rows[0] == ("2 佐藤 花子", ["2", "佐藤 花子", "さとう はなこ（推定）", "090-8765-4321",
                                      "hanako@example.jp"]),
          "first row %r" % (rows[0],))
    type_into(yomi, "よみ", "さとう はなこ")
    press(yomi, "push button", "よみを登録(R)")
    wait_for(lambda: table_rows(yomi)[0][1][2] == "さとう はなこ", "the reading confirmed")
    opened("五十音順一覧", "yomi.png")
    type_into(yomi, "検索", "たなか")
    found = wait_for(lambda: table_rows(yomi) if len(table_rows(yomi)) == 3 else None, "3 rows")
    check([cells[0] for _, cells in found] == ["1", "5", "3"], "たなか finds %r" % found)
    need(yomi, "label", "該当 3 件／全 5 件")
    type_into(yomi, "検索", "tanaka")
    wait_for(lambda: table_rows(yomi) == found, "tanaka finding the same rows")
    focus(need(yomi, "text", "検索"))
    keys("Return")
    wait_for(lambda: text_of(main, "No") == "1", "entry 1 shown in the main window")
    check(text_of(main, "name") == "田中 一郎".ljust(30), "name %r" % text_of(main, "name"))
    press(main, "push button", "END")


def run(folder, steps):
    program = subprocess.Popen([PROGRAM], cwd=folder)
    try:
        steps()
        check(program.wait(timeout=10) == 0, "the program's exit status %d" % program.returncode)
    except subprocess.TimeoutExpired:
        raise AssertionError("the program still runs")
    finally:
        if program.poll() is None:
            program.kill()


def main():
    os.makedirs(SHOTS, exist_ok=True)
    os.makedirs(os.path.join(WORK, "sub"))
    Image.new("RGB", (8, 8), (255, 0, 0)).save(os.path.join(WORK, "sub", "face.png"))
    pathlib.Path(WORK, "sub", "notes.txt").write_text("not a picture")
    run(WORK, session)
    settings = pathlib.Path(WORK, "settei.ini").read_bytes()
    check(settings == b'12,"\x8e\x52\x93\x63"\r\n', "settei.ini holds %r" % settings)
    roster = pathlib.Path(WORK, "meibo.dat").read_bytes()
    slot = b"Sato".ljust(30) + b"sato@example.org".ljust(30) + b"03-1234-5678".ljust(376)
    check(len(roster) == 3 * 436 and roster[872:] == slot, "meibo.dat holds %r" % roster)

    folder = pathlib.Path(tempfile.mkdtemp(prefix="vedrin-yomi-"))
    roster = b"".join(name.encode("cp932").ljust(30) + mail.encode().ljust(30)
                      + tell.encode().ljust(376) for name, mail, tell in YOMI_ROSTER)
    (folder / "meibo.dat").write_bytes(roster)
    (folder / "settei.ini").write_bytes(b'10,""\r\n')
    run(folder, yomi_session)
    check((folder / "meibo.dat").read_bytes() == roster, "meibo.dat changed by a reading")
    side = (folder / "yomi.txt").read_bytes()
    check(side == "2\t佐藤 花子\tさとう はなこ\n".encode(), "yomi.txt holds %r" % side)


if __name__ == "__main__":
    try:
        main()
    except AssertionError as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        sys.exit(1)
    print("desktop session passed")

#!/usr/bin/python3
# The console tool's 五十音順 against ICU's Japanese collator, on the list in order.txt, and the
# roster's bytes unchanged by every reading set or guessed.
# usage: order_check.py <vedrin-tool> <order.txt>
import pathlib
import subprocess
import sys
import tempfile
import unicodedata

import icu

TOOL, LIST = sys.argv[1:3]
entries = [line.rstrip("\n").split("\t") for line in open(LIST, encoding="utf-8")
           if not line.startswith("#")]


def tool(*arguments):
    return subprocess.run([TOOL, *arguments], capture_output=True, check=True,
                          encoding="utf-8").stdout


def check(condition, what):
    if not condition:
        print("FAIL: " + what, file=sys.stderr)
        sys.exit(1)


def slot(name):
    return name.encode("cp932").ljust(436)


# What the program orders by: the reading as stored (NFKC, blanks as one), or the name.
collator = icu.Collator.createInstance(icu.Locale("ja"))
def sort_key(entry):
    text = " ".join(unicodedata.normalize("NFKC", entry[2] or entry[1]).split())
    return (collator.getSortKey(text), int(entry[0]))


check(entries == sorted(entries, key=sort_key), "order.txt is not in ICU's order")
folder = pathlib.Path(tempfile.mkdtemp(prefix="vedrin-order-"))
roster = [b" " * 436] * len(entries)
for number, name, _ in entries:
    roster[int(number) - 1] = slot(name)
(folder / "meibo.dat").write_bytes(b"".join(roster))
original = (folder / "meibo.dat").read_bytes()
for number, _, reading in entries:
    if reading:
        tool("--folder", str(folder), "yomi", "set", number, reading)
check((folder / "meibo.dat").read_bytes() == original, "meibo.dat changed by yomi set")

listed = tool("--folder", str(folder), "list").splitlines()
check([line.split("\t")[0] for line in listed] == [entry[0] for entry in entries],
      "the tool's order %r" % [line.split("\t")[1] for line in listed])
by_number = [line.split("\t")[0] for line in tool("--folder", str(folder), "list", "--order",
                                                  "number").splitlines()]
check(by_number == [str(n) for n in range(1, len(entries) + 1)], "by number %r" % by_number)

# A guess confirmed for a slot added by a program that knows nothing of readings.
with open(folder / "meibo.dat", "ab") as file:
    file.write(slot("高橋"))
original = (folder / "meibo.dat").read_bytes()
tool("--folder", str(folder), "yomi", "guess", "--apply")
check((folder / "meibo.dat").read_bytes() == original, "meibo.dat changed by yomi guess")
side = (folder / "yomi.txt").read_text(encoding="utf-8")
check(side.endswith("%d\t高橋\tたかはし\n" % (len(entries) + 1)), "yomi.txt %r" % side)
print("order check passed")

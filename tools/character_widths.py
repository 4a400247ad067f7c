#!/usr/bin/env python3
"""Prints the two range tables of device/text_cells.cpp from Python's Unicode data
(Unicode 14 with Python 3.11, the version of Debian 12's C library, whose wcwidth
terminals such as tmux go by): the characters two cells wide (East Asian Wide and
Fullwidth) and those that take no cell of their own (combining marks Mn and Me, format
characters Cf but the soft hyphen, the Hangul medial vowels U+1160-U+11FF). Unassigned
code points join the ranges around them, which keeps the tables short.

With --check FILE it prints nothing and says whether the tables in FILE are the ones it
would print: exit 0 when they are, 1 when not, and 77 (skipped) when Python's Unicode
data is not the version FILE says its tables were made from."""
import re
import sys
import unicodedata


def ranges(wanted):
    found, start, last = [], None, None
    for code in range(0x110000):
        if unicodedata.category(chr(code)) == "Cn":
            continue
        if wanted(code):
            start = code if start is None else start
            last = code
        elif start is not None:
            found.append((start, last))
            start = None
    if start is not None:
        found.append((start, last))
    return found


def table(name, found):
    items = ["{0x%X, 0x%X}" % pair for pair in found]
    lines = ["constexpr CharacterRange %s[] = {" % name]
    line = "   "
    for item in items:
        if len(line) + len(item) + 2 > 118:
            lines.append(line)
            line = "   "
        line += " " + item + ","
    lines.append(line)
    lines.append("};")
    return "\n".join(lines)


def tables():
    wide = ranges(lambda c: unicodedata.east_asian_width(chr(c)) in ("W", "F"))
    no_cell = ranges(lambda c: (unicodedata.category(chr(c)) in ("Mn", "Me", "Cf") and c != 0xAD)
                     or 0x1160 <= c <= 0x11FF)
    return table("kWide", wide) + "\n" + table("kNoCell", no_cell)


def check(path):
    with open(path, encoding="utf-8") as source:
        text = source.read()
    made_from = re.search(r"from Unicode (\d+\.\d+\.\d+)", text)
    if not made_from:
        print("%s does not say which Unicode its tables were made from" % path)
        return 1
    if made_from.group(1) != unicodedata.unidata_version:
        print("skipped: the tables are from Unicode %s, Python has %s"
              % (made_from.group(1), unicodedata.unidata_version))
        return 77
    if tables() not in text:
        print("the tables in %s are not those of Unicode %s: run %s and put them back"
              % (path, made_from.group(1), sys.argv[0]))
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        sys.exit(check(sys.argv[2]))
    print(tables())

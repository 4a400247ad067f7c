#!/usr/bin/env python3
"""Prints the two range tables of device/character_widths.cpp from Python's Unicode
data (Unicode 14 with Python 3.11, the version of Debian 12's C library, whose wcwidth
terminals such as tmux go by): the characters two cells wide (East Asian Wide and
Fullwidth) and those that take no cell of their own (combining marks Mn and Me, format
characters Cf but the soft hyphen, the Hangul medial vowels U+1160-U+11FF). Unassigned
code points join the ranges around them, which keeps the tables short."""
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
    print("constexpr CharacterRange %s[] = {" % name)
    line = "   "
    for item in items:
        if len(line) + len(item) + 2 > 118:
            print(line)
            line = "   "
        line += " " + item + ","
    print(line)
    print("};")


table("kWide", ranges(lambda c: unicodedata.east_asian_width(chr(c)) in ("W", "F")))
table("kNoCell", ranges(lambda c: (unicodedata.category(chr(c)) in ("Mn", "Me", "Cf") and c != 0xAD)
                        or 0x1160 <= c <= 0x11FF))

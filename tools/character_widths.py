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
import unicodedata

from unicode_tables import main, runs, table


def ranges(wanted):
    return ["{0x%X, 0x%X}" % (first, last) for first, last, _ in runs(wanted)]


def tables():
    wide = ranges(lambda c: unicodedata.east_asian_width(chr(c)) in ("W", "F"))
    no_cell = ranges(lambda c: (unicodedata.category(chr(c)) in ("Mn", "Me", "Cf") and c != 0xAD)
                     or 0x1160 <= c <= 0x11FF)
    return table("CharacterRange", "kWide", wide) + "\n" + table("CharacterRange", "kNoCell", no_cell)


if __name__ == "__main__":
    main(tables)

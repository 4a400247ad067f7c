#!/usr/bin/env python3
"""Prints the table of base/case_fold.cpp from Python's Unicode data (Unicode 14 with
Python 3.11, as the other tables): Unicode's simple case folding, each character that
folds as the one character it folds to, in runs of characters that fold by one and the
same distance, one after another or every other one (the capitals and small letters
that alternate in Latin Extended, Cyrillic and Greek).

A character folds to what str.casefold() gives where that is one character. Where it is
several (the full folding of sharp s, of the ligatures, of Greek letters with
ypogegrammeni), it folds to what str.lower() gives where that is one other character,
which is its simple folding (capital sharp s to sharp s, a Greek capital with
prosgegrammeni to its small letter with ypogegrammeni), and else stays as it is. The
Turkic foldings are not Python's and are not made: dotless i and capital I with dot
above stay themselves. Only assigned characters fold.

With --check FILE it prints nothing and says whether the table in FILE is the one it
would print: exit 0 when it is, 1 when not, and 77 (skipped) when Python's Unicode data
is not the version FILE says its table was made from."""
import unicodedata

from unicode_tables import main, table


def folded(code):
    """The one character `code` folds to (itself when it has no simple folding)."""
    character = chr(code)
    full = character.casefold()
    if len(full) == 1:
        return ord(full)
    lower = character.lower()
    return ord(lower) if len(lower) == 1 else code


def fold_runs():
    """The characters that fold, as [first, count, stride, delta]: `count` characters from
    `first`, `stride` apart, each folding to itself + `delta`."""
    found = []
    for code in range(0x110000):
        if unicodedata.category(chr(code)) == "Cn" or folded(code) == code:
            continue
        delta = folded(code) - code
        if found and found[-1][3] == delta:
            run = found[-1]
            last = run[0] + (run[1] - 1) * run[2]
            if run[1] == 1 and code - last in (1, 2):
                run[1], run[2] = 2, code - last
                continue
            if run[1] > 1 and code - last == run[2]:
                run[1] += 1
                continue
        found.append([code, 1, 1, delta])
    # Folding twice folds no further, and each run fits the table's one-byte count.
    assert all(folded(folded(code)) == folded(code) for code in range(0x110000))
    assert all(run[1] < 256 for run in found)
    return found


def tables():
    return table("CaseFoldRun", "kFoldRuns", ["{0x%X, %d, %d, %d}" % tuple(run) for run in fold_runs()])


if __name__ == "__main__":
    main(tables)

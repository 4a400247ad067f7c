#!/usr/bin/env python3
"""Prints the four tables of base/canonical.cpp from Python's Unicode data (Unicode 14
with Python 3.11, as the character width tables): the characters that decompose
canonically into two, those that are canonically one other character, those of the
first kind that are not composed again (the composition exclusions and those that
decompose into a combining mark first), and the canonical combining classes other than
0, as ranges of one class. Unassigned code points join the ranges around them.

Left out: the CJK compatibility ideographs (U+F900-U+FAFF, U+2F800-U+2FA1F), each
canonically one unified ideograph. They are kept as they are, as the file systems that
decompose names keep them too, and leaving them out halves the decompositions. Hangul
syllables compose by arithmetic, which the data does not list, and need not decompose:
their parts compose back into them.

With --check FILE it prints nothing and says whether the tables in FILE are the ones it
would print: exit 0 when they are, 1 when not, and 77 (skipped) when Python's Unicode
data is not the version FILE says its tables were made from."""
import unicodedata

from unicode_tables import main, runs, table


def left_out(code):
    return 0xF900 <= code <= 0xFAFF or 0x2F800 <= code <= 0x2FA1F


def decompositions():
    """Each character's canonical decomposition, one step deep, as (character, parts)."""
    found = []
    for code in range(0x110000):
        mapping = unicodedata.decomposition(chr(code))
        if mapping and not mapping.startswith("<") and not left_out(code):
            found.append((code, [int(part, 16) for part in mapping.split()]))
    return found


def tables():
    found = decompositions()
    pairs = [(code, parts) for code, parts in found if len(parts) == 2]
    # The second of two parts never decomposes further: base/canonical.cpp counts on it.
    assert not {parts[1] for _, parts in pairs} & {code for code, _ in found}
    singletons = [(code, parts[0]) for code, parts in found if len(parts) == 1]
    not_composed = [code for code, _ in pairs if unicodedata.normalize("NFC", chr(code)) != chr(code)]
    classes = runs(lambda c: unicodedata.combining(chr(c)))
    return "\n".join([
        table("CanonicalPair", "kPairs", ["{0x%X, 0x%X, 0x%X}" % (code, *parts) for code, parts in pairs]),
        table("CanonicalSingleton", "kSingletons", ["{0x%X, 0x%X}" % pair for pair in singletons]),
        table("char32_t", "kNotComposed", ["0x%X" % code for code in not_composed]),
        table("CombiningClassRange", "kCombiningClasses", ["{0x%X, 0x%X, %d}" % run for run in classes]),
    ])


if __name__ == "__main__":
    main(tables)

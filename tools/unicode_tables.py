"""What the tools that print tables from Python's Unicode data share: runs of code
points, C++ tables laid out as the sources keep them, and the check that a source file
holds the tables a tool prints."""
import re
import sys
import unicodedata


def runs(value):
    """The runs of code points that have one and the same true value(code), each as
    (first, last, value). Unassigned code points join the runs around them."""
    found, run = [], None
    for code in range(0x110000):
        if unicodedata.category(chr(code)) == "Cn":
            continue
        this = value(code)
        if run is not None and this == run[2]:
            run[1] = code
            continue
        if run is not None:
            found.append(tuple(run))
        run = [code, code, this] if this else None
    if run is not None:
        found.append(tuple(run))
    return found


def table(type_name, name, items):
    """A constexpr array of `items` (their C++ spellings), as many to a line as fit."""
    lines = ["constexpr %s %s[] = {" % (type_name, name)]
    line = "   "
    for item in items:
        if len(line) + len(item) + 2 > 118:
            lines.append(line)
            line = "   "
        line += " " + item + ","
    lines.append(line)
    lines.append("};")
    return "\n".join(lines)


def check(path, tables):
    """0 when the file at `path` holds `tables`, 1 when not, 77 (skipped) when Python's
    Unicode data is not the version the file says its tables were made from."""
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


def main(tables):
    """Prints the tables, or with --check FILE exits as check() says."""
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        sys.exit(check(sys.argv[2], tables))
    print(tables())

#!/usr/bin/env python3
"""Writes src/shell/ULang_English.cpp, the built-in English UI texts.

Usage: gen_lang_english.py SOURCE.md [OUTPUT.cpp]

SOURCE is the Markdown text list the table was written from; OUTPUT defaults
to src/shell/ULang_English.cpp beside this script's project. The section read is the one whose heading names
the "Built-in English texts". In it every line

    - 123 "text"

gives the text of index 123: everything between the first and the last double
quote of the line, so inner quotes and blanks at either end belong to the
text. Every index the list leaves out holds a single blank. The section's own
list of filler ranges ("The fillers are the indices 61 .. 99, ...") is checked
against the indices the list leaves out, and so is its count of given texts.
ADDED_TEXTS then fills indices the list leaves unused with texts the program
added later.
"""

import re
import sys
from pathlib import Path

LANG_COUNT = 3800
PROJECT = Path(__file__).resolve().parent.parent
DEFAULT_OUTPUT = PROJECT / "src" / "shell" / "ULang_English.cpp"

# Texts the program added at indices the list leaves unused.
ADDED_TEXTS = {
    1438: "Error!!! Unable to start the update program %s",
    1312: "Error!! The file %s cannot be copied into the catalog",
    1506: "The last row of the table is not empty and will be lost. Do you want to insert a row?",
    1507: "The file %s could not be read completely. Do you want to replace it with the rows shown?",
    1508: "Error!! The file %s could not be read completely: %s",
    1509: "Error!! The Description %s cannot be used as a name in the MIB",
    1734: "Error in Channel #%.2d!! Event Code %s, Start Bit must be a valid value [0..7]",
    1735: "Error in Channel #%.2d!! Start Bit of Variable Index %s and SubIndex %s must be a valid value [0..7]",
    1736: "Error in Channel #%.2d!! Time of Variable Index %s and SubIndex %s must be between 0 and 4294967295",
    1812: "Error!! The User Part cannot hold the characters \\ / : * ? \" < > | or control characters",
}

ENTRY = re.compile(r'^- (\d+) "(.*)"$')


def fail(message):
    sys.exit(f"gen_lang_english: {message}")


def section_lines(lines):
    start = None
    for number, line in enumerate(lines):
        if line.startswith("# ") and "Built-in English texts" in line:
            start = number + 1
        elif start is not None and line.startswith("# "):
            return lines[start:number]
    if start is None:
        fail("no section headed 'Built-in English texts'")
    return lines[start:]


def declared_fillers(lines):
    """The filler indices the section names in its prose, or None."""
    for line in lines:
        found = re.search(r"The fillers are the indices (.*?)\.$", line)
        if not found:
            continue
        fillers = set()
        for part in found.group(1).split(","):
            bounds = [int(b) for b in part.split("..")]
            fillers.update(range(bounds[0], bounds[-1] + 1))
        return fillers
    return None


def declared_count(lines):
    for line in lines:
        found = re.search(r"(\d+) indices hold a text given below", line)
        if found:
            return int(found.group(1))
    return None


def read_texts(source):
    lines = Path(source).read_text(encoding="utf-8").splitlines()
    section = section_lines(lines)
    texts = {}
    last = -1
    for line in section:
        found = ENTRY.match(line)
        if not found:
            if re.match(r'^- \d+ "', line):
                fail(f"entry line not understood: {line!r}")
            continue
        index = int(found.group(1))
        if index >= LANG_COUNT:
            fail(f"index {index} out of range")
        if index <= last:
            fail(f"index {index} out of order or repeated")
        last = index
        text = found.group(2)
        if "\t" in text or "\r" in text:
            fail(f"index {index}: control character in text")
        texts[index] = text

    count = declared_count(section)
    if count is not None and count != len(texts):
        fail(f"{len(texts)} texts found, the section declares {count}")
    fillers = declared_fillers(section)
    missing = set(range(LANG_COUNT)) - set(texts)
    if fillers is not None and fillers != missing:
        fail("filler ranges disagree with the list: "
             f"not listed as filler {sorted(missing - fillers)[:10]}, "
             f"listed but given {sorted(fillers - missing)[:10]}")
    return texts


def cpp_literal(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch == '"':
            out.append('\\"')
        elif ch == "\\":
            out.append("\\\\")
        elif 0x20 <= code < 0x7F:
            out.append(ch)
        elif code <= 0xFFFF:
            out.append(f"\\u{code:04X}")
        else:
            out.append(f"\\U{code:08X}")
    return 'u"' + "".join(out) + '"'


def render(texts):
    rows = []
    for index in range(LANG_COUNT):
        rows.append(f"    /* {index} */ {cpp_literal(texts.get(index, ' '))},")
    return (
        "// Generated by tools/gen_lang_english.py; do not edit.\n"
        "// The built-in English UI texts, one per index; unused indices hold a\n"
        "// single blank.\n"
        '#include "shell/ULanguage.h"\n'
        "\n"
        "namespace {\n"
        "\n"
        f"const char16_t* const Lang_English_Texts[{LANG_COUNT}] = {{\n"
        + "\n".join(rows)
        + "\n};\n"
        "\n"
        "} // namespace\n"
        "\n"
        "static_assert(sizeof(Lang_English_Texts) / sizeof(Lang_English_Texts[0]) == Lang_English_Count);\n"
        "\n"
        "String Lang_English(Integer Index)\n"
        "{\n"
        "    if (Index < 0 || Index >= Lang_English_Count)\n"
        "        return String();\n"
        "    return String::fromUtf16(Lang_English_Texts[Index]);\n"
        "}\n"
    )


def main(argv):
    if len(argv) < 2:
        fail("usage: gen_lang_english.py SOURCE.md [OUTPUT.cpp]")
    output = Path(argv[2]) if len(argv) > 2 else DEFAULT_OUTPUT
    texts = read_texts(argv[1])
    for index, text in ADDED_TEXTS.items():
        if index in texts:
            fail(f"added text {index} would replace a listed one")
        texts[index] = text
    output.write_text(render(texts), encoding="utf-8", newline="\n")
    print(f"{output}: {len(texts)} texts, {LANG_COUNT - len(texts)} blanks")


if __name__ == "__main__":
    main(sys.argv)

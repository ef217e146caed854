#!/usr/bin/env python3
"""Writes the message template of every text marked N_("...") in the sources, keyed
by the text in UTF-8, as msgmerge and msgcmp expect.

Usage: extract_texts.py SOURCE_DIR... > velkaro.pot
       extract_texts.py --unmarked SOURCE_DIR...   lists Japanese texts not marked

A text that is the same in every language (a symbol such as "…") is left unmarked
with the comment "// in every language" on its line; a file whose texts belong to a
file format (labels the game writes and reads) says so once, on a line of its own:
"// in every language: the texts of a file format".

xgettext cannot be used: the game's texts are Shift-JIS bytes written as \\x escapes
in UTF-8 sources (the configurator's are plain UTF-8), and xgettext reads escapes as
characters of the source's one encoding. Here each literal is decoded to its bytes
first, then read as UTF-8 when it is valid UTF-8 and as code page 932 otherwise.

A comment line "// TRANSLATORS: ..." right above the marked text goes into the
template for the translator (a text's place or length limit).
"""
import os
import re
import sys

MARK = re.compile(r'\bN_\(\s*((?:"(?:[^"\\\n]|\\.)*"\s*)+)\)')
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
SIMPLE_ESCAPES = {"n": b"\n", "t": b"\t", "r": b"\r", "\\": b"\\", '"': b'"', "'": b"'", "0": b"\0", "?": b"?"}


def literal_bytes(body):
    """The bytes a C string literal's body stands for."""
    out = bytearray()
    i = 0
    raw = body.encode("utf-8")
    while i < len(raw):
        c = raw[i:i + 1]
        if c != b"\\":
            out += c
            i += 1
            continue
        nxt = chr(raw[i + 1])
        if nxt == "x":
            j = i + 2
            while j < len(raw) and chr(raw[j]) in "0123456789abcdefABCDEF":
                j += 1
            out.append(int(raw[i + 2:j], 16) & 0xFF)
            i = j
        else:
            out += SIMPLE_ESCAPES[nxt]
            i += 2
    return bytes(out)


def text_of(literals, errors="strict"):
    data = b"".join(literal_bytes(m.group(1)) for m in LITERAL.finditer(literals))
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp932", errors=errors)


def po_quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n").replace("\t", "\\t") + '"'


def marked_texts(path):
    with open(path, encoding="utf-8") as f:
        source = f.read()
    lines = source.split("\n")
    for m in MARK.finditer(source):
        line = source.count("\n", 0, m.start()) + 1
        note = None
        for above in (lines[line - 2].strip() if line >= 2 else "",):
            if above.startswith("// TRANSLATORS:"):
                note = above[len("// TRANSLATORS:"):].strip()
        yield text_of(m.group(1)), line, note


def in_comment(line, column):
    """Whether column of a line lies in a // comment (or is an #include's name)."""
    if line.lstrip().startswith("#include"):
        return True
    quoted = False
    i = 0
    while i < column:
        c = line[i]
        if c == "\\" and quoted:
            i += 2
            continue
        if c == '"':
            quoted = not quoted
        elif not quoted and line.startswith("//", i):
            return True
        i += 1
    return False


def unmarked_texts(path):
    """Literals with Japanese in them outside N_(...), but for those said to be the same
    in every language."""
    with open(path, encoding="utf-8") as f:
        source = f.read()
    if "\n// in every language: the texts of a file format" in source:
        return
    marked = [(m.start(), m.end()) for m in MARK.finditer(source)]
    for m in LITERAL.finditer(source):
        if any(a <= m.start() < b for a, b in marked):
            continue
        line_start = source.rfind("\n", 0, m.start()) + 1
        line_end = source.find("\n", m.end())
        line = source[line_start:line_end]
        if in_comment(line, m.start() - line_start) or "// in every language" in line:
            continue
        data = literal_bytes(m.group(1))
        if any(b >= 0x80 for b in data):
            yield "%s:%d: %s" % (path, source.count("\n", 0, m.start()) + 1, text_of(m.group(0), "replace"))


def source_files(roots):
    for root_dir in roots:
        for folder, _, files in sorted(os.walk(root_dir)):
            for name in sorted(files):
                if name.endswith((".cpp", ".h")):
                    yield os.path.join(folder, name)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    if sys.argv[1] == "--unmarked":
        found = [u for path in source_files(sys.argv[2:]) for u in unmarked_texts(path)]
        for line in found:
            print(line)
        sys.exit(1 if found else 0)
    entries = {}  # text -> (references, notes)
    order = []
    for root_dir in sys.argv[1:]:
        for folder, _, files in sorted(os.walk(root_dir)):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(folder, name)
                for text, line, note in marked_texts(path):
                    if text not in entries:
                        entries[text] = ([], [])
                        order.append(text)
                    entries[text][0].append("%s:%d" % (path, line))
                    if note and note not in entries[text][1]:
                        entries[text][1].append(note)
    out = ['msgid ""', 'msgstr ""', '"Content-Type: text/plain; charset=UTF-8\\n"', ""]
    for text in order:
        refs, notes = entries[text]
        out += ["#. " + n for n in notes]
        out.append("#: " + " ".join(refs))
        if "%" in text:
            out.append("#, c-format")  # msgfmt --check then holds the translation to the same arguments
        out += ["msgid " + po_quote(text), 'msgstr ""', ""]
    sys.stdout.write("\n".join(out))


if __name__ == "__main__":
    main()

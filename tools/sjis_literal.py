#!/usr/bin/env python3
"""Prints a C++ string literal holding the CP932 (Shift-JIS) bytes of each argument.

The game keeps its Japanese texts as Shift-JIS bytes in the source, so that files and
message boxes receive exactly those bytes. Use:  tools/sjis_literal.py '機体データの取得に失敗'
"""
import sys

HEX = set("0123456789abcdefABCDEF")


def literal(text: str) -> str:
    out, need_split = [], False
    for ch in text:
        data = ch.encode("cp932")
        if len(data) == 1 and 0x20 <= data[0] < 0x7F and ch not in '"\\':
            if need_split and ch in HEX:
                out.append('" "')
            out.append(ch)
            need_split = False
        else:
            out.append("".join(f"\\x{b:02x}" for b in data))
            need_split = True
    return '"' + "".join(out) + '"'


for arg in sys.argv[1:]:
    print(f"{literal(arg)}  // {arg}")

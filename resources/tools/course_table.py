#!/usr/bin/env python3
"""Prints the typed characters of every practice text per catalogue, from generated .ts files.

  course_table.py before/ar_ar_ar.ts before/ar_ar_eg.ts -- after/ar_ar_ar.ts after/ar_ar_eg.ts
The files after "--" are a second column set (for a before and after table)."""
import html
import re
import sys
import xml.etree.ElementTree as ET

LINE = re.compile(r"<line>([^<]*)<")
SOURCE = re.compile(r"add text of practise lesson (\d+) here")


def typed(path):
    counts = {}
    for context in ET.parse(path).getroot().iter("context"):
        if context.findtext("name") != "practising":
            continue
        for message in context.iter("message"):
            number = SOURCE.match(message.findtext("source") or "")
            text = message.findtext("translation") or ""
            if number:
                counts[int(number.group(1))] = sum(len(html.unescape(l)) for l in LINE.findall(text))
    return counts


def main(args):
    groups = [[]]
    for a in args:
        if a == "--":
            groups.append([])
        else:
            groups[-1].append(a)
    columns = [(p, typed(p)) for g in groups for p in g]
    print("| text | " + " | ".join(p for p, _ in columns) + " |")
    print("|---" * (len(columns) + 1) + "|")
    for n in sorted({n for _, c in columns for n in c}):
        if any(c.get(n) for _, c in columns):
            print(f"| {n} | " + " | ".join(str(c.get(n, "")) for _, c in columns) + " |")


if __name__ == "__main__":
    main(sys.argv[1:])

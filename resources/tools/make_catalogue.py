#!/usr/bin/env python3
"""Builds one Qt Linguist catalogue source (.ts) from the plain content files.

Content layout (all UTF-8):
  content/catalogues.txt          base name, layout, interface language per line
  content/layouts/<layout>.tsv    key id, plain caption, shift caption
  content/lessons/keys-<layout>.txt   lesson number, keys-of-interest list
  content/lessons/<lang>[-<layout>]/NN.html   lesson text (HTML)
  content/practice/[<layout>/]NN.txt          practice lines, one typed line per text line
  content/ui/<lang>.tsv           context, source text, translation (\\n, \\t escapes)
"""
import argparse
import html
import os
import sys

LESSON_SLOTS = 33
SINGLE_SPACE_KEY_LESSONS = {3, 4, 5, 10, 16}


def read_tsv(path, columns):
    rows = []
    if not os.path.exists(path):
        return rows
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) != columns:
                sys.exit(f"{path}:{number}: expected {columns} tab-separated columns, got {len(parts)}")
            rows.append(parts)
    return rows


def unescape(text):
    return text.replace("\\n", "\n").replace("\\t", "\t").replace("\\\\", "\\")


def lesson_text_source(n):
    return f"add text of lesson {n} here in the translation file"


def keys_source(n):
    gap = " " if n in SINGLE_SPACE_KEY_LESSONS else "  "
    return f"lesson {n} key of interest. ex:{gap}R1_3 Shift Ctrl"


def practice_source(n):
    return f"add text of practise lesson {n} here in the translation file"


def first_existing(*paths):
    for p in paths:
        if os.path.exists(p):
            return p
    return None


def practice_html(lines):
    """Each typed line becomes a right-aligned paragraph with four-digit references."""
    out = ['<html><head><meta name="qrichtext" content="1" /></head>'
           '<body dir="rtl" style="font-family:Courier;">']
    for line in lines:
        refs = "".join(f"&#{ord(c):04d};" if ord(c) < 10000 else c for c in line)
        out.append(f'<p align="right" dir="rtl"><line>{refs}</p>')
    out.append("</body></html>")
    return "\n".join(out)


def read_lines(path):
    with open(path, encoding="utf-8") as f:
        return [l.rstrip("\n") for l in f if l.strip()]


def build(content, base, layout, lang):
    messages = {}  # context -> list of (source, translation)

    def add(context, source, translation):
        messages.setdefault(context, []).append((source, translation))

    for key_id, plain, shift in read_tsv(os.path.join(content, "layouts", layout + ".tsv"), 3):
        add("KeyBoardMap", "key_" + key_id, plain)
        add("KeyBoardMap", "Shift_" + key_id, shift)

    keys = {int(n): k for n, k in read_tsv(os.path.join(content, "lessons", f"keys-{layout}.txt"), 2)}
    for n in range(1, LESSON_SLOTS + 1):
        page = first_existing(os.path.join(content, "lessons", f"{lang}-{layout}", f"{n:02d}.html"),
                              os.path.join(content, "lessons", lang, f"{n:02d}.html"))
        if page:
            with open(page, encoding="utf-8") as f:
                add("Lessons", lesson_text_source(n), f.read())
        elif n == max(keys, default=0) + 1:
            add("Lessons", lesson_text_source(n), " ")
        if n in keys:
            add("Lessons", keys_source(n), keys[n])

    last_practice = 0
    for n in range(1, LESSON_SLOTS + 1):
        page = first_existing(os.path.join(content, "practice", layout, f"{n:02d}.txt"),
                              os.path.join(content, "practice", f"{n:02d}.txt"))
        if page:
            add("practising", practice_source(n), practice_html(read_lines(page)))
            last_practice = n
    if last_practice < LESSON_SLOTS:
        add("practising", practice_source(last_practice + 1), " ")

    for context, source, translation in read_tsv(os.path.join(content, "ui", lang + ".tsv"), 3):
        add(context, unescape(source), unescape(translation))

    out = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
           f'<TS version="2.1" language="{lang}">']
    for context in sorted(messages):
        out.append(f"<context>\n    <name>{html.escape(context)}</name>")
        for source, translation in messages[context]:
            out.append("    <message>\n"
                       f"        <source>{html.escape(source, quote=False)}</source>\n"
                       f"        <translation>{html.escape(translation, quote=False)}</translation>\n"
                       "    </message>")
        out.append("</context>")
    out.append("</TS>")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--content", required=True)
    parser.add_argument("--catalogue", required=True, help="base name, e.g. ar_ar_ar")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    for base, layout, lang in read_tsv(os.path.join(args.content, "catalogues.txt"), 3):
        if base == args.catalogue:
            text = build(args.content, base, layout, lang)
            os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
            with open(args.out, "w", encoding="utf-8") as f:
                f.write(text)
            return
    sys.exit(f"catalogue {args.catalogue} is not listed in catalogues.txt")


if __name__ == "__main__":
    main()

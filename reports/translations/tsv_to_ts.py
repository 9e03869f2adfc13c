#!/usr/bin/env python3
"""Writes a Qt Linguist .ts file from a table of context, source text and
translation (tab-separated, '#' comment lines), for lrelease to merge into a
catalogue."""
import sys
from xml.sax.saxutils import escape


def main(table, out, language):
    contexts = {}
    with open(table, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            context, source, translation = line.split("\t")
            contexts.setdefault(context, []).append((source, translation))
    with open(out, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write('<TS version="2.1" language="%s">\n' % language)
        for context, messages in contexts.items():
            f.write("<context><name>%s</name>\n" % escape(context))
            for source, translation in messages:
                f.write("<message><source>%s</source><translation>%s</translation></message>\n"
                        % (escape(source), escape(translation)))
            f.write("</context>\n")
        f.write("</TS>\n")


if __name__ == "__main__":
    main(*sys.argv[1:4])

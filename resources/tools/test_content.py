"""Content of the level test and of weak-key practice, for make_catalogue.py.

  content/tests/texts.txt          level-test texts: "[text]" starts one, its lines are paragraphs
  content/practice/vocabulary.txt  words for weak-key practice, beside the course's own words

Context "TypingTest": source test_source(n) holds text n set in lines as the practice texts are,
each line a "<line>" paragraph, its characters as they are (character references would make
every catalogue half a megabyte larger, and the practice preparation reads both).
Context "WeakKeys": source "vocabulary" holds the words the layout types, space-separated.
"""
import html
import os
import re
import sys
import unicodedata

TEST_CHARACTERS = 1500   # typed characters of a level-test text at least
MIN_WORD = 2             # shorter tokens are not words to practise
TATWEEL = "\u0640"
ARABIC_WORD = re.compile("[\u0621-\u063A\u0641-\u064A]+")


def test_source(n):
    return f"add text of level test {n} here in the translation file"


def read_blocks(path, header):
    """Non-comment lines grouped under each header line."""
    blocks = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line == header:
                blocks.append([])
            elif blocks:
                blocks[-1].append(line)
    return blocks


def test_texts(content, captions, flow, typeable):
    """Every level-test text in lines; a text the layout cannot type or too short stops the build."""
    texts = []
    for n, paragraphs in enumerate(read_blocks(os.path.join(content, "tests", "texts.txt"), "[text]"), 1):
        lines = flow(" ".join(paragraphs).split())
        untypeable = [l for l in lines if not typeable(l, captions)]
        typed = sum(len(l) for l in lines)
        if untypeable or typed < TEST_CHARACTERS:
            sys.exit(f"level test {n}: {typed} typed characters; not typeable: {untypeable[:1]}")
        texts.append(lines)
    return texts


def test_html(lines):
    paragraphs = "".join(f'<p align="right" dir="rtl"><line>{html.escape(line, quote=False)}</p>\n' for line in lines)
    return f'<html><body dir="rtl">\n{paragraphs}</body></html>'


def words_of(text):
    """The Arabic words of a text, vowel marks and tatweel taken out."""
    bare = "".join(c for c in text if unicodedata.category(c) != "Mn" and c != TATWEEL)
    return ARABIC_WORD.findall(bare)


def vocabulary(content, captions, typeable):
    """Distinct words of the course and the word list, in the order first met, that the layout types."""
    sources = [os.path.join(content, "practice", name) for name in ("words.txt", "texts.txt", "vocabulary.txt")]
    seen, words = set(), []
    for path in sources:
        with open(path, encoding="utf-8") as f:
            for line in f:
                if line.startswith("#") or line.startswith("["):
                    continue
                for w in words_of(line):
                    if len(w) >= MIN_WORD and w not in seen and typeable(w, captions):
                        seen.add(w)
                        words.append(w)
    return words


def messages(content, layout, flow, typeable):
    """(context, source, translation) of the level-test texts and the vocabulary for one layout."""
    captions = [c for pair in layout.values() for c in pair if c.strip()] + [" "]
    out = [("TypingTest", test_source(n), test_html(lines))
           for n, lines in enumerate(test_texts(content, captions, flow, typeable), 1)]
    out.append(("WeakKeys", "vocabulary", " ".join(vocabulary(content, captions, typeable))))
    return out

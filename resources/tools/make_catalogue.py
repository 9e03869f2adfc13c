#!/usr/bin/env python3
"""Builds one Qt Linguist catalogue source (.ts) from the plain content files.

Content layout (all UTF-8):
  content/catalogues.txt          base name, layout, interface language per line
  content/layouts/<layout>.tsv    key id, plain caption, shift caption
  content/lessons/keys-<layout>.txt   lesson number, keys-of-interest list
  content/lessons/<lang>[-<layout>]/NN.html   lesson text (HTML)
  content/practice/words.txt, texts.txt      words and sentences the practice texts are set from
  content/ui/<lang>.tsv           context, source text, translation (\\n, \\t escapes)
"""
import argparse
import html
import os
import re
import sys
import unicodedata

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
        return [l.rstrip("\n") for l in f if l.strip() and not l.startswith("#")]


# Finger names agree with the noun: السبابة and الوسطى are feminine, البنصر and الخنصر masculine.
FINGER_NAMES = {
    "ar": {(1, "L"): "السبابة اليسرى", (1, "R"): "السبابة اليمنى", (2, "L"): "الوسطى اليسرى",
           (2, "R"): "الوسطى اليمنى", (3, "L"): "البنصر الأيسر", (3, "R"): "البنصر الأيمن",
           (4, "L"): "الخنصر الأيسر", (4, "R"): "الخنصر الأيمن",
           "key": "المفتاح", "finger": "الإصبع", "shift": "مع مفتاح العالي (Shift)"},
    "en": {(1, "L"): "left index finger", (1, "R"): "right index finger", (2, "L"): "left middle finger",
           (2, "R"): "right middle finger", (3, "L"): "left ring finger", (3, "R"): "right ring finger",
           (4, "L"): "left little finger", (4, "R"): "right little finger",
           "key": "Key", "finger": "Finger", "shift": "with Shift"},
}
MASCULINE = {3, 4}
# Marks of the plain layer, named in the finger sentence so that a bare sign does not run into the words.
MARK_NAMES = {
    "ar": {"،": "الفاصلة", ".": "النقطة", "؛": "الفاصلة المنقوطة", "/": "الخطّ المائل", "\\": "الخطّ المائل العكسي",
           "|": "الخطّ العمودي", "-": "الشرطة", "=": "علامة التساوي", "ـ": "التطويل"},
    "en": {"،": "the comma", ".": "the full stop", "؛": "the semicolon", "/": "the slash", "\\": "the backslash",
           "|": "the vertical line", "-": "the hyphen", "=": "the equals sign", "ـ": "the tatweel"},
}
DRILL_LETTERS = "بتنسلم"             # letters that carry the vowel marks in drills
TEACHING_LESSONS = range(1, 16)    # lessons that bring new keys, of the plain or the Shift layer
SENTENCE_LESSON = 7                # from this lesson on every text has sentences
TOPIC_SECTIONS = {16: "common", 17: "sentences", 18: "proverbs"}
SHIFT_SECTIONS = ["hamza", "harakat", "punctuation", "symbols", "numbers", "marks"]
PLAIN_SECTIONS = ["digits"]        # sentences of the plain lessons that teach no letters
WORD_REPEATS = 10                  # no word more often in one practice text
TEXT_CHARACTERS = 600              # typed characters in every lesson's practice text at least
LINE_LENGTH = 27                   # columns of a practice line at most: the practice window shows 29 in its font


def read_sections(path):
    """Sections of texts.txt: name -> list of entries (a "[text]" section may repeat)."""
    sections, name = {}, None
    for line in read_lines(path):
        if line.startswith("[") and line.endswith("]"):
            name = line[1:-1]
            sections.setdefault(name, []).append([])
        elif name:
            sections[name][-1].append(line)
    return sections


def width(text):
    """Columns a line takes: a vowel mark sits on its letter and takes none."""
    return sum(1 for c in text if unicodedata.category(c) != "Mn")


def flow(words, length=LINE_LENGTH):
    """Words into lines of three words or more (a line with one space would read as a drill), none
    wider than the length; of all such breaks the one with the most even lines (the last line free)."""
    n, unset = len(words), float("inf")
    if n < 3:
        return [" ".join(words)] if words else []
    cost, start = [0.0] + [unset] * n, [0] * (n + 1)
    for end in range(3, n + 1):
        columns = -1
        for begin in range(end - 1, -1, -1):
            columns += width(words[begin]) + 1
            if columns > length:
                break
            if end - begin >= 3 and cost[begin] < unset:
                c = cost[begin] + (0 if end == n else (length - columns) ** 2)
                if c < cost[end]:
                    cost[end], start[end] = c, begin
    if cost[n] == unset:
        raise ValueError(f"cannot set in lines of three words within {length} columns: {' '.join(words[:6])} ...")
    lines, end = [], n
    while end:
        lines.insert(0, " ".join(words[start[end]:end]))
        end = start[end]
    return lines


def set_lines(pieces):
    """Sentences and words into lines. A phrase without a closing mark sets lines of its own, so
    two phrases never run into one another; words that cannot be set alone join the line before."""
    lines, run = [], []

    def flush():
        nonlocal run
        while run:
            try:
                lines.extend(flow(run))
                run = []
            except ValueError:
                if not lines:
                    raise
                run = lines.pop().split() + run
    for piece in pieces:
        words = piece.split()
        last = piece.rstrip("".join(c for c in piece if unicodedata.category(c) == "Mn"))[-1:]
        phrase = len(words) >= 3 and unicodedata.category(last).startswith("L")
        try:
            alone = flow(words) if phrase else None
        except ValueError:  # too long for one line, too short for two: it runs on
            alone = None
        if alone:
            flush()
            lines.extend(alone)
        else:
            run += words
    flush()
    return lines


def typeable(text, captions):
    """Whether keys with these captions type the text (a two-letter key or its letters' own keys)."""
    reach = [True] + [False] * len(text)
    for i in range(len(text)):
        if reach[i]:
            for c in captions:
                if text.startswith(c, i):
                    reach[i + len(c)] = True
    return reach[-1]


WORD = re.compile("[\u0621-\u064a\u0671]{3,}")


def word_counts(lines):
    """How often each word of three letters or more occurs, vowel marks left out."""
    counts = {}
    for line in lines:
        for w in WORD.findall("".join(c for c in line if unicodedata.category(c) != "Mn")):
            counts[w] = counts.get(w, 0) + 1
    return counts


def typed_length(lines):
    return sum(len(l) for l in lines)


def read_fingers(content):
    rows = read_lines(os.path.join(content, "layouts", "fingers.txt"))
    return {f"R{r}_{c}": (int(cell[0]), cell[1])
            for r, line in enumerate(rows, 1) for c, cell in enumerate(line.split(), 1)}


class Course:
    """The course for one keyboard layout: lesson placeholders and practice texts."""

    def __init__(self, content, name, layout, keys):
        self.fingers = read_fingers(content)
        self.layout_name = name
        self.layout = layout
        # sentences are written with Western digits; a layout with Arabic-Indic digit keys types those
        plain = {p for p, _ in layout.values()}
        self.digits = {} if "1" in plain else {ord(str(d)): chr(0x660 + d) for d in range(10)} | {ord("%"): "\u066a"}
        self.keys = keys
        self.words = [w for line in read_lines(os.path.join(content, "practice", "words.txt")) for w in line.split()]
        self.sections = read_sections(os.path.join(content, "practice", "texts.txt"))

    def key_ids(self, n):
        return [t.removeprefix("Shift_") for t in self.keys.get(n, "").split() if t.startswith(("R", "Shift_R"))]

    def shifted(self, n):
        """A lesson of the Shift layer lists its keys as "Shift_" + identifier."""
        return any(t.startswith("Shift_") for t in self.keys.get(n, "").split())

    def captions_of(self, n):
        """What the lesson's keys type on its layer, a Shift caption by its key (a key typing nothing adds none)."""
        out = []
        for k in self.key_ids(n):
            c = self.layout[k][1 if self.shifted(n) else 0]
            if c not in out and c.strip():
                out.append(c)
        return out

    def learned_until(self, n):
        captions = {" "}
        for m in TEACHING_LESSONS:
            if m <= n:
                captions.update(self.captions_of(m))
        return captions

    def new_in(self, n):
        return [c for c in self.captions_of(n) if c not in self.learned_until(n - 1)]

    def words_for(self, n, count):
        learned = self.learned_until(n)
        new = [] if self.shifted(n) else self.new_in(n)
        fitting = [w for w in self.words if typeable(w, learned)]
        with_new = [w for w in fitting if any(c in w for c in new)]
        rest = [w for w in fitting if w not in with_new]
        chosen = with_new + rest
        # a different, fixed selection per lesson
        step = 7 + n
        ordered = [chosen[(i * step) % len(chosen)] for i in range(len(chosen))] if chosen else []
        seen, picked = set(), []
        for w in (with_new + ordered):
            if w not in seen:
                seen.add(w)
                picked.append(w)
            if len(picked) == count:
                break
        return picked

    # -- lesson pages --------------------------------------------------
    def caption(self, n, key_id):
        return self.layout[key_id][1] if self.shifted(n) else self.layout[key_id][0]

    def key_table(self, n, lang):
        names = FINGER_NAMES[lang]
        shift_note = f' <span style="font-size:10pt">{names["shift"]}</span>' if self.shifted(n) else ""
        rows = [f'<tr><td align="center" style="font-size:20pt;color:#b03060">{html.escape(self.caption(n, k), quote=False)}</td>'
                f'<td>{names[self.fingers[k]]}{shift_note}</td></tr>' for k in self.key_ids(n)]
        direction = ' dir="rtl" align="right"' if lang == "ar" else ""
        return (f'<table{direction} border="1" cellpadding="6" cellspacing="0">'
                f'<tr><th>{names["key"]}</th><th>{names["finger"]}</th></tr>' + "".join(rows) + "</table>")

    def finger_sentence(self, n, lang):
        """One clause per finger, in the order of the lesson's keys: which keys it types."""
        names, groups = FINGER_NAMES[lang], {}
        for k in self.key_ids(n):
            caption = self.caption(n, k)
            name = MARK_NAMES[lang].get(caption, "") if not self.shifted(n) else ""
            told = (name + " " if name else "") + f"<b>{html.escape(caption, quote=False)}</b>"
            if told not in groups.get(self.fingers[k], []):  # a caption on two keys of one finger is told once
                groups.setdefault(self.fingers[k], []).append(told)
        clauses = []
        for finger, keys in groups.items():
            name = f'<span class="finger">{names[finger]}</span>'
            if lang == "ar":
                verb = "يكتب" if finger[0] in MASCULINE else "تكتب"
                # "و" joins a named mark; before a bare letter it stands apart, so that the two do not read as a word
                listed = keys[0] + "".join((" و " if k.startswith("<b>") else " و") + k for k in keys[1:])
                clauses.append(f"{name} {verb} {listed}")
            else:
                listed = keys[0] if len(keys) == 1 else ", ".join(keys[:-1]) + " and " + keys[-1]
                clauses.append(f"the {name} types {listed}")
        if lang == "ar":
            return '<p dir="rtl" align="right" class="fingers">' + "، و".join(clauses) + ".</p>"
        text = "; ".join(clauses)
        return '<p class="fingers">' + text[0].upper() + text[1:] + ".</p>"

    def examples(self, n, lang):
        """A lesson of sentences or proverbs shows three of them, any other lesson ten of its words."""
        if TOPIC_SECTIONS.get(n) in ("sentences", "proverbs"):
            return " ".join(self.fitting_sentences(n, [TOPIC_SECTIONS[n]])[:3])
        new = self.new_in(n)
        if n in TEACHING_LESSONS and not any(unicodedata.category(c[0]) == "Lo" for c in new):
            sentences = [s for s in self.fitting_sentences(n, PLAIN_SECTIONS) if any(c in s for c in new)]
            return "، ".join(sentences[:2])
        return ("، " if lang == "ar" else ", ").join(self.words_for(n, 10))

    def fill_lesson(self, page, n, lang):
        page = page.replace("{{keys}}", self.key_table(n, lang)).replace("{{words}}", html.escape(self.examples(n, lang)))
        page = page.replace("{{fingers}}", self.finger_sentence(n, lang))
        # In English text a left-to-right mark after each Arabic caption keeps
        # the commas and words around it in reading order.
        mark = "\u200e" if lang == "en" else ""
        for k, (plain, shift) in self.layout.items():
            page = page.replace("{{key:" + k + "}}", html.escape(plain) + mark)
            page = page.replace("{{shift:" + k + "}}", html.escape(shift) + mark)
        return page

    # -- practice texts --------------------------------------------------
    def drill_lines(self, n):
        """Each new key doubled, tripled and paired with the next, set like words (three at least a line)."""
        keys = self.captions_of(n)
        marks = [c for c in keys if len(c) == 1 and unicodedata.category(c) == "Mn"]
        if marks:  # a vowel mark is drilled on letters, never bare
            return [line for c in marks for line in flow([b + c for b in DRILL_LETTERS])]
        if self.shifted(n):  # tokens of two letters, so that no drill reads as a misspelt word
            keys = [c for c in keys if len(c) == 1]
        groups = [[c * 2 for c in keys]] + ([] if self.shifted(n) else [[c * 3 for c in keys]])
        if len(keys) > 1:
            following = keys[1:] + keys[:1]
            groups.append([a + b for a, b in zip(keys, following)] + [b + a for a, b in zip(keys, following)])
        return [line for g in groups for line in flow(g * (3 // len(g)) if len(g) < 3 else g)]

    def localised(self, text):
        return text.translate(self.digits)

    def fitting_sentences(self, n, names):
        learned, out = self.learned_until(n), []
        for name in names:
            for entry in self.sections.get(name, []):
                for s in map(self.localised, entry):
                    if s not in out and typeable(s, learned):
                        out.append(s)
        return out

    def fill(self, n, lines, material):
        """Adds rounds of the material (sentences and words), each in another order, until the text is
        long enough; a piece whose words the text already holds often enough is left out."""
        counts = word_counts(lines)
        round_ = 0
        while material and typed_length(lines) < TEXT_CHARACTERS:
            shift = (round_ * (n + 3)) % len(material)
            kept = []
            for piece in material[shift:] + material[:shift]:
                words = word_counts([piece])
                if all(counts.get(w, 0) + k <= WORD_REPEATS for w, k in words.items()):
                    kept.append(piece)
                    for w, k in words.items():
                        counts[w] = counts.get(w, 0) + k
            if not kept:
                sys.exit(f"practice {n} ({self.layout_name}): too little material for {TEXT_CHARACTERS} characters")
            lines += set_lines(kept)
            round_ += 1
        return lines

    def lesson_text(self, n):
        words = self.words_for(n, len(self.words))
        new = self.new_in(n)
        if n in TEACHING_LESSONS and not self.shifted(n):
            if n < SENTENCE_LESSON:
                return self.fill(n, self.drill_lines(n), words)
            sentences = [s for s in self.fitting_sentences(n, PLAIN_SECTIONS) if any(c in s for c in new)]
            return self.fill(n, self.drill_lines(n) + set_lines(sentences), words)
        if n in TEACHING_LESSONS:
            sentences = [s for s in self.fitting_sentences(n, SHIFT_SECTIONS) if any(c in s for c in new)]
            with_new = [w for w in words if any(c in w for c in new)]
            lines = set_lines(sentences) + flow(with_new) + self.drill_lines(n)
            return self.fill(n, lines, with_new + words)
        return self.fill(n, [], self.fitting_sentences(n, [TOPIC_SECTIONS[n]]))

    def practice_texts(self):
        texts = [self.lesson_text(n) for n in range(1, 19)]
        learned = self.learned_until(18)
        for entry in self.sections.get("text", []):
            entry = [self.localised(line) for line in entry]
            text = " ".join(entry)
            if typeable(text, learned):
                texts.append(set_lines(entry))
        return texts[:LESSON_SLOTS - 1]


def build(content, base, layout, lang):
    messages = {}  # context -> list of (source, translation)

    def add(context, source, translation):
        messages.setdefault(context, []).append((source, translation))

    for key_id, plain, shift in read_tsv(os.path.join(content, "layouts", layout + ".tsv"), 3):
        add("KeyBoardMap", "key_" + key_id, plain)
        add("KeyBoardMap", "Shift_" + key_id, shift)

    layout_table = {k: (p, sh) for k, p, sh in read_tsv(os.path.join(content, "layouts", layout + ".tsv"), 3)}
    keys = {int(n): k for n, k in read_tsv(os.path.join(content, "lessons", f"keys-{layout}.txt"), 2)}
    course = Course(content, layout, layout_table, keys)
    for n in range(1, LESSON_SLOTS + 1):
        page = first_existing(os.path.join(content, "lessons", f"{lang}-{layout}", f"{n:02d}.html"),
                              os.path.join(content, "lessons", lang, f"{n:02d}.html"))
        if page:
            with open(page, encoding="utf-8") as f:
                add("Lessons", lesson_text_source(n), course.fill_lesson(f.read(), n, lang))
        elif n == max(keys, default=0) + 1:
            add("Lessons", lesson_text_source(n), " ")
        if n in keys:
            add("Lessons", keys_source(n), keys[n])

    texts = course.practice_texts()
    for n, lines in enumerate(texts, 1):
        add("practising", practice_source(n), practice_html(lines))
    if len(texts) < LESSON_SLOTS:
        add("practising", practice_source(len(texts) + 1), " ")

    import test_content  # the level-test texts and the weak-key vocabulary
    for context, source, translation in test_content.messages(content, layout_table, flow, typeable):
        add(context, source, translation)

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

# The typed lines of a catalogue text, read the way the practice window
# reads them, and the keys of a layout table that type each character, as
# the US key names xdotool takes: for the end-to-end scripts.
import html
import re

US = ("grave 1 2 3 4 5 6 7 8 9 0 minus equal q w e r t y u i o p bracketleft bracketright a s d f g h j k l "
      "semicolon apostrophe backslash - z x c v b n m comma period slash").split()


def lines(ts_file, source):
    ts = open(ts_file, encoding="utf-8").read()
    text = html.unescape(re.search(r"<source>%s</source>\s*<translation[^>]*>(.*?)</translation>" % re.escape(source),
                                   ts, re.S).group(1))
    return [re.sub(r"&#([0-9]{4});", lambda r: chr(int(r.group(1))), m.group(1))
            for m in re.finditer(r"<line>([^<]*)<", text)]


def keys(layout_file, shifted=True):
    """Character -> key name; a character no plain key types by its Shift chord ("shift+k") when shifted."""
    rows = [l.rstrip("\n").split("\t") for l in open(layout_file, encoding="utf-8")
            if not l.startswith("#") and l.strip()]
    found = {" ": "space"}
    for layer, prefix in [(1, "")] + ([(2, "shift+")] if shifted else []):
        for us, row in zip(US, rows):
            if us != "-" and len(row) > layer:
                found.setdefault(row[layer], prefix + us)
    return found

"""What an import must produce from a feed, computed here from the archive itself with Python's
own ZIP reader and text rules, independently of the tool."""
import zipfile
from pathlib import PurePosixPath


def listed_files(archive):
    """The plain files at the archive's root, in the order the tool lists them: without regard
    to case, punctuation before digits before letters (ASCII order does that for these names)."""
    with zipfile.ZipFile(archive) as z:
        names = {n for n in z.namelist() if "/" not in n and not n.endswith("/")}
    return sorted(names, key=str.lower)


def is_skipped(name, skip_fares, skip_shapes):
    return ("fare_" in name and skip_fares) or ("shape" in name and skip_shapes)


def base_name(name):
    return name.split(".", 1)[0] if "." in name else ""


def text_of(data):
    """The file's text with every line break as CR LF."""
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    text = data.decode("utf-8")
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\r":
            out.append("\r\n")
            i += 2 if text[i + 1:i + 2] == "\n" else 1
        elif c == "\n":
            out.append("\r\n")
            i += 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def rows_of(data):
    """The cells a paste of the file's tab text gives: a row per line, a cell per field."""
    tab_text = text_of(data).replace(",", "\t")
    lines = tab_text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    return [line.split("\t") for line in lines]


def copy_of(data):
    """The bytes of the .csv copy."""
    return b"\xef\xbb\xbf" + text_of(data).encode("utf-8")


def trimmed(rows):
    """Rows without trailing empty cells, and without trailing empty rows."""
    rows = [list(r) for r in rows]
    for r in rows:
        while r and r[-1] == "":
            r.pop()
    while rows and not rows[-1]:
        rows.pop()
    return rows


def member(archive, name):
    with zipfile.ZipFile(archive) as z:
        return z.read(name)


def write_feed(archive, files):
    """A small feed archive from {name: text}."""
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in files.items():
            z.writestr(str(PurePosixPath(name)), text.encode("utf-8") if isinstance(text, str) else text)
    return archive

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


def tab_text_of(data):
    """The text the tool puts on the clipboard: every comma a TAB."""
    return text_of(data).replace(",", "\t")


def pasted_rows(text):
    """The cells the application makes of pasted text, read one character at a time: a field
    opening with a quote keeps TABs and line breaks up to its closing quote ("" is a quote), then
    takes what follows as it is; a quote elsewhere is a character; one never closed runs to the
    end. A row per CR LF; a final CR LF opens no row."""
    rows, row, cell = [], [], []
    quoted, at_field_start = False, True
    i = 0
    while i < len(text):
        c = text[i]
        if quoted:
            if c == '"' and text[i + 1:i + 2] == '"':
                cell.append('"')
                i += 2
                continue
            if c == '"':
                quoted = False
            else:
                cell.append(c)
            i += 1
            continue
        if at_field_start and c == '"':
            quoted, at_field_start = True, False
            i += 1
            continue
        at_field_start = False
        if c == "\t":
            row.append("".join(cell))
            cell, at_field_start = [], True
            i += 1
        elif text.startswith("\r\n", i):
            row.append("".join(cell))
            rows.append(row)
            row, cell, at_field_start = [], [], True
            i += 2
        else:
            cell.append(c)
            i += 1
    if row or cell or not at_field_start or (text and text[-1] == "\t"):
        row.append("".join(cell))
        rows.append(row)
    return rows


def rows_of(data):
    """The cells a paste of the file's tab text gives."""
    return pasted_rows(tab_text_of(data))


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

#!/usr/bin/env python3
"""Converts every file of every feed archive under a folder with feed_convert and checks the
copy and the tab text byte for byte against the rules, computed here independently:
  check_corpus.py FEED_CONVERT CORPUS_FOLDER"""
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import zipfile

BOM = b"\xef\xbb\xbf"
INVALID = "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません"


def expected(data):
    """(copy bytes, tab text bytes), or None when the file is not strict UTF-8."""
    if data.startswith(BOM):
        data = data[len(BOM):]
    try:
        text = data.decode("utf-8", "strict")
    except UnicodeDecodeError:
        return None
    text = re.sub("\r\n|\r|\n", "\r\n", text)
    return BOM + text.encode("utf-8"), text.replace(",", "\t").encode("utf-16-le")


SKIPPED = 77  # ctest reports this exit code as a skipped test


def main():
    tool, corpus = sys.argv[1], pathlib.Path(sys.argv[2])
    if not corpus.is_dir():
        # CI always has the shared folder: there its absence must not look like a pass.
        if os.environ.get("CI") == "true":
            print(f"FAIL: the shared corpus {corpus} is missing, and CI must have it")
            return 1
        print(f"SKIPPED: the shared corpus {corpus} is missing")
        return SKIPPED
    archives = sorted(corpus.rglob("*.zip"))
    converted = refused = failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        feed, copy, tab = scratch / "feed.txt", scratch / "copy.csv", scratch / "tab.bin"
        for archive in archives:
            with zipfile.ZipFile(archive) as zf:
                for info in zf.infolist():
                    if info.is_dir():
                        continue
                    data = zf.read(info)
                    feed.write_bytes(data)
                    run = subprocess.run([tool, feed, copy, tab], capture_output=True)
                    want = expected(data)
                    where = f"{archive.name}:{info.filename}"
                    if want is None:
                        ok = run.returncode == 1 and INVALID in run.stderr.decode("utf-8")
                        refused += ok
                    else:
                        ok = (run.returncode == 0 and copy.read_bytes() == want[0]
                              and tab.read_bytes() == want[1])
                        converted += ok
                    if not ok:
                        failures += 1
                        print(f"FAIL {where}: exit {run.returncode} {run.stderr!r}")
    print(f"{len(archives)} archives: {converted} files converted as predicted, "
          f"{refused} refused as invalid UTF-8, {failures} failures")
    return 1 if failures or not converted else 0


if __name__ == "__main__":
    sys.exit(main())

"""The tool's main job, shown: the release package unpacked and its executable importing a feed
(the bundled sample feed by default) into the stand-in spreadsheet application as a person would
do it. Prints how long the import took, the sheets made with their row counts, and saves a
screenshot. Any failure ends in one plain sentence and exit status 1."""
import argparse
import json
import sys
import time
import zipfile
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))
import driver  # noqa: E402

PROGRESS_EVERY = 10  # seconds between the lines of a long wait
WRITE_SUMMARY = driver.WM_APP + 2  # the stand-in's sheet names and row counts, without the cells


class DemoFailure(Exception):
    """A failure worth one sentence to the person running the demo."""


def unpack(package, folder):
    """The package's one folder, unpacked afresh into folder."""
    if folder.exists():
        for path in sorted(folder.rglob("*"), reverse=True):
            path.rmdir() if path.is_dir() else path.unlink()
    folder.mkdir(parents=True, exist_ok=True)
    with zipfile.ZipFile(package) as z:
        z.extractall(folder)
    found = sorted(folder.glob("*/Velmora.exe"))
    if len(found) != 1:
        raise DemoFailure(f"{package.name} does not hold one folder with Velmora.exe")
    return found[0]


def summary_of(standin, probe):
    """The stand-in's sheets with their row counts. Quick, as no cell is written out; the wait
    still says now and then how long it has been, in case the stand-in is slow to answer."""
    summary = standin.dump_file.with_name(standin.dump_file.name + ".summary")
    summary.unlink(missing_ok=True)
    if not probe.post(driver.STANDIN_CLASS, WRITE_SUMMARY):
        raise DemoFailure("the stand-in's window could not be asked for its sheets")
    started = last_line = time.monotonic()
    while not summary.exists():  # moved into place whole
        if not standin.program.running():
            raise DemoFailure("the stand-in ended before it listed its sheets")
        now = time.monotonic()
        if now - last_line >= PROGRESS_EVERY:
            print(f"  waiting for the stand-in's sheets: {now - started:.0f} s", flush=True)
            last_line = now
        time.sleep(0.2)
    return json.loads(summary.read_text(encoding="utf-8"))


def show_a_filled_sheet(standin, probe):
    """Clicks the tab of a filled sheet (stops, else the first filled one) in the spreadsheet's
    window, as a person would, and waits until that sheet is the active one."""
    sheets = [s for s in summary_of(standin, probe)["sheets"] if s["rows"] and "tab" in s]
    if not sheets:
        return
    shown = next((s for s in sheets if s["name"] == "stops"), sheets[0])
    tab = shown["tab"]
    driver.release_mouse_over((tab["left"] + tab["width"] // 2, tab["top"] + tab["height"] // 2), 1)
    driver.wait_for(lambda: summary_of(standin, probe)["active"] == shown["name"], 60,
                    what=f"the sheet {shown['name']} shown")
    # Moved off the window so that the pointer does not stand in the picture's cells.
    driver.xdotool("mousemove", "--sync", 5, 5)


def run(args):
    out = Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    build = Path(args.build)
    feed = Path(args.feed)
    if not feed.exists():
        raise DemoFailure(f"there is no feed at {feed}")
    archive = feed if feed.suffix == ".zip" else driver.zip_folder(feed, out / f"{feed.name}.zip")
    exe = unpack(Path(args.package), out / "release")
    print(f"Running {exe.relative_to(out)} from {Path(args.package).name}", flush=True)

    probe = driver.Probe(build / "tests" / "app" / "window_probe.exe")
    standin = driver.StandIn(build / "standin" / "excel_standin.exe", out / "standin")
    tool = None
    try:
        standin.wait_ready()
        tool = driver.Velmora(exe, exe.parent, probe)
        print(f"Importing {archive.name} ({archive.stat().st_size / 1e6:.1f} MB)...", flush=True)
        started = time.monotonic()
        messages = tool.import_feed(archive, timeout=args.timeout)
        elapsed = time.monotonic() - started
        status = tool.status()
        print(f"Imported {archive.name} in {elapsed:.1f} s (status: {status})", flush=True)
        for _, text in messages:
            print(f"  message: {text}")
        show_a_filled_sheet(standin, probe)
        driver.screenshot(out / "screenshot.png")
        workbook = summary_of(standin, probe)
        print(f"Workbook sheets ({len(workbook['sheets'])}), active: {workbook['active']}")
        for sheet in workbook["sheets"]:
            print(f"  {sheet['name']:<20} {sheet['rows']:>8} rows")
        print(f"Working folder: {sorted(p.name for p in tool.working_folder.iterdir())}")
        print(f"Screenshot: {out / 'screenshot.png'}")
        if status != "処理終了":
            raise DemoFailure(f"the import stopped with the status {status}")
    finally:
        if tool:
            tool.close()
        standin.close(probe)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--package", required=True, help="the release zip to unpack and run")
    parser.add_argument("--build", default=str(REPO / "build" / "windows"))
    parser.add_argument("--out", default=str(REPO / "build" / "demo"))
    parser.add_argument("--feed", default=str(REPO / "samples" / "minato_bus"))
    parser.add_argument("--timeout", type=float, default=3600, help="seconds for the import")
    args = parser.parse_args()
    try:
        run(args)
    except KeyboardInterrupt:
        print("run-demo: interrupted.", file=sys.stderr)
        return 130
    except DemoFailure as failure:
        print(f"run-demo: {failure}.", file=sys.stderr)
        return 1
    except Exception as failure:  # the sentence instead of a traceback
        print(f"run-demo: the demo failed: {failure}.", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    driver.ensure_wine_rig()
    sys.exit(main())

"""The tool's main job, shown: the bundled sample feed imported into the stand-in spreadsheet
application as a person would do it. Prints the sheets made and saves a screenshot."""
import argparse
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))
import driver  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=str(REPO / "build" / "windows"))
    parser.add_argument("--out", default=str(REPO / "build" / "demo"))
    parser.add_argument("--feed", default=str(REPO / "samples" / "minato_bus"))
    args = parser.parse_args()
    build, out = Path(args.build), Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    feed = Path(args.feed)
    archive = feed if feed.suffix == ".zip" else driver.zip_folder(feed, out / f"{feed.name}.zip")

    probe = driver.Probe(build / "tests" / "app" / "window_probe.exe")
    standin = driver.StandIn(build / "standin" / "excel_standin.exe", out / "standin")
    standin.wait_ready()
    tool = driver.Velmora(build / "app" / "Velmora.exe", out / "tool", probe)
    started = time.monotonic()
    messages = tool.import_feed(archive)
    elapsed = time.monotonic() - started
    time.sleep(1)
    driver.screenshot(out / "screenshot.png")
    workbook = standin.dump(probe)

    print(f"Imported {archive.name} in {elapsed:.1f} s (status: {tool.status()})")
    for _, text in messages:
        print(f"  message: {text}")
    print(f"Workbook sheets ({len(workbook['sheets'])}), active: {workbook['active']}")
    for sheet in workbook["sheets"]:
        print(f"  {sheet['name']:<20} {len(sheet['cells']):>8} rows")
    print(f"Working folder: {sorted(p.name for p in tool.working_folder.iterdir())}")
    print(f"Screenshot: {out / 'screenshot.png'}")
    tool.close()
    standin.close(probe)


if __name__ == "__main__":
    driver.ensure_wine_rig()
    main()

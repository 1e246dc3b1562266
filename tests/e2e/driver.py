"""Drives the real Windows programs under Wine as a person would: xdotool moves the pointer and
types, window_probe reads windows back with Win32 calls. Runs inside scripts/with-wine-display
(it re-executes itself there when started alone)."""
import argparse
import json
import os
import select
import shutil
import subprocess
import sys
import time
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
OPEN_DIALOG_CLASS = "#32770"
MAIN_CLASS = "Tfrm_main"
FILE_NAME_BOX, CANCEL_BUTTON = 1148, 2  # controls of the open dialog


def ensure_wine_rig():
    """Re-runs the calling script inside the project's Wine prefix and virtual display."""
    if not os.environ.get("VELMORA_WINE_READY"):
        wrapper = REPO / "scripts" / "with-wine-display"
        os.execv(str(wrapper), [str(wrapper), sys.executable, *sys.argv])


def options(*names):
    """The calling test script's required options, parsed inside the Wine rig, and the arguments
    left for unittest."""
    ensure_wine_rig()
    parser = argparse.ArgumentParser()
    for name in names:
        parser.add_argument(name, required=True)
    return parser.parse_known_args()


def run_tests(unittest_arguments, skipped_code=77):
    """Runs the calling script's tests. 77 is ctest's skip code: a run that skipped anything must
    not show as a pass."""
    result = unittest.main(argv=[sys.argv[0], *unittest_arguments], verbosity=2, exit=False).result
    sys.exit(1 if not result.wasSuccessful() else skipped_code if result.skipped else 0)


def wait_for(predicate, timeout, interval=0.2, what="condition", seen=None):
    """The predicate's first true value, polled until the timeout; a timeout fails, saying what
    was awaited and, given `seen`, the state it last found."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            last = f" (last seen: {seen()})" if seen else ""
            raise AssertionError(f"timed out after {timeout} s waiting for {what}{last}")
        time.sleep(interval)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)


class Probe:
    def __init__(self, probe_exe):
        self.exe = probe_exe

    def window(self, window_class, caption=None, runs=3):
        """The window read back, None without one. The probe always prints (a window or null):
        a run that printed nothing is Wine failing to start it, and it is run again."""
        args = ["wine", str(self.exe), window_class] + ([caption] if caption else [])
        for _ in range(runs):
            run = subprocess.run(args, capture_output=True, timeout=60)
            out = run.stdout.decode("utf-8")
            if out.strip():
                return json.loads(out)
            print(f"window_probe printed nothing (exit code {run.returncode}, "
                  f"said {run.stderr[-500:]!r})", file=sys.stderr)
        raise AssertionError(f"window_probe printed nothing in {runs} runs")

    def post(self, window_class, message):
        args = ["wine", str(self.exe), "--post", str(message), window_class]
        return subprocess.run(args, capture_output=True, timeout=60).returncode == 0

    def post_to_child(self, window_class, control_id, message):
        args = ["wine", str(self.exe), "--post-child", str(message), window_class, str(control_id)]
        return subprocess.run(args, capture_output=True, timeout=60).returncode == 0

    @staticmethod
    def child(window, control_id):
        return next(c for c in window["children"] if c and c["id"] == control_id)


class Program:
    """A Windows program started from a folder of its own, ended by its PID."""

    def __init__(self, exe, folder, args=(), output=False):
        folder = Path(folder)
        folder.mkdir(parents=True, exist_ok=True)
        self.exe = folder / Path(exe).name
        if Path(exe).resolve() != self.exe.resolve():
            shutil.copy2(exe, self.exe)
        self.process = subprocess.Popen(["wine", str(self.exe), *map(str, args)],
                                        stdout=subprocess.PIPE if output else subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.said = b""

    def running(self):
        return self.process.poll() is None

    def wait_for_line(self, line, timeout):
        """Waits until the program has written the line on its output (given output=True)."""
        wanted = line.encode() + b"\n"
        deadline = time.monotonic() + timeout
        out = self.process.stdout
        while wanted not in self.said.replace(b"\r\n", b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([out], [], [], remaining)[0]:
                raise AssertionError(f"timed out after {timeout} s waiting for {self.exe.name} "
                                     f"to say {line!r} (it said {self.said!r})")
            chunk = os.read(out.fileno(), 4096)
            if not chunk:
                raise AssertionError(f"{self.exe.name} ended without saying {line!r} "
                                     f"(it said {self.said!r})")
            self.said += chunk

    def stop(self, timeout=10):
        if self.running():
            self.process.kill()
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            pass
        if self.process.stdout:
            self.process.stdout.close()


def screen_point(window, control):
    """The screen point at the middle of a control of a window read by the probe."""
    x0, y0 = window["client_origin"]
    left, top, width, height = control["rect"]
    return x0 + left + width // 2, y0 + top + height // 2


def release_mouse_over(point, button):
    """Clicks (press and release) a mouse button at a point, moving there from elsewhere first:
    xdotool's --sync move stalls when the pointer is already at the target."""
    xdotool("mousemove", "--sync", 5, 5)
    xdotool("mousemove", "--sync", *point)
    xdotool("click", button)


def click_control(probe, window, control_id, button=1):
    """Clicks a control of a window; the pointer stays there, so the keyboard goes to it too
    (with no window manager, X focus follows the pointer)."""
    release_mouse_over(screen_point(window, Probe.child(window, control_id)), button)


def placed_main_window(probe):
    """The main window once it is shown where it belongs: centred across the screen, its centre a
    third of the way down, worked out here from the screen's and the window's outer sizes."""
    window = probe.window(MAIN_CLASS)
    if not window or not window["visible"]:
        return None
    screen_width, screen_height = window["screen"]
    left, top, width, height = window["rect"]
    return window if (left, top) == (screen_width // 2 - width // 2,
                                     screen_height // 3 - height // 2) else None


def wait_for_main_window(probe, timeout=60):
    """The main window, shown and placed: clicks aimed before its placement would miss."""
    def seen():
        window = probe.window(MAIN_CLASS)
        return window and f"visible {window['visible']}, rect {window['rect']}"

    return wait_for(lambda: placed_main_window(probe), timeout,
                    what="the main window shown at its place", seen=seen)


def ready_dialog(probe, caption=None):
    """A dialog once it takes input: shown and the active window."""
    dialog = probe.window(OPEN_DIALOG_CLASS, caption)
    return dialog if dialog and dialog["visible"] and dialog["foreground"] else None


def wait_for_dialog(probe, timeout=60, caption=None):
    return wait_for(lambda: ready_dialog(probe, caption=caption), timeout,
                    what=f"the dialog {caption or OPEN_DIALOG_CLASS} ready for input")


def choose_file_in_dialog(probe, path):
    """Types a path into the open dialog's file name box and presses Enter."""
    dialog = wait_for_dialog(probe)
    click_control(probe, dialog, FILE_NAME_BOX)
    type_into_focus(windows_path(path))
    xdotool("key", "Return")


def cancel_dialog(probe):
    click_control(probe, wait_for_dialog(probe), CANCEL_BUTTON)


def type_into_focus(text):
    xdotool("type", "--delay", 30, text)


def windows_path(path):
    """The Wine (Z: drive) form of a Unix path."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


STANDIN_CLASS = "XLMAIN"
WM_CLOSE, WM_APP = 0x0010, 0x8000
MESSAGE_BOX_TEXT, MESSAGE_BOX_OK = 0xFFFF, 2
PUT_BUTTON, FARES_BOX, SHAPES_BOX, STATUS_PANEL = 100, 101, 102, 103


class StandIn:
    """The stand-in spreadsheet application, started with its contract's options."""

    def __init__(self, exe, folder, *options):
        self.folder = Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        self.ready = self.folder / "standin.ready"
        self.log = self.folder / "standin.log"
        self.dump_file = self.folder / "standin.json"
        for f in (self.ready, self.log, self.dump_file):
            f.unlink(missing_ok=True)
        self.program = Program(exe, self.folder, [
            "--ready", windows_path(self.ready), "--log", windows_path(self.log),
            "--dump", windows_path(self.dump_file), *options])

    def wait_ready(self, timeout=60):
        wait_for(self.ready.exists, timeout, what="the stand-in's registration")

    def dump(self, probe, timeout=60):
        """Asks the running stand-in for its workbook and reads it once it is written whole."""
        self.dump_file.unlink(missing_ok=True)
        probe.post(STANDIN_CLASS, WM_APP + 1)
        return wait_for(self.written_dump, timeout, what="the stand-in's dump")

    def written_dump(self):
        try:
            return json.loads(self.dump_file.read_text(encoding="utf-8"))
        except (FileNotFoundError, ValueError):
            return None

    def calls(self):
        return self.log.read_text(encoding="utf-8").splitlines() if self.log.exists() else []

    def wait_for_call(self, member, timeout=60):
        """Waits until the call log shows a call of the member, e.g. "Worksheet.PasteSpecial"."""
        wait_for(lambda: self.count_calls(member), timeout, what=f"a call of {member}")

    def count_calls(self, member):
        return sum(line.startswith(f"Invoke {member} ") for line in self.calls())

    def close(self, probe):
        if self.program.running():
            probe.post(STANDIN_CLASS, WM_CLOSE)
            try:
                self.program.process.wait(20)
            except subprocess.TimeoutExpired:
                pass
        self.program.stop()


class Velmora:
    """The tool itself, started from a folder of its own so that its working folder lies there."""

    def __init__(self, exe, folder, probe):
        self.probe = probe
        self.program = Program(exe, folder)
        self.working_folder = Path(folder) / "GTFS_TEMP"
        wait_for_main_window(probe)

    def main(self):
        return self.probe.window(MAIN_CLASS)

    def control(self, control_id):
        return Probe.child(self.main(), control_id)

    def button_enabled(self):
        """Whether the button takes a click again, as at a run's end. A tool that has ended fails
        with its exit code."""
        window = self.main()
        if window is None:
            if not self.program.running():
                raise AssertionError(f"the tool ended (exit code {self.program.process.poll()})")
            print("the tool runs, but its window was not found", file=sys.stderr)
            return False
        return Probe.child(window, PUT_BUTTON)["enabled"]

    def set_check_boxes(self, checked):
        for box in (FARES_BOX, SHAPES_BOX):
            if self.control(box)["checked"] != checked:
                click_control(self.probe, self.main(), box)
            wait_for(lambda: self.control(box)["checked"] == checked, 60, what="the check box")

    def message_box(self):
        return ready_dialog(self.probe, caption="Velmora")

    def start_run(self, archive):
        """Starts an import run as a person does: releases the mouse over the button and chooses
        the archive in the open dialog."""
        release_mouse_over(screen_point(self.main(), self.control(PUT_BUTTON)), 1)
        choose_file_in_dialog(self.probe, archive)

    def import_feed(self, archive, timeout=600, after_choosing=lambda: None):
        """One import run as a person does it: release the mouse over the button, choose the
        archive, answer each message box with OK. Gives the boxes met, in order, as (seconds
        since the archive was chosen, text)."""
        self.start_run(archive)
        chosen = time.monotonic()
        after_choosing()
        messages = []
        deadline = time.monotonic() + timeout
        while True:
            box = wait_for(lambda: self.message_box() or self.button_enabled(),
                           deadline - time.monotonic(), what="a message box or the run's end")
            if box is True:
                return messages
            messages.append((time.monotonic() - chosen, self.answer(box)))

    def answer(self, box):
        """Presses a message box's OK button; gives the box's text."""
        ok = next(c for c in box["children"] if c and c["class"] == "Button")
        click_control(self.probe, box, ok["id"])
        wait_for(lambda: self.probe.window(OPEN_DIALOG_CLASS, "Velmora") is None, 60,
                 what="the box to close")
        return message_text(box)

    def click_close_box(self):
        """Clicks the close box at the right end of the title bar, whose height and border the
        window's outer rectangle and client origin give."""
        window = self.main()
        left, top, width, _ = window["rect"]
        client_x, client_y = window["client_origin"]
        border = client_x - left
        caption = client_y - top - border
        release_mouse_over((left + width - border - caption // 2, top + border + caption // 2), 1)

    def wait_for_exit(self, timeout):
        """Waits for the process to end, or to show a message box first. Gives its exit code (None
        while it runs) and the box's text (None without a box); a timeout fails."""
        def box_or_end():
            box = self.probe.window(OPEN_DIALOG_CLASS, "Velmora")
            return not self.program.running() or (box if box and box["visible"] else None)

        box = wait_for(box_or_end, timeout, what="the tool's end")
        return self.program.process.poll(), None if box is True else message_text(box)

    def status(self):
        return self.control(STATUS_PANEL)["text"]

    def close(self):
        self.probe.post(MAIN_CLASS, WM_CLOSE)
        try:
            self.program.process.wait(20)
        except subprocess.TimeoutExpired:
            pass
        self.program.stop()


def message_text(box):
    texts = [c["text"] for c in box["children"] if c and c["id"] == MESSAGE_BOX_TEXT]
    return texts[0] if texts else ""


def zip_folder(folder, archive):
    """A feed archive of every file of a folder, deflated, with fixed times."""
    import zipfile
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
        for f in sorted(Path(folder).iterdir()):
            info = zipfile.ZipInfo(f.name, date_time=(2026, 12, 1, 9, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, f.read_bytes())
    return archive


def screenshot(path):
    subprocess.run(["import", "-window", "root", str(path)], check=True, timeout=60)

"""Drives the real Windows programs under Wine as a person would: xdotool moves the pointer and
types, window_probe reads windows back with Win32 calls. Runs inside scripts/with-wine-display
(it re-executes itself there when started alone)."""
import json
import os
import shutil
import subprocess
import sys
import time
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


def wait_for(predicate, timeout, interval=0.2, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)


class Probe:
    def __init__(self, probe_exe):
        self.exe = probe_exe

    def window(self, window_class, caption=None):
        args = ["wine", str(self.exe), window_class] + ([caption] if caption else [])
        out = subprocess.run(args, capture_output=True, timeout=60).stdout.decode("utf-8")
        return json.loads(out) if out.strip() else None

    def post(self, window_class, message):
        args = ["wine", str(self.exe), "--post", str(message), window_class]
        return subprocess.run(args, capture_output=True, timeout=60).returncode == 0

    @staticmethod
    def child(window, control_id):
        return next(c for c in window["children"] if c and c["id"] == control_id)


class Program:
    """A Windows program started from a folder of its own, ended by its PID."""

    def __init__(self, exe, folder, args=()):
        folder = Path(folder)
        folder.mkdir(parents=True, exist_ok=True)
        self.exe = folder / Path(exe).name
        if Path(exe).resolve() != self.exe.resolve():
            shutil.copy2(exe, self.exe)
        self.process = subprocess.Popen(["wine", str(self.exe), *map(str, args)],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def running(self):
        return self.process.poll() is None

    def stop(self, timeout=10):
        if self.running():
            self.process.kill()
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            pass


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


def wait_for_dialog(probe, timeout=30):
    return wait_for(lambda: (lambda d: d if d and d["visible"] else None)(
        probe.window(OPEN_DIALOG_CLASS)), timeout, what="the file dialog")


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

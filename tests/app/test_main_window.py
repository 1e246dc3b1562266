"""The real main window under Wine: its layout read back with Win32 calls, and the button
driven with the mouse and keyboard as a person would."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
import driver  # noqa: E402

ARGS = None

# Control ids of the main window.
PUT, FARES, SHAPES, PANEL, LABEL1, LABEL2 = range(100, 106)
WS_EX_TOPMOST, WS_EX_TOOLWINDOW = 0x8, 0x80
WS_THICKFRAME, WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_TABSTOP = 0x40000, 0x10000, 0x20000, 0x10000


class MainWindowTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.probe = driver.Probe(ARGS.probe)
        cls.folder = tempfile.TemporaryDirectory(prefix="velmora-window-")
        cls.program = driver.Program(ARGS.exe, cls.folder.name)
        cls.window = driver.wait_for_main_window(cls.probe)

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()
        cls.folder.cleanup()

    def main(self):
        return self.probe.window(driver.MAIN_CLASS)

    def test_window_frame_and_placement(self):
        w = self.window
        self.assertEqual(w["text"], "Velmora  Ver.1.01")
        self.assertTrue(w["exstyle"] & WS_EX_TOPMOST)
        self.assertTrue(w["exstyle"] & WS_EX_TOOLWINDOW)
        self.assertFalse(w["style"] & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX))
        self.assertEqual(w["client"][2:], [306, 206])
        self.assertEqual(w["screen"], [1920, 1080])
        left, top, width, height = w["rect"]
        self.assertEqual((left, top), (960 - width // 2, 360 - height // 2))

    def test_controls_as_laid_out(self):
        expected = {
            LABEL1: ("Static", [14, 7, 286, 20], "エクセルを起動してからボタンを押しましょう。"),
            FARES: ("Button", [23, 33, 191, 17], "運賃はシートに読み込まない"),
            SHAPES: ("Button", [23, 51, 191, 17], "Shapesを読み込まない"),
            PUT: ("Button", [23, 73, 260, 52], "GTFS（ZIPファイル）を開く"),
            PANEL: ("Static", [25, 132, 258, 41], "Corvanth"),
            LABEL2: ("Static", [21, 181, 264, 17], "ダブルクォーテーションに囲まれたカンマには未対応"),
        }
        for control_id, (window_class, rect, text) in expected.items():
            with self.subTest(control_id=control_id):
                control = self.probe.child(self.window, control_id)
                self.assertEqual(control["class"], window_class)
                self.assertEqual(control["rect"], rect)
                self.assertEqual(control["text"], text)
                self.assertTrue(control["visible"])
        self.assertTrue(self.probe.child(self.window, FARES)["checked"])
        self.assertTrue(self.probe.child(self.window, SHAPES)["checked"])
        self.assertTrue(self.probe.child(self.window, FARES)["style"] & WS_TABSTOP)
        self.assertFalse(self.probe.child(self.window, PUT)["style"] & WS_TABSTOP)
        # Tab order: the button, the fares box, the panel, the shapes box.
        order = [c["id"] for c in self.window["children"] if c]
        self.assertEqual(order[:4], [PUT, FARES, PANEL, SHAPES])

    def put_button_point(self):
        return driver.screen_point(self.window, self.probe.child(self.window, PUT))

    def test_run_1_right_release_over_the_button_asks_for_the_feed(self):
        driver.release_mouse_over(self.put_button_point(), 3)
        self.cancel_dialog_and_check_finished()

    def test_run_2_left_press_on_the_button_released_outside_also_counts(self):
        driver.xdotool("mousemove", "--sync", 5, 5)
        driver.xdotool("mousemove", "--sync", *self.put_button_point())
        driver.xdotool("mousedown", 1)
        driver.xdotool("mousemove", "--sync", 5, 5)
        driver.xdotool("mouseup", 1)
        self.cancel_dialog_and_check_finished()

    def test_run_3_space_and_enter_start_nothing(self):
        # The left press of the previous test left the focus on the button; the pointer rests
        # on the main window so that the keys go there.
        point = self.put_button_point()
        driver.xdotool("mousemove", "--sync", point[0], point[1] - 60)
        for key in ("space", "Return", "KP_Enter"):
            driver.xdotool("key", key)
        # A click on the fares box queues behind the keys: once the box has changed, the keys
        # have been handled. Had they started a run, its dialog would take the click instead.
        driver.click_control(self.probe, self.main(), FARES)
        driver.wait_for(lambda: self.dialog_open() or not self.probe.child(self.main(), FARES)[
            "checked"], 60, what="the click on the fares box after the keys to be handled")
        self.assertFalse(self.dialog_open())
        self.assertTrue(self.probe.child(self.main(), PUT)["enabled"])
        driver.click_control(self.probe, self.main(), FARES)
        driver.wait_for(lambda: self.probe.child(self.main(), FARES)["checked"], 60,
                        what="the fares box checked again")

    def dialog_open(self):
        return self.probe.window(driver.OPEN_DIALOG_CLASS) is not None

    def cancel_dialog_and_check_finished(self):
        dialog = driver.wait_for_dialog(self.probe)
        self.assertEqual(dialog["text"], "開く")
        main = self.main()
        self.assertFalse(self.probe.child(main, PUT)["enabled"])
        self.assertEqual(self.probe.child(main, PANEL)["text"], "GTFS選択中")
        driver.cancel_dialog(self.probe)
        driver.wait_for(lambda: not self.dialog_open(), 60, what="the dialog to close")
        driver.wait_for(lambda: self.probe.child(self.main(), PUT)["enabled"], 60,
                        what="the button enabled again")
        self.assertEqual(self.probe.child(self.main(), PANEL)["text"], "処理終了")


class MissingStyleTest(unittest.TestCase):
    def test_a_missing_style_is_reported_and_the_tool_runs_with_the_system_look(self):
        probe = driver.Probe(ARGS.probe)
        with tempfile.TemporaryDirectory(prefix="velmora-unstyled-") as folder:
            program = driver.Program(ARGS.unstyled, folder)
            try:
                box = driver.wait_for_dialog(probe, caption="Unstyled")
                texts = [c["text"] for c in box["children"] if c]
                self.assertTrue(any("スタイル 'Aqua Light Slate' が見つかりません" in t
                                    for t in texts), texts)
                self.assertIsNone(probe.window(driver.MAIN_CLASS))
                close = next(c for c in box["children"] if c and c["class"] == "Button")
                driver.click_control(probe, box, close["id"])
                window = driver.wait_for_main_window(probe)
                self.assertEqual(window["client"][2:], [306, 206])
                self.assertEqual(probe.child(window, PANEL)["text"], "Corvanth")
            finally:
                program.stop()


if __name__ == "__main__":
    ARGS, rest = driver.options("--exe", "--probe", "--unstyled")
    driver.run_tests(rest)

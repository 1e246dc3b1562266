"""The release package as a user downloads it: the zip and its checksum, the four files of its
one folder, the guide readable by Notepad, an executable that needs no DLL a bare Windows 10
lacks, and an import of the sample feed by the unpacked executable under Wine."""
import hashlib
import os
import re
import shutil
import subprocess
import sys
import unittest
import zipfile
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests" / "e2e"))
import driver  # noqa: E402
import feeds  # noqa: E402

ARGS = None
# DLLs in System32 of every Windows 10 and 11 installation.
WINDOWS_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
                "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll",
                "user32.dll", "uxtheme.dll", "version.dll"}
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
# DependentLoadFlags: the 16 bits at this offset of the 64-bit load-configuration structure.
DEPENDENT_LOAD_FLAGS_OFFSET = 78
# What the tool can say, word for word: the guide must explain each one.
MESSAGES = [
    "×Excelをコントロールできません。エクセルを起動していないか、タスクのゴミとして何か残って"
    "いる可能性があります。",
    "×Excelをコントロールできません。出力は失敗しました。",
    "次のファイルはシートに貼り付けられませんでした。",
    "スタイル 'Aqua Light Slate' が見つかりません",
    "ストリームからの読み取りエラー", "zip ファイルを読み取る際にエラーが発生しました",
    "Zip セントラル ヘッダーのシグネチャが無効です", "Zip ローカル ヘッダーのシグネチャが無効です",
    "項目が見つかりません", "data error", "パスに無効な文字が含まれています",
    "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません",
    "の CRC32 が一致しません", "を作成できません。", "は開けません。", "ストリームへの書き込みエラー",
    "日付に変換できない値が渡されました", "時刻に変換できない値が渡されました",
    "指定されたパスが長すぎます", "ディスクの空き領域が足りないため",
    "GTFS選択中", "処理を開始", "処理終了",
]


class PackageCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.name = f"Velmora-{ARGS.version}"
        cls.zip = Path(ARGS.folder) / f"{cls.name}-win64.zip"
        cls.unpacked = Path(ARGS.work) / "unpacked"
        shutil.rmtree(ARGS.work, ignore_errors=True)
        cls.unpacked.mkdir(parents=True)
        with zipfile.ZipFile(cls.zip) as z:
            z.extractall(cls.unpacked)
        cls.folder = cls.unpacked / cls.name

    def text(self, name):
        return (self.folder / name).read_bytes()


class PackageFilesTest(PackageCase):
    def test_the_checksum_file_names_the_zip_with_its_sha256(self):
        sums = (Path(ARGS.folder) / "SHA256SUMS.txt").read_text(encoding="ascii")
        digest = hashlib.sha256(self.zip.read_bytes()).hexdigest()
        self.assertEqual(sums, f"{digest}  {self.zip.name}\n")

    def test_one_folder_holds_exactly_the_four_files(self):
        found = sorted(str(p.relative_to(self.unpacked)) for p in self.unpacked.rglob("*"))
        self.assertEqual(found, [self.name] + [f"{self.name}/{n}" for n in (
            "LICENSE.txt", "README.txt", "THIRD-PARTY-NOTICES.txt", "Velmora.exe")])

    def test_text_files_have_windows_line_breaks(self):
        for name in ("README.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt"):
            with self.subTest(file=name):
                data = self.text(name)
                self.assertGreater(data.count(b"\r\n"), 10)
                self.assertEqual(data.count(b"\n"), data.count(b"\r\n"))

    def test_the_guide_is_japanese_utf8_with_a_bom_and_covers_what_users_meet(self):
        data = self.text("README.txt")
        self.assertTrue(data.startswith(b"\xef\xbb\xbf"))
        guide = data[3:].decode("utf-8")
        self.assertNotIn("@", guide)  # every placeholder filled in
        for phrase in ["64 ビット版の Windows 10 または Windows 11", "デスクトップ版の Excel",
                       "GTFS_TEMP", "Program Files", "「許可する」", "「詳細情報」", "「実行」",
                       "1,048,576", "ダブルクォーテーション", "fare_", "shape",
                       f"バージョン: {ARGS.version}", "MIT", "問題の報告", *MESSAGES]:
            with self.subTest(phrase=phrase):
                self.assertIn(phrase, guide)

    def test_licence_and_notices(self):
        licence = self.text("LICENSE.txt").decode("ascii")
        self.assertTrue(licence.startswith("MIT License"))
        self.assertIn("The Velmora authors", licence)
        notices = self.text("THIRD-PARTY-NOTICES.txt").decode("utf-8")
        for phrase in ["Jean-loup Gailly and Mark Adler", "the mingw-w64 project",
                       "mingw-w64-libraries/winpthreads/*", "GCC RUNTIME LIBRARY EXCEPTION",
                       "libstdc++-v3"]:
            with self.subTest(phrase=phrase):
                self.assertIn(phrase, notices)


class ExecutableTest(PackageCase):
    def objdump(self, *options):
        return subprocess.run([ARGS.objdump, *options, str(self.folder / "Velmora.exe")],
                              check=True, capture_output=True, text=True,
                              env={**os.environ, "LC_ALL": "C"}).stdout

    def test_imports_only_dlls_of_every_windows_10(self):
        dlls = {d.lower() for d in re.findall(r"DLL Name: (\S+)", self.objdump("-p"))}
        self.assertIn("kernel32.dll", dlls)
        self.assertEqual(dlls - WINDOWS_DLLS, set())

    def test_libraries_are_searched_for_in_system32_only(self):
        headers = self.objdump("-p")
        kernel32 = re.search(r"DLL Name: KERNEL32\.dll\n(.*?)\n\n", headers, re.S | re.I)
        self.assertIsNotNone(kernel32)
        self.assertRegex(kernel32.group(1), r"\bSetDefaultDllDirectories\b")
        self.assertEqual(self.dependent_load_flags(headers), LOAD_LIBRARY_SEARCH_SYSTEM32)

    def dependent_load_flags(self, headers):
        """Read through the section that holds the load configuration, by objdump's figures."""
        entry = re.search(r"Entry a ([0-9a-f]+) ([0-9a-f]+) Load Configuration", headers)
        self.assertIsNotNone(entry)
        rva, size = (int(v, 16) for v in entry.groups())
        self.assertGreaterEqual(size, DEPENDENT_LOAD_FLAGS_OFFSET + 2)
        address = int(re.search(r"ImageBase\s+([0-9a-f]+)", headers).group(1), 16) + rva
        for length, vma, file_offset in re.findall(
                r"^\s*\d+ \S+\s+([0-9a-f]+)\s+([0-9a-f]+)\s+[0-9a-f]+\s+([0-9a-f]+)",
                self.objdump("-h"), re.M):
            start = address - int(vma, 16)
            if 0 <= start < int(length, 16):
                at = int(file_offset, 16) + start
                data = self.text("Velmora.exe")[at:at + size]
                self.assertEqual(int.from_bytes(data[:4], "little"), size)
                return int.from_bytes(
                    data[DEPENDENT_LOAD_FLAGS_OFFSET:DEPENDENT_LOAD_FLAGS_OFFSET + 2], "little")
        self.fail("no section holds the load configuration")

    def test_it_is_stripped(self):
        self.assertIn("no symbols", self.objdump("-t"))
        self.assertNotIn(".debug", self.objdump("-h"))

    def test_its_version_resource_carries_the_version(self):
        data = self.text("Velmora.exe")
        for key in ("FileVersion", "ProductVersion"):
            with self.subTest(key=key):
                entry = re.search((key + "\0").encode("utf-16-le") + rb"(?:\0\0)*" +
                                  (ARGS.version + "\0").encode("utf-16-le"), data)
                self.assertIsNotNone(entry)


class UnpackedImportTest(PackageCase):
    def test_the_unpacked_executable_imports_the_sample_feed(self):
        work = Path(ARGS.work)
        archive = driver.zip_folder(REPO / "samples" / "minato_bus", work / "minato_bus.zip")
        probe = driver.Probe(ARGS.probe)
        standin = driver.StandIn(ARGS.standin, work / "standin")
        tool = None
        try:
            standin.wait_ready()
            driver.wait_for(lambda: probe.window(driver.STANDIN_CLASS), 30,
                            what="the stand-in's window")
            tool = driver.Velmora(self.folder / "Velmora.exe", self.folder, probe)
            self.assertEqual(tool.import_feed(archive), [])
            self.assertEqual(tool.status(), "処理終了")
            workbook = standin.dump(probe)
        finally:
            if tool:
                tool.close()
            standin.close(probe)
        files = [f for f in feeds.listed_files(archive) if not feeds.is_skipped(f, True, True)]
        self.assertEqual([s["name"] for s in workbook["sheets"]],
                         ["Sheet1"] + [feeds.base_name(f) for f in files])
        for sheet, name in zip(workbook["sheets"][1:], files):
            with self.subTest(file=name):
                self.assertEqual(feeds.trimmed(sheet["cells"]),
                                 feeds.trimmed(feeds.rows_of(feeds.member(archive, name))))
        # The working folder lies beside the unpacked executable.
        self.assertTrue((self.folder / "GTFS_TEMP" / "stops.csv").is_file())


if __name__ == "__main__":
    ARGS, rest = driver.options("--folder", "--version", "--objdump", "--probe", "--standin",
                                "--work")
    # The package is checked whole: a skipped check fails it.
    driver.run_tests(rest, skipped_code=1)

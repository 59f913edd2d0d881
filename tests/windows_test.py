"""The Windows packages under Wine: the program is a GUI program with an
icon and a version, and needs no DLL that is neither Windows' own nor
shipped; the portable program plays and leaves no file beside it; the
installer installs silently with a Start-menu shortcut, the installed
program plays, and the uninstaller removes every file it installed."""
import glob
import os
import re
import subprocess
import tempfile
import unittest

from program import plays
from wait import PATIENCE, until

PACKAGES = os.environ.get("DURUV_WINDOWS_DIR", "")
WINE = os.environ.get("DURUV_WRAPPER", "").split()
PREFIX = os.environ.get("WINEPREFIX", "")
SHIPPED = ["SDL.dll", "duruv.exe", "licence.txt"]
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll", "winmm.dll",
                "opengl32.dll", "glu32.dll", "shell32.dll", "ole32.dll", "version.dll", "imm32.dll"}


def objdump(path):
    return subprocess.run(["x86_64-w64-mingw32-objdump", "-p", path], capture_output=True, text=True,
                          check=True).stdout


def resource_types(path):
    """The numbers of the resource types in a PE file (3 icon, 14 icon group, 16 version)."""
    listing = subprocess.run(["wrestool", "-l", path], capture_output=True, text=True, check=True).stdout
    return {int(t) for t in re.findall(r"--type=(\d+)", listing)}


class WindowsPackages(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        work = tempfile.TemporaryDirectory()
        cls.addClassCleanup(work.cleanup)
        cls.portable = os.path.join(work.name, "portable")
        os.mkdir(cls.portable)
        zip_file, = glob.glob(os.path.join(PACKAGES, "duruv-*-win64.zip"))
        subprocess.run(["cmake", "-E", "tar", "xf", zip_file], cwd=cls.portable, check=True)

    def test_zip_holds_a_gui_program_with_its_icon_and_only_windows_dlls(self):
        self.assertEqual(sorted(os.listdir(self.portable)), SHIPPED)
        exe = os.path.join(self.portable, "duruv.exe")
        self.assertRegex(objdump(exe), r"Subsystem\s+00000002\s+\(Windows GUI\)")
        self.assertLessEqual({3, 14, 16}, resource_types(exe))
        for binary in ("duruv.exe", "SDL.dll"):
            needed = {n.lower() for n in re.findall(r"DLL Name: (\S+)", objdump(os.path.join(self.portable, binary)))}
            self.assertLessEqual(needed - {"sdl.dll"}, WINDOWS_DLLS, binary)

    def test_portable_program_plays_and_leaves_nothing_beside_it(self):
        self.assertTrue(plays(os.path.join(self.portable, "duruv.exe"), wrapper=WINE))
        self.assertEqual(sorted(os.listdir(self.portable)), SHIPPED)

    def test_installer_installs_plays_and_uninstalls(self):
        installer, = glob.glob(os.path.join(PACKAGES, "duruv-*-win64.exe"))
        folder = os.path.join(PREFIX, "drive_c", "Program Files", "Duruv")
        self.assertEqual(subprocess.run(WINE + [installer, "/S"], timeout=PATIENCE).returncode, 0)
        self.assertLessEqual(set(SHIPPED), set(os.listdir(folder)))
        shortcuts = glob.glob(os.path.join(PREFIX, "drive_c", "**", "Start Menu", "Programs", "Duruv", "Duruv.lnk"),
                              recursive=True)
        self.assertEqual(len(shortcuts), 1, "the Start-menu shortcut Duruv")
        self.assertTrue(plays(os.path.join(folder, "duruv.exe"), wrapper=WINE))

        with open(shortcuts[0], "rb") as f:
            self.assertIn(b"Duruv\\duruv.exe", f.read(), "the shortcut's target")

        # The uninstaller copies itself away and returns at once.
        subprocess.run(WINE + [os.path.join(folder, "Uninstall.exe"), "/S"], check=True, timeout=PATIENCE)
        until(lambda: not os.path.exists(folder) and not os.path.exists(shortcuts[0]),
              "the uninstaller removes the program's folder and its shortcut")

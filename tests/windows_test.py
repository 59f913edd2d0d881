"""The Windows packages under Wine: the portable program, its ZIP, and the
installer for the user alone, whose uninstaller removes all it made."""
import glob
import os
import re
import struct
import subprocess
import unittest
import xml.etree.ElementTree as ET

from Xlib import X

from harness import about, files, scene, wine
from harness.display import XServer
from harness.program import Duruv, plays
from harness.wait import PATIENCE, until

PREFIX = os.environ.get("WINEPREFIX", "")
SHIPPED = ["README.txt", "SDL.dll", "duruv.exe", "licence.txt"]
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll", "winmm.dll",
                "opengl32.dll", "glu32.dll", "shell32.dll", "ole32.dll", "version.dll", "imm32.dll"}
APPS_ENTRY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Duruv"
DESKTOP = r"HKCU\Control Panel\Desktop"
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
# Where a Linux desktop keeps menus and icons, which Wine's menu builder
# would fill from the installer's shortcuts.
HOME_MENUS = [os.path.expanduser(p) for p in ("~/.local/share/applications", "~/.config/menus",
                                               "~/.local/share/icons", "~/.local/share/desktop-directories")]


def output(*args):
    return subprocess.run(list(args), capture_output=True, check=True).stdout


def under_wine(*args):
    return subprocess.run(wine.WRAPPER + list(args), capture_output=True, text=True, timeout=PATIENCE)


def registry(key):
    """The values of a registry key as {name: text}, empty if there is none."""
    listing = under_wine("reg", "query", key).stdout
    return {m[0]: m[2] for m in re.findall(r"^ {4}(\S+) {4}(REG_\w+) {4}(.*?)\r?$", listing, re.M)}


def manifest(exe):
    """The manifest in a PE file's resources, parsed, its namespaces dropped."""
    text = re.sub(r' xmlns="[^"]*"', "", output("wrestool", "-x", "--raw", "--type=24", exe).decode())
    return ET.fromstring(text)


def entries_under(*folders):
    return {os.path.join(top, name) for folder in folders for top, dirs, names in os.walk(folder)
            for name in dirs + names}


def rgba(png):
    raw = output("convert", png, "-depth", "8", "rgba:-")
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def icon_sizes(exe, name):
    """The sizes in an icon resource's directory: a count, then 14 bytes an
    image, its width first (0 for 256)."""
    group = output("wrestool", "-x", "--raw", "--type=14", "--name=" + name, exe)
    count, = struct.unpack_from("<H", group, 4)
    return sorted(group[6 + 14 * i] or 256 for i in range(count))


def window_icon(program, size):
    value = list(program.x_window().get_full_property(program.server.conn.intern_atom("_NET_WM_ICON"),
                                                       X.AnyPropertyType).value)
    while value[:2] != [size, size]:
        value = value[2 + value[0] * value[1]:]
    return [(p >> 16 & 255, p >> 8 & 255, p & 255, p >> 24 & 255) for p in value[2:2 + size * size]]


def setUpModule():
    if wine.missing():
        raise unittest.SkipTest(wine.missing())


class WindowsPackages(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.portable, cls.elsewhere = files.folders(cls.addClassCleanup, "portable", "elsewhere")
        files.unpack(wine.ZIPS[0], cls.portable)
        cls.exe = os.path.join(cls.portable, "duruv.exe")

    def test_program_is_a_gui_program_with_icon_manifest_and_only_windows_dlls(self):
        self.assertEqual(sorted(os.listdir(self.portable)), SHIPPED)
        self.assertRegex(output("objdump", "-p", self.exe).decode(),
                         r"Subsystem\s+00000002\s+\(Windows GUI\)")
        for binary in ("duruv.exe", "SDL.dll"):
            needed = re.findall(r"DLL Name: (\S+)", output("objdump", "-p", os.path.join(self.portable, binary)).decode())
            self.assertLessEqual({n.lower() for n in needed} - {"sdl.dll"}, WINDOWS_DLLS, binary)
        self.assertIn(b"--type=16", output("wrestool", "-l", self.exe), "a version resource")
        self.assertEqual(icon_sizes(self.exe, "SDL_APP"), about.ICON_SIZES, "the icon SDL gives its window")
        found = manifest(self.exe)
        self.assertEqual(found.find(".//requestedExecutionLevel").get("level"), "asInvoker")
        self.assertEqual([os.get("Id") for os in found.iter("supportedOS")], [WINDOWS_10_AND_11])
        self.assertEqual(found.find(".//dpiAwareness").text.split(",")[0], "PerMonitorV2")

    def test_readme_tells_the_keys_and_the_removal(self):
        with open(os.path.join(self.portable, "README.txt"), "rb") as f:
            readme = f.read().decode()
        self.assertNotIn("\n", readme.replace("\r\n", ""), "Windows' line ends")
        for words in ["F1", "Escape", "Q, A", "Uninstall.exe", "delete the folder"] + about.PARAGRAPHS:
            self.assertIn(" ".join(words.split()), " ".join(readme.split()))

    def test_portable_program_has_its_icon_and_leaves_no_file_behind(self):
        with XServer(window_manager=True) as xs, Duruv(xs, self.exe, wrapper=wine.WRAPPER, cwd=self.elsewhere) as program:
            program.start_up()
            self.assertEqual(window_icon(program, 16),
                             [p if p[3] else (0, 0, 0, 0) for p in
                              rgba(os.path.join(about.HICOLOR, about.icon(16)))])
            self.assertEqual(program.escape(), 0)
        self.assertEqual(sorted(os.listdir(self.portable)), SHIPPED)
        self.assertEqual(os.listdir(self.elsewhere), [], "files in the folder it was started from")

    def test_window_keeps_its_size_on_the_screen_on_a_display_at_150_percent(self):
        self.assertEqual(under_wine("reg", "add", DESKTOP, "/v", "LogPixels", "/t", "REG_DWORD", "/d", "144", "/f")
                         .returncode, 0)
        wine.restart()
        self.addCleanup(wine.restart)
        self.addCleanup(under_wine, "reg", "delete", DESKTOP, "/v", "LogPixels", "/f")
        with XServer(window_manager=True) as xs, Duruv(xs, self.exe, wrapper=wine.WRAPPER) as program:
            self.assertEqual(scene.scene_fills(program.start_up()), [])
            self.assertEqual(program.geometry(), tuple(side * 3 // 2 for side in scene.WINDOW))
            self.assertEqual(program.escape(), 0)

    def test_without_opengl_a_message_box_says_why_and_what_to_do(self):
        with XServer(window_manager=True, glx=False) as xs, Duruv(xs, self.exe, wrapper=wine.WRAPPER) as program:
            box = program.until(lambda: [w for w in xs.run("xdotool", "search", "--onlyvisible", "--pid",
                                                             str(program.proc.pid), "--name", "^Duruv$",
                                                             check=False).split()
                                         if "%dx%d" % scene.WINDOW not in xs.run("xdotool", "getwindowgeometry", w, check=False)],
                                "a message box")[0]
            line = program.output()[1].decode()
            self.assertRegex(line, r"^Duruv: the display offers no OpenGL window \(WGL\): .+\. "
                                   r"Install or update the graphics driver .+\.\r?\n$")
            self.assertIsNone(program.proc.poll(), "the program waits for the box")
            xs.run("xdotool", "windowactivate", "--sync", box, "key", "Return")
            self.assertEqual(program.wait(), 1)

    def test_installer_installs_for_the_user_and_the_uninstaller_removes_all(self):
        installer = wine.ZIPS[0][:-len("zip")] + "exe"       # the installer beside the ZIP
        users, home = os.path.join(PREFIX, "drive_c", "users"), entries_under(*HOME_MENUS)
        self.assertEqual(manifest(installer).find(".//requestedExecutionLevel").get("level"), "asInvoker")
        version = re.search(r"duruv-(.+)-win64", installer).group(1)
        texts = output("wrestool", "-x", "--raw", "--type=16", installer).decode("utf-16-le", errors="replace")
        self.assertIn("Duruv %s Setup" % version, texts, "the installer's version resource")

        local, = glob.glob(os.path.join(users, "*", "AppData", "Local"))
        os.makedirs(os.path.join(local, "Programs"), exist_ok=True)     # Windows' folder for one user's programs
        before = entries_under(users)
        self.assertEqual(under_wine(installer, "/S").returncode, 0)
        folder = os.path.join(local, "Programs", "Duruv")
        self.assertEqual(sorted(os.listdir(folder)), sorted(SHIPPED + ["Uninstall.exe"]))
        shortcut, = glob.glob(os.path.join(users, "*", "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                           "Programs", "Duruv.lnk"))
        with open(shortcut, "rb") as f:
            self.assertIn(b"Programs\\Duruv\\duruv.exe", f.read(), "the shortcut's target")
        entry, where = registry(APPS_ENTRY), under_wine("winepath", "-w", folder).stdout.strip()
        size = sum(os.path.getsize(os.path.join(folder, name)) for name in os.listdir(folder))
        self.assertEqual(entry, {
            "DisplayName": "Duruv", "DisplayVersion": version,
            "Publisher": about.PUBLISHER, "DisplayIcon": where + "\\duruv.exe,0",
            "InstallLocation": where, "EstimatedSize": "0x%x" % (size // 1024),
            "NoModify": "0x1", "NoRepair": "0x1", "UninstallString": '"%s\\Uninstall.exe"' % where,
            "QuietUninstallString": '"%s\\Uninstall.exe" /S' % where})
        self.assertFalse(glob.glob(os.path.join(PREFIX, "drive_c", "Program Files*", "Duruv")), "Program Files")
        self.assertTrue(plays(os.path.join(folder, "duruv.exe"), wrapper=wine.WRAPPER))

        self.assertEqual(under_wine(os.path.join(folder, "Uninstall.exe"), "/S").returncode, 0)
        self.assertLessEqual(set(os.listdir(folder) if os.path.exists(folder) else []), {"Uninstall.exe"},
                             "what is left when the uninstaller returns")
        self.assertEqual(registry(APPS_ENTRY), {})
        self.assertFalse(os.path.exists(shortcut))
        until(lambda: not os.path.exists(folder), "the uninstaller's own file and its folder go")
        self.assertEqual(entries_under(users) ^ before, set(), "files made and left in the user's folders")
        self.assertEqual(entries_under(*HOME_MENUS), home, "the home's menus and icons")


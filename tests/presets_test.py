"""Each configure preset configures what its name says, with compile commands;
the web one builds the page, the windows one without SDL says what builds it."""
import glob
import os
import re
import subprocess
import unittest

from harness import files

# What each preset's cache or compile commands must show.
CONFIGURED = {"play": r"CMAKE_BUILD_TYPE:\w+=RelWithDebInfo\n", "test": r"DURUV_WERROR:\w+=ON\n",
              "sanitize": r"clang\+\+ .*-fsanitize=address", "deb": r"CMAKE_INSTALL_PREFIX:\w+=/usr\n",
              "windows": r"x86_64-w64-mingw32-g\+\+ ", "web": r"em\+\+ "}
# What the packages' builds fetched or built once, given so that it is not again.
GIVEN = {"web": ("DURUV_WEB_GLU", os.path.join(os.environ.get("DURUV_WEB_DIR", ""), "glu", "upstream", "*")),
         "windows": ("DURUV_WINDOWS_SDL", os.path.join(os.environ.get("DURUV_WINDOWS_DIR", ""), "sdl"))}


def cmake(*args):
    return subprocess.run(["cmake"] + list(args), capture_output=True, text=True)


class Presets(unittest.TestCase):

    def test_each_preset_configures_what_its_name_says(self):
        folders = dict(zip(CONFIGURED, files.folders(self.addCleanup, *CONFIGURED)))
        for preset, shown in CONFIGURED.items():
            with self.subTest(preset):
                name, pattern = GIVEN.get(preset, ("", ""))
                given = ["-D%s=%s" % (name, found) for found in glob.glob(pattern)[:1]]
                if preset == "windows" and not given:
                    continue                    # no SDL for Windows built: checked below
                done = cmake("--preset", preset, "-B", folders[preset], *given)
                self.assertEqual(done.returncode, 0, done.stderr)
                made = "".join(open(os.path.join(folders[preset], name)).read()
                               for name in ("CMakeCache.txt", "compile_commands.json"))
                self.assertTrue(re.search(shown, made), "%s not in the cache or compile commands" % shown)
        with self.subTest("the web preset builds the page"):
            self.assertEqual(cmake("--build", folders["web"], "-j", str(os.cpu_count())).returncode, 0)
            self.assertTrue(os.path.exists(os.path.join(folders["web"], "duruv.js")))
        with self.subTest("the windows preset without SDL for Windows"):
            none = os.path.join(folders["windows"], "none")
            done = cmake("--preset", "windows", "-B", none, "-DDURUV_WINDOWS_SDL=" + none)
            self.assertNotEqual(done.returncode, 0)
            self.assertRegex(re.sub(r"\s+", " ", done.stderr), r"No SDL for Windows .*: \./package\.sh windows builds it")

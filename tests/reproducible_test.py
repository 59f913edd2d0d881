"""Packages anyone can rebuild bit for bit: the source copied to another
folder and packed again, later, under another umask and in a build folder
of another name, gives the same Debian package, and the same Windows ZIP,
as the build of ./test.sh; where not, diffoscope names what differs."""
import glob
import os
import shutil
import subprocess
import tempfile
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PACKAGES = [(os.environ.get("DURUV_PACKAGE_DIR"), "build-again/duruv_*.deb", ["build-again"]),
            (os.environ.get("DURUV_WINDOWS_DIR"), "build-windows/duruv-*-win64.zip", ["windows"])]


class Reproducible(unittest.TestCase):

    def test_a_rebuild_elsewhere_gives_the_same_bytes(self):
        copy = tempfile.mkdtemp(prefix="duruv-rebuild-")
        self.addCleanup(shutil.rmtree, copy)
        git = lambda *args: subprocess.run(["git"] + list(args), cwd=SOURCE, capture_output=True, text=True).stdout
        for name in git("ls-files", "--cached", "--others", "--exclude-standard").splitlines():
            os.makedirs(os.path.dirname(os.path.join(copy, name)), exist_ok=True)
            shutil.copy2(os.path.join(SOURCE, name), os.path.join(copy, name))
        for built, pattern, args in filter(lambda p: p[0], PACKAGES):
            if args == ["windows"]:     # SDL for Windows as built before: it takes minutes
                shutil.copytree(os.path.join(built, "sdl"), os.path.join(copy, "build-windows", "sdl"))
            subprocess.run(["sh", "-c", 'umask 077 && exec ./package.sh "$@"', "-"] + args, cwd=copy, check=True,
                           env=dict(os.environ, SOURCE_DATE_EPOCH=git("log", "-1", "--format=%ct").strip()),
                           stdout=subprocess.DEVNULL)
            first, = glob.glob(os.path.join(built, os.path.basename(pattern)))
            again, = glob.glob(os.path.join(copy, pattern))
            report = subprocess.run(["diffoscope", "--text", "-", first, again], capture_output=True, text=True)
            self.assertEqual(report.returncode, 0, report.stdout[-8000:])

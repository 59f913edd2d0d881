"""Packages anyone can rebuild bit for bit: the source copied as from a
tarball, packed again elsewhere, later, under another umask, gives the same
bytes as ./test.sh's build (diffoscope names what differs). Only SDL for
Windows and GLU's source come along."""
import fnmatch
import glob
import os
import shutil
import subprocess
import unittest

from harness import files

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Where the first build is, what the rebuild makes, ./package.sh's arguments,
# and the folder of the first build that comes along (built or fetched once).
PACKAGES = [(os.environ.get("DURUV_PACKAGE_DIR", ""), "build-again/duruv_*.deb", ["deb", "build-again"], None),
            (os.environ.get("DURUV_WINDOWS_DIR", ""), "build-windows/duruv-*-win64.*", ["windows"], "sdl"),
            (os.environ.get("DURUV_WEB_DIR", ""), "build-web/duruv-*-web.zip", ["web"], "glu")]


with open(os.path.join(SOURCE, ".gitignore")) as f:
    IGNORED = [line.strip() for line in f if line.strip() and not line.startswith("#")]


def outside_the_source(folder, names):
    """For copytree: .git and what .gitignore names."""
    return {name for name in names if name == ".git" or any(
        fnmatch.fnmatch(name, p.strip("/")) and (not p.endswith("/") or os.path.isdir(os.path.join(folder, name)))
        for p in IGNORED)}


class Reproducible(unittest.TestCase):

    def test_a_rebuild_elsewhere_gives_the_same_bytes(self):
        unbuilt = [args[0] for built, pattern, args, _ in PACKAGES
                   if not glob.glob(os.path.join(built, os.path.basename(pattern)))]
        if unbuilt:
            self.skipTest("missing: the packages of " + ", ".join("./package.sh " + kind for kind in unbuilt))
        copy, = files.folders(self.addCleanup, "source")
        shutil.copytree(SOURCE, copy, ignore=outside_the_source, symlinks=True, dirs_exist_ok=True)
        for built, pattern, args, kept in PACKAGES:
            if kept:
                along = os.path.join(copy, os.path.dirname(pattern), kept)
                shutil.copytree(os.path.join(built, kept), along, symlinks=True)
                for pc in glob.glob(os.path.join(along, "lib", "pkgconfig", "*.pc")):
                    with open(pc) as f:
                        self.assertNotIn(os.path.realpath(built), f.read(),
                                         "the build finds %s through %s" % (kept, pc))
            subprocess.run(["sh", "-c", 'umask 077 && exec ./package.sh "$@"', "-"] + args, cwd=copy, check=True,
                           stdout=subprocess.DEVNULL)
            made = sorted(glob.glob(os.path.join(copy, pattern)))
            self.assertTrue(made, pattern)
            for again in made:
                first = os.path.join(built, os.path.basename(again))
                report = subprocess.run(["diffoscope", "--text", "-", first, again], capture_output=True, text=True)
                self.assertEqual(report.returncode, 0, report.stdout[-8000:])

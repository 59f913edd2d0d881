"""Packages anyone can rebuild bit for bit: the source copied to another
folder and packed again, later and under another umask, gives the same
Debian package, and the same Windows ZIP, as the build of ./test.sh."""
import glob
import hashlib
import os
import shutil
import subprocess
import tarfile
import tempfile
import unittest
import zipfile

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILDS = {"Debian package": (os.environ.get("DURUV_PACKAGE_DIR"), "duruv_*.deb", []),
          "Windows ZIP": (os.environ.get("DURUV_WINDOWS_DIR"), "duruv-*-win64.zip", ["windows"])}


def members(path):
    """Each member of a package with its mode, time and a digest of its bytes."""
    def entry(mode, time, data):
        return mode, time, hashlib.sha256(data or b"").hexdigest()
    if path.endswith(".zip"):
        with zipfile.ZipFile(path) as z:
            return {i.filename: entry(i.external_attr, i.date_time, z.read(i)) for i in z.infolist()}
    found = {}
    for part in ("control", "fsys"):
        data = subprocess.run(["dpkg-deb", "--%s-tarfile" % part, path], capture_output=True, check=True).stdout
        with tarfile.open(fileobj=__import__("io").BytesIO(data)) as t:
            found.update({part + ":" + m.name: entry(m.mode, m.mtime, t.extractfile(m).read() if m.isfile() else b"")
                          for m in t.getmembers()})
    return found


def differences(a, b):
    """diffoscope's report where it is installed, else the members that differ."""
    if shutil.which("diffoscope"):
        return subprocess.run(["diffoscope", "--text", "-", a, b], capture_output=True, text=True).stdout[-8000:]
    ma, mb = members(a), members(b)
    return "members that differ: " + ", ".join(sorted(n for n in set(ma) | set(mb) if ma.get(n) != mb.get(n)))


class Reproducible(unittest.TestCase):

    def test_a_rebuild_elsewhere_gives_the_same_bytes(self):
        work = tempfile.TemporaryDirectory(prefix="duruv-rebuild-")
        self.addCleanup(work.cleanup)
        copy = os.path.join(work.name, "source")
        listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                                cwd=SOURCE, capture_output=True, check=True).stdout.decode().split("\0")
        for name in filter(None, listed):
            os.makedirs(os.path.dirname(os.path.join(copy, name)), exist_ok=True)
            shutil.copy2(os.path.join(SOURCE, name), os.path.join(copy, name))
        epoch = subprocess.run(["git", "log", "-1", "--format=%ct"], cwd=SOURCE, capture_output=True,
                               text=True, check=True).stdout.strip()
        for what, (built, pattern, args) in BUILDS.items():
            if not built:
                continue
            with self.subTest(what):
                if args == ["windows"]:     # SDL for Windows as built before: it takes minutes
                    shutil.copytree(os.path.join(built, "sdl"), os.path.join(copy, "build-windows", "sdl"))
                subprocess.run(["sh", "-c", 'umask 077 && exec ./package.sh "$@"', "-"] + args, cwd=copy,
                               env=dict(os.environ, SOURCE_DATE_EPOCH=epoch), stdout=subprocess.DEVNULL, check=True)
                first, = glob.glob(os.path.join(built, pattern))
                again, = glob.glob(os.path.join(copy, "build-windows" if args else "build-package", pattern))
                with open(first, "rb") as f, open(again, "rb") as g:
                    if f.read() != g.read():
                        self.fail("%s differs from %s:\n%s" % (again, first, differences(first, again)))

"""What installs: the staged files, the validators' verdicts, the Debian
package (lintian, dependencies, the unpacked binary), and that each text
says what data/about.txt says, as README.md's keys do."""
import glob
import os
import re
import subprocess
import sys
import time
import unittest
from xml.etree import ElementTree

from harness import about, files
from harness.display import XServer
from harness.program import Duruv

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD, PACKAGES = os.environ.get("DURUV_BUILD"), os.environ.get("DURUV_PACKAGE_DIR")

SHARED = ["share/applications/%s.desktop" % about.ID, "share/metainfo/%s.metainfo.xml" % about.ID,
          "share/man/man6/duruv.6.gz", "share/doc/duruv/copyright", "share/doc/duruv/changelog.gz"] + \
         ["share/icons/hicolor/" + about.icon(size) for size in about.ICON_SIZES]


def run(*args):
    done = subprocess.run(list(args), capture_output=True, text=True)
    return done.returncode, done.stdout, done.stderr


def appstream_findings(metainfo):
    """Status, version, report and findings above pedantic as (tag, hint)."""
    version = run("appstreamcli", "--version")[1].split()[-1]
    status, out, _ = run("appstreamcli", "validate", "--no-net", "--format=yaml", metainfo)
    findings = set()
    for issue in re.split(r'\n\s*-? *"?tag"?:', out)[1:]:
        field = lambda name: re.search(r'"?%s"?: *"?([^"\n]*)' % name, issue)
        tag = re.match(r' *"?([\w-]+)', issue).group(1)
        hint = field("hint")
        if field("severity").group(1) != "pedantic":
            findings.add((tag, hint.group(1) if hint else None))
    return status, version, findings, out


def words(text):
    """A text's words, one space between them: what a reader sees of it."""
    return " ".join(text.split())


def files_under(root):
    return sorted(os.path.relpath(os.path.join(d, f), root) for d, _, names in os.walk(root) for f in names)


class Install(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        debs = glob.glob(os.path.join(PACKAGES, "duruv_*.deb"))
        if not debs:
            raise unittest.SkipTest("missing: the Debian package (./package.sh deb builds it)")
        cls.deb = debs[0]
        cls.stage, cls.unpacked = files.folders(cls.addClassCleanup, "stage", "unpacked")
        subprocess.run(["cmake", "--install", BUILD, "--prefix", cls.stage], stdout=subprocess.DEVNULL, check=True)
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.unpacked], check=True)

    def test_installs_exactly_the_program_and_its_data(self):
        self.assertEqual(files_under(self.stage), sorted(["bin/duruv"] + SHARED))
        self.assertEqual(files_under(self.unpacked), sorted(["usr/games/duruv"] + ["usr/" + f for f in SHARED]))
        # The unpacked binary plays, in a window of the class that the desktop
        # entry names, so that desktops match the two.
        with open(os.path.join(self.unpacked, "usr", SHARED[0])) as f:
            entry = re.search(r"^StartupWMClass=(.*)$", f.read(), re.M).group(1)
        with XServer(window_manager=True) as xs, Duruv(xs, os.path.join(self.unpacked, "usr", "games", "duruv")) as program:
            program.start_up()
            self.assertEqual(program.x_window().get_wm_class()[1], entry)
            self.assertEqual(program.escape(), 0)

    def test_validators_find_nothing_to_mend(self):
        desktop, metainfo, manual = (os.path.join(self.stage, f) for f in SHARED[:3])
        self.assertEqual(run("desktop-file-validate", desktop), (0, "", ""))
        # The project has no home page yet, which AppStream 1.x warns of;
        # AppStream 0.16 does not know the <developer> element of 1.x.
        status, version, findings, out = appstream_findings(metainfo)
        if version.startswith("0."):
            self.assertEqual((status, findings), (0, {("unknown-tag", "developer")}), out)
        else:
            self.assertEqual(findings, {("url-homepage-missing", None)}, out)
        status, _, errors = run("man", "--warnings", "-l", manual)
        self.assertEqual((status, errors), (0, ""))

    def test_package_passes_lintian_and_names_its_libraries(self):
        status, out, _ = run("lintian", "--fail-on", "error", self.deb)
        sys.stderr.write("lintian: %s\n" % (out.strip() or "no tags"))
        self.assertEqual(status, 0, out)
        control = run("dpkg-deb", "-f", self.deb, "Depends", "Version")[1]
        fields = dict(line.split(": ", 1) for line in control.splitlines())
        self.assertRegex(fields["Depends"], r"\blibsdl1\.2debian\b")
        self.assertRegex(fields["Depends"], r"\blibglu1")
        # The changelog's top entry is written by hand: its version and date
        # must be the ones CMake gives the package and the AppStream data.
        with open(os.path.join(SOURCE, "data", "changelog")) as f:
            entry = f.read()
        self.assertEqual(entry.split()[1], "(%s)" % fields["Version"])
        with open(os.path.join(self.stage, SHARED[1])) as f:
            released = re.search(r'<release version="[^"]*" date="([^"]*)"', f.read()).group(1)
        signed = re.search(r"^ -- .*  \w{3}, (\d{2} \w{3} \d{4})", entry, re.M).group(1)
        self.assertEqual(time.strftime("%Y-%m-%d", time.strptime(signed, "%d %b %Y")), released)

    def test_each_text_for_users_says_what_data_about_says(self):
        summary, paragraphs, keys = about.SUMMARY, about.PARAGRAPHS, about.KEYS
        with open(os.path.join(SOURCE, "README.md")) as f:
            readme = f.read()
        table = re.search(r"^## Keys\n\n\| key \| action \|\n\|---\|---\|\n((?:\|.*\n)+)", readme, re.M).group(1)
        self.assertEqual([tuple(cell.strip() for cell in row.strip("|").split("|")) for row in table.splitlines()],
                         [(k, action) for k, _, action in keys], "README.md's key table")
        for _, buttons, _ in keys:
            for button in buttons:
                self.assertIn('"%s"' % button, readme)

        desktop, metainfo, manual = (os.path.join(self.stage, f) for f in SHARED[:3])
        with open(desktop) as f:
            self.assertIn("\nComment=%s\n" % summary, f.read())
        component = ElementTree.parse(metainfo).getroot()
        self.assertEqual(component.findtext("summary"), summary)
        self.assertEqual([words(p.text) for p in component.iter("p")], [words(p) for p in paragraphs] + ["Keys:"])
        self.assertEqual([li.text for li in component.iter("li")], ["%s: %s" % (k, action) for k, _, action in keys])
        page = subprocess.run(["man", "-l", manual], capture_output=True, text=True, env=dict(os.environ, MANWIDTH="1000"),
                              check=True).stdout
        self.assertIn("duruv - %s\n" % summary, page)
        self.assertIn(" ".join(words(p) for p in paragraphs), words(re.search(r"^DESCRIPTION\n(.*?)^\S", page, re.M | re.S).group(1)))
        self.assertEqual(words(re.search(r"^KEYS\n(.*?)^\S", page, re.M | re.S).group(1)),
                         " ".join("%s %s%s." % (k, action[0].upper(), action[1:]) for k, _, action in keys))
        self.assertEqual(run("dpkg-deb", "-f", self.deb, "Description")[1],
                         summary + "\n" + "\n .\n".join("\n".join(" " + line for line in p.splitlines())
                                                      for p in paragraphs) + "\n")

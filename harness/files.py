"""The packages' files as their users get them, and the folders the tests
put them in."""
import os
import shutil
import subprocess
import tempfile


def folders(cleanup, *names):
    """New folders of these names in a temporary folder, which `cleanup`
    (a test's addCleanup, or its class's addClassCleanup) removes."""
    work = tempfile.mkdtemp(prefix="duruv-")
    cleanup(shutil.rmtree, work)
    made = [os.path.join(work, name) for name in names]
    for folder in made:
        os.mkdir(folder)
    return made


def unpack(zip_file, folder):
    """Unpacks a ZIP into the folder, with the same tool on every system the
    build runs on."""
    subprocess.run(["cmake", "-E", "tar", "xf", os.path.abspath(zip_file)], cwd=folder, check=True)

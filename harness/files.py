"""The packages' files as their users get them, in the tests' folders."""
import os
import shutil
import subprocess
import tempfile


def folders(cleanup, *names):
    """New folders in a temporary one that `cleanup` removes."""
    work = tempfile.mkdtemp(prefix="duruv-")
    cleanup(shutil.rmtree, work)
    made = [os.path.join(work, name) for name in names]
    for folder in made:
        os.mkdir(folder)
    return made


def unpack(zip_file, folder):
    """Unpacks a ZIP with the same tool on every system the build runs on."""
    subprocess.run(["cmake", "-E", "tar", "xf", os.path.abspath(zip_file)], cwd=folder, check=True)

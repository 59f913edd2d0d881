"""The packages' files as their users get them."""
import os
import subprocess


def unpack(zip_file, folder):
    """Unpacks a ZIP into the folder, with the same tool on every system the
    build runs on."""
    subprocess.run(["cmake", "-E", "tar", "xf", os.path.abspath(zip_file)], cwd=folder, check=True)

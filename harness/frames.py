"""The frames of a native program, as the frame shim preloaded into it
(tests/blackbox/frame_shim.cpp) counts them in a file it shares with the
test."""
import mmap
import os
import struct
import tempfile


class FrameCounter:
    """The shared file: the frames drawn, the frame after which the program
    stops itself, and the times of the first swap and of the last."""
    LAYOUT = struct.Struct("=4q")

    def __init__(self, shim, env, stop_after):
        """Makes the file, asking for a stop after frame `stop_after`, and
        preloads the shim through `env` (after what it preloads already)."""
        with tempfile.NamedTemporaryFile(prefix="duruv-frames-", delete=False) as f:
            f.write(self.LAYOUT.pack(0, stop_after, 0, 0))
            self.path = f.name
        with open(self.path, "r+b") as f:
            self.map = mmap.mmap(f.fileno(), self.LAYOUT.size)
        env["LD_PRELOAD"] = " ".join(filter(None, [env.get("LD_PRELOAD"), shim]))
        env["DURUV_FRAMES"] = self.path

    def read(self):
        """Frames drawn, the stop asked for, first and last swap (ns)."""
        return self.LAYOUT.unpack_from(self.map)

    def stop_after(self, frame):
        self.map[8:16] = struct.pack("=q", frame)

    def close(self):
        self.map.close()
        os.remove(self.path)

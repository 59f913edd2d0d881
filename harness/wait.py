"""The one wait of the tests and tools, its deadline generous enough that a
busy machine ends it on the state, not on the clock."""
import time

PATIENCE = 300              # seconds a wait may take unless a caller says otherwise
POLL = 0.02                 # seconds between looks


def until(predicate, what, timeout=PATIENCE, alive=None):
    """predicate()'s first true value; alive() raises once none can come."""
    deadline = time.monotonic() + timeout
    while True:
        found = predicate()
        if found:
            return found
        if alive is not None:
            alive()
        if time.monotonic() > deadline:
            raise TimeoutError("%s: not within %g s" % (what, timeout))
        time.sleep(POLL)


def steadily(predicate, seconds):
    """A predicate that holds once `predicate` has held for `seconds` on end:
    for states that a window manager may still undo."""
    since = []

    def held():
        if not predicate():
            since.clear()
            return False
        since[:] = since or [time.monotonic()]
        return time.monotonic() - since[0] >= seconds
    return held

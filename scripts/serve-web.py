"""Serves the web Duruv's folder on http://127.0.0.1:8000/, or the next free
port, says where, and stops cleanly on Ctrl+C:

    python3 scripts/serve-web.py FOLDER"""
import functools
import http.server
import sys

FIRST_PORT = 8000


class Quiet(http.server.SimpleHTTPRequestHandler):
    """Serves files and writes no line per request."""

    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(Quiet, directory=folder)
    for port in range(FIRST_PORT, FIRST_PORT + 100):
        try:
            server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
            break
        except OSError:         # taken
            continue
    else:
        sys.exit("serve-web.py: no free port from %d to %d" % (FIRST_PORT, FIRST_PORT + 99))
    print("Duruv plays at http://127.0.0.1:%d/ (Ctrl+C stops the server)" % port, flush=True)
    with server:
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            print()
    return 0


if __name__ == "__main__":
    sys.exit(serve(sys.argv[1]))

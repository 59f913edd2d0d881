"""Serves a folder on 127.0.0.1 quietly, for the browser tests and for
`./run.sh web` (port 8000 or the next free one): python3 -m harness.serve FOLDER"""
import functools
import http.server
import sys

FIRST_PORT = 8000


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def server(folder, port=0):
    """A server of the folder (port 0: any free one), not yet serving."""
    return http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Quiet, directory=folder))


def serve(folder):
    for port in range(FIRST_PORT, FIRST_PORT + 100):
        try:
            httpd = server(folder, port)
            break
        except OSError:         # taken
            continue
    else:
        sys.exit("serve.py: no free port from %d to %d" % (FIRST_PORT, FIRST_PORT + 99))
    print("Duruv plays at http://127.0.0.1:%d/ (Ctrl+C stops the server)" % port, flush=True)
    with httpd:
        try:
            httpd.serve_forever()
        except KeyboardInterrupt:
            print()
    return 0


if __name__ == "__main__":
    sys.exit(serve(sys.argv[1]))

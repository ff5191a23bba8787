#!/usr/bin/env python3
"""Serves a folder over plain HTTP on a free loopback port; prints the port, then serves until killed."""
import functools
import http.server
import sys


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, format, *args):
        pass


handler = functools.partial(Quiet, directory=sys.argv[1])
with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
    print(server.server_address[1], flush=True)
    server.serve_forever()

#!/usr/bin/env python3
"""Serves a folder on a free loopback port: pages_server.py FOLDER [CERT KEY], over HTTPS with the
certificate and key when given, else over plain HTTP; prints the port, then serves until killed or
until the test that started it is gone."""
import functools
import http.server
import os
import ssl
import sys
import threading


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, format, *args):
        pass


def end_with_parent():
    """The test holds our standard input open; when it ends, however it ends, so do we."""
    sys.stdin.read()
    os._exit(0)


threading.Thread(target=end_with_parent, daemon=True).start()
handler = functools.partial(Quiet, directory=sys.argv[1])
with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
    if len(sys.argv) > 3:
        tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        tls.load_cert_chain(sys.argv[2], sys.argv[3])
        server.socket = tls.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()

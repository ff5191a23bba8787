#!/usr/bin/python3
"""HTTPS server for tests: https_server.py ROOT CERT KEY; prints its loopback port, then serves the
files of ROOT. A file NAME.mode beside a served file changes how it is sent: "nolength" (no
Content-Length, the end told by closing), "cut" (half the bytes, then the connection closes),
"stall" (half the bytes, then nothing), "silent" (no answer at all), "endless" (the file's bytes
over and over, announced as 100 MiB, until the client hangs up), "nohead" (HEAD refused with 405) or
an HTTP status such as "500". The content type follows the file's extension."""
import http.server
import mimetypes
import os
import ssl
import sys
import time
import urllib.parse

root, cert, key = sys.argv[1:4]


class Handler(http.server.BaseHTTPRequestHandler):
    def do_HEAD(self):
        self.do_GET(head=True)

    def do_GET(self, head=False):
        path = os.path.join(root, urllib.parse.unquote(self.path).lstrip("/"))
        if not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, "rb") as f:
            body = f.read()
        mode = ""
        if os.path.exists(path + ".mode"):
            with open(path + ".mode") as f:
                mode = f.read().strip()
        if mode == "silent":
            time.sleep(3600)
            return
        if mode.isdigit() or (head and mode == "nohead"):
            self.send_error(405 if mode == "nohead" else int(mode))
            return
        if mode == "endless":
            self.send_response(200)
            self.send_header("Content-Length", str(100 * 1024 * 1024))
            self.end_headers()
            chunk = (body or b"6") * (65536 // max(1, len(body)))
            try:
                while True:
                    self.wfile.write(chunk)
            except OSError:
                return
        self.send_response(200)
        self.send_header("Content-Type", mimetypes.guess_type(path)[0] or "application/octet-stream")
        if mode != "nolength":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if head:
            return
        if mode in ("cut", "stall"):
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            if mode == "stall":
                time.sleep(3600)
            return
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
tls.load_cert_chain(cert, key)
server.socket = tls.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()

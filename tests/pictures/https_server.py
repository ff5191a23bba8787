#!/usr/bin/python3
"""HTTPS server for tests: https_server.py ROOT CERT KEY; prints its loopback port, then serves the
files of ROOT. A file NAME.mode beside a served file changes how it is sent: "nolength" (no
Content-Length, the end told by closing), "cut" (half the bytes, then the connection closes),
"stall" (half the bytes, then nothing), "silent" (no answer at all), "endless" (the file's bytes
over and over, announced as 100 MiB, until the client hangs up) or an HTTP status such as "500"."""
import http.server
import os
import ssl
import sys
import time

root, cert, key = sys.argv[1:4]


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        path = os.path.join(root, self.path.lstrip("/"))
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
        if mode.isdigit():
            self.send_error(int(mode))
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
        if mode != "nolength":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
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

#!/usr/bin/env python3
"""Serves a folder on a free loopback port: pages_server.py FOLDER [CERTS]. With CERTS, a folder,
it serves over HTTPS with a certificate for eBay's sign-in host and 127.0.0.1 that a test authority
signed, made there by openssl unless it is there already. Prints the port (and, with CERTS, the
base64 SHA-256 of the certificate's key), then serves until killed or until the test that started
it is gone."""
import base64
import functools
import hashlib
import http.server
import os
import ssl
import subprocess
import sys
import threading


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, format, *args):
        pass


def end_with_parent():
    """The test holds our standard input open; when it ends, however it ends, so do we."""
    sys.stdin.read()
    os._exit(0)


def certificate(folder):
    """The server's certificate and key in folder, and its key's SHA-256 as Chromium names it."""
    cert, key = os.path.join(folder, "server.pem"), os.path.join(folder, "server.key")
    if not os.path.exists(cert):
        new = ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
               "-nodes", "-days", "2"]
        ca, ca_key = os.path.join(folder, "ca.pem"), os.path.join(folder, "ca.key")
        subprocess.run(new + ["-subj", "/CN=test authority", "-addext", "basicConstraints=critical,CA:TRUE",
                              "-addext", "keyUsage=critical,keyCertSign", "-keyout", ca_key, "-out", ca],
                       check=True, capture_output=True)
        subprocess.run(new + ["-subj", "/CN=signin.ebay.com", "-addext",
                              "subjectAltName=DNS:signin.ebay.com,IP:127.0.0.1", "-CA", ca, "-CAkey", ca_key,
                              "-keyout", key, "-out", cert], check=True, capture_output=True)
    spki = subprocess.run(["openssl", "pkey", "-in", key, "-pubout", "-outform", "DER"], check=True,
                          capture_output=True).stdout
    return cert, key, base64.b64encode(hashlib.sha256(spki).digest()).decode()


threading.Thread(target=end_with_parent, daemon=True).start()
handler = functools.partial(Quiet, directory=sys.argv[1])
with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
    line = str(server.server_address[1])
    if len(sys.argv) > 2:
        cert, key, spki = certificate(sys.argv[2])
        tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        tls.load_cert_chain(cert, key)
        server.socket = tls.wrap_socket(server.socket, server_side=True)
        line += " " + spki
    print(line, flush=True)
    server.serve_forever()

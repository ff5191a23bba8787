#!/usr/bin/python3
"""Plain FTP server for tests and benchmarks: one user (password on standard input) whose login
folder is ROOT, on a free loopback port that it prints. READ_LIMIT, when given, slows each upload
after its first second to that many bytes a second, with a small receive buffer so the sender
feels it."""
import logging
import socket
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


class SlowDTPHandler(ThrottledDTPHandler):
    def __init__(self, sock, cmd_channel):
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 65536)
        super().__init__(sock, cmd_channel)


root, user = sys.argv[1], sys.argv[2]
logging.basicConfig(level=logging.ERROR)
authorizer = DummyAuthorizer()
authorizer.add_user(user, sys.stdin.readline().rstrip("\n"), root, perm="elradfmwMT")
FTPHandler.authorizer = authorizer
FTPHandler.auth_failed_timeout = 0
if len(sys.argv) > 3:
    SlowDTPHandler.read_limit = int(sys.argv[3])
    FTPHandler.dtp_handler = SlowDTPHandler
server = FTPServer(("127.0.0.1", 0), FTPHandler)
print(server.address[1], flush=True)
server.serve_forever()

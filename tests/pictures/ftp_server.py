#!/usr/bin/python3
"""FTP server for tests and benchmarks: ftp_server.py ROOT USER [READ_LIMIT], the password on
standard input; prints its loopback port. READ_LIMIT > 0 slows uploads to that many bytes a second
once the first second's worth has passed, all transfers together as over one line, with a receive
buffer small enough for the sender to feel it;
READ_LIMIT < 0 fails every upload as its data arrives, leaving the empty file it opened."""
import logging
import socket
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


class SlowDTPHandler(ThrottledDTPHandler):
    # The line's count goes on from one file to the next.
    line_count = 0
    line_next = 0

    def __init__(self, sock, cmd_channel):
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 65536)
        super().__init__(sock, cmd_channel)

    def _throttle_bandwidth(self, len_chunk, max_speed):
        self._datacount, self._timenext = SlowDTPHandler.line_count, SlowDTPHandler.line_next
        super()._throttle_bandwidth(len_chunk, max_speed)
        SlowDTPHandler.line_count, SlowDTPHandler.line_next = self._datacount, self._timenext


class BrokenDTPHandler(DTPHandler):
    def enable_receiving(self, type, cmd):
        super().enable_receiving(type, cmd)
        self._resp = ("451 Local error: the disk broke.", logging.debug)
        self.close()


logging.basicConfig(level=logging.ERROR)
authorizer = DummyAuthorizer()
authorizer.add_user(sys.argv[2], sys.stdin.readline().rstrip("\n"), sys.argv[1], perm="elradfmwMT")
FTPHandler.authorizer = authorizer
FTPHandler.auth_failed_timeout = 0
if len(sys.argv) > 3 and int(sys.argv[3]) > 0:
    SlowDTPHandler.read_limit = int(sys.argv[3])
    FTPHandler.dtp_handler = SlowDTPHandler
elif len(sys.argv) > 3 and int(sys.argv[3]) < 0:
    FTPHandler.dtp_handler = BrokenDTPHandler
server = FTPServer(("127.0.0.1", 0), FTPHandler)
print(server.address[1], flush=True)
server.serve_forever()

"""An FTP server for the version check's tests (pyftpdlib).

Serves ROOT read-only to USER/PASSWORD on 127.0.0.1 and a free port. Prints
"port N" once it listens, then "connect P" for every connection it accepts,
P being the client's port, before it greets that client.

usage: version_server.py ROOT USER PASSWORD
"""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class Handler(FTPHandler):
    auth_failed_timeout = 0  # answer a wrong password at once

    def on_connect(self):
        print("connect", self.remote_port, flush=True)


def main():
    root, user, password = sys.argv[1:4]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elr")
    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("port", server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

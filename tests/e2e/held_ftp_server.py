"""An FTP server for the version check's end-to-end scenario that holds its
greeting back until told to go on, so that the program waits in its exchange
as long as the scenario needs.

    held_ftp_server.py FOLDER

Listens on 127.0.0.1:21 and serves one control connection. FOLDER holds
version.dll, the list it serves; the server writes FOLDER/connected when the
program has connected and sends its greeting once FOLDER/go exists (or after
30 s). It answers USER, PASS, TYPE, SYST, PORT and RETR as the exchange needs.
"""

import os
import socket
import sys
import time


def main(folder):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 21))
    listener.listen(1)
    control, _ = listener.accept()
    open(os.path.join(folder, "connected"), "w").close()
    deadline = time.monotonic() + 30
    while not os.path.exists(os.path.join(folder, "go")) and time.monotonic() < deadline:
        time.sleep(0.05)

    def reply(text):
        control.sendall(text.encode() + b"\r\n")

    reply("220 Kelmora e2e")
    data_address = None
    for raw in control.makefile("rb"):
        command = raw.decode("latin-1").strip()
        verb, _, argument = command.partition(" ")
        verb = verb.upper()
        if verb == "USER":
            reply("331 Password required.")
        elif verb == "PASS":
            reply("230 Logged in.")
        elif verb == "TYPE":
            reply("200 Type set.")
        elif verb == "SYST":
            reply("215 UNIX Type: L8")
        elif verb == "PORT":
            n = [int(p) for p in argument.split(",")]
            data_address = ("%d.%d.%d.%d" % tuple(n[:4]), n[4] * 256 + n[5])
            reply("200 PORT ok.")
        elif verb == "RETR" and data_address:
            reply("150 Opening.")
            with socket.create_connection(data_address) as data, \
                    open(os.path.join(folder, "version.dll"), "rb") as f:
                data.sendall(f.read())
            reply("226 Done.")
        else:
            reply("502 Not implemented.")


if __name__ == "__main__":
    main(sys.argv[1])

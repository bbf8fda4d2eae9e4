#!/usr/bin/python3
"""A real SMTP server (aiosmtpd) on loopback for the mail tests and benchmarks.

Usage: smtp_sink.py FOLDER
Prints "PORT <n>" when it listens on 127.0.0.1:<n>. Every message received is stored as
FOLDER/mailNNN.eml (the data as the server un-stuffed it) and FOLDER/mailNNN.json (envelope);
the .json file appears last, so its presence means the message is complete.
Stops when its standard input is closed. Exits 3 when aiosmtpd is not installed.
"""
import json
import os
import socket
import sys

try:
    from aiosmtpd.controller import Controller
except ImportError:
    print("aiosmtpd missing", flush=True)
    sys.exit(3)


class Store:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.folder, "mail%03d" % self.count)
        content = envelope.content
        if isinstance(content, str):
            content = content.encode("utf-8", "surrogateescape")
        with open(base + ".eml", "wb") as f:
            f.write(content)
        with open(base + ".json.tmp", "w") as f:
            json.dump({"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos,
                       "helo": session.host_name}, f)
        os.rename(base + ".json.tmp", base + ".json")
        return "250 Message accepted for delivery"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for _ in range(5):  # another process may take the free port before we bind it
        port = free_port()
        controller = Controller(Store(folder), hostname="127.0.0.1", port=port)
        try:
            controller.start()
            break
        except Exception:
            continue
    else:
        sys.exit(1)
    print("PORT %d" % port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""A real SMTP server (aiosmtpd) on loopback for the mail tests and benchmarks.

smtp_sink.py FOLDER: prints "PORT <n>" once it listens on 127.0.0.1:<n>, stores every message
as FOLDER/mailNNN.eml (un-stuffed data) and then FOLDER/mailNNN.json (envelope), and stops when
its standard input closes. Exits 3 when aiosmtpd is not installed. Options after FOLDER:
"--port N" listens on N instead of a free port; "--stall" never answers the first message's
data (it prints "STALLED" instead), for a test that kills the server during DATA.
smtp_sink.py --read MAIL.eml: prints as JSON the message's envelope and what a mail reader
shows of it: subject and text decoded from ISO-2022-JP, attachments decoded (in Base64).
"""
import asyncio, base64, email, email.policy, email.utils, json, os, socket, sys


class Store:
    def __init__(self, folder, stall=False):
        self.folder, self.count, self.stall = folder, 0, stall

    async def handle_DATA(self, server, session, envelope):
        if self.stall:
            self.stall = False
            print("STALLED", flush=True)
            await asyncio.sleep(3600)
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
        os.rename(base + ".json.tmp", base + ".json")  # the message is complete
        return "250 Message accepted for delivery"


def serve(folder, port=0, stall=False, **options):
    """Serves until standard input closes; options go to aiosmtpd's Controller."""
    try:
        from aiosmtpd.controller import Controller
    except ImportError:
        print("aiosmtpd missing", flush=True)
        sys.exit(3)
    os.makedirs(folder, exist_ok=True)
    fixed = port
    for _ in range(5):  # another process may take the free port before we bind it
        if not fixed:
            with socket.socket() as s:
                s.bind(("127.0.0.1", 0))
                port = s.getsockname()[1]
        controller = Controller(Store(folder, stall), hostname="127.0.0.1", port=port, **options)
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


def read(path):
    msg = email.message_from_bytes(open(path, "rb").read(), policy=email.policy.compat32)
    date = msg["Date"]
    shown = {"envelope": json.load(open(path[:-3] + "json")),
             "subject": str(msg["Subject"] or "").encode("latin-1").decode("iso2022_jp"),
             "to": msg["To"], "from": msg["From"], "x_mailer": msg["X-Mailer"],
             "date_valid": date is not None and email.utils.parsedate_to_datetime(date) is not None,
             "defects": [type(d).__name__ for part in msg.walk() for d in part.defects],
             "text": None, "attachments": []}
    for part in msg.walk():
        if part.get_content_type() == "text/plain" and shown["text"] is None:
            text = part.get_payload(decode=True).decode(part.get_content_charset())
            shown["text"] = text.replace("\r\n", "\n").strip()
        elif part.get_filename():
            data = base64.b64encode(part.get_payload(decode=True)).decode()
            shown["attachments"].append({"filename": part.get_filename(), "data": data,
                                         "content_type": part.get_content_type()})
    json.dump(shown, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    if sys.argv[1] == "--read":
        read(sys.argv[2])
    else:
        args = sys.argv[2:]
        serve(sys.argv[1], int(args[args.index("--port") + 1]) if "--port" in args else 0,
              "--stall" in args)

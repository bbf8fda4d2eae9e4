#!/usr/bin/python3
"""Reads a stored mail as a mail reader would and prints what it shows, as JSON.

Usage: mail_decode.py MAIL.eml OUTFOLDER
Subject and text are decoded from their ISO-2022-JP form; each attachment is decoded from
Base64 and written to OUTFOLDER under its file name.
"""
import email
import email.policy
import email.utils
import json
import os
import sys


def from_jis(text):
    # The subject carries raw ISO-2022-JP escapes: 7-bit text that is itself the encoding.
    return text.encode("latin-1").decode("iso2022_jp")


def main():
    raw = open(sys.argv[1], "rb").read()
    out_folder = sys.argv[2]
    msg = email.message_from_bytes(raw, policy=email.policy.compat32)
    result = {
        "subject": from_jis(str(msg["Subject"] or "")),
        "to": msg["To"], "from": msg["From"], "reply_to": msg["Reply-To"],
        "x_mailer": msg["X-Mailer"], "content_type": msg.get_content_type(),
        "date_valid": msg["Date"] is not None
        and email.utils.parsedate_to_datetime(msg["Date"]) is not None,
        "text": None, "attachments": [],
        "defects": [type(d).__name__ for part in msg.walk() for d in part.defects],
    }
    for part in msg.walk():
        if part.is_multipart():
            continue
        if part.get_content_type() == "text/plain" and result["text"] is None:
            charset = part.get_content_charset() or "us-ascii"
            result["text"] = part.get_payload(decode=True).decode(charset)
        elif part.get_filename():
            path = os.path.join(out_folder, part.get_filename())
            with open(path, "wb") as f:
                f.write(part.get_payload(decode=True))
            result["attachments"].append({"filename": part.get_filename(), "path": path,
                                          "content_type": part.get_content_type()})
    json.dump(result, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()

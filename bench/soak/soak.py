#!/usr/bin/python3
"""The soak: quenlark with every feature on under steady load, watched for growth.

soak.py BUILD_DIR [SECONDS] [--sample S] [--drain S]

quenlark runs in a temporary home on a private bus with the virtual sound backend: the
answering machine answers every call (greeting, beep, a one-second recording, mailed), calls
and chats are reported to two recipients, ringing calls are mailed, the contact list asks the
host about its contacts. quenlark-hostsim --load 100 places a call (when the last one is over)
or sends a chat every 100 ms. Mail goes to tests/notify/smtp_sink.py (aiosmtpd).

Every sample prints the program's resident memory (VmRSS) and open descriptors with the counts
so far. At the end the load stops, and after the drain the counts must agree: calls answered,
messages recorded = calls placed; reports to each recipient = calls + chats; mails received =
mails queued (two per call: the ring report and the message). The exit code is 1 when a count
differs, when the resident memory grew over the second half by more than the tolerance, or
when the descriptors grew.
"""
import argparse, os, shutil, signal, subprocess, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# Growth allowed over the second half: the call and chat tables fill up to their 1,000 rows
# and the list of recorded messages grows with the files, so a little growth is expected.
RSS_TOLERANCE_KB = 2048
RSS_TOLERANCE_SHARE = 0.03


def status_kb(pid, field):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def fd_count(pid):
    return len(os.listdir("/proc/%d/fd" % pid))


def write_settings(home, greeting, port):
    os.makedirs(home + "/.config/Quenlark")
    with open(home + "/.config/Quenlark/Quenlark.conf", "w") as f:
        f.write("[Main]\nAutoAnswerFlag=1\nSendIMFlag=1\nSendMailFlag=1\n"
                "[BroadCastStatus]\nUser001=bob\nUser002=carol\n"
                "[AutoAnswer]\nAudioFile=%s\nRingingWaitSec1=1\nRingingWaitSec2=1\n"
                "RecordingMaxSec=1\nMailFlagCheck=1\n"
                "[SendMail]\nSMTPServer=127.0.0.1:%d\nSenderMailAddress=alice@example.org\n"
                "MailAddress=owner@example.org\n"
                "[Contact]\n0000=bob\n0000_group=Friends\n0001=carol\n0001_group=Friends\n"
                "0002=dave\n0002_group=Work\nDisplayGroup=All\n" % (greeting, port))


def write_greeting(path):
    """A 0.3 s silent WAV, 16 kHz mono."""
    import wave
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(16000)
        w.writeframes(b"\0\0" * 4800)


class Simulator:
    def __init__(self, binary, bus):
        self.process = subprocess.Popen(
            [binary, "--user", "alice@" + bus, "--answer-delay", "-1", "--load", "100"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        while self.process.stdout.readline().strip() != "ready":
            if self.process.poll() is not None:
                sys.exit("quenlark-hostsim did not start")

    def load(self, command="load"):
        """{'calls': n, 'answered': n, 'chats': n, 'replies': {handle: n}}"""
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        while True:
            line = self.process.stdout.readline()
            if not line:
                sys.exit("quenlark-hostsim ended")
            words = line.split()
            if words[:1] == ["load"]:
                break
        counts = {"calls": int(words[2]), "answered": int(words[4]), "chats": int(words[6])}
        counts["replies"] = dict(w.split("=") for w in words[10:])
        return counts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("seconds", type=int, nargs="?", default=3600)
    parser.add_argument("--sample", type=int, default=0, help="seconds between samples")
    parser.add_argument("--drain", type=int, default=30, help="seconds allowed to settle")
    args = parser.parse_args()
    sample = args.sample or max(5, args.seconds // 60)
    work = tempfile.mkdtemp(prefix="quenlark-soak-")
    home = work + "/home"
    children = []
    try:
        sink = subprocess.Popen(["/usr/bin/python3", ROOT + "/tests/notify/smtp_sink.py",
                                 work + "/mail"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                text=True)
        children.append(sink)
        line = sink.stdout.readline().split()
        if line[:1] != ["PORT"]:
            sys.exit("the SMTP sink did not start (python3-aiosmtpd missing?)")
        greeting = work + "/greeting.wav"
        write_greeting(greeting)
        write_settings(home, greeting, int(line[1]))
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                "--nopidfile"], stdout=subprocess.PIPE, text=True)
        children.append(bus)
        address = bus.stdout.readline().strip()
        sim = Simulator(args.build + "/bin/quenlark-hostsim", address)
        children.append(sim.process)
        os.makedirs(home + "/run", mode=0o700)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/.config",
                   XDG_DATA_HOME=home + "/.local/share", XDG_RUNTIME_DIR=home + "/run",
                   DBUS_SESSION_BUS_ADDRESS=address, QT_QPA_PLATFORM="offscreen",
                   QUENLARK_AUDIO="virtual", QUENLARK_RECORDING_TEMP=work + "/rectemp")
        program = subprocess.Popen([args.build + "/bin/quenlark"], env=env)
        children.append(program)
        folder = home + "/Documents/Quenlark/AutoAnswer"

        def messages():
            return len(os.listdir(folder)) if os.path.isdir(folder) else 0

        def mails():
            return sum(n.endswith(".json") for n in os.listdir(work + "/mail"))

        print("soak: %d s, a call or a chat every 100 ms, sample every %d s" %
              (args.seconds, sample))
        print("%7s %9s %5s %6s %8s %6s %8s %6s" %
              ("t [s]", "RSS [kB]", "fds", "calls", "answered", "chats", "messages", "mails"))
        samples = []
        start = time.monotonic()
        while True:
            elapsed = time.monotonic() - start
            if program.poll() is not None:
                sys.exit("quenlark ended with %d" % program.returncode)
            counts = sim.load()
            samples.append((elapsed, status_kb(program.pid, "VmRSS"), fd_count(program.pid)))
            print("%7.0f %9d %5d %6d %8d %6d %8d %6d" % (
                elapsed, samples[-1][1], samples[-1][2], counts["calls"], counts["answered"],
                counts["chats"], messages(), mails()), flush=True)
            if elapsed >= args.seconds:
                break
            time.sleep(min(sample, max(0.1, args.seconds - elapsed)))

        # Drain: no new traffic; what was placed must all be handled.
        counts = sim.load("load stop")
        deadline = time.monotonic() + args.drain
        while True:
            counts = sim.load()
            want = {"answered": counts["calls"], "messages": counts["calls"],
                    "mails": 2 * counts["calls"],
                    "reports bob": counts["calls"] + counts["chats"],
                    "reports carol": counts["calls"] + counts["chats"]}
            have = {"answered": counts["answered"], "messages": messages(), "mails": mails(),
                    "reports bob": int(counts["replies"].get("bob", 0)),
                    "reports carol": int(counts["replies"].get("carol", 0))}
            if have == want or time.monotonic() > deadline:
                break
            time.sleep(1)
        failures = ["%s %d, expected %d" % (k, have[k], want[k]) for k in want if have[k] != want[k]]

        half = [s for s in samples if s[0] >= args.seconds / 2]
        first_half = [s for s in samples if s[0] < args.seconds / 2] or samples[:1]
        rss_from, rss_to = half[0][1], max(s[1] for s in half[-3:])
        allowed = max(RSS_TOLERANCE_KB, rss_from * RSS_TOLERANCE_SHARE)
        if rss_to - rss_from > allowed:
            failures.append("resident memory grew by %d kB over the second half (allowed %d)" %
                            (rss_to - rss_from, allowed))
        # A mail in flight holds a socket for a moment: growth is what the last three samples
        # all hold beyond the most seen in the first half.
        fds_before, fds_after = max(s[2] for s in first_half), min(s[2] for s in samples[-3:])
        if fds_after > fds_before:
            failures.append("open descriptors grew from %d to %d" % (fds_before, fds_after))
        print("calls %d, answered %d, messages %d; chats %d; reports bob %d, carol %d; "
              "mails %d of %d" % (counts["calls"], have["answered"], have["messages"],
                                  counts["chats"], have["reports bob"], have["reports carol"],
                                  have["mails"], want["mails"]))
        print("RSS second half %d -> %d kB (%+d); descriptors %d -> %d" %
              (rss_from, rss_to, rss_to - rss_from, fds_before, fds_after))
        for failure in failures:
            print("FAIL: " + failure)
        print("soak: " + ("FAILED" if failures else "passed"))
        program.send_signal(signal.SIGTERM)
        program.wait(20)
        return 1 if failures else 0
    finally:
        for child in reversed(children):
            if child.poll() is None:
                child.kill()
                child.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""aiosmtpd on loopback with TLS and AUTH, for the mail security tests and benchmark.

smtp_tls_sink.py FOLDER MODE CERT_HOST [USER:PASSWORD [EXCLUDED_MECHANISM]]: MODE is starttls
(offered and required), tls (implicit) or plain (no STARTTLS). Makes a test authority and a
certificate for CERT_HOST in FOLDER with openssl, prints "CA <authority's file>", then serves
as smtp_sink.py does. With USER:PASSWORD, AUTH PLAIN and LOGIN are required.
"""
import ipaddress, os, ssl, subprocess, sys
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from smtp_sink import serve


def openssl(*args):
    subprocess.run(["openssl", *args], check=True, capture_output=True)


def make_certificates(folder, host):
    ca, ca_key = os.path.join(folder, "ca.pem"), os.path.join(folder, "ca.key")
    cert, key = os.path.join(folder, "server.pem"), os.path.join(folder, "server.key")
    ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    openssl("req", "-x509", *ec, "-keyout", ca_key, "-out", ca, "-days", "2",
            "-subj", "/CN=Quenlark Test CA",
            "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    try:
        san = "IP:" + str(ipaddress.ip_address(host))
    except ValueError:
        san = "DNS:" + host
    openssl("req", "-x509", "-CA", ca, "-CAkey", ca_key, *ec, "-keyout", key, "-out", cert,
            "-days", "2", "-subj", "/CN=" + host, "-addext", "subjectAltName=" + san,
            "-addext", "extendedKeyUsage=serverAuth")
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
    return ca, context


def main():
    folder, mode, host = sys.argv[1:4]
    os.makedirs(folder, exist_ok=True)
    ca, context = make_certificates(folder, host)
    options = {}
    if mode == "starttls":
        options.update(tls_context=context, require_starttls=True)
    if len(sys.argv) > 4:
        user, password = sys.argv[4].encode().split(b":", 1)
        try:
            from aiosmtpd.smtp import AuthResult, LoginPassword
        except ImportError:
            sys.exit(3)  # as smtp_sink.py does

        def authenticator(server, session, envelope, mechanism, data):
            ok = isinstance(data, LoginPassword) and (data.login, data.password) == (user, password)
            return AuthResult(success=ok, handled=False)
        # aiosmtpd does not see implicit TLS as TLS: only STARTTLS can insist on it.
        options.update(authenticator=authenticator, auth_required=True,
                       auth_require_tls=mode == "starttls", auth_exclude_mechanism=sys.argv[5:])
    print("CA " + ca, flush=True)
    serve(folder, ssl_context=context if mode == "tls" else None, server_kwargs=options)


if __name__ == "__main__":
    main()

"""A loopback SMTP server for the mail tests, built on Debian's aiosmtpd.

Run with /usr/bin/python3 (the system interpreter that has aiosmtpd):
    smtp_server.py --maildir DIR [--user NAME --password SECRET] [--refuse TEXT]
                   [--require-auth] [--tls-cert PEM --tls-key PEM [--implicit-tls]]
It listens on a free port of 127.0.0.1 and prints that port on its first output line, then
serves until it is terminated. Mails are delivered into the Maildir DIR byte for byte as the
client sent them (after the server's dot-unstuffing). AUTH LOGIN (aiosmtpd's own, with the usual
"Username:" and "Password:" prompts) and CRAM-MD5 (below) accept exactly the given user name and
password;
a recipient containing the-- refuse text is refused with 550. Authentication needs no TLS here,
    since it all stays on loopback.With a TLS certificate the server offers STARTTLS and then takes
        AUTH and MAIL only over TLS;
with
--implicit-tls as well it speaks TLS from the first byte instead (SMTPS)."""

import argparse
import asyncio
import base64
import hmac
import mailbox
import os
import ssl
import sys
import time
import warnings

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class LoopbackSMTP(SMTP):
#The prompts most servers send for AUTH LOGIN(aiosmtpd's own differ).
    AuthLoginUsernameChallenge = "Username:"
    AuthLoginPasswordChallenge = "Password:"


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--maildir", required=True)
    parser.add_argument("--user", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--refuse", default="")
    parser.add_argument("--require-auth", action="store_true")
    parser.add_argument("--tls-cert", default="")
    parser.add_argument("--tls-key", default="")
    parser.add_argument("--implicit-tls", action="store_true")
    return parser.parse_args()


class Handler:
    def __init__(self, args):
        self.args = args
        self.maildir = mailbox.Maildir(args.maildir, create=True)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.args.refuse and self.args.refuse in address:
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.maildir.add(envelope.original_content)
        return "250 Message accepted for delivery"

    async def auth_CRAM__MD5(self, server, args):
        challenge = "<%d.%d@loopback>" % (os.getpid(), time.time_ns())
        answer = await server.challenge_auth(challenge)
        if not isinstance(answer, bytes):
            return AuthResult(success=False, handled=True)
        user, _, digest = answer.partition(b" ")
        expected = hmac.new(self.args.password.encode(), challenge.encode(), "md5").hexdigest()
        ok = user.decode(errors="replace") == self.args.user and hmac.compare_digest(
            digest, expected.encode())
        return AuthResult(success=ok, handled=False, auth_data=user)


def main():
    warnings.simplefilter("ignore")
    args = parse_args()
    handler = Handler(args)

    def authenticator(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword)
              and auth_data.login.decode(errors="replace") == args.user
              and auth_data.password.decode(errors="replace") == args.password)
        return AuthResult(success=ok, handled=False)

    context = None
    if args.tls_cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.tls_cert, args.tls_key)
    starttls = context is not None and not args.implicit_tls

    def factory():
        return LoopbackSMTP(handler, hostname="loopback.test", authenticator=authenticator,
                    auth_require_tls=starttls, auth_required=args.require_auth,
                    data_size_limit=64 * 1024 * 1024,
                    tls_context=context if starttls else None, require_starttls=starttls)

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(loop.create_server(
        factory, host="127.0.0.1", port=0, ssl=context if args.implicit_tls else None))
    print(server.sockets[0].getsockname()[1], flush=True)
    try:
        loop.run_forever()
    finally:
        server.close()


if __name__ == "__main__":
    sys.exit(main())

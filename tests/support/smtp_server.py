"""A real SMTP server for the mail tests: aiosmtpd on 127.0.0.1, on a free port unless --port names one.

Prints "port N" once it listens, then one JSON line per message it accepts.
Modes: starttls (offers STARTTLS), tls (TLS from the first byte), plain (no TLS).
With --user and --password it offers AUTH and checks the login.
"""
import argparse, asyncio, base64, json, ssl, sys, warnings
from aiosmtpd.smtp import SMTP, AuthResult

warnings.simplefilter("ignore", DeprecationWarning)


class Handler:
    async def handle_DATA(self, server, session, envelope):
        print(json.dumps({'from': envelope.mail_from, 'to': envelope.rcpt_tos, 'login': session.auth_data and
                          session.auth_data.login.decode(), 'tls': server.transport.get_extra_info('ssl_object') is not None,
                          'content': base64.b64encode(envelope.original_content).decode()}), flush=True)
        return '250 OK'


def main():
    options = argparse.ArgumentParser()
    options.add_argument('mode', choices=('starttls', 'tls', 'plain'))
    options.add_argument('--cert')
    options.add_argument('--key')
    options.add_argument('--user')
    options.add_argument('--password')
    options.add_argument('--port', type=int, default=0)
    args = options.parse_args()
    context = None
    if args.mode != 'plain':
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    def check(server, session, envelope, mechanism, data):
        ok = data.login.decode() == args.user and data.password.decode() == args.password
        return AuthResult(success=ok, handled=False, auth_data=data)

    def protocol():
        return SMTP(Handler(), hostname='loopback.test', decode_data=False, authenticator=check if args.user else None,
                    tls_context=context if args.mode == 'starttls' else None, auth_require_tls=args.mode == 'starttls')

    loop = asyncio.new_event_loop()
    listening = loop.run_until_complete(
        loop.create_server(protocol, '127.0.0.1', args.port, ssl=context if args.mode == 'tls' else None))
    print(f'port {listening.sockets[0].getsockname()[1]}', flush=True)
    loop.run_forever()


main()

# A real SMTP server for the mail tests: aiosmtpd on 127.0.0.1. It prints "port N" once it
# listens, then a JSON line for each message and one ({"closed": true}) for each client gone. Modes: starttls, tls (from the first byte), plain
# (which offers AUTH LOGIN alone).
import argparse, asyncio, base64, json, ssl, warnings
from aiosmtpd.smtp import SMTP, AuthResult

warnings.simplefilter('ignore', DeprecationWarning)
options = argparse.ArgumentParser()
options.add_argument('mode', choices=('starttls', 'tls', 'plain'))
for option in ('--cert', '--key', '--user', '--password'):
    options.add_argument(option)
options.add_argument('--port', type=int, default=0)
args = options.parse_args()
context = None
if args.mode != 'plain':
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(args.cert, args.key)


class Handler:
    async def handle_DATA(self, server, session, envelope):
        print(json.dumps({'options': envelope.mail_options, 'to': envelope.rcpt_tos, 'login': session.auth_data and session.auth_data.login.decode(),
                          'tls': server.transport.get_extra_info('ssl_object') is not None,
                          'content': base64.b64encode(envelope.original_content).decode()}), flush=True)
        return '250 OK'


def check(server, session, envelope, mechanism, data):
    ok = data.login.decode() == args.user and data.password.decode() == args.password
    return AuthResult(success=ok, handled=False, auth_data=data)


class Server(SMTP):
    # Said once a client has gone, so a test knows nothing more can come from it.
    def connection_lost(self, error):
        print(json.dumps({'closed': True}), flush=True)
        super().connection_lost(error)


def protocol():
    return Server(Handler(), hostname='loopback.test', authenticator=check, tls_context=context if args.mode == 'starttls' else None,
                auth_require_tls=args.mode == 'starttls', auth_exclude_mechanism=['PLAIN'] if args.mode == 'plain' else [])


loop = asyncio.new_event_loop()
listening = loop.run_until_complete(loop.create_server(protocol, '127.0.0.1', args.port, ssl=context if args.mode == 'tls' else None))
print(f'port {listening.sockets[0].getsockname()[1]}', flush=True)
loop.run_forever()

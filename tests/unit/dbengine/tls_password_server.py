"""A MySQL 8 server of the test's own that offers TLS and caching_sha2_password, and asks for full
authentication: it accepts one client, records every byte that arrives on the socket, and checks
that the password came inside TLS and never in clear.
    tls_password_server.py PORT_FILE CERT KEY PASSWORD
writes its port to PORT_FILE, serves one client (at most 60 s) and exits 0 when the password
arrived only inside TLS, 1 otherwise, saying why."""
import socket
import ssl
import struct
import sys

port_file, cert, key, password = sys.argv[1:5]
password = password.encode()
CAPABILITIES = 0x0000F7FF | 0x0800 | 0x00080000 | 0x00200000  # ...SSL, PLUGIN_AUTH, LENENC
NONCE = b"0123456789abcdefghij"


def packet(payload, sequence):
    return struct.pack("<I", len(payload))[:3] + bytes([sequence]) + payload


def greeting():
    caps = CAPABILITIES
    return (b"\x0a" + b"8.0.36\x00" + struct.pack("<I", 7) + NONCE[:8] + b"\x00"
            + struct.pack("<H", caps & 0xFFFF) + b"\xff" + struct.pack("<H", 2)
            + struct.pack("<H", caps >> 16) + bytes([21]) + b"\x00" * 10 + NONCE[8:] + b"\x00"
            + b"caching_sha2_password\x00")


class Client:
    def __init__(self, connection):
        self.connection = connection
        self.raw = b""  # every byte the socket delivered
        self.plain = b""  # bytes before TLS, then decrypted ones
        self.tls = None

    def receive_raw(self):
        data = self.connection.recv(65536)
        if not data:
            raise EOFError("the client hung up")
        self.raw += data
        return data

    def start_tls(self):
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        self.incoming, self.outgoing = ssl.MemoryBIO(), ssl.MemoryBIO()
        self.tls = context.wrap_bio(self.incoming, self.outgoing, server_side=True)
        leftover, self.plain = self.plain, b""
        self.incoming.write(leftover)
        while True:
            try:
                self.tls.do_handshake()
                break
            except ssl.SSLWantReadError:
                self.flush()
                self.incoming.write(self.receive_raw())
        self.flush()

    def flush(self):
        data = self.outgoing.read()
        if data:
            self.connection.sendall(data)

    def send(self, payload, sequence):
        if self.tls:
            self.tls.write(packet(payload, sequence))
            self.flush()
        else:
            self.connection.sendall(packet(payload, sequence))

    def fill(self, count):
        while len(self.plain) < count:
            if not self.tls:
                self.plain += self.receive_raw()
                continue
            try:
                self.plain += self.tls.read(65536)
            except ssl.SSLWantReadError:
                self.incoming.write(self.receive_raw())

    def read_packet(self):
        self.fill(4)
        length = int.from_bytes(self.plain[:3], "little")
        self.fill(4 + length)
        payload, self.plain = self.plain[4:4 + length], self.plain[4 + length:]
        return payload


def serve(client):
    client.send(greeting(), 0)
    request = client.read_packet()
    if len(request) != 32 or not struct.unpack("<I", request[:4])[0] & 0x0800:
        return "the client sent no SSL request"
    client.start_tls()
    client.read_packet()  # the login, with the scramble
    client.send(b"\x01\x04", 3)  # perform full authentication
    answer = client.read_packet()
    if answer != password + b"\x00":
        return "the password packet inside TLS was %r" % answer
    client.send(b"\x00\x00\x00\x02\x00\x00\x00", 5)
    try:
        client.read_packet()  # the goodbye
    except (EOFError, OSError, ssl.SSLError):
        pass
    return None


listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(1)
listener.settimeout(60)
with open(port_file, "w") as f:
    f.write(str(listener.getsockname()[1]))
connection, _ = listener.accept()
connection.settimeout(30)
client = Client(connection)
try:
    fault = serve(client)
except (EOFError, OSError, ssl.SSLError) as error:
    fault = "the conversation broke off: %s" % error
if fault is None and password in client.raw:
    fault = "the password crossed the socket in clear"
if fault:
    print("FAIL:", fault)
    sys.exit(1)
print("the password arrived inside TLS only (%d bytes on the socket)" % len(client.raw))

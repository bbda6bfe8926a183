#!/usr/bin/env python3
"""A calendar server for the subscription tests, on 127.0.0.1 only.

    feed_server.py FOLDER [--port N] [--tls CERT KEY]

Prints the port on the first line of stdout, then serves:
  /feed/NAME            FOLDER/NAME with an ETag and Last-Modified; 304 when they match
  /gzip/NAME            the same, gzip-encoded
  /redirect/CODE/NAME   CODE to /feed/NAME
  /status/CODE          that status
  /auth/NAME            FOLDER/NAME for user "anna" with password "s3cret pass", else 401
  /digest/NAME          the same with Digest authentication (RFC 7616, MD5, qop=auth) only
  /dav/                 a CalDAV calendar of FOLDER/dav/*.ics without sync-collection (answered
                        403): PROPFIND, calendar-query of the ETags, calendar-multiget
  /slow                 answers after 5 seconds
  /html                 a login page
  /big                  a 50 MB calendar, announced by Content-Length
  /endless              a calendar sent chunked without end
  /drip                 a 700-byte calendar sent one byte a second
  /short/NAME           FOLDER/NAME announced whole, then the connection closed after its half
  /reset/NAME           the same, the connection reset instead
  /bomb                 48 MB gzip-encoded into a few hundred kilobytes
  /refuse/CODE/...      PROPFIND answered CODE, GET 404
  /sync/                a CalDAV calendar of FOLDER/dav/*.ics whose sync-collection names the
                        changed items without their data (calendar-multiget gives it)
An absolute address in the request line (a client going through a proxy) is read as its
path, so that a test can ask for a host other than 127.0.0.1 and still reach only this
server.
Any path takes ?delay=SECONDS: the answer waits that long.
Every request is appended to FOLDER/requests.log as "METHOD PATH STATUS" (a REPORT as
"REPORT:ROOT-ELEMENT PATH STATUS").
"""
import base64
import email.utils
import gzip
import hashlib
import http.server
import io
import os
import re
import secrets
import socket
import ssl
import struct
import sys
import time
import urllib.parse
import zlib

FOLDER = sys.argv[1]
USER, PASSWORD = "anna", "s3cret pass"
REALM = "feeds"
NONCES = set()
BOMB = []  # the gzip bomb, made on first use


def md5(text):
    return hashlib.md5(text.encode()).hexdigest()


def digest_ok(header, method):
    """True when header answers one of our nonces with the right password."""
    if not header or not header.startswith("Digest "):
        return False
    fields = dict((k, v1 or v2) for k, v1, v2 in re.findall(r'(\w+)=(?:"([^"]*)"|([^\s,]+))', header[7:]))
    if fields.get("username") != USER or fields.get("nonce") not in NONCES:
        return False
    ha1 = md5(f"{USER}:{REALM}:{PASSWORD}")
    ha2 = md5(f"{method}:{fields.get('uri', '')}")
    expected = md5(":".join([ha1, fields["nonce"], fields.get("nc", ""), fields.get("cnonce", ""), "auth", ha2]))
    return fields.get("response") == expected


def etag_of(body):
    return '"' + hashlib.sha256(body).hexdigest()[:16] + '"'


def multistatus(responses):
    return ('<?xml version="1.0" encoding="utf-8"?>\n<d:multistatus xmlns:d="DAV:" '
            'xmlns:c="urn:ietf:params:xml:ns:caldav">' + "".join(responses) + "</d:multistatus>").encode()


def response(href, props):
    return (f"<d:response><d:href>{href}</d:href><d:propstat><d:prop>{props}</d:prop>"
            "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    report = ""

    def handle_one_request(self):
        self.report = ""  # a kept-alive connection brings the next request to this handler
        super().handle_one_request()

    def parse_request(self):
        if not super().parse_request():
            return False
        if self.path.startswith("http://"):
            parts = urllib.parse.urlsplit(self.path)
            self.path = parts.path + ("?" + parts.query if parts.query else "")
        return True

    def log_request(self, code="-", size="-"):
        command = self.command + (":" + self.report if self.report else "")
        with open(os.path.join(FOLDER, "requests.log"), "a") as log:
            log.write(f"{command} {self.path} {int(code) if str(code).isdigit() else code}\n")

    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def feed(self, name, encode=False):
        path = os.path.join(FOLDER, os.path.basename(name))
        if not os.path.isfile(path):
            return self.answer(404, b"no such calendar")
        with open(path, "rb") as f:
            body = f.read()
        etag = etag_of(body)
        modified = email.utils.formatdate(os.path.getmtime(path), usegmt=True)
        if self.headers.get("If-None-Match") == etag:
            return self.answer(304, headers=[("ETag", etag)])
        headers = [("Content-Type", "text/calendar; charset=utf-8"), ("ETag", etag), ("Last-Modified", modified)]
        if encode:
            body = gzip.compress(body)
            headers.append(("Content-Encoding", "gzip"))
        self.answer(200, body, headers)

    def do_GET(self):
        delay = re.search(r"[?&]delay=([0-9.]+)", self.path)
        if delay:
            time.sleep(float(delay.group(1)))
        parts = self.path.split("?")[0].strip("/").split("/")
        kind = parts[0]
        if kind == "feed" and len(parts) == 2:
            return self.feed(parts[1])
        if kind == "gzip" and len(parts) == 2:
            return self.feed(parts[1], encode=True)
        if kind == "redirect" and len(parts) == 3:
            return self.answer(int(parts[1]), headers=[("Location", "/feed/" + parts[2])])
        if kind == "status" and len(parts) == 2:
            return self.answer(int(parts[1]), b"failure")
        if kind == "auth" and len(parts) == 2:
            expected = "Basic " + base64.b64encode(f"{USER}:{PASSWORD}".encode()).decode()
            if self.headers.get("Authorization") != expected:
                return self.answer(401, b"who are you", [("WWW-Authenticate", 'Basic realm="feeds"')])
            return self.feed(parts[1])
        if kind == "digest" and len(parts) == 2:
            if not digest_ok(self.headers.get("Authorization"), self.command):
                nonce = secrets.token_hex(16)
                NONCES.add(nonce)
                challenge = f'Digest realm="{REALM}", qop="auth", algorithm=MD5, nonce="{nonce}"'
                return self.answer(401, b"who are you", [("WWW-Authenticate", challenge)])
            return self.feed(parts[1])
        if kind == "slow":
            time.sleep(5)
            return self.answer(200, b"BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", [("Content-Type", "text/calendar")])
        if kind == "html":
            return self.answer(200, b"<!DOCTYPE html><html><body>Please log in</body></html>",
                               [("Content-Type", "text/html")])
        if kind == "big":
            size = 50 * 1024 * 1024
            self.send_response(200)
            self.send_header("Content-Type", "text/calendar")
            self.send_header("Content-Length", str(size))
            self.end_headers()
            chunk = b"BEGIN:VCALENDAR\r\n" + b"X" * 65519
            try:
                for _ in range(size // len(chunk)):
                    self.wfile.write(chunk)
            except (BrokenPipeError, ConnectionResetError):
                pass
            return
        if kind == "endless":
            return self.endless()
        if kind == "drip":
            return self.drip()
        if kind in ("short", "reset") and len(parts) == 2:
            return self.cut(parts[1], reset=kind == "reset")
        if kind == "bomb":
            return self.answer(200, bomb(), [("Content-Type", "text/calendar"), ("Content-Encoding", "gzip")])
        self.answer(404, b"not here")

    do_HEAD = do_GET

    def endless(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/calendar")
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        chunk = b"X-FILL:" + b"x" * 65526 + b"\r\n"
        try:
            self.wfile.write(b"%x\r\nBEGIN:VCALENDAR\r\n\r\n" % len(b"BEGIN:VCALENDAR\r\n"))
            while True:
                self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
        except (BrokenPipeError, ConnectionResetError):
            pass
        self.close_connection = True

    def drip(self):
        body = b"BEGIN:VCALENDAR\r\n" + b"X-FILL:" + b"x" * 666 + b"\r\nEND:VCALENDAR\r\n"
        self.send_response(200)
        self.send_header("Content-Type", "text/calendar")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            for i in range(len(body)):
                self.wfile.write(body[i:i + 1])
                self.wfile.flush()
                time.sleep(1)
        except (BrokenPipeError, ConnectionResetError):
            pass
        self.close_connection = True

    def cut(self, name, reset):
        path = os.path.join(FOLDER, os.path.basename(name))
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "text/calendar")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body[:len(body) // 2])
        self.wfile.flush()
        self.close_connection = True
        if reset:  # closed at once with nothing lingering: a reset (RST), not an end (FIN)
            self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.rfile.close()
            self.wfile.close()
            self.connection.close()
            self.wfile = io.BytesIO()  # what the server still flushes after the handler

    # A CalDAV calendar that knows no sync-collection: clients compare ETags instead.
    def dav_folder(self):
        return os.path.join(FOLDER, "dav")

    def dav_items(self):
        folder = self.dav_folder()
        names = sorted(n for n in os.listdir(folder) if n.endswith(".ics")) if os.path.isdir(folder) else []
        for name in names:
            with open(os.path.join(folder, name), "rb") as f:
                yield self.calendar_root() + name, f.read()

    def calendar_root(self):
        return "/sync/" if self.path.startswith("/sync/") else "/dav/"

    def dav_body(self):
        return self.rfile.read(int(self.headers.get("Content-Length") or 0)).decode()

    def do_PROPFIND(self):
        self.dav_body()
        refused = re.match(r"/refuse/(\d+)/", self.path)
        if refused:
            return self.answer(int(refused.group(1)), b"not for you")
        if not self.path.startswith(("/dav/", "/sync/")):
            return self.answer(404, b"not here")
        props = ('<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>'
                 '<d:displayname>No sync</d:displayname>')
        self.answer(207, multistatus([response(self.calendar_root(), props)]), [("Content-Type", "application/xml")])

    def do_REPORT(self):
        body = self.dav_body()
        root = re.search(r"<(?:\w+:)?([\w-]+)[\s>]", re.sub(r"<\?xml[^>]*\?>", "", body))
        self.report = root.group(1) if root else "?"
        if not self.path.startswith(("/dav/", "/sync/")):
            return self.answer(404, b"not here")
        if self.report == "sync-collection" and self.path.startswith("/sync/"):
            # Changed items named by their path alone: their properties "not found" here.
            responses = [f"<d:response><d:href>{href}</d:href><d:propstat><d:prop><d:getetag/><c:calendar-data/>"
                         "</d:prop><d:status>HTTP/1.1 404 Not Found</d:status></d:propstat></d:response>"
                         for href, _ in self.dav_items()]
            body = multistatus(responses).replace(b"</d:multistatus>", b"<d:sync-token>token-1</d:sync-token></d:multistatus>")
            return self.answer(207, body, [("Content-Type", "application/xml")])
        if self.report == "calendar-query":
            responses = [response(href, f"<d:getetag>{etag_of(data)}</d:getetag>") for href, data in self.dav_items()]
        elif self.report == "calendar-multiget":
            wanted = set(re.findall(r"<(?:\w+:)?href>([^<]*)</", body))
            responses = [response(href, f"<d:getetag>{etag_of(data)}</d:getetag><c:calendar-data>"
                                        f"{data.decode().replace('&', '&amp;').replace('<', '&lt;')}</c:calendar-data>")
                         for href, data in self.dav_items() if href in wanted]
        else:
            return self.answer(403, b'<?xml version="1.0"?><d:error xmlns:d="DAV:"><d:supported-report/></d:error>',
                               [("Content-Type", "application/xml")])
        self.answer(207, multistatus(responses), [("Content-Type", "application/xml")])


def bomb():
    if not BOMB:
        packer = zlib.compressobj(1, zlib.DEFLATED, 31)  # the fastest level; 31: a gzip member
        zeros = b"\0" * (1024 * 1024)
        BOMB.append(b"".join([packer.compress(b"BEGIN:VCALENDAR\r\n")] + [packer.compress(zeros) for _ in range(48)]
                             + [packer.flush()]))
    return BOMB[0]


def main():
    port = 0
    tls = None
    args = sys.argv[2:]
    while args:
        if args[0] == "--port":
            port = int(args[1])
            args = args[2:]
        elif args[0] == "--tls":
            tls = (args[1], args[2])
            args = args[3:]
        else:
            sys.exit("unknown argument " + args[0])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler)
    server.daemon_threads = True
    if tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(*tls)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

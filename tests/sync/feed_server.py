#!/usr/bin/env python3
"""A calendar server for the subscription tests, on 127.0.0.1 only.

    feed_server.py FOLDER [--port N] [--tls CERT KEY]

Prints the port on the first line of stdout, then serves:
  /feed/NAME            FOLDER/NAME with an ETag and Last-Modified; 304 when they match
  /gzip/NAME            the same, gzip-encoded
  /redirect/CODE/NAME   CODE to /feed/NAME
  /status/CODE          that status
  /auth/NAME            FOLDER/NAME for user "anna" with password "s3cret pass", else 401
  /slow                 answers after 5 seconds
  /html                 a login page
  /big                  a 50 MB calendar, announced by Content-Length
Every request is appended to FOLDER/requests.log as "METHOD PATH STATUS".
"""
import base64
import email.utils
import gzip
import hashlib
import http.server
import os
import ssl
import sys
import time

FOLDER = sys.argv[1]
USER, PASSWORD = "anna", "s3cret pass"


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_request(self, code="-", size="-"):
        with open(os.path.join(FOLDER, "requests.log"), "a") as log:
            log.write(f"{self.command} {self.path} {int(code) if str(code).isdigit() else code}\n")

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
        etag = '"' + hashlib.sha256(body).hexdigest()[:16] + '"'
        modified = email.utils.formatdate(os.path.getmtime(path), usegmt=True)
        if self.headers.get("If-None-Match") == etag:
            return self.answer(304, headers=[("ETag", etag)])
        headers = [("Content-Type", "text/calendar; charset=utf-8"), ("ETag", etag), ("Last-Modified", modified)]
        if encode:
            body = gzip.compress(body)
            headers.append(("Content-Encoding", "gzip"))
        self.answer(200, body, headers)

    def do_GET(self):
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
        self.answer(404, b"not here")

    do_HEAD = do_GET


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

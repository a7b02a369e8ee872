#!/usr/bin/env python3
"""A local HTTPS update server for the sandbox and the tests.

Usage: update-server.py DIR

Makes a self-signed certificate for 127.0.0.1 and localhost in DIR (cert.pem,
key.pem) with openssl, listens on a free port of 127.0.0.1 and prints
"PORT <n>" once it accepts connections. What it serves is steered by files in
DIR that the test writes at any time:

  reply.json     the body of the answer to PUT /update (503 while missing)
  reply-nesting  N: PUT /update answers {"packages": ...} with the list
                 nested N levels deep instead (a hostile reply)
  packages/NAME  served at GET /packages/NAME, with Range requests honoured
  drop-after     N: the next GET sends N bytes of the file, then hangs up
  hold-after     N: the next GET sends N bytes, then waits for DIR/release
  endless        present: the next GET sends the file without a length and
                 then zeros until the client hangs up (the file is removed)

Every request is appended to DIR/requests.log as one JSON line with the
method, path, Range header, Content-Type header, body and arrival time
(seconds of a monotonic clock).
"""
import http.server
import json
import os
import ssl
import subprocess
import sys
import threading
import time

ROOT = sys.argv[1]
LOG_LOCK = threading.Lock()


def path(name):
    return os.path.join(ROOT, name)


def read_number(name):
    """Reads a control file holding a number."""
    try:
        with open(path(name)) as f:
            return int(f.read().strip())
    except (OSError, ValueError):
        return None


def take_number(name):
    """Reads and removes a control file holding a byte count."""
    value = read_number(name)
    if value is not None:
        os.remove(path(name))
    return value


def take_flag(name):
    """True once when the control file exists (it is removed)."""
    try:
        os.remove(path(name))
        return True
    except OSError:
        return False


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, fmt, *args):
        pass

    def record(self, body=b""):
        entry = {
            "method": self.command,
            "path": self.path,
            "range": self.headers.get("Range"),
            "contentType": self.headers.get("Content-Type"),
            "body": body.decode("utf-8", "replace"),
            "time": time.monotonic(),
        }
        with LOG_LOCK, open(path("requests.log"), "a") as log:
            log.write(json.dumps(entry) + "\n")

    def answer(self, status, body, content_type="application/json"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_PUT(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length)
        self.record(body)
        if self.path == "/update":
            depth = read_number("reply-nesting")
            if depth is not None:
                self.answer(200, b'{"packages":' + b"[" * depth + b"]" * depth + b"}")
                return
            try:
                with open(path("reply.json"), "rb") as f:
                    self.answer(200, f.read())
            except OSError:
                self.answer(503, b'{"error":"not ready"}')
        elif self.path == "/download/feedback":
            self.answer(200, b'{"ok":true}')
        else:
            self.answer(404, b'{"error":"unknown"}')

    def do_GET(self):
        self.record()
        name = self.path[len("/packages/"):] if self.path.startswith("/packages/") else ""
        file_path = path(os.path.join("packages", os.path.basename(name)))
        if not name or not os.path.isfile(file_path):
            self.answer(404, b"missing", "text/plain")
            return
        with open(file_path, "rb") as f:
            data = f.read()
        if take_flag("endless"):
            self.send_endless(data)
            return
        start = 0
        wanted = self.headers.get("Range")
        if wanted and wanted.startswith("bytes=") and wanted.endswith("-"):
            start = int(wanted[len("bytes="):-1])
            if start >= len(data):
                self.send_response(416)
                self.send_header("Content-Range", "bytes */%d" % len(data))
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            self.send_response(206)
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, len(data) - 1, len(data)))
        else:
            self.send_response(200)
        part = data[start:]
        self.send_header("Content-Type", "application/gzip")
        self.send_header("Content-Length", str(len(part)))
        self.end_headers()
        drop = take_number("drop-after")
        hold = take_number("hold-after")
        if drop is not None:
            self.wfile.write(part[:drop])
            self.wfile.flush()
            self.close_connection = True
            self.connection.shutdown(2)
            return
        if hold is not None:
            self.wfile.write(part[:hold])
            self.wfile.flush()
            while not os.path.exists(path("release")):
                time.sleep(0.02)
            part = part[hold:]
        self.wfile.write(part)

    def send_endless(self, data):
        # HTTP/1.0 without a length: the body ends only when the line closes.
        self.send_response(200)
        self.send_header("Content-Type", "application/gzip")
        self.end_headers()
        zeros = bytes(64 * 1024)
        try:
            self.wfile.write(data)
            while True:
                self.wfile.write(zeros)
        except (OSError, ssl.SSLError):
            self.close_connection = True


def end_with_parent():
    """A test that crashes must not leave its server behind (Linux only)."""
    try:
        import ctypes
        import signal
        ctypes.CDLL("libc.so.6").prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except (OSError, AttributeError):
        pass


def main():
    end_with_parent()
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
         "-nodes", "-keyout", path("key.pem"), "-out", path("cert.pem"), "-days", "1",
         "-subj", "/CN=localhost", "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1"],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(path("cert.pem"), path("key.pem"))
    server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

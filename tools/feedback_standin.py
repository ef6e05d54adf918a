#!/usr/bin/env python3
"""A stand-in for the feedback service on localhost, for looking at the panel by hand.

    feedback_standin.py PORT CERT KEY ok|fail [DELAY_SECONDS]

Answers every POST to .../feedback after the delay: "ok" stores the note, "fail" answers as a
service whose database is down. Prints each note it receives.
"""
import http.server
import json
import ssl
import sys
import time

port, cert, key, mode = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
delay = float(sys.argv[5]) if len(sys.argv) > 5 else 0.0


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        print(self.path, body.decode("utf-8", "replace"), flush=True)
        time.sleep(delay)
        if mode == "ok":
            status, answer = 201, {"ok": True, "data": {"id": "note-1"}}
        else:
            status, answer = 500, {"ok": False, "error": {"code": "db_down", "message": "the notes shelf is full"}}
        payload = json.dumps(answer).encode()
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(payload)))
        self.end_headers()
        self.wfile.write(payload)


server = http.server.HTTPServer(("127.0.0.1", port), Handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert, key)
server.socket = context.wrap_socket(server.socket, server_side=True)
server.serve_forever()

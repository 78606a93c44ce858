#!/usr/bin/env python3
"""Writes a GOB package for the scripts' checks: make-gob.py OUT NAME=CONTENT [NAME=CONTENT ...]."""
import struct
import sys

out, members = sys.argv[1], [arg.split("=", 1) for arg in sys.argv[2:]]
directory, data, start = b"", b"", 16 + 136 * len(members)
for name, body in members:
    body = body.encode()
    directory += struct.pack("<II", start + len(data), len(body)) + name.encode().ljust(128, b"\0")
    data += body
header = b"GOB\n" + b"\0" * 8 + struct.pack("<I", len(members))
with open(out, "wb") as package:
    package.write(header + directory + data)

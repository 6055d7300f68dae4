#!/usr/bin/python3
# Writes the chunk of a plug-in with nothing set: 26 empty patterns with the
# default notes 59 down to 48, as a freshly made plug-in holds them.
#   empty-chunk.py OUT
import sys

PATTERN, ROW, STEP = 4660, 388, 12
chunk = bytearray(26 * PATTERN)
for slot in range(26):
    base = slot * PATTERN
    for row in range(12):
        chunk[base + row * ROW] = 59 - row
        for step in range(32):
            at = base + row * ROW + 4 + step * STEP
            chunk[at:at + 4] = bytes([1, 0x80, 0x80, 127])
    chunk[base + 4658] = 127
open(sys.argv[1], "wb").write(chunk)

#!/usr/bin/python3
# Compares what jack_midi_dump received from quaverlin with what the pattern
# must play, as the substitute host plays it from the song's start:
#   check-midi-dump.py DUMP REFERENCE FRAMES_PER_STEP
# DUMP is `jack_midi_dump -a` output of one roll from the song's start and
# its stop; REFERENCE is `quaverlin-host play` output for the same chunk,
# tempo and rate. Every event before the stop must match the reference's
# (status, note, velocity, and frame from the roll's start within one
# frame); every note-on must lie on the step grid (a straight pattern);
# the stop's twelve note-offs must arrive once, and nothing after them.
import re
import sys

NAMES = {"C": 0, "C#": 1, "D": 2, "D#": 3, "E": 4, "F": 5, "F#": 6, "G": 7, "G#": 8,
         "A": 9, "A#": 10, "B": 11}


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def read_dump(path):
    events = []
    for line in open(path):
        m = re.match(r"\s*(\d+):\s+([0-9a-f]{2}) ([0-9a-f]{2}) ([0-9a-f]{2})\b", line)
        if m:
            events.append((int(m.group(1)), int(m.group(2), 16), int(m.group(3), 16), int(m.group(4), 16)))
    return events


def read_reference(path):
    events = []
    for line in open(path):
        m = re.match(r"\s*\d+:\d+\s+(\d+)\s+(note-on|note-off)\s+([A-G]#?)(-?\d+)\s+(\d+)\s+(\d+)\s*$", line)
        if m:
            note = (int(m.group(4)) + 1) * 12 + NAMES[m.group(3)]
            status = (0x90 if m.group(2) == "note-on" else 0x80) | (int(m.group(5)) - 1)
            events.append((int(m.group(1)), status, note, int(m.group(6))))
    return events


def main():
    dump, reference = read_dump(sys.argv[1]), read_reference(sys.argv[2])
    step = float(sys.argv[3])
    if not reference:
        fail("the reference lists no events")
    ons = [e for e in dump if e[1] & 0xF0 == 0x90]
    if not ons:
        fail("no note-on arrived")
    start = ons[0][0]
    rolled = [e for e in dump if e[0] >= start]
    # The stop: twelve note-offs, one per row, at one frame.
    frames = sorted({e[0] for e in rolled})
    stops = [f for f in frames
             if sum(1 for e in rolled if e[0] == f and e[1] & 0xF0 == 0x80) >= 12]
    if len(stops) != 1:
        fail("expected the stop's note-offs once, found them at %d frames %s" % (len(stops), stops))
    stop = stops[0]
    at_stop = [e for e in rolled if e[0] == stop]
    if len(at_stop) != 12 or any(e[1] & 0xF0 != 0x80 for e in at_stop):
        fail("the stop sent %d events, not twelve note-offs: %s" % (len(at_stop), at_stop))
    after = [e for e in rolled if e[0] > stop]
    if after:
        fail("%d events after the stop, the first %s" % (len(after), after[0]))

    played = sorted((e[0] - start, e[1], e[2], e[3]) for e in rolled if e[0] < stop)
    expected = sorted(e for e in reference if e[0] < stop - start)
    if expected[-1][0] < stop - start - 2 * step:
        fail("the reference ends before the roll did: give it more bars")
    if len(played) != len(expected):
        fail("%d events arrived before the stop, the pattern plays %d" % (len(played), len(expected)))
    for got, want in zip(played, expected):
        if got[1:] != want[1:] or abs(got[0] - want[0]) > 1:
            fail("arrived %s, the pattern plays %s (frame, status, note, velocity)" % (got, want))
    for e in played:
        if e[1] & 0xF0 == 0x90:
            off = e[0] - round(e[0] / step) * step
            if abs(off) > 1:
                fail("note-on %s lies %.2f frames off the step grid" % (e, off))
    note_ons = sum(1 for e in played if e[1] & 0xF0 == 0x90)
    if note_ons < 16:
        fail("only %d note-ons arrived before the stop: too short a roll to judge" % note_ons)
    print("%d events (%d note-ons) as the pattern plays them, on the grid of %.2f frames; "
          "the stop's 12 note-offs once" % (len(played), note_ons, step))


main()

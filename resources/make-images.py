#!/usr/bin/python3
"""Draws the editor's images into resources/images/.

Run it with Debian's python3 (python3-pil, fonts-dejavu-core and
fonts-dejavu-extra) after changing a design; the build embeds the files it
writes, so they are committed with it. Output is the same on every run.

Each image is drawn three times, for the editor at 100 %, 150 % and 200 %:
the same design with every length scaled and the fonts at the scaled size,
so every scale is sharp. The 100 % files keep their plain names; the others
carry the scale ("velocity-150.ppm").

Button faces and the selector are stored as binary PPM: lossless, so captions
stay crisp and faces keep the exact colours of the window's palette, and small
enough (30 kB together at 100 %) to embed uncompressed. The background and the about
picture are stored as JPEG, which the editor decodes anyway.
"""
import math
import random
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

OUT = Path(__file__).resolve().parent / "images"
FONTS = Path("/usr/share/fonts/truetype/dejavu")

PANEL = (0xB7, 0xBE, 0xB1)
FRAME = (0xA8, 0xB0, 0xA0)
LABEL = (0x80, 0xA8, 0x88)
LINE = (0x64, 0x64, 0x64)
INK = (0x64, 0x69, 0x5F)
GAUGE_BACK = (0xC0, 0xC6, 0xBB)
STEP = (0x95, 0x9A, 0x8F)
BREAK = (0x57, 0x80, 0x60)
DARK = (0x2E, 0x33, 0x2B)


SCALES = {100: 1, 150: 1.5, 200: 2}


def font(name, size):
    return ImageFont.truetype(str(FONTS / name), size)


def S(v, k):
    """A length or an edge at scale k, rounded as the editor rounds its edges."""
    return math.floor(v * k + 0.5)


def thickness(k):
    """Lines one pixel wide at 100 % are this wide at scale k: as wide as the
    editor draws its own lines (two device pixels at 150 %, as at 200 %)."""
    return max(1, S(1, k))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def save_ppm(image, name):
    w, h = image.size
    (OUT / name).write_bytes(b"P6\n%d %d\n255\n" % (w, h) + image.convert("RGB").tobytes())


def save_jpeg(image, name):
    # No chroma subsampling: the about picture is mostly small text.
    image.save(OUT / name, "JPEG", quality=92, subsampling=0, optimize=True)


def button(size, caption, k, glyph=None):
    """A raised face in the frame colour with a dark outline and its caption."""
    w, h = S(size[0], k), S(size[1], k)
    t = thickness(k)
    img = Image.new("RGB", (w, h), FRAME)
    d = ImageDraw.Draw(img)
    for y in range(t, h - t):  # a faint top-lit gradient
        d.line([(t, y), (w - 1 - t, y)],
               fill=mix(mix(FRAME, GAUGE_BACK, 0.55), FRAME, y / (h - 2 * t)))
    d.rectangle([0, 0, w - 1, h - 1], outline=LINE, width=t)
    for i in range(t):
        d.line([(t, t + i), (w - 1 - t, t + i)], fill=GAUGE_BACK)
        d.line([(t, h - 1 - t - i), (w - 1 - t, h - 1 - t - i)], fill=mix(FRAME, LINE, 0.35))
    text = font("DejaVuSansCondensed-Bold.ttf", S(11, k))
    tw = d.textlength(caption, font=text)
    gw = 0
    if glyph:
        sym = font("DejaVuSans.ttf", S(12, k))
        gw = d.textlength(glyph, font=sym) + 4 * k
    x = (w - tw - gw) / 2
    if glyph:
        d.text((x, h / 2), glyph, font=sym, fill=DARK, anchor="lm")
        x += gw
    d.text((x, h / 2), caption, font=text, fill=DARK, anchor="lm")
    return img


def selector(k):
    """A small arrow pointing left at the selected row; its left six columns
    lie on the row anchor (frame colour), the rest on the panel."""
    w, h = S(8, k), S(9, k)
    img = Image.new("RGB", (w, h), PANEL)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, S(6, k) - 1, h - 1], fill=FRAME)

    def at(x, y):  # a pixel's centre at 100 % to the same place at scale k
        return ((x + 0.5) * k - 0.5, (y + 0.5) * k - 0.5) if k != 1 else (x, y)
    d.polygon([at(1, 4), at(7, 0), at(7, 8)], fill=DARK)
    return img


def background(k):
    """A quiet brushed texture in the window's frame colour.

    The container tiles it from the window's corner, so a window of 746 x 321
    never shows more than that much of the 850 x 350 tile: at the larger
    scales, whose decoded pixels count, only that part is drawn."""
    w, h = (850, 350) if k == 1 else (S(746, k), S(321, k))
    rng = random.Random(1003)
    img = Image.new("RGB", (w, h))
    px = img.load()
    streak = [rng.uniform(-3.0, 3.0) for _ in range(h)]
    for y in range(h):
        base = mix(mix(FRAME, GAUGE_BACK, 0.25), FRAME, y / (S(350, k) - 1))
        for x in range(w):
            n = streak[y] + rng.uniform(-2.0, 2.0)
            px[x, y] = tuple(max(0, min(255, round(c + n))) for c in base)
    return img


def about(k):
    w, h = S(510, k), S(191, k)
    t = thickness(k)
    img = Image.new("RGB", (w, h), PANEL)
    d = ImageDraw.Draw(img)
    for y in range(h):  # light at the top, settling into the panel colour
        d.line([(0, y), (w - 1, y)], fill=mix(GAUGE_BACK, PANEL, min(1.0, y / (70 * k))))
    d.rectangle([0, 0, w - 1, h - 1], outline=LINE, width=t)

    def at(x, y):
        return (x * k, y * k)

    # Title: a quaver, the name, version and vendor.
    d.text(at(14, 30), "\u266A", font=font("DejaVuSans.ttf", S(40, k)), fill=BREAK, anchor="lm")
    d.text(at(48, 30), "Quaverlin", font=font("DejaVuSans-Bold.ttf", S(30, k)), fill=DARK,
           anchor="lm")
    d.text((w - 14 * k, 20 * k), "v1.03a BETA-R6", font=font("DejaVuSans-Bold.ttf", S(13, k)),
           fill=INK, anchor="rm")
    d.text((w - 14 * k, 38 * k), "by Tarnwick", font=font("DejaVuSans-Oblique.ttf", S(12, k)),
           fill=INK, anchor="rm")
    d.text(at(50, 55), "MIDI step sequencer \u2022 32 steps \u00D7 12 rows \u2022 24 patterns",
           font=font("DejaVuSans.ttf", S(11, k)), fill=INK, anchor="lm")
    d.line([(S(12, k), S(70, k)), (w - 1 - S(12, k), S(70, k))], fill=LINE, width=t)

    # The mouse on the note grid, each line with a swatch of the cell it paints.
    head = font("DejaVuSansCondensed-Bold.ttf", S(11, k))
    body = font("DejaVuSansCondensed.ttf", S(11, k))
    keys = font("DejaVuSansCondensed-Bold.ttf", S(11, k))
    d.text(at(14, 84), "Note grid", font=head, fill=DARK, anchor="lm")
    grid = [
        (STEP, "Left", "sets a step; drag paints"),
        (LABEL, "Ctrl + Left", "sets a tied step"),
        (BREAK, "Shift + Left", "sets a re-struck step"),
        (GAUGE_BACK, "Right", "clears a step"),
        (None, "Alt + click", "selects the row only"),
    ]
    for i, (swatch, key, what) in enumerate(grid):
        y = 102 + 16 * i
        if swatch:
            d.rectangle([S(14, k), S(y - 6, k), S(27, k) - 1, S(y + 7, k) - 1], fill=swatch,
                        outline=LINE, width=t)
        d.text(at(34, y), key, font=keys, fill=DARK, anchor="lm")
        d.text(at(112, y), what, font=body, fill=DARK, anchor="lm")

    # The other controls.
    x = 282
    d.line([(S(x - 14, k), S(78, k)), (S(x - 14, k), h - S(14, k))], fill=mix(PANEL, LINE, 0.5),
           width=t)
    d.text(at(x, 84), "Rows, lanes and patterns", font=head, fill=DARK, anchor="lm")
    rest = [
        ("Row labels", "Left raises, Right lowers"),
        ("Ctrl + click", "channel, octave of all rows"),
        ("Lanes", "drag velocity and shift"),
        ("Patterns", "Left recalls, Right stores"),
        ("Drag & Drop", "the pattern as a MIDI file"),
    ]
    for i, (key, what) in enumerate(rest):
        y = 102 + 16 * i
        d.text(at(x, y), key, font=keys, fill=DARK, anchor="lm")
        d.text(at(x + 74, y), what, font=body, fill=DARK, anchor="lm")
    d.text((w - 14 * k, h - 9 * k), "click to return",
           font=font("DejaVuSans-Oblique.ttf", S(9, k)), fill=INK, anchor="rm")
    return img


def named(name, percent):
    """velocity.ppm at 100 %, velocity-150.ppm at 150 %."""
    if percent == 100:
        return name
    stem, dot, ext = name.partition(".")
    return "%s-%d%s%s" % (stem, percent, dot, ext)


def main():
    OUT.mkdir(exist_ok=True)
    for percent, k in SCALES.items():
        save_jpeg(background(k), named("background.jpg", percent))
        save_ppm(button((88, 21), "Velocity", k), named("velocity.ppm", percent))
        save_ppm(button((88, 21), "Note Shift", k), named("note-shift.ppm", percent))
        save_ppm(button((88, 21), "About", k), named("about-button.ppm", percent))
        save_ppm(button((108, 21), "Drag & Drop", k, glyph="\u21F2"),
                 named("drag-and-drop.ppm", percent))
        save_ppm(button((108, 21), "Clear Pattern", k, glyph="\u2715"),
                 named("clear-buffer.ppm", percent))
        save_ppm(selector(k), named("selector.ppm", percent))
        save_jpeg(about(k), named("about.jpg", percent))


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Draws the editor's images into resources/images/.

Run it with Debian's python3 (python3-pil, fonts-dejavu-core and
fonts-dejavu-extra) after changing a design; the build embeds the files it
writes, so they are committed with it. Output is the same on every run.

Button faces and the selector are stored as binary PPM: lossless, so captions
stay crisp and faces keep the exact colours of the window's palette, and small
enough (30 kB together) to embed uncompressed. The background and the about
picture are stored as JPEG, which the editor decodes anyway.
"""
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


def font(name, size):
    return ImageFont.truetype(str(FONTS / name), size)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def save_ppm(image, name):
    w, h = image.size
    (OUT / name).write_bytes(b"P6\n%d %d\n255\n" % (w, h) + image.convert("RGB").tobytes())


def save_jpeg(image, name):
    # No chroma subsampling: the about picture is mostly small text.
    image.save(OUT / name, "JPEG", quality=92, subsampling=0, optimize=True)


def button(size, caption, glyph=None):
    """A raised face in the frame colour with a dark outline and its caption."""
    w, h = size
    img = Image.new("RGB", size, FRAME)
    d = ImageDraw.Draw(img)
    for y in range(1, h - 1):  # a faint top-lit gradient
        d.line([(1, y), (w - 2, y)], fill=mix(mix(FRAME, GAUGE_BACK, 0.55), FRAME, y / (h - 2)))
    d.rectangle([0, 0, w - 1, h - 1], outline=LINE)
    d.line([(1, 1), (w - 2, 1)], fill=GAUGE_BACK)
    d.line([(1, h - 2), (w - 2, h - 2)], fill=mix(FRAME, LINE, 0.35))
    text = font("DejaVuSansCondensed-Bold.ttf", 11)
    tw = d.textlength(caption, font=text)
    gw = 0
    if glyph:
        sym = font("DejaVuSans.ttf", 12)
        gw = d.textlength(glyph, font=sym) + 4
    x = (w - tw - gw) / 2
    if glyph:
        d.text((x, h / 2), glyph, font=sym, fill=DARK, anchor="lm")
        x += gw
    d.text((x, h / 2), caption, font=text, fill=DARK, anchor="lm")
    return img


def selector():
    """A small arrow pointing left at the selected row; its left six columns
    lie on the row anchor (frame colour), the rest on the panel."""
    img = Image.new("RGB", (8, 9), PANEL)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, 5, 8], fill=FRAME)
    d.polygon([(1, 4), (7, 0), (7, 8)], fill=DARK)
    return img


def background():
    """A quiet brushed texture in the window's frame colour."""
    w, h = 850, 350
    rng = random.Random(1003)
    img = Image.new("RGB", (w, h))
    px = img.load()
    streak = [rng.uniform(-3.0, 3.0) for _ in range(h)]
    for y in range(h):
        base = mix(mix(FRAME, GAUGE_BACK, 0.25), FRAME, y / (h - 1))
        for x in range(w):
            n = streak[y] + rng.uniform(-2.0, 2.0)
            px[x, y] = tuple(max(0, min(255, round(c + n))) for c in base)
    return img


def about():
    w, h = 510, 191
    img = Image.new("RGB", (w, h), PANEL)
    d = ImageDraw.Draw(img)
    for y in range(h):  # light at the top, settling into the panel colour
        d.line([(0, y), (w - 1, y)], fill=mix(GAUGE_BACK, PANEL, min(1.0, y / 70)))
    d.rectangle([0, 0, w - 1, h - 1], outline=LINE)

    # Title: a quaver, the name, version and vendor.
    d.text((14, 30), "\u266A", font=font("DejaVuSans.ttf", 40), fill=BREAK, anchor="lm")
    d.text((48, 30), "Quaverlin", font=font("DejaVuSans-Bold.ttf", 30), fill=DARK, anchor="lm")
    d.text((w - 14, 20), "v1.03a BETA-R6", font=font("DejaVuSans-Bold.ttf", 13),
           fill=INK, anchor="rm")
    d.text((w - 14, 38), "by Tarnwick", font=font("DejaVuSans-Oblique.ttf", 12),
           fill=INK, anchor="rm")
    d.text((50, 55), "MIDI step sequencer \u2022 32 steps \u00D7 12 rows \u2022 24 patterns",
           font=font("DejaVuSans.ttf", 11), fill=INK, anchor="lm")
    d.line([(12, 70), (w - 13, 70)], fill=LINE)

    # The mouse on the note grid, each line with a swatch of the cell it paints.
    head = font("DejaVuSansCondensed-Bold.ttf", 11)
    body = font("DejaVuSansCondensed.ttf", 11)
    keys = font("DejaVuSansCondensed-Bold.ttf", 11)
    d.text((14, 84), "Note grid", font=head, fill=DARK, anchor="lm")
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
            d.rectangle([14, y - 6, 26, y + 6], fill=swatch, outline=LINE)
        d.text((34, y), key, font=keys, fill=DARK, anchor="lm")
        d.text((112, y), what, font=body, fill=DARK, anchor="lm")

    # The other controls.
    x = 282
    d.line([(x - 14, 78), (x - 14, h - 14)], fill=mix(PANEL, LINE, 0.5))
    d.text((x, 84), "Rows, lanes and patterns", font=head, fill=DARK, anchor="lm")
    rest = [
        ("Row labels", "Left raises, Right lowers"),
        ("Ctrl + click", "channel, octave of all rows"),
        ("Lanes", "drag velocity and shift"),
        ("Patterns", "Left recalls, Right stores"),
        ("Drag & Drop", "the pattern as a MIDI file"),
    ]
    for i, (key, what) in enumerate(rest):
        y = 102 + 16 * i
        d.text((x, y), key, font=keys, fill=DARK, anchor="lm")
        d.text((x + 74, y), what, font=body, fill=DARK, anchor="lm")
    d.text((w - 14, h - 9), "click to return", font=font("DejaVuSans-Oblique.ttf", 9),
           fill=INK, anchor="rm")
    return img


def main():
    OUT.mkdir(exist_ok=True)
    save_jpeg(background(), "background.jpg")
    save_ppm(button((88, 21), "Velocity"), "velocity.ppm")
    save_ppm(button((88, 21), "Note Shift"), "note-shift.ppm")
    save_ppm(button((88, 21), "About"), "about-button.ppm")
    save_ppm(button((108, 21), "Drag & Drop", glyph="\u21F2"), "drag-and-drop.ppm")
    save_ppm(button((108, 21), "Clear Pattern", glyph="\u2715"), "clear-buffer.ppm")
    save_ppm(selector(), "selector.ppm")
    save_jpeg(about(), "about.jpg")


if __name__ == "__main__":
    main()

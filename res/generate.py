#!/usr/bin/env python3
"""Draws the application icons and synthesises the two cue sounds.

The outputs are committed; run this again only to change them:
    python3 res/generate.py

kavlo.png is the 16-colour 32 x 32 icon that the windows show, drawn pixel
by pixel here. The same ball is also written as SVG, in full and in a
simplified form without stitches for the smallest sizes, and turned into the
PNGs of the desktop's icon theme by rsvg-convert (Debian package
librsvg2-bin), which only this script needs.
"""
import math
import struct
import subprocess
import wave
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent

# The classic 16-colour palette, so the icon stays a true 16-colour image.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
GREEN, SILVER, GRAY, RED, WHITE = 2, 7, 8, 9, 15
# Each seam is an arc of a circle this far from the ball's centre, of this radius.
SEAM_CENTRE, SEAM_RADIUS = 19.3, 15.0


def draw_ball(size=32):
    """A baseball on grass: white ball, shaded edge, two red seams."""
    c = (size - 1) / 2
    radius = 13.5
    px = [[GREEN] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > radius:
                continue
            if d > radius - 1.2:
                px[y][x] = GRAY
            elif (x - c) + (y - c) > radius * 0.9:
                px[y][x] = SILVER
            else:
                px[y][x] = WHITE
    # Each seam is an arc of a circle whose centre lies outside the ball.
    for side in (-1, 1):
        sc = c + side * SEAM_CENTRE
        for step in range(200):
            a = math.radians(-48 + step * 96 / 199)
            x = sc - side * SEAM_RADIUS * math.cos(a)
            y = c + SEAM_RADIUS * math.sin(a)
            if math.hypot(x - c, y - c) < radius - 2:
                px[round(y)][round(x)] = RED
        # Stitches: a small chevron either side of the seam.
        for k in range(-3, 4):
            a = math.radians(k * 13)
            x = round(sc - side * SEAM_RADIUS * math.cos(a))
            y = round(c + SEAM_RADIUS * math.sin(a))
            for sx in (x - 1, x + 1):
                if math.hypot(sx - c, y - 1 - c) < radius - 1.5:
                    px[y - 1][sx] = RED
    return px


# The vector ball of ball_svg(), in a 32-unit square, repeats the pixels of
# draw_ball() so that every size shows one design.
SIZE, CENTRE, BALL = 32, 16.0, 14.0
RIM = 1.2
SEAM_REACH = 11.5       # the seams stop this far from the ball's centre
SHADE_LINE = 12.15      # the shade lies where x + y, from the centre, exceeds this
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
SMALL_SIZES = (16, 22, 24)  # too few pixels for stitches: drawn from the simple ball


def hex_colour(index):
    return "#%02x%02x%02x" % PALETTE[index]


def ball_svg(stitches=True):
    """The ball as an SVG document; without stitches the seams are drawn bolder.

    draw_ball() measures from pixel centres, so its ball of radius 13.5 ends
    at 14 here, and its limits for the shade (0.9 of the radius) and the seams
    (2 inside the radius) become SHADE_LINE and SEAM_REACH.
    """
    c, inner = CENTRE, BALL - RIM
    # The shade is the part of the white face beyond the line u + v = SHADE_LINE.
    d = SHADE_LINE / math.sqrt(2)
    half = math.sqrt(inner * inner - d * d) / math.sqrt(2)
    mid = c + d / math.sqrt(2)
    shade = (f"M {mid + half:.3f} {mid - half:.3f} "
             f"A {inner} {inner} 0 0 1 {mid - half:.3f} {mid + half:.3f} Z")
    # Each seam ends where it comes SEAM_REACH from the ball's centre.
    reach = math.acos((SEAM_CENTRE ** 2 + SEAM_RADIUS ** 2 - SEAM_REACH ** 2)
                      / (2 * SEAM_CENTRE * SEAM_RADIUS))
    seams, marks = [], []
    for side in (-1, 1):
        sc = c + side * SEAM_CENTRE

        def point(a):
            return sc - side * SEAM_RADIUS * math.cos(a), c + SEAM_RADIUS * math.sin(a)

        (x0, y0), (x1, y1) = point(-reach), point(reach)
        sweep = 1 if side < 0 else 0
        seams.append(f"M {x0:.3f} {y0:.3f} A {SEAM_RADIUS} {SEAM_RADIUS} 0 0 {sweep} {x1:.3f} {y1:.3f}")
        # Stitches: a chevron across the seam every 13 degrees, as in
        # draw_ball(), its arms raised towards the top of the ball.
        for k in range(-2, 3):
            a = math.radians(k * 13)
            x, y = point(a)
            nx, ny = -side * math.cos(a), math.sin(a)  # across the seam
            tx, ty = side * math.sin(a), math.cos(a)   # down along it
            marks.append(f"M {x + 1.3 * nx - 1.0 * tx:.3f} {y + 1.3 * ny - 1.0 * ty:.3f} "
                         f"L {x:.3f} {y:.3f} "
                         f"L {x - 1.3 * nx - 1.0 * tx:.3f} {y - 1.3 * ny - 1.0 * ty:.3f}")
    red = hex_colour(RED)
    seam_width = 1.2 if stitches else 2.4
    lines = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">',
        "  <title>Kavlo</title>",
        f'  <rect width="{SIZE}" height="{SIZE}" rx="3" fill="{hex_colour(GREEN)}"/>',
        f'  <circle cx="{c}" cy="{c}" r="{BALL - RIM / 2}" fill="{hex_colour(WHITE)}" '
        f'stroke="{hex_colour(GRAY)}" stroke-width="{RIM}"/>',
        f'  <path d="{shade}" fill="{hex_colour(SILVER)}"/>',
        f'  <g fill="none" stroke="{red}" stroke-linecap="round" stroke-linejoin="round">',
        f'    <path d="{" ".join(seams)}" stroke-width="{seam_width}"/>',
    ]
    if stitches:
        lines.append(f'    <path d="{" ".join(marks)}" stroke-width="0.9"/>')
    lines += ["  </g>", "</svg>", ""]
    return "\n".join(lines)


def write_theme_icons(directory):
    """The two SVGs, and a PNG of every theme size rendered from one of them."""
    directory.mkdir(exist_ok=True)
    full, simple = directory / "kavlo.svg", directory / "kavlo-small.svg"
    full.write_text(ball_svg(stitches=True))
    simple.write_text(ball_svg(stitches=False))
    for size in ICON_SIZES:
        source = simple if size in SMALL_SIZES else full
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size),
                        "-o", str(directory / f"{size}.png"), str(source)], check=True)


def write_png(path, pixels):
    """A 4-bit palette PNG with no transparency chunk: fully opaque."""
    h, w = len(pixels), len(pixels[0])
    raw = b""
    for row in pixels:
        raw += b"\0" + bytes((row[i] << 4) | row[i + 1] for i in range(0, w, 2))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 4, 3, 0, 0, 0))
    png += chunk(b"PLTE", b"".join(bytes(c) for c in PALETTE))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    path.write_bytes(png)


def write_tone(path, partials, seconds, decay, rate=22050):
    """16-bit mono PCM: a sum of sine partials under a short attack and an exponential decay."""
    frames = bytearray()
    n = int(rate * seconds)
    for i in range(n):
        t = i / rate
        env = min(1.0, t / 0.002) * math.exp(-t / decay) * min(1.0, (n - i) / (rate * 0.004))
        v = sum(a * math.sin(2 * math.pi * f * t) for f, a in partials)
        frames += struct.pack("<h", int(max(-1.0, min(1.0, v * env)) * 20000))
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


if __name__ == "__main__":
    write_png(HERE / "kavlo.png", draw_ball())
    write_theme_icons(HERE / "icons")
    write_tone(HERE / "kavlo1.wav", [(2093.0, 0.8), (4186.0, 0.2)], 0.045, 0.012)
    write_tone(HERE / "kavlo2.wav", [(987.8, 0.6), (1318.5, 0.4)], 0.16, 0.06)

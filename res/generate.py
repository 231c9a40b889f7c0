#!/usr/bin/env python3
"""Draws the application icon and synthesises the two cue sounds.

The outputs are committed; run this again only to change them:
    python3 res/generate.py
"""
import math
import struct
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
        sc = c + side * 19.3
        for step in range(200):
            a = math.radians(-48 + step * 96 / 199)
            x = sc - side * 15.0 * math.cos(a)
            y = c + 15.0 * math.sin(a)
            if math.hypot(x - c, y - c) < radius - 2:
                px[round(y)][round(x)] = RED
        # Stitches: a small chevron either side of the seam.
        for k in range(-3, 4):
            a = math.radians(k * 13)
            x = round(sc - side * 15.0 * math.cos(a))
            y = round(c + 15.0 * math.sin(a))
            for sx in (x - 1, x + 1):
                if math.hypot(sx - c, y - 1 - c) < radius - 1.5:
                    px[y - 1][sx] = RED
    return px


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
    write_tone(HERE / "kavlo1.wav", [(2093.0, 0.8), (4186.0, 0.2)], 0.045, 0.012)
    write_tone(HERE / "kavlo2.wav", [(987.8, 0.6), (1318.5, 0.4)], 0.16, 0.06)

#!/usr/bin/env python3
"""Draws Horovant's icons and bitmaps and synthesises its two wave files.

Run from anywhere: python3 res/art/make_art.py
Writes into res/: Horovant.ico, HorovantActive.ico, banner.bmp, arrow.bmp,
logo.bmp, alarm-sound.wav, stunden-sound.wav.

Standard library only, and deterministic: the same bytes on every run, so the
committed files can always be checked against a fresh run.
"""
import math
import os
import struct
import wave

OUT_DIR = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

WHITE = (255, 255, 255)
INK = (43, 52, 64)        # clock ring and ticks
RED = (208, 32, 42)       # hands, wordmark
BLUE = (30, 79, 160)      # product name, arrow, logo
GREEN = (46, 170, 74)     # "something is active" badge

SUPERSAMPLE = 8           # samples per pixel edge; enough for smooth 16 px icons


# --- raster --------------------------------------------------------------

class Canvas:
    """Straight (not premultiplied) RGBA floats; icons need straight alpha."""

    def __init__(self, width, height, background=None):
        self.w, self.h = width, height
        fill = (background + (1.0,)) if background else (0, 0, 0, 0.0)
        self.px = [list(map(float, fill)) for _ in range(width * height)]

    def paint(self, inside, box, color, opacity=1.0):
        """Composites `color` over every pixel by the share of its samples
        for which inside(x, y) holds; box = (x0, y0, x1, y1) bounds the shape."""
        x0, y0 = max(0, int(box[0]) - 1), max(0, int(box[1]) - 1)
        x1, y1 = min(self.w, int(box[2]) + 2), min(self.h, int(box[3]) + 2)
        n = SUPERSAMPLE
        offsets = [(i + 0.5) / n for i in range(n)]
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = sum(1 for sy in offsets for sx in offsets if inside(px + sx, py + sy))
                if hits:
                    self._over(px, py, color, opacity * hits / (n * n))

    def _over(self, x, y, color, a):
        p = self.px[y * self.w + x]
        out_a = a + p[3] * (1 - a)
        for c in range(3):
            p[c] = (color[c] * a + p[c] * p[3] * (1 - a)) / out_a
        p[3] = out_a

    def rgba(self, x, y):
        r, g, b, a = self.px[y * self.w + x]
        return round(r), round(g), round(b), round(a * 255)


def disc(cv, cx, cy, r, color):
    cv.paint(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
             (cx - r, cy - r, cx + r, cy + r), color)


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def stroke(cv, ax, ay, bx, by, width, color):
    """A line with round caps."""
    h = width / 2
    cv.paint(lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= h,
             (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h), color)


def polygon(cv, points, color):
    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    cv.paint(inside, (min(xs), min(ys), max(xs), max(ys)), color)


def rounded_rect(cv, x0, y0, x1, y1, r, color):
    def inside(x, y):
        cx, cy = min(max(x, x0 + r), x1 - r), min(max(y, y0 + r), y1 - r)
        return x0 <= x <= x1 and y0 <= y <= y1 and (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    cv.paint(inside, (x0, y0, x1, y1), color)


# --- pictures ------------------------------------------------------------

def draw_clock(cv, ox, oy, size):
    """A white clock face in a dark ring, red hands at three o'clock: the
    upright and the level hand still read as a clock at 16 pixels."""
    c = size / 2
    cx, cy = ox + c, oy + c
    ring = max(1.5, size * 0.085)
    outer = size * 0.47
    disc(cv, cx, cy, outer, INK)
    disc(cv, cx, cy, outer - ring, WHITE)
    if size >= 24:
        inner = outer - ring
        for k in range(12):
            a = k * math.pi / 6
            long_tick = k % 3 == 0
            r0 = inner - (size * 0.12 if long_tick else size * 0.06)
            r1 = inner - size * 0.03
            stroke(cv, cx + r0 * math.sin(a), cy - r0 * math.cos(a),
                   cx + r1 * math.sin(a), cy - r1 * math.cos(a),
                   max(1.0, size * (0.05 if long_tick else 0.03)), INK)
    hand = max(2.0, size * 0.08)
    stroke(cv, cx, cy, cx + size * 0.19, cy, hand, RED)
    # Small sizes keep whole-pixel widths so the hands stay sharp.
    stroke(cv, cx, cy, cx, cy - size * 0.29, hand if size < 24 else hand * 0.75, RED)
    disc(cv, cx, cy, max(1.5, size * 0.075), RED)


def draw_badge(cv, size):
    """Green dot in the lower right corner: an alarm, countdown, stopwatch or
    hourly signal is running (shown in the notification area)."""
    r = size * 0.2
    cx = cy = size - r - size * 0.02
    disc(cv, cx, cy, r + max(1.0, size * 0.05), WHITE)
    disc(cv, cx, cy, r, GREEN)
    if size >= 32:
        s = r * 0.55
        w = max(1.5, size * 0.05)
        stroke(cv, cx - s, cy, cx - s * 0.3, cy + s * 0.7, w, WHITE)
        stroke(cv, cx - s * 0.3, cy + s * 0.7, cx + s, cy - s * 0.6, w, WHITE)


def icon_images(active):
    images = []
    # 20 and 24 serve the notification area at 125 % and 150 %.
    for size in (16, 20, 24, 32, 40, 48):
        cv = Canvas(size, size)
        draw_clock(cv, 0, 0, size)
        if active:
            draw_badge(cv, size)
        images.append(cv)
    return images


# A 5x7 pixel font with just the letters the banner needs.
GLYPHS = {
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
}


def text_width(text, scale, spacing):
    return len(text) * (5 * scale + spacing) - spacing


def draw_text(cv, text, x, y, scale, spacing, color, dot):
    """Each font pixel becomes a square `dot` x scale wide; below 1 the
    squares are rounded and apart, like the dots of a matrix display."""
    for ch in text:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    px, py = x + col * scale, y + row * scale
                    inset = scale * (1 - dot) / 2
                    rounded_rect(cv, px + inset, py + inset, px + scale - inset, py + scale - inset,
                                 scale * dot * 0.3 if dot < 1 else 0.0, color)
        x += 5 * scale + spacing


def banner():
    cv = Canvas(300, 43, WHITE)
    draw_clock(cv, 3, 2, 39)
    left = 50
    draw_text(cv, "VELTRANO", left + 1, 3, 1, 2, RED, 1.0)
    draw_text(cv, "Horovant", left, 13, 4, 3, BLUE, 1.0)
    # A thin red rule under the wordmark ties the two lines together.
    rounded_rect(cv, left + text_width("VELTRANO", 1, 2) + 5, 6, left + text_width("Horovant", 4, 3), 7,
                 0.5, RED)
    return cv


def arrow():
    """Points from the current labels to the new ones in the label editor."""
    cv = Canvas(48, 48, WHITE)
    polygon(cv, [(5, 18), (26, 18), (26, 7), (44, 24), (26, 41), (26, 30), (5, 30)], BLUE)
    return cv


def logo():
    """The vendor's small V mark beside the brand notice of the about window."""
    cv = Canvas(25, 24, WHITE)
    rounded_rect(cv, 1, 1, 24, 23, 4.5, BLUE)
    stroke(cv, 7, 7, 12.5, 17.5, 3, WHITE)
    stroke(cv, 12.5, 17.5, 18, 7, 3, WHITE)
    return cv


# --- file formats --------------------------------------------------------

def bmp24_bytes(cv):
    row_size = (cv.w * 3 + 3) & ~3
    rows = []
    for y in range(cv.h - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(cv.w):
            r, g, b, _ = cv.rgba(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * (row_size - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def ico_image_bytes(cv):
    """A 32-bit BGRA image with its AND mask, as icon directories hold them;
    the mask lets systems that ignore alpha cut out the round shape."""
    xor = bytearray()
    for y in range(cv.h - 1, -1, -1):
        for x in range(cv.w):
            r, g, b, a = cv.rgba(x, y)
            xor += bytes((b, g, r, a))
    mask_row = ((cv.w + 31) // 32) * 4
    mask = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(cv.w):
            if cv.rgba(x, y)[3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(images):
    blobs = [ico_image_bytes(cv) for cv in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for cv, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# --- sounds --------------------------------------------------------------

RATE = 22050


def tone(samples, start, length, freq, level, partials=((1, 1.0),), attack=0.006, decay=None):
    """Adds a tone into `samples`. Short linear fades on both ends keep the
    speaker from clicking; `decay` (seconds) gives a struck, bell-like fall."""
    first = int(start * RATE)
    count = min(int(length * RATE), len(samples) - first)
    fade = int(attack * RATE)
    for i in range(count):
        t = i / RATE
        env = min(1.0, i / fade, (count - 1 - i) / fade)
        if decay:
            env *= math.exp(-t / decay)
        v = sum(a * math.sin(2 * math.pi * freq * m * t) for m, a in partials)
        samples[first + i] += level * env * v


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def alarm_sound():
    """Two short "di-dit" pairs in 1.5 s. Silence at both ends, so the file
    loops (SND_LOOP) without a click and keeps an even rhythm."""
    samples = [0.0] * int(1.5 * RATE)
    warm = ((1, 1.0), (2, 0.18), (3, 0.06))
    for group in (0.0, 0.75):
        tone(samples, group + 0.02, 0.10, 880.0, 0.55, warm)
        tone(samples, group + 0.16, 0.10, 1318.5, 0.50, warm)
    return samples


def hourly_sound():
    """A soft two-note chime (G5, C6) that dies away within 0.8 s."""
    samples = [0.0] * int(0.8 * RATE)
    bell = ((1, 1.0), (2.0, 0.22), (2.76, 0.08))
    tone(samples, 0.0, 0.8, 783.99, 0.30, bell, attack=0.004, decay=0.16)
    tone(samples, 0.16, 0.64, 1046.5, 0.28, bell, attack=0.004, decay=0.18)
    return samples


# --- main ----------------------------------------------------------------

def write(name, data):
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(data)


def main():
    write("Horovant.ico", ico_bytes(icon_images(active=False)))
    write("HorovantActive.ico", ico_bytes(icon_images(active=True)))
    write("banner.bmp", bmp24_bytes(banner()))
    write("arrow.bmp", bmp24_bytes(arrow()))
    write("logo.bmp", bmp24_bytes(logo()))
    write_wav(os.path.join(OUT_DIR, "alarm-sound.wav"), alarm_sound())
    write_wav(os.path.join(OUT_DIR, "stunden-sound.wav"), hourly_sound())


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the application icon: a rounded tile in a blue-to-teal gradient with a
white picture frame holding a sun over two hills. Written as a Windows .ico
with 16, 24, 32, 48 and 256 pixel images (32-bit, alpha), deterministically.

usage: MakeIcon.py OUT.ico
"""
import math
import struct
import sys
import zlib

SS = 4  # supersampling per axis


def coverage(size, inside):
    """Anti-aliased coverage 0..1 of a shape given as inside(x, y) in 0..1 units."""
    cov = [[0.0] * size for _ in range(size)]
    n = SS * SS
    for y in range(size):
        for x in range(size):
            c = 0
            for sy in range(SS):
                for sx in range(SS):
                    u = (x + (sx + 0.5) / SS) / size
                    v = (y + (sy + 0.5) / SS) / size
                    if inside(u, v):
                        c += 1
            cov[y][x] = c / n
    return cov


def rounded_rect(x0, y0, x1, y1, r):
    def inside(u, v):
        if u < x0 or u > x1 or v < y0 or v > y1:
            return False
        cx = min(max(u, x0 + r), x1 - r)
        cy = min(max(v, y0 + r), y1 - r)
        return (u - cx) ** 2 + (v - cy) ** 2 <= r * r
    return inside


def render(size):
    tile = coverage(size, rounded_rect(0.03, 0.03, 0.97, 0.97, 0.2))
    frame_out = coverage(size, rounded_rect(0.2, 0.24, 0.8, 0.76, 0.04))
    frame_in = coverage(size, rounded_rect(0.26, 0.3, 0.74, 0.7, 0.02))
    sun = coverage(size, lambda u, v: (u - 0.61) ** 2 + (v - 0.41) ** 2 <= 0.055 ** 2)

    def hills(u, v):
        if not (0.26 <= u <= 0.74 and v <= 0.7):
            return False
        h1 = 0.7 - 0.2 * max(0.0, 1 - abs(u - 0.38) / 0.16)
        h2 = 0.7 - 0.14 * max(0.0, 1 - abs(u - 0.6) / 0.16)
        return v >= min(h1, h2)
    hill = coverage(size, hills)

    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            t = (x + y) / (2.0 * size)
            # gradient from deep blue to teal
            r, g, b = 0x1E + (0x14 - 0x1E) * t, 0x5A + (0xB4 - 0x5A) * t, 0xC8 + (0xA0 - 0xC8) * t
            a = tile[y][x]
            # white frame ring
            ring = max(0.0, frame_out[y][x] - frame_in[y][x])
            r, g, b = [c + (255 - c) * ring for c in (r, g, b)]
            # inside the frame: pale sky, sun and hills
            sky = frame_in[y][x]
            r, g, b = [c + (s - c) * sky for c, s in zip((r, g, b), (0xE8, 0xF4, 0xFF))]
            s = sun[y][x] * sky
            r, g, b = [c + (t2 - c) * s for c, t2 in zip((r, g, b), (0xFF, 0xB8, 0x1C))]
            hl = hill[y][x] * sky
            r, g, b = [c + (t2 - c) * hl for c, t2 in zip((r, g, b), (0x2E, 0x9E, 0x4A))]
            row.append((int(round(r)), int(round(g)), int(round(b)), int(round(a * 255))))
        pixels.append(row)
    return pixels


def dib(size, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    data = bytearray()
    for y in range(size - 1, -1, -1):
        for r, g, b, a in pixels[y]:
            data += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    data += bytes(mask_row * size)  # AND mask unused with alpha
    return header + bytes(data)


def png(size, pixels):
    raw = b''.join(b'\x00' + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    sizes = [16, 24, 32, 48, 256]
    images = []
    for s in sizes:
        px = render(s)
        images.append(png(s, px) if s == 256 else dib(s, px))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b''.join(images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws the editor's resources into src/editor/resources/:

- skirvane.ico: the program icon, a shaded material ball, at 16, 32 and 48
  pixels (32-bit images with their masks);
- checkerboard.bmp: the viewer's 16 x 16 background tile, two white and two
  grey 8 x 8 squares, top-left white (24 bits, 40-byte header, no palette).

Run it from anywhere; it rewrites both files.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "src", "editor", "resources")


def ball_pixel(x, y, size):
    """The colour (r, g, b, a) of the icon at pixel centre (x, y)."""
    samples = 4  # 4 x 4 samples per pixel smooth the edge
    r = g = b = a = 0.0
    radius = size * 0.46
    cx = cy = size / 2.0
    for sy in range(samples):
        for sx in range(samples):
            px = x + (sx + 0.5) / samples - cx
            py = y + (sy + 0.5) / samples - cy
            d2 = px * px + py * py
            if d2 > radius * radius:
                continue
            nz = math.sqrt(radius * radius - d2) / radius
            nx, ny = px / radius, py / radius
            # Light from the upper left and a little in front.
            lx, ly, lz = -0.5, -0.6, 0.62
            length = math.sqrt(lx * lx + ly * ly + lz * lz)
            diffuse = max(0.0, (nx * lx + ny * ly + nz * lz) / length)
            # A checker pattern of the texture wrapped on the ball.
            u = math.atan2(nx, nz) * 4 / math.pi
            v = math.asin(max(-1.0, min(1.0, ny))) * 4 / math.pi
            checker = (math.floor(u) + math.floor(v)) % 2
            base = (226, 132, 48) if checker else (196, 92, 28)
            shade = 0.28 + 0.72 * diffuse
            specular = max(0.0, (nx * lx + ny * ly + nz * lz) / length) ** 24
            r += min(255.0, base[0] * shade + 255 * specular)
            g += min(255.0, base[1] * shade + 255 * specular)
            b += min(255.0, base[2] * shade + 255 * specular)
            a += 255.0
    n = samples * samples
    if a == 0:
        return 0, 0, 0, 0
    coverage = a / n
    return (int(r / (a / 255)), int(g / (a / 255)), int(b / (a / 255)), int(coverage))


def icon_image(size):
    """One icon image: BITMAPINFOHEADER (height doubled), BGRA rows bottom up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        row_mask = bytearray(mask_row_bytes)
        for x in range(size):
            r, g, b, a = ball_pixel(x, y, size)
            pixels += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    return header + bytes(pixels) + bytes(mask)


def write_icon(path):
    sizes = (16, 32, 48)
    images = [icon_image(s) for s in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(directory + entries + b"".join(images))


def write_checkerboard(path):
    white, grey = b"\xff\xff\xff", b"\xcc\xcc\xcc"
    rows = []
    for y in range(16):  # picture rows, top first
        left, right = (white, grey) if y < 8 else (grey, white)
        rows.append(left * 8 + right * 8)
    pixels = b"".join(reversed(rows))  # stored bottom line first
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(file_header + info + pixels)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_icon(os.path.join(OUT, "skirvane.ico"))
    write_checkerboard(os.path.join(OUT, "checkerboard.bmp"))

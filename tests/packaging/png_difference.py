#!/usr/bin/env python3
"""How far apart two pictures of the same size are.

    png_difference.py A.png B.png

Prints the mean difference of the colour channels over all pixels, 0 to 255, after
putting both pictures on white. Reads 8-bit, non-interlaced PNG (grey, RGB, grey with
alpha, RGBA): what rsvg-convert and the build's picture maker write.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 4: 2, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace:
        raise SystemExit(f"{path}: depth {depth}, colour type {colour}, interlace {interlace}")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                best = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + best) & 255
        rows.append(row)
        previous = row
    pixels = []
    for row in rows:
        for x in range(width):
            cell = row[x * channels:(x + 1) * channels]
            grey = channels <= 2
            rgb = [cell[0]] * 3 if grey else list(cell[:3])
            alpha = cell[-1] if channels in (2, 4) else 255
            pixels.append([(c * alpha + 255 * (255 - alpha)) / 255 for c in rgb])
    return width, height, pixels


def main():
    wa, ha, a = read_png(sys.argv[1])
    wb, hb, b = read_png(sys.argv[2])
    if (wa, ha) != (wb, hb):
        raise SystemExit(f"sizes differ: {wa}x{ha} and {wb}x{hb}")
    total = sum(abs(p - q) for pa, pb in zip(a, b) for p, q in zip(pa, pb))
    print(f"{total / (3 * wa * ha):.2f}")


main()

#!/usr/bin/env python3
"""Checks the committed picture files without Windows: header fields, sizes, ids and that the
.ico/.cur copies hold the same images as the raw resource blobs.

Usage: python3 resources/art/check.py   (draw.sh runs it after drawing; exit status 1 on a problem)
"""

import os
import struct
import sys

RES = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
problems = []


def read(name):
    with open(os.path.join(RES, name), "rb") as f:
        return f.read()


def expect(what, actual, wanted):
    if actual != wanted:
        problems.append(f"{what}: {actual!r}, wanted {wanted!r}")


def stride(width, bpp):
    return (width * bpp + 31) // 32 * 4


def dib(what, data, width, height, bpp, palette):
    size, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data)
    expect(f"{what} header size", size, 40)
    expect(f"{what} width", w, width)
    expect(f"{what} height", h, height)
    expect(f"{what} planes", planes, 1)
    expect(f"{what} bits per pixel", bits, bpp)
    expect(f"{what} compression", compression, 0)
    return 40 + palette * 4


def bitmap(name, width, height, bpp, palette):
    data = read(name)
    expect(f"{name} signature", data[:2], b"BM")
    expect(f"{name} file size", struct.unpack_from("<I", data, 2)[0], len(data))
    expect(f"{name} bits offset", struct.unpack_from("<I", data, 10)[0], 14 + 40 + palette * 4)
    head = dib(name, data[14:], width, height, bpp, palette)
    expect(f"{name} length", len(data), 14 + head + stride(width, bpp) * height)


def icon_image(what, data, size):
    head = dib(what, data, size, 2 * size, 8, 256)
    expect(f"{what} length", len(data), head + stride(size, 8) * size + stride(size, 1) * size)


def main():
    bitmap("banner.bmp", 420, 40, 8, 256)
    bitmap("monitor.bmp", 106, 96, 8, 256)
    bitmap("emblem.bmp", 52, 52, 8, 256)

    group = read("icon_group.bin")
    expect("icon group header", struct.unpack_from("<HHH", group), (0, 1, 4))
    expect("icon group length", len(group), 6 + 4 * 14)
    ico = read("brandwick.ico")
    expect("ico header", struct.unpack_from("<HHH", ico), (0, 1, 4))
    for i, (size, res_id) in enumerate(((48, 30001), (32, 30002), (24, 30003), (16, 30004))):
        image = read(f"icon{size}.bin")
        icon_image(f"icon{size}.bin", image, size)
        entry = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        expect(f"icon group entry {i}", entry, (size, size, 0, 0, 1, 8, len(image), res_id))
        w, h, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        expect(f"ico image {i}", (w, h, ico[offset : offset + length]), (size, size, image))

    hand = read("hand.bin")
    expect("cursor hot spot", struct.unpack_from("<HH", hand), (12, 6))
    icon_image("hand.bin", hand[4:], 32)
    expect("cursor group", read("hand_group.bin"),
           struct.pack("<HHHHHHHIH", 0, 2, 1, 32, 64, 1, 8, len(hand), 1))
    cur = read("hand.cur")
    expect("cur header", struct.unpack_from("<HHHBBBBHHII", cur), (0, 2, 1, 32, 32, 0, 0, 12, 6, len(hand) - 4, 22))
    expect("cur image", cur[22:], hand[4:])

    for p in problems:
        print("check.py:", p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

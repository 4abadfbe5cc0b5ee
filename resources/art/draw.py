#!/usr/bin/env python3
"""Draws Brandwick's pictures and packs them into the files brandwick.rc embeds.

Run resources/art/draw.sh (it calls this script). Needs ImageMagick 6 (`convert`), the DejaVu and
WenQuanYi Zen Hei fonts and python3; the packing itself uses the standard library only, so every
byte of the headers is written here on purpose. Pass --preview DIR to also get enlarged PNGs.

ImageMagick only rasterises; quantising, masks and file layouts are done below, because the
program and its tests rely on exact formats (40-byte headers, bottom-up rows, fixed bit depths).
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)

FONT_SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_TITLE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"
FONT_CJK = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"

# The default button face of current Windows: the pictures sit on dialog backgrounds.
FACE = "#F0F0F0"

# The four panes of the flag, in the order top-left, top-right, bottom-left, bottom-right.
FLAG_COLOURS = ("#F25022", "#7FBA00", "#00A4EF", "#FFB900")

TMP = None


# ---------------------------------------------------------------------------
# Rasterising through ImageMagick


def run_convert(args):
    subprocess.run(["convert"] + args, check=True)


def read_rgba(path, width, height):
    """Pixels of an image file as rows (top first) of (r, g, b, a) tuples."""
    raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], check=True, capture_output=True).stdout
    if len(raw) != width * height * 4:
        sys.exit(f"{path}: expected {width}x{height}")
    return [
        [tuple(raw[(y * width + x) * 4 : (y * width + x) * 4 + 4]) for x in range(width)] for y in range(height)
    ]


def write_rgb_raw(path, rows):
    with open(path, "wb") as f:
        for row in rows:
            for p in row:
                f.write(bytes(p[:3]))


def quantise(rows, name, colours=256):
    """Reduces a picture to at most `colours` colours; returns (palette, index rows)."""
    height, width = len(rows), len(rows[0])
    raw = os.path.join(TMP, name + ".rgb")
    write_rgb_raw(raw, rows)
    out = subprocess.run(
        ["convert", "-size", f"{width}x{height}", "-depth", "8", "rgb:" + raw, "+dither", "-colors", str(colours),
         "-depth", "8", "rgb:-"],
        check=True, capture_output=True).stdout
    palette = sorted({out[i : i + 3] for i in range(0, len(out), 3)})
    if len(palette) > colours:
        sys.exit(f"{name}: {len(palette)} colours after quantising")
    index = {c: i for i, c in enumerate(palette)}
    idx_rows = [[index[out[(y * width + x) * 3 : (y * width + x) * 3 + 3]] for x in range(width)]
                for y in range(height)]
    return [tuple(c) for c in palette], idx_rows


# ---------------------------------------------------------------------------
# Windows file layouts


def bitmap_info_header(width, height, bpp, image_size, colours_used, pels_per_metre=3780):
    # 40-byte BITMAPINFOHEADER, BI_RGB, 96 dpi; a positive height means bottom-up rows.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, pels_per_metre, pels_per_metre,
                       colours_used, 0)


def row_bytes(width, bpp):
    return (width * bpp + 31) // 32 * 4


def pack_rows_24(rows):
    width = len(rows[0])
    pad = row_bytes(width, 24) - width * 3
    out = bytearray()
    for row in reversed(rows):
        for r, g, b, *_ in row:
            out += bytes((b, g, r))
        out += bytes(pad)
    return bytes(out)


def pack_rows_8(idx_rows):
    width = len(idx_rows[0])
    pad = row_bytes(width, 8) - width
    out = bytearray()
    for row in reversed(idx_rows):
        out += bytes(row) + bytes(pad)
    return bytes(out)


def pack_mask(mask_rows):
    """1-bit AND mask, bottom-up; a set bit leaves the screen as it is (transparent)."""
    width = len(mask_rows[0])
    stride = row_bytes(width, 1)
    out = bytearray()
    for row in reversed(mask_rows):
        line = bytearray(stride)
        for x, transparent in enumerate(row):
            if transparent:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def pack_palette(palette):
    entries = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    return b"".join(bytes((b, g, r, 0)) for r, g, b in entries)


def bmp_file(info_and_bits):
    """A .bmp file around a packed DIB whose colour table (if any) follows the 40-byte header."""
    header_size = 14
    info = info_and_bits
    bpp = struct.unpack_from("<H", info, 14)[0]
    table = 256 * 4 if bpp == 8 else 0
    return struct.pack("<2sIHHI", b"BM", header_size + len(info), 0, 0, header_size + 40 + table) + info


def dib_24(rows):
    height, width = len(rows), len(rows[0])
    bits = pack_rows_24(rows)
    return bitmap_info_header(width, height, 24, len(bits), 0) + bits


def dib_8(palette, idx_rows):
    height, width = len(idx_rows), len(idx_rows[0])
    bits = pack_rows_8(idx_rows)
    return bitmap_info_header(width, height, 8, len(bits), 256) + pack_palette(palette) + bits


def icon_image(palette, idx_rows, mask_rows):
    """An icon or cursor image as stored in RT_ICON/RT_CURSOR and in .ico/.cur files: the header's
    height counts the colour bitmap and the mask together."""
    height, width = len(idx_rows), len(idx_rows[0])
    xor = pack_rows_8(idx_rows)
    andm = pack_mask(mask_rows)
    header = bitmap_info_header(width, 2 * height, 8, len(xor) + len(andm), 0, pels_per_metre=0)
    return header + pack_palette(palette) + xor + andm


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------
# The flag, drawn as four waving panes


def flag_polygons(x0, y0, w, h, wave, gap):
    """Four panes of a flag waving to the right: each pane's edges follow one sine, and the whole
    flag leans a little so it looks blown by the wind."""
    def point(u, v):
        x = x0 + u * w
        y = y0 + v * h + wave * h * math.sin(math.pi * 1.6 * u - 0.4) - 0.08 * h * u
        return x, y

    polys = []
    half = (1.0 - gap) / 2
    for row in range(2):
        for col in range(2):
            u0, v0 = col * (half + gap), row * (half + gap)
            u1, v1 = u0 + half, v0 + half
            steps = 10
            pts = [point(u0 + (u1 - u0) * i / steps, v0) for i in range(steps + 1)]
            pts += [point(u1, v0 + (v1 - v0) * i / steps) for i in range(1, steps + 1)]
            pts += [point(u1 - (u1 - u0) * i / steps, v1) for i in range(1, steps + 1)]
            pts += [point(u0, v1 - (v1 - v0) * i / steps) for i in range(1, steps)]
            polys.append(pts)
    return polys


def poly(pts, k=1.0):
    return "polygon " + " ".join(f"{x * k:.2f},{y * k:.2f}" for x, y in pts)


def flag_draw(x0, y0, w, h, k, wave=0.06, gap=0.06):
    cmds = []
    for colour, pts in zip(FLAG_COLOURS, flag_polygons(x0, y0, w, h, wave, gap)):
        cmds += ["-fill", colour, "-stroke", "none", "-draw", poly(pts, k)]
    return cmds


# ---------------------------------------------------------------------------
# Bitmap 101: the banner


def draw_banner():
    w, h = 420, 40
    png = os.path.join(TMP, "banner.png")
    mark = []
    # The maker's mark: a candle flame (the "wick" in the name) on a deep-blue tile.
    mark += ["-fill", "#1D4F9A", "-stroke", "#0F2F66", "-strokewidth", "1",
             "-draw", "roundrectangle 6.5,3.5 24.5,21.5 4,4"]
    mark += ["-fill", "#FFFFFF", "-stroke", "none", "-draw", "rectangle 13,14 17,19"]
    mark += ["-fill", "#FF8A1C", "-draw", "path 'M 15,5 C 20,9 20,13 15,14 C 10,13 10,9 15,5 Z'"]
    mark += ["-fill", "#FFE25A", "-draw", "path 'M 15,8.5 C 17.5,10.5 17.5,12.5 15,13.2 C 12.5,12.5 12.5,10.5 15,8.5 Z'"]
    words = ["-stroke", "none", "-fill", "#17386E", "-font", FONT_SANS_BOLD, "-pointsize", "11",
             "-annotate", "+29+17", "Brandwick Works"]
    slogan = ["-fill", "#2B4C7E", "-font", FONT_CJK, "-pointsize", "12", "-annotate", "+7+36", "点亮您的品牌  成就非凡电脑"]
    title = ["-gravity", "NorthEast", "-font", FONT_TITLE, "-pointsize", "24",
             "-fill", "#3A5A8C", "-annotate", "+15+3", "Brandwick",
             "-fill", "#FFD21F", "-annotate", "+16+2", "Brandwick"]
    address = ["-gravity", "SouthEast", "-font", FONT_SANS, "-pointsize", "9", "-fill", "#1B2B44",
               "-annotate", "+16+2", "www.brandwick.example"]
    run_convert(["-size", f"{w}x{h}", "-define", "gradient:direction=east", "gradient:#EEF6FE-#9FCBF0",
                 "-fill", "#FFFFFF80", "-draw", "line 0,0 419,0"]
                + mark + words + slogan + title + address + ["-alpha", "off", png])
    rows = read_rgba(png, w, h)
    # 256 colours look the same as the 2,000 the gradient and the smoothed letters make, in a third of the size.
    palette, idx = quantise(rows, "banner")
    write("banner.bmp", bmp_file(dib_8(palette, idx)))


# ---------------------------------------------------------------------------
# Bitmap 102: the monitor


def draw_monitor():
    w, h = 106, 96
    png = os.path.join(TMP, "monitor.png")
    cmds = ["-size", f"{w}x{h}", f"xc:{FACE}"]
    # Stand and foot first, so the cabinet covers their upper ends.
    cmds += ["-fill", "#D9DDE3", "-stroke", "#8C949E", "-strokewidth", "1",
             "-draw", "polygon 44.5,72 61.5,72 64.5,84 41.5,84",
             "-fill", "#F4F5F7", "-draw", "ellipse 53,87 30,5.5 0,360"]
    # Cabinet: white with a soft shadow edge at right and bottom.
    cmds += ["-fill", "#B8BEC6", "-stroke", "none", "-draw", "roundrectangle 8,5 100,77 6,6",
             "-fill", "#FFFFFF", "-stroke", "#7E8792", "-draw", "roundrectangle 6.5,3.5 98.5,75.5 6,6",
             "-fill", "none", "-stroke", "#E2E6EB", "-draw", "line 9,72 96,72"]
    # Screen: a pale glass, darker frame.
    cmds += ["-fill", "#5C6670", "-stroke", "none", "-draw", "rectangle 13,9 92,66"]
    run_convert(cmds + [png])
    screen = os.path.join(TMP, "screen.png")
    run_convert(["-size", "78x56", "gradient:#F8FBFF-#D6E6F7"] + flag_draw(20, 10, 38, 34, 1.0)
                + ["-fill", "#FFFFFF60", "-draw", "polygon 0,0 30,0 0,22", screen])
    lit = os.path.join(TMP, "monitor_lit.png")
    run_convert([png, screen, "-geometry", "+14+10", "-composite",
                 # Power light and a maker badge under the screen.
                 "-fill", "#39B54A", "-stroke", "none", "-draw", "rectangle 88,69 91,70",
                 "-fill", "#A9B0B8", "-draw", "rectangle 46,69 59,70", "-alpha", "off", lit])
    rows = read_rgba(lit, w, h)
    palette, idx = quantise(rows, "monitor")
    write("monitor.bmp", bmp_file(dib_8(palette, idx)))


# ---------------------------------------------------------------------------
# Bitmap 103 and icon group 1: the emblem


def emblem_draw(k, small=False):
    """The emblem on a 52-unit square, scaled by k."""
    cmds = flag_draw(15, 2, 35, 32, k, wave=0.07, gap=0.08)
    sw = f"{max(1.0, 1.1 * k):.2f}"
    # Computer: grey cabinet with a blue screen, on a grey foot.
    cmds += ["-stroke", "#3E4652", "-strokewidth", sw,
             "-fill", "#AEB5BF", "-draw", f"polygon {19*k},{40*k} {27*k},{40*k} {30*k},{45*k} {16*k},{45*k}",
             "-fill", "#C9CED6", "-draw", f"roundrectangle {7*k},{21*k} {38*k},{42*k} {2.5*k},{2.5*k}",
             "-fill", "#1E5BC6", "-draw", f"rectangle {10.5*k},{24*k} {34.5*k},{38*k}"]
    cmds += ["-stroke", "none", "-fill", "#5B93F0", "-draw",
             f"polygon {11*k},{24.5*k} {26*k},{24.5*k} {11*k},{33*k}"]
    if not small:
        cmds += ["-fill", "#7FE07F", "-draw", f"rectangle {33*k},{39.6*k} {35*k},{40.6*k}"]
        # OEM in orange, outlined so it stays readable over the cabinet.
        cmds += ["-font", FONT_SANS_BOLD, "-pointsize", f"{13*k:.2f}", "-stroke", "#6B2E00",
                 "-strokewidth", f"{2.2*k:.2f}", "-fill", "#6B2E00", "-annotate", f"+{1.5*k:.2f}+{50*k:.2f}", "OEM",
                 "-stroke", "none", "-fill", "#FF8C00", "-annotate", f"+{1.5*k:.2f}+{50*k:.2f}", "OEM"]
    return cmds


# Below 32 pixels outline letters only blur, so the small icons get OEM from a hand-set pixel font.
PIXEL_OEM = [
    "XXX.XXX.X...X",
    "X.X.X...XX.XX",
    "X.X.XX..X.X.X",
    "X.X.X...X...X",
    "XXX.XXX.X...X",
]


def stamp_pixel_oem(rows, left, top):
    out = [list(r) for r in rows]
    # A dark drop shadow under the orange letters keeps them readable on grey, blue and clear pixels.
    for dy, dx, colour in ((1, 1, (107, 46, 0, 255)), (0, 0, (255, 140, 0, 255))):
        for y, line in enumerate(PIXEL_OEM):
            for x, c in enumerate(line):
                yy, xx = top + y + dy, left + x + dx
                if c == "X" and yy < len(out) and xx < len(out[0]):
                    out[yy][xx] = colour
    return out


def render_emblem(size, background):
    scale = 8
    big = size * scale
    k = big / 52.0
    png = os.path.join(TMP, f"emblem{size}_{background.strip('#') or 'none'}.png")
    run_convert(["-size", f"{big}x{big}", f"xc:{background}"] + emblem_draw(k, small=size <= 24)
                + ["-filter", "Triangle", "-resize", f"{size}x{size}", png])
    return png


def draw_emblem():
    png = render_emblem(52, FACE)
    rows = read_rgba(png, 52, 52)
    palette, idx = quantise(rows, "emblem")
    write("emblem.bmp", bmp_file(dib_8(palette, idx)))


ICON_SIZES = ((48, 30001), (32, 30002), (24, 30003), (16, 30004))


def draw_icons():
    images = []
    for size, res_id in ICON_SIZES:
        png = render_emblem(size, "none")
        rgba = read_rgba(png, size, size)
        if size <= 24:
            rgba = stamp_pixel_oem(rgba, 0, size - len(PIXEL_OEM) - 1)
        # One-bit transparency: half-covered edge pixels join the picture, the rest leave it; a
        # transparent pixel's colour must be black so the XOR with the screen changes nothing.
        mask = [[p[3] < 110 for p in row] for row in rgba]
        opaque = [[(0, 0, 0, 255) if t else (p[0], p[1], p[2], 255) for p, t in zip(row, mrow)]
                  for row, mrow in zip(rgba, mask)]
        palette, idx = quantise(opaque, f"icon{size}", 255)
        if (0, 0, 0) not in palette:
            palette.append((0, 0, 0))
        black = palette.index((0, 0, 0))
        idx = [[black if t else i for i, t in zip(row, mrow)] for row, mrow in zip(idx, mask)]
        image = icon_image(palette, idx, mask)
        write(f"icon{size}.bin", image)
        images.append((size, res_id, image))

    # RT_GROUP_ICON: NEWHEADER then one 14-byte entry per image naming its RT_ICON id.
    group = struct.pack("<HHH", 0, 1, len(images))
    for size, res_id, image in images:
        group += struct.pack("<BBBBHHIH", size, size, 0, 0, 1, 8, len(image), res_id)
    write("icon_group.bin", group)

    # The same images as an ordinary .ico file, for anything outside the program that wants one.
    ico = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, _, image in images:
        ico += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    ico += b"".join(image for _, _, image in images)
    write("brandwick.ico", ico)


# ---------------------------------------------------------------------------
# Cursor 1: the pointing hand

# X black outline, o white, . transparent. The fingertip's top edge is row 6, centred on column 12.
HAND_TOP = 6
HAND = [
    "...........XXX..................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooX.................",
    "..........XoooXXX...............",
    "..........XoooXooXXX............",
    "..........XoooXooXooXX..........",
    "..........XoooXooXooXoX.........",
    "......XX..XoooXooXooXooX........",
    ".....XooX.XoooooooooXooX........",
    ".....XoooXXooooooooooooX........",
    "......XoooXooooooooooooX........",
    "......XooooXoooooooooooX........",
    ".......XoooooooooooooooX........",
    ".......XoooooooooooooooX........",
    "........XooooooooooooooX........",
    "........XoooooooooooooX.........",
    ".........XooooooooooooX.........",
    ".........XooooooooooooX.........",
    "..........XooooooooooX..........",
    "..........XooooooooooX..........",
    "..........XXXXXXXXXXXX..........",
]
HOT_X, HOT_Y = 12, 6


def draw_cursor():
    size = 32
    grid = ["." * size] * HAND_TOP + HAND + ["." * size] * (size - HAND_TOP - len(HAND))
    assert len(grid) == size and all(len(r) == size for r in grid)
    assert grid[HOT_Y][HOT_X] == "X", "the hot spot must be on the fingertip"
    # Index 0 black, 1 white; the rest of the 256-entry table stays black and unused.
    palette = [(0, 0, 0), (255, 255, 255)]
    idx = [[1 if c == "o" else 0 for c in row] for row in grid]
    mask = [[c == "." for c in row] for row in grid]
    image = icon_image(palette, idx, mask)

    # RT_CURSOR data starts with the hot spot; the DIB follows.
    write("hand.bin", struct.pack("<HH", HOT_X, HOT_Y) + image)
    # RT_GROUP_CURSOR: the entry's height counts colour bitmap and mask, as resource compilers
    # store it; the loader halves it.
    group = struct.pack("<HHH", 0, 2, 1) + struct.pack("<HHHHIH", size, 2 * size, 1, 8, 4 + len(image), 1)
    write("hand_group.bin", group)
    cur = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, HOT_X, HOT_Y, len(image), 22)
    write("hand.cur", cur + image)



def main():
    global TMP
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", help="also write enlarged PNGs of every picture into this folder")
    args = parser.parse_args()
    TMP = tempfile.mkdtemp(prefix="brandwick-art-")
    try:
        draw_banner()
        draw_monitor()
        draw_emblem()
        draw_icons()
        draw_cursor()
        if args.preview:
            # Enlarged views of the written files themselves, not of the drawings they came from.
            os.makedirs(args.preview, exist_ok=True)
            for name in ("banner.bmp", "monitor.bmp", "emblem.bmp", "brandwick.ico", "hand.cur"):
                stem = os.path.splitext(name)[0]
                run_convert([os.path.join(OUT, name), "-background", "#80C080", "-alpha", "remove", "-scale", "400%",
                             os.path.join(args.preview, stem + "-%d.png")])
    finally:
        shutil.rmtree(TMP)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws Lexicove's bitmaps and icons and writes them as PNG files beside this script.

Run it from anywhere with Python 3 (standard library only):  python3 resources/make_artwork.py
The PNG files it writes are committed and compiled into the program: it also writes
lexicove.qrc, the list of the compiled-in files (the artwork and the help page), which
CMakeLists.txt reads. Run it again after changing a drawing.

Every picture is a list of layers (a shape and a colour) drawn in a design grid (16 units for
icons, one unit per pixel for bitmaps) and rasterised with supersampling, so that one drawing
gives the 16- and the 32-pixel icon alike. Bitmaps are written as 8-bit palette images: the
program re-tints the coloured entries of the panel bitmaps' colour tables with the desktop's
theme colour, and keeps grey entries as they are.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------------------------
# PNG writing


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _png(width, height, colour_type, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + extra +
            _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b""))


def write_rgba(path, width, height, pixels):
    rows = [bytes(c for p in pixels[y * width:(y + 1) * width] for c in p) for y in range(height)]
    _save(path, _png(width, height, 6, rows))


def write_palette(path, width, height, pixels):
    """Writes the pixels (RGBA tuples) as an 8-bit palette PNG, with a tRNS chunk when any is
    not opaque."""
    colours = []
    index = {}
    for p in pixels:
        if p[3] == 0:
            p = (0, 0, 0, 0)
        if p not in index:
            index[p] = len(colours)
            colours.append(p)
    if len(colours) > 256:
        raise SystemExit("%s: %d colours, more than a palette holds" % (path, len(colours)))
    data = []
    for p in pixels:
        data.append(index[(0, 0, 0, 0)] if p[3] == 0 else index[p])
    rows = [bytes(data[y * width:(y + 1) * width]) for y in range(height)]
    extra = _chunk(b"PLTE", b"".join(bytes(c[:3]) for c in colours))
    if any(c[3] != 255 for c in colours):
        extra += _chunk(b"tRNS", bytes(c[3] for c in colours))
    _save(path, _png(width, height, 3, rows, extra))


def _save(path, data):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------------------------
# Shapes: each is (test(x, y) -> bool, bounding box (x0, y0, x1, y1)) in design units.


def rect(x0, y0, x1, y1, r=0.0):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        if r <= 0:
            return True
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside, (x0, y0, x1, y1)


def circle(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r), (cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, outer, inner, start=None, end=None):
    """A ring, or the part of it between the angles start and end (degrees, 0 = right,
    counter-clockwise as seen on the screen)."""
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        if d > outer * outer or d < inner * inner:
            return False
        if start is None:
            return True
        a = math.degrees(math.atan2(cy - y, x - cx))
        return start <= a <= end or start <= a + 360 <= end
    return inside, (cx - outer, cy - outer, cx + outer, cy + outer)


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside, (min(xs), min(ys), max(xs), max(ys))


def line(x0, y0, x1, y1, width):
    """A stroke with round ends."""
    half = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half * half
    return inside, (min(x0, x1) - half, min(y0, y1) - half, max(x0, x1) + half,
                    max(y0, y1) + half)


def star(cx, cy, outer, inner):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        a = math.radians(90 + 36 * i)
        points.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return polygon(points)


def mask(rows, x0, y0):
    """Pixel art: one unit per character, '#' set."""
    cells = {(x, y) for y, row in enumerate(rows) for x, c in enumerate(row) if c == "#"}
    return ((lambda x, y: (int(math.floor(x - x0)), int(math.floor(y - y0))) in cells),
            (x0, y0, x0 + max(len(r) for r in rows), y0 + len(rows)))


# ---------------------------------------------------------------------------------------------
# Rasterising


def render(layers, width, height, units_w, units_h, background=(0, 0, 0, 0), samples=4):
    """The layers drawn in order over the background: width by height pixels showing units_w
    by units_h design units, each pixel the average of samples by samples points."""
    sx, sy = units_w / width, units_h / height
    pixels = [list(background) for _ in range(width * height)]
    for (inside, box), colour in layers:
        px0 = max(0, int(box[0] / sx) - 1)
        py0 = max(0, int(box[1] / sy) - 1)
        px1 = min(width, int(box[2] / sx) + 2)
        py1 = min(height, int(box[3] / sy) + 2)
        for py in range(py0, py1):
            for px in range(px0, px1):
                hits = 0
                for j in range(samples):
                    y = (py + (j + 0.5) / samples) * sy
                    for i in range(samples):
                        if inside((px + (i + 0.5) / samples) * sx, y):
                            hits += 1
                if hits:
                    _blend(pixels[py * width + px], colour, hits / (samples * samples))
    return [tuple(int(round(c)) for c in p) for p in pixels]


def _blend(dst, colour, coverage):
    """Source-over compositing of colour (RGBA, 0-255) at the coverage onto dst."""
    a = colour[3] / 255.0 * coverage
    da = dst[3] / 255.0
    out = a + da * (1 - a)
    if out <= 0:
        return
    for k in range(3):
        dst[k] = (colour[k] * a + dst[k] * da * (1 - a)) / out
    dst[3] = out * 255.0


def flatten(pixels):
    """The pixels of a bitmap made opaque or fully transparent, and with their colours rounded
    to fewer levels per channel only when they would not fit a palette."""
    for levels in (256, 128, 64, 32):
        step = 256 // levels
        out = []
        for r, g, b, a in pixels:
            if a < 128:
                out.append((0, 0, 0, 0))
            else:
                out.append(tuple(min(255, (c + step // 2) // step * step) for c in (r, g, b)) +
                           (255,))
        if len(set(out)) <= 256:
            return out
    return out


# ---------------------------------------------------------------------------------------------
# Colours

WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)
INK = (32, 40, 72, 255)
BLUE = (44, 86, 196, 255)
LIGHT_BLUE = (150, 190, 240, 255)
PAPER = (250, 250, 244, 255)
LINE_GREY = (150, 156, 170, 255)
GOLD = (246, 196, 48, 255)
ORANGE = (196, 112, 20, 255)
RED = (200, 40, 40, 255)
DARK_RED = (130, 20, 20, 255)
GREEN = (40, 150, 70, 255)
DARK_GREEN = (20, 90, 40, 255)
BROWN = (110, 70, 40, 255)


def tinted(level):
    """A design colour for the shade level of the theme colour (0 the theme colour itself, 255
    white): a blue-grey whose brightness, the root mean square of its components, is level.
    The program replaces it by that shade of the desktop's theme colour; any colour of that
    brightness would do, the blue only makes the file look as the program shows it."""
    level = max(8, min(level, 247))
    return (level - 4, level - 4, level + 8, 255)


def grey(level, alpha=255):
    return (level, level, level, alpha)


# ---------------------------------------------------------------------------------------------
# Icons, in a 16-unit grid


def icon_lookup():  # 136: an open book
    return [
        (rect(0.5, 3.0, 15.5, 14.5, 1.2), BLUE),
        (polygon([(1.5, 2.5), (7.6, 3.6), (7.6, 13.4), (1.5, 12.4)]), PAPER),
        (polygon([(14.5, 2.5), (8.4, 3.6), (8.4, 13.4), (14.5, 12.4)]), PAPER),
        (line(3.0, 5.4, 6.4, 6.0, 0.8), LINE_GREY),
        (line(3.0, 7.6, 6.4, 8.2, 0.8), LINE_GREY),
        (line(3.0, 9.8, 6.4, 10.4, 0.8), LINE_GREY),
        (line(9.6, 6.0, 13.0, 5.4, 0.8), LINE_GREY),
        (line(9.6, 8.2, 13.0, 7.6, 0.8), LINE_GREY),
        (line(9.6, 10.4, 13.0, 9.8, 0.8), LINE_GREY),
        (line(8.0, 3.8, 8.0, 14.0, 0.9), INK),
    ]


def icon_study_list():  # 131: a note pad with ticks
    layers = [
        (rect(2.5, 1.5, 13.5, 15.0, 1.0), INK),
        (rect(3.4, 2.4, 12.6, 14.1, 0.5), PAPER),
        (rect(5.0, 0.5, 11.0, 3.0, 0.8), BLUE),
    ]
    for y in (6.0, 9.0, 12.0):
        layers += [
            (line(4.6, y - 0.2, 5.5, y + 0.8, 0.9), GREEN),
            (line(5.5, y + 0.8, 7.2, y - 1.2, 0.9), GREEN),
            (line(8.2, y, 11.4, y, 0.9), LINE_GREY),
        ]
    return layers


def icon_favorites():  # 130: a star
    return [(star(8, 8.4, 7.8, 3.5), ORANGE), (star(8, 8.4, 6.2, 2.7), GOLD)]


def icon_recents():  # 137: a clock
    return [
        (circle(8, 8, 7.4), BLUE),
        (circle(8, 8, 6.0), PAPER),
        (line(8, 8, 8, 3.6, 1.2), INK),
        (line(8, 8, 11.2, 9.8, 1.2), INK),
        (circle(8, 8, 1.0), RED),
    ]


def magnifier(cx, cy, r, handle_to):
    return [
        (line(cx, cy, handle_to, handle_to, 2.6), BROWN),
        (circle(cx, cy, r + 1.3), INK),
        (circle(cx, cy, r), LIGHT_BLUE),
        (ring(cx, cy, r - 0.6, r - 1.6, 100, 170), WHITE),
    ]


def icon_searched():  # 135: a magnifying glass
    return magnifier(6.5, 6.5, 4.0, 14.2)


def icon_random_word():  # 132: a die
    layers = [(rect(1.5, 1.5, 14.5, 14.5, 2.6), DARK_RED), (rect(2.5, 2.5, 13.5, 13.5, 1.8), WHITE)]
    for x, y in ((5, 5), (11, 5), (8, 8), (5, 11), (11, 11)):
        layers.append((circle(x, y, 1.3), DARK_RED))
    return layers


def icon_program():  # 128: the dictionary, a closed book with a bookmark
    return [
        (rect(2.0, 1.0, 14.5, 15.0, 1.2), PAPER),
        (rect(1.5, 0.8, 13.0, 15.2, 1.2), BLUE),
        (rect(1.5, 0.8, 3.6, 15.2, 1.0), (30, 56, 140, 255)),
        (rect(5.5, 3.5, 11.2, 6.8, 0.6), GOLD),
        (line(6.6, 5.1, 10.1, 5.1, 0.8), ORANGE),
        (polygon([(8.5, 12.0), (10.5, 12.0), (10.5, 16.0), (9.5, 15.0), (8.5, 16.0)]), RED),
    ]


def speaker(colour, waves):
    layers = [(polygon([(1.5, 6.0), (4.5, 6.0), (8.5, 2.2), (8.5, 13.8), (4.5, 10.0),
                        (1.5, 10.0)]), colour)]
    if waves:
        layers += [(ring(8.6, 8, 4.4, 3.2, -50, 50), waves),
                   (ring(8.6, 8, 7.0, 5.8, -50, 50), waves)]
    return layers


def arrow(colour, glyph, back):
    points = [(3.2, 8.0), (8.2, 3.4), (8.2, 6.3), (12.8, 6.3), (12.8, 9.7), (8.2, 9.7),
              (8.2, 12.6)]
    if not back:
        points = [(16 - x, y) for x, y in points]
    return [(circle(8, 8, 7.4), colour), (polygon(points), glyph)]


PRESSED_PLATE = (rect(0.3, 0.3, 15.7, 15.7, 3.0), (0, 0, 40, 90))
DISABLED = grey(168)


def icon_read():
    return speaker(INK, BLUE)


def icon_read_pressed():
    return [PRESSED_PLATE] + shift(speaker(BLACK, WHITE), 0.6)


def icon_read_disabled():
    return speaker(DISABLED, DISABLED)


def icon_back(back=True):
    return arrow(GREEN, WHITE, back)


def icon_back_pressed(back=True):
    return [PRESSED_PLATE] + shift(arrow(DARK_GREEN, (220, 240, 220, 255), back), 0.6)


def icon_back_disabled(back=True):
    return arrow(grey(196), WHITE, back)


def shift(layers, by):
    """The layers moved right and down by units (the pressed look)."""
    moved = []
    for (inside, box), colour in layers:
        moved.append((((lambda x, y, f=inside: f(x - by, y - by)),
                       (box[0] + by, box[1] + by, box[2] + by, box[3] + by)), colour))
    return moved


# ---------------------------------------------------------------------------------------------
# Toolbar, in a 16-unit grid per button


def page(x0, y0, x1, y1):
    fold = 3.0
    return [
        (polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]), INK),
        (polygon([(x0 + 0.9, y0 + 0.9), (x1 - fold - 0.3, y0 + 0.9), (x1 - 0.9, y0 + fold + 0.3),
                  (x1 - 0.9, y1 - 0.9), (x0 + 0.9, y1 - 0.9)]), PAPER),
        (polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), LINE_GREY),
    ]


def tool_lookup_selected_text():  # 32807: a highlighted word on a page, looked up
    return page(1.5, 0.8, 12.5, 15.2) + [
        (line(3.6, 4.5, 8.0, 4.5, 0.9), LINE_GREY),
        (rect(3.0, 6.4, 10.8, 8.8, 0.4), GOLD),
        (line(3.6, 7.6, 10.2, 7.6, 0.9), INK),
        (line(3.6, 10.8, 7.0, 10.8, 0.9), LINE_GREY),
    ] + magnifier(11.2, 11.2, 2.4, 15.2)


def tool_lookup_view():  # 32773: the word list
    layers = [(rect(1.0, 1.0, 15.0, 15.0, 1.0), INK), (rect(1.9, 1.9, 14.1, 14.1, 0.5), PAPER),
              (rect(1.9, 3.0, 14.1, 5.6), LIGHT_BLUE)]
    for y in (4.3, 7.5, 10.5, 13.0):
        layers += [(circle(4.0, y, 0.8), BLUE), (line(6.0, y, 12.4, y, 0.9), INK)]
    return layers


def tool_content_view():  # 32774: a page of a word
    return page(2.5, 0.8, 13.5, 15.2) + [
        (line(4.5, 4.4, 9.0, 4.4, 1.4), BLUE),
        (line(4.5, 7.4, 11.5, 7.4, 0.8), LINE_GREY),
        (line(4.5, 9.6, 11.5, 9.6, 0.8), LINE_GREY),
        (line(4.5, 11.8, 9.5, 11.8, 0.8), LINE_GREY),
    ]


def tool_search_view():  # 32796: the word search
    return magnifier(6.5, 6.5, 4.2, 14.4) + [
        (line(6.5, 4.4, 6.5, 8.6, 0.9), INK),
        (line(4.7, 5.45, 8.3, 7.55, 0.9), INK),
        (line(4.7, 7.55, 8.3, 5.45, 0.9), INK),
    ]


def tool_stop_searching():  # 32856: stop
    octagon = [(8 + 7.2 * math.cos(math.radians(22.5 + 45 * i)),
                8 + 7.2 * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)]
    inner = [(8 + 6.0 * math.cos(math.radians(22.5 + 45 * i)),
              8 + 6.0 * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)]
    return [(polygon(octagon), DARK_RED), (polygon(inner), RED),
            (rect(4.0, 6.8, 12.0, 9.2, 0.4), WHITE)]


TOOLBAR = [tool_lookup_selected_text, tool_lookup_view, tool_content_view, tool_search_view,
           tool_stop_searching]

ICONS = {
    128: icon_program,
    130: icon_favorites,
    131: icon_study_list,
    132: icon_random_word,
    135: icon_searched,
    136: icon_lookup,
    137: icon_recents,
    164: lambda: icon_back_pressed(False),
    165: icon_back,
    166: icon_back_pressed,
    167: lambda: icon_back(False),
    168: icon_read,
    169: icon_read_pressed,
    173: lambda: icon_back_disabled(False),
    174: icon_back_disabled,
    214: icon_read_disabled,
}

# ---------------------------------------------------------------------------------------------
# Bitmaps, one unit per pixel

PANEL_WIDTH = 122  # the Lookup view's left panel: tabs at x 2 to 118, an edge of three columns
PANEL_HEIGHT = 26  # the Content view's band: 23 rows and an edge of three rows


def bitmap_panel():  # 147
    layers = []
    for x in range(PANEL_WIDTH - 3):
        layers.append((rect(x, 0, x + 1, PANEL_HEIGHT), tinted(212 + 36 * x // (PANEL_WIDTH - 4))))
    layers += [
        (rect(0, PANEL_HEIGHT - 3, PANEL_WIDTH, PANEL_HEIGHT - 2), tinted(120)),
        (rect(0, PANEL_HEIGHT - 2, PANEL_WIDTH, PANEL_HEIGHT), grey(200)),
        (rect(PANEL_WIDTH - 3, 0, PANEL_WIDTH - 2, PANEL_HEIGHT), tinted(120)),
        (rect(PANEL_WIDTH - 2, 0, PANEL_WIDTH, PANEL_HEIGHT), grey(200)),
    ]
    return layers


def bitmap_tab_highlight():  # 142
    return [(rect(0, 0, 116, 24, 5), tinted(96)), (rect(1, 1, 115, 23, 4), tinted(172)),
            (rect(2, 2, 114, 12, 3.5), tinted(192))]


def bitmap_box_frame():  # 145
    return [(rect(0, 0, 116, 20, 5), tinted(96)), (rect(1, 1, 115, 19, 4), tinted(180)),
            (rect(3, 2.5, 113, 17.5, 2), WHITE)]


def bitmap_link():  # 178: "link.gif", 19 by 7
    return [(line(2.5, 3.5, 13.5, 3.5, 1.4), (0, 112, 112, 255)),
            (polygon([(12, 0.4), (18.6, 3.5), (12, 6.6)]), (0, 112, 112, 255))]


def bitmap_pron():  # 187: "pron.gif", 10 by 9
    return [(polygon([(0.5, 3), (3, 3), (6, 0.3), (6, 8.7), (3, 6), (0.5, 6)]), (128, 0, 128, 255)),
            (line(8.2, 2.2, 8.2, 6.8, 1.2), (128, 0, 128, 255))]


def bitmap_search_button(pressed):  # 189, 190: 28 by 24
    plate = (200, 208, 224, 255) if pressed else (236, 240, 248, 255)
    by = 1.0 if pressed else 0.0
    layers = [(rect(0, 0, 28, 24, 5), (90, 100, 130, 255)), (rect(1, 1, 27, 23, 4), plate)]
    glass = [(line(12 + by, 11 + by, 21 + by, 20 + by, 3.0), BROWN),
             (circle(11 + by, 10 + by, 6.5), INK), (circle(11 + by, 10 + by, 5.0), LIGHT_BLUE),
             (ring(11 + by, 10 + by, 4.2, 3.0, 100, 170), WHITE)]
    return layers + glass


SYMBOLS = {
    193: ["..###...", ".#...#..", ".....#..", "....#...", "...#....", "...#....", "........",
          "...#...."],
    194: ["...#....", ".#.#.#..", "..###...", ".#.#.#..", "...#....", "........", "........",
          "........"],
    195: [".##..##.", ".#....#.", ".#....#.", ".#....#.", ".#....#.", ".#....#.", ".#....#.",
          ".##..##."],
    196: ["..#..#..", ".#....#.", ".#....#.", ".#....#.", ".#....#.", ".#....#.", ".#....#.",
          "..#..#.."],
    197: ["..##.##.", ".#....#.", ".#....#.", "#......#", ".#....#.", ".#....#.", ".#....#.",
          "..##.##."],
}


def bitmap_symbol(rows):  # 193-197: 12 by 12 symbol keys
    return [(rect(0, 0, 12, 12, 2), (120, 130, 160, 255)), (rect(1, 1, 11, 11, 1.5), WHITE),
            (mask(rows, 2, 2), (0, 0, 128, 255))]


BITMAPS = {
    142: (116, 24, bitmap_tab_highlight, WHITE),
    145: (116, 20, bitmap_box_frame, WHITE),
    147: (PANEL_WIDTH, PANEL_HEIGHT, bitmap_panel, WHITE),
    178: (19, 7, bitmap_link, (0, 0, 0, 0)),
    179: (1, 2, lambda: [], (0, 0, 0, 0)),
    187: (10, 9, bitmap_pron, (0, 0, 0, 0)),
    189: (28, 24, lambda: bitmap_search_button(False), WHITE),
    190: (28, 24, lambda: bitmap_search_button(True), WHITE),
}
for number, rows in SYMBOLS.items():
    BITMAPS[number] = (12, 12, (lambda r=rows: bitmap_symbol(r)), WHITE)

# The program's icon for the desktop, in the sizes desktops ask for.
APP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def main():
    for number, (width, height, draw, background) in sorted(BITMAPS.items()):
        pixels = render(draw(), width, height, width, height, background)
        write_palette("bitmaps/%d.png" % number, width, height, flatten(pixels))
    for number, draw in sorted(ICONS.items()):
        for size in (16, 32):
            write_rgba("icons/%d_%d.png" % (number, size), size, size,
                       render(draw(), size, size, 16, 16))
    for size in (16, 32):
        strip = [render(draw(), size, size, 16, 16) for draw in TOOLBAR]
        pixels = [strip[x // size][y * size + x % size]
                  for y in range(size) for x in range(size * len(TOOLBAR))]
        write_rgba("toolbar/toolbar_%d.png" % size, size * len(TOOLBAR), size, pixels)
    paths = ["bitmaps/%d.png" % n for n in sorted(BITMAPS)]
    paths += ["icons/%d_%d.png" % (n, size) for n in sorted(ICONS) for size in (16, 32)]
    paths += ["toolbar/toolbar_%d.png" % size for size in (16, 32)]
    paths += ["app/lexicove_%d.png" % size for size in APP_ICON_SIZES]
    write_resource_list(paths + list(OTHER_RESOURCES))
    for size in APP_ICON_SIZES:
        write_rgba("app/lexicove_%d.png" % size, size, size,
                   render(icon_program(), size, size, 16, 16, samples=4 if size <= 64 else 2))


# Files compiled in beside the artwork.
OTHER_RESOURCES = ("about/credits.htm", "help/lexicove.htm")


def write_resource_list(paths):
    lines = ["<!DOCTYPE RCC>", "<!-- Written by make_artwork.py. -->", '<RCC version="1.0">',
             '<qresource prefix="/">']
    lines += ["    <file>%s</file>" % p for p in paths]
    lines += ["</qresource>", "</RCC>", ""]
    with open(os.path.join(HERE, "lexicove.qrc"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()

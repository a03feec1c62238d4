#!/usr/bin/env python3
"""Draws the pictures of the help page into data/help/.

    python3 tools/help/make_help_pictures.py [OUTPUT_FOLDER]

Only the Python standard library is used: the board diagrams are drawn here with a small
anti-aliased rasteriser, the panel pictures are put together from the button glyphs in
data/Resources/Glyphs, and every picture is written as an RGB PNG through zlib. Running the
script again gives the same files byte for byte, so the pictures can be remade after a change
to a diagram or a glyph and the difference reviewed like any other.

Board diagrams use the program's own geometry: rows are counted from White's side (row 1 at
the bottom), files from the left, and with the "Coloring" box unchecked a cell is playable
when file + row is even; the Italian diagrams have it checked, so there it is odd. Square
numbers run row by row from White's near left corner.
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GLYPH_FOLDER = os.path.join(ROOT, "data", "Resources", "Glyphs")

# Colours of the diagrams.
LIGHT = (240, 222, 184)
DARK = (172, 120, 76)
FRAME = (74, 48, 30)
BACKGROUND = (255, 255, 255)
WHITE_PIECE = (248, 243, 230)
WHITE_EDGE = (96, 80, 58)
WHITE_RING = (208, 196, 170)
BLACK_PIECE = (46, 46, 48)
BLACK_EDGE = (8, 8, 8)
BLACK_RING = (92, 92, 96)
CROWN = (236, 180, 40)
CROWN_EDGE = (120, 80, 10)
MOVE = (22, 130, 40)
CAPTURE = (214, 32, 32)
REFUSED = (128, 128, 128)
NUMBER = (255, 248, 230)
WHITE_GOAL = (255, 222, 70)  # tint of White's crowning row
BLACK_GOAL = (110, 160, 255)  # tint of Black's crowning row
PANEL = (224, 224, 224)
PANEL_LIGHT = (252, 252, 252)
PANEL_DARK = (150, 150, 150)
TEXT = (20, 20, 20)

# A 5 x 7 pixel font for the few texts the pictures carry: numbers and a forecast line.
FONT = {
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    ".": ["000", "000", "000", "000", "000", "011", "011"],
    ":": ["000", "011", "011", "000", "011", "011", "000"],
    " ": ["000", "000", "000", "000", "000", "000", "000"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    "c": ["00000", "00000", "01110", "10000", "10000", "10001", "01110"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "s": ["00000", "00000", "01111", "10000", "01110", "00001", "11110"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
}


def clamp01(value):
    return 0.0 if value < 0.0 else 1.0 if value > 1.0 else value


class Canvas:
    """An RGB picture with the few drawing operations the diagrams need."""

    def __init__(self, width, height, colour=BACKGROUND):
        self.width = width
        self.height = height
        self.pixels = bytearray(bytes(colour) * (width * height))

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        i = (y * self.width + x) * 3
        if alpha >= 1.0:
            self.pixels[i:i + 3] = bytes(colour)
            return
        for k in range(3):
            old = self.pixels[i + k]
            self.pixels[i + k] = int(round(old + (colour[k] - old) * alpha))

    def rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        """Fills the pixels x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour, alpha)

    def outline(self, x0, y0, x1, y1, colour, width=1):
        self.rect(x0, y0, x1, y0 + width, colour)
        self.rect(x0, y1 - width, x1, y1, colour)
        self.rect(x0, y0, x0 + width, y1, colour)
        self.rect(x1 - width, y0, x1, y1, colour)

    def shape(self, box, coverage, colour, alpha=1.0):
        """Paints colour where coverage(px, py) (0..1 at pixel centres) says, inside box."""
        x0, y0, x1, y1 = (int(math.floor(box[0])), int(math.floor(box[1])),
                          int(math.ceil(box[2])), int(math.ceil(box[3])))
        for y in range(max(0, y0), min(self.height, y1 + 1)):
            for x in range(max(0, x0), min(self.width, x1 + 1)):
                c = coverage(x + 0.5, y + 0.5)
                if c > 0.0:
                    self.blend(x, y, colour, c * alpha)

    def disc(self, cx, cy, r, colour, alpha=1.0):
        self.shape((cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1),
                   lambda px, py: clamp01(r - math.hypot(px - cx, py - cy) + 0.5), colour, alpha)

    def ring(self, cx, cy, r, width, colour, alpha=1.0):
        half = width / 2.0
        self.shape((cx - r - half - 1, cy - r - half - 1, cx + r + half + 1, cy + r + half + 1),
                   lambda px, py: clamp01(half - abs(math.hypot(px - cx, py - cy) - r) + 0.5),
                   colour, alpha)

    def segment(self, x0, y0, x1, y1, width, colour, alpha=1.0):
        half = width / 2.0
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1.0

        def coverage(px, py):
            t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
            return clamp01(half - math.hypot(px - x0 - t * dx, py - y0 - t * dy) + 0.5)

        self.shape((min(x0, x1) - half - 1, min(y0, y1) - half - 1,
                    max(x0, x1) + half + 1, max(y0, y1) + half + 1), coverage, colour, alpha)

    def polygon(self, points, colour, alpha=1.0):
        """Fills a polygon, 4 x 4 samples per pixel."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        samples = [(i + 0.5) / 4.0 - 0.5 for i in range(4)]

        def inside(px, py):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result

        def coverage(px, py):
            hits = sum(1 for sx in samples for sy in samples if inside(px + sx, py + sy))
            return hits / 16.0

        self.shape((min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1), coverage, colour, alpha)

    def text(self, x, y, string, colour, scale=1):
        """Writes string with its top left corner at (x, y); answers the width used."""
        start = x
        for ch in string:
            rows = FONT[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == "1":
                        self.rect(x + i * scale, y + j * scale, x + (i + 1) * scale,
                                  y + (j + 1) * scale, colour)
            x += (len(rows[0]) + 1) * scale
        return x - start - scale

    def paste(self, picture, x, y):
        """Draws an RGBA picture (width, height, rows of RGBA bytes) with its transparency."""
        width, height, data = picture
        for j in range(height):
            for i in range(width):
                k = (j * width + i) * 4
                self.blend(x + i, y + j, tuple(data[k:k + 3]), data[k + 3] / 255.0)

    def quantize(self, limit=256):
        """Reduces the picture to at most limit colours by median cut (glyph art has more)."""
        counts = {}
        for i in range(0, len(self.pixels), 3):
            colour = bytes(self.pixels[i:i + 3])
            counts[colour] = counts.get(colour, 0) + 1
        if len(counts) <= limit:
            return
        boxes = [sorted(counts)]
        while len(boxes) < limit:
            # Split the box with the widest channel range among those that can be split.
            best, best_range, best_channel = None, -1, 0
            for b, box in enumerate(boxes):
                if len(box) < 2:
                    continue
                for k in range(3):
                    spread = max(c[k] for c in box) - min(c[k] for c in box)
                    if spread > best_range:
                        best, best_range, best_channel = b, spread, k
            if best is None:
                break
            box = sorted(boxes[best], key=lambda c: (c[best_channel], c))
            total = sum(counts[c] for c in box)
            running, cut = 0, 1
            for n, colour in enumerate(box[:-1]):
                running += counts[colour]
                cut = n + 1
                if running * 2 >= total:
                    break
            boxes[best:best + 1] = [box[:cut], box[cut:]]
        mapping = {}
        for box in boxes:
            weight = sum(counts[c] for c in box)
            mean = bytes(int(round(sum(c[k] * counts[c] for c in box) / weight))
                         for k in range(3))
            for colour in box:
                mapping[colour] = mean
        for i in range(0, len(self.pixels), 3):
            self.pixels[i:i + 3] = mapping[bytes(self.pixels[i:i + 3])]

    def save(self, path):
        """Writes the picture as a PNG: indexed when it has at most 256 colours, else RGB."""
        colours = sorted(set(bytes(self.pixels[i:i + 3])
                             for i in range(0, len(self.pixels), 3)))
        if len(colours) <= 256:
            index = {colour: i for i, colour in enumerate(colours)}
            stride, bpp = self.width, 1
            data = bytes(index[bytes(self.pixels[i:i + 3])]
                         for i in range(0, len(self.pixels), 3))
            header = struct.pack(">IIBBBBB", self.width, self.height, 8, 3, 0, 0, 0)
            extra = chunk(b"PLTE", b"".join(colours))
        else:
            stride, bpp = self.width * 3, 3
            data = bytes(self.pixels)
            header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
            extra = b""
        raw = bytearray()
        previous = bytes(stride)
        for y in range(self.height):
            row = data[y * stride:(y + 1) * stride]
            if bpp == 1:
                # Palette indexes are not numbers to predict: rows go unfiltered.
                raw.append(0)
                raw += row
                continue
            # Of the filters None, Sub and Up, keep the one with the smallest sum of bytes.
            sub = bytes((row[i] - (row[i - 3] if i >= 3 else 0)) & 255 for i in range(stride))
            up = bytes((row[i] - previous[i]) & 255 for i in range(stride))
            choice = min(((cost(row), 0, row), (cost(sub), 1, sub), (cost(up), 2, up)),
                         key=lambda t: (t[0], t[1]))
            raw.append(choice[1])
            raw += choice[2]
            previous = row
        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra
               + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
        with open(path, "wb") as f:
            f.write(png)


def cost(data):
    """How far a filtered row is from zero, the usual guess at how well it compresses."""
    return sum(b if b < 128 else 256 - b for b in data)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def read_png(path):
    """Reads an 8-bit, non-interlaced RGB or RGBA PNG; answers (width, height, RGBA bytes)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG file")
    pos = 8
    idat = b""
    width = height = colour_type = None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour_type not in (2, 6) or interlace:
                raise ValueError(path + ": only 8-bit non-interlaced RGB(A) is read")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = 4 if colour_type == 6 else 3
    stride = width * bpp
    raw = zlib.decompress(idat)
    out = bytearray()
    previous = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        if bpp == 4:
            out += line
        else:
            for i in range(width):
                out += line[i * 3:i * 3 + 3] + b"\xff"
    return width, height, bytes(out)


class Board:
    """A board (or a piece of one) drawn at (x, y) with square cells of the given edge."""

    def __init__(self, canvas, x, y, rows, files, cell, parity=0, frame=True):
        self.canvas, self.x, self.y = canvas, x, y
        self.rows, self.files, self.cell = rows, files, cell
        self.parity = parity  # playable cells have (file + row) % 2 == parity
        self.tints = {}
        self.frame = frame

    def playable(self, file, row):
        return (file + row) % 2 == self.parity

    def centre(self, file, row):
        return (self.x + (file - 0.5) * self.cell, self.y + (self.rows - row + 0.5) * self.cell)

    def tint_row(self, row, colour):
        self.tints[row] = colour

    def draw(self):
        c = self.canvas
        for row in range(1, self.rows + 1):
            for file in range(1, self.files + 1):
                x0 = self.x + (file - 1) * self.cell
                y0 = self.y + (self.rows - row) * self.cell
                colour = DARK if self.playable(file, row) else LIGHT
                c.rect(x0, y0, x0 + self.cell, y0 + self.cell, colour)
                if row in self.tints:
                    c.rect(x0, y0, x0 + self.cell, y0 + self.cell, self.tints[row], 0.45)
        if self.frame:
            c.outline(self.x - 2, self.y - 2, self.x + self.files * self.cell + 2,
                      self.y + self.rows * self.cell + 2, FRAME, 2)

    def piece(self, file, row, side, king=False):
        """side 0 = White, 1 = Black."""
        c = self.canvas
        cx, cy = self.centre(file, row)
        r = self.cell * 0.40
        fill, edge, ring = ((WHITE_PIECE, WHITE_EDGE, WHITE_RING) if side == 0
                            else (BLACK_PIECE, BLACK_EDGE, BLACK_RING))
        c.disc(cx, cy, r, edge)
        c.disc(cx, cy, r - 1.3, fill)
        if king:
            shape = [(-0.50, 0.32), (0.50, 0.32), (0.56, -0.30), (0.26, 0.00), (0.0, -0.44),
                     (-0.26, 0.00), (-0.56, -0.30)]
            k = r * 0.95
            c.polygon([(cx + px * k * 1.12, cy + py * k * 1.12 + 0.5) for px, py in shape],
                      CROWN_EDGE)
            c.polygon([(cx + px * k, cy + py * k + 0.5) for px, py in shape], CROWN)
        else:
            c.ring(cx, cy, r * 0.58, 1.1, ring)

    def crown_mark(self, file, row):
        """A small crown in a cell's top left corner: a man is crowned on this square."""
        x0 = self.x + (file - 1) * self.cell
        y0 = self.y + (self.rows - row) * self.cell
        cx, cy = x0 + self.cell * 0.26, y0 + self.cell * 0.24
        shape = [(-0.50, 0.32), (0.50, 0.32), (0.56, -0.30), (0.26, 0.00), (0.0, -0.44),
                 (-0.26, 0.00), (-0.56, -0.30)]
        k = self.cell * 0.40
        self.canvas.polygon([(cx + px * k * 1.2, cy + py * k * 1.2) for px, py in shape],
                            CROWN_EDGE)
        self.canvas.polygon([(cx + px * k, cy + py * k) for px, py in shape], CROWN)

    def dot(self, file, row, colour=MOVE):
        cx, cy = self.centre(file, row)
        self.canvas.disc(cx, cy, self.cell * 0.15, colour)

    def landing(self, file, row, colour=CAPTURE):
        cx, cy = self.centre(file, row)
        self.canvas.ring(cx, cy, self.cell * 0.30, 2.2, colour)

    def taken(self, file, row, colour=CAPTURE):
        cx, cy = self.centre(file, row)
        d = self.cell * 0.22
        self.canvas.segment(cx - d, cy - d, cx + d, cy + d, 2.4, colour)
        self.canvas.segment(cx - d, cy + d, cx + d, cy - d, 2.4, colour)

    def arrow(self, start, end, colour, width=2.6, gap_start=0.0, gap_end=0.18):
        """An arrow between two cells (file, row), shortened at both ends by a part of a cell."""
        x0, y0 = self.centre(*start)
        x1, y1 = self.centre(*end)
        length = math.hypot(x1 - x0, y1 - y0)
        ux, uy = (x1 - x0) / length, (y1 - y0) / length
        x0, y0 = x0 + ux * gap_start * self.cell, y0 + uy * gap_start * self.cell
        x1, y1 = x1 - ux * gap_end * self.cell, y1 - uy * gap_end * self.cell
        head = max(6.0, self.cell * 0.30)
        bx, by = x1 - ux * head, y1 - uy * head
        self.canvas.segment(x0, y0, bx + ux, by + uy, width, colour)
        w = head * 0.55
        self.canvas.polygon([(x1, y1), (bx - uy * w, by + ux * w), (bx + uy * w, by - ux * w)],
                            colour)

    def path(self, squares, colour, numbers=True):
        """Arrows along a capture path; the landing squares get their click order."""
        for k in range(1, len(squares)):
            self.arrow(squares[k - 1], squares[k], colour,
                       gap_start=0.0 if k == 1 else 0.2, gap_end=0.26 if numbers else 0.18)
        if numbers:
            for k in range(1, len(squares)):
                self.badge(squares[k], k, colour)

    def badge(self, square, number, colour):
        cx, cy = self.centre(*square)
        label = str(number)
        width = len(label) * 6 - 1
        self.canvas.disc(cx, cy, 6.8 if len(label) == 1 else 8.5, colour)
        self.canvas.text(int(round(cx - width / 2.0)), int(round(cy - 3.5)), label, NUMBER)

    def numbers(self):
        """Writes the program's square numbers into the playable cells."""
        n = 0
        for row in range(1, self.rows + 1):
            for file in range(1, self.files + 1):
                if self.playable(file, row):
                    n += 1
                    cx, cy = self.centre(file, row)
                    label = str(n)
                    width = len(label) * 6 - 1
                    self.canvas.text(int(round(cx - width / 2.0)), int(round(cy - 3.5)), label,
                                     NUMBER)


def board_size(rows, files, cell, margin=4):
    return files * cell + 2 * margin, rows * cell + 2 * margin


def numbering():
    cell = 26
    w, h = board_size(8, 8, cell)
    c = Canvas(w, h)
    b = Board(c, 4, 4, 8, 8, cell)
    b.draw()
    b.numbers()
    return c


def man():
    """Left: a man's simple moves. Right: its captures, forwards and backwards."""
    cell, rows, files = 26, 6, 6
    w, h = board_size(rows, files, cell)
    c = Canvas(2 * w + 14, h)
    left = Board(c, 4, 4, rows, files, cell)
    left.draw()
    left.piece(3, 3, 0)
    left.arrow((3, 3), (2, 4), MOVE, gap_start=0.3)
    left.arrow((3, 3), (4, 4), MOVE, gap_start=0.3)
    left.dot(2, 4)
    left.dot(4, 4)
    left.piece(5, 1, 0)
    left.piece(6, 2, 0)
    left.arrow((5, 1), (4, 2), MOVE, gap_start=0.3)
    left.dot(4, 2)
    right = Board(c, w + 14 + 4, 4, rows, files, cell)
    right.draw()
    right.piece(3, 3, 0)
    right.piece(4, 4, 1)
    right.piece(2, 2, 1)
    right.arrow((3, 3), (5, 5), CAPTURE, gap_start=0.3)
    right.arrow((3, 3), (1, 1), CAPTURE, gap_start=0.3)
    right.landing(5, 5)
    right.landing(1, 1)
    right.piece(2, 4, 1)
    right.piece(1, 5, 0)
    return c


def multi_capture():
    cell = 24
    w, h = board_size(8, 8, cell)
    c = Canvas(w, h)
    b = Board(c, 4, 4, 8, 8, cell)
    b.draw()
    b.piece(2, 2, 0)
    b.piece(1, 1, 0)
    b.piece(7, 1, 0)
    for f, r in ((3, 3), (5, 5), (7, 5)):
        b.piece(f, r, 1)
        b.taken(f, r)
    b.piece(6, 8, 1)
    b.piece(2, 8, 1)
    b.piece(8, 8, 1)
    b.path([(2, 2), (4, 4), (6, 6), (8, 4)], CAPTURE)
    return c


def flying_king():
    """Left: where a flying king can go. Right: a capture at a distance, three landings."""
    cell = 22
    w, h = board_size(8, 8, cell)
    c = Canvas(2 * w + 14, h)
    left = Board(c, 4, 4, 8, 8, cell)
    left.draw()
    left.piece(4, 4, 0, king=True)
    left.piece(2, 6, 0)
    for f, r in ((1, 1), (2, 2), (3, 3), (5, 5), (6, 6), (7, 7), (8, 8), (3, 5), (5, 3), (6, 2),
                 (7, 1)):
        left.dot(f, r)
    right = Board(c, w + 14 + 4, 4, 8, 8, cell)
    right.draw()
    right.piece(2, 2, 0, king=True)
    right.piece(5, 5, 1)
    right.taken(5, 5)
    right.arrow((2, 2), (6, 6), CAPTURE, gap_start=0.35, gap_end=0.3)
    for f, r in ((6, 6), (7, 7), (8, 8)):
        right.landing(f, r)
    right.piece(7, 3, 1)
    right.piece(3, 7, 0)
    return c


def short_king():
    """Straight checkers: a king steps one square and takes only an adjacent piece."""
    cell, rows, files = 24, 6, 6
    w, h = board_size(rows, files, cell)
    c = Canvas(2 * w + 14, h)
    left = Board(c, 4, 4, rows, files, cell)
    left.draw()
    left.piece(3, 3, 0, king=True)
    for f, r in ((2, 4), (4, 4), (2, 2), (4, 2)):
        left.dot(f, r)
    left.piece(6, 6, 1)
    right = Board(c, w + 14 + 4, 4, rows, files, cell)
    right.draw()
    right.piece(5, 5, 0, king=True)
    for f, r in ((4, 4), (4, 2)):
        right.piece(f, r, 1)
        right.taken(f, r)
    right.piece(1, 5, 1)
    right.piece(2, 6, 1)
    right.path([(5, 5), (3, 3), (5, 1)], CAPTURE)
    return c


def majority():
    cell = 24
    w, h = board_size(8, 8, cell)
    c = Canvas(w, h)
    b = Board(c, 4, 4, 8, 8, cell)
    b.draw()
    b.piece(3, 1, 0)
    b.piece(2, 2, 1)
    b.piece(4, 2, 1)
    b.piece(6, 4, 1)
    b.piece(8, 8, 1)
    b.arrow((3, 1), (1, 3), REFUSED, gap_start=0.3, gap_end=0.26)
    b.landing(1, 3, REFUSED)
    b.path([(3, 1), (5, 3), (7, 5)], CAPTURE)
    return c


def crowning():
    cell = 24
    w, h = board_size(8, 8, cell)
    c = Canvas(w, h)
    b = Board(c, 4, 4, 8, 8, cell)
    b.tint_row(8, WHITE_GOAL)
    b.tint_row(1, BLACK_GOAL)
    b.draw()
    # A man that ends its move on the far row is crowned.
    b.piece(1, 7, 0)
    b.arrow((1, 7), (2, 8), MOVE, gap_start=0.3)
    b.dot(2, 8)
    # A man that only passes the far row in a capture stays a man.
    b.piece(4, 6, 0)
    b.piece(5, 7, 1)
    b.taken(5, 7)
    b.piece(7, 7, 1)
    b.taken(7, 7)
    b.path([(4, 6), (6, 8), (8, 6)], CAPTURE)
    b.piece(3, 3, 1)
    b.piece(6, 2, 0)
    return c


def vorna_capture():
    """Before and after a Vorna capture of two men: the taken men change sides."""
    cell, rows, files = 24, 5, 6
    w, h = board_size(rows, files, cell)
    gap = 40
    c = Canvas(2 * w + gap, h)

    def position(board, after):
        board.draw()
        board.piece(6, 2, 0)
        board.piece(6, 4, 1)
        board.piece(1, 5, 1)
        if after:
            board.piece(2, 2, 0)
            board.piece(4, 4, 0)
            board.piece(5, 5, 0)
            for f, r in ((2, 2), (4, 4)):
                cx, cy = board.centre(f, r)
                c.ring(cx, cy, cell * 0.47, 2.0, CAPTURE)
        else:
            board.piece(1, 1, 0)
            board.piece(2, 2, 1)
            board.piece(4, 4, 1)
            board.path([(1, 1), (3, 3), (5, 5)], CAPTURE)

    before = Board(c, 4, 4, rows, files, cell)
    position(before, False)
    after = Board(c, w + gap + 4, 4, rows, files, cell)
    position(after, True)
    # A broad arrow between the two boards.
    mx, my = w + gap / 2.0, h / 2.0
    c.polygon([(mx - 12, my - 4), (mx + 2, my - 4), (mx + 2, my - 10), (mx + 13, my),
               (mx + 2, my + 10), (mx + 2, my + 4), (mx - 12, my + 4)], REFUSED)
    return c


def vorna_start():
    cell, rows, files = 20, 8, 10
    w, h = board_size(rows, files, cell)
    c = Canvas(w, h)
    b = Board(c, 4, 4, rows, files, cell)
    b.draw()
    for row in range(1, rows + 1):
        for file in range(1, files + 1):
            if b.playable(file, row):
                if row <= 3:
                    b.piece(file, row, 0)
                elif row >= rows - 2:
                    b.piece(file, row, 1)
    return c


def two_boards(cell, parity=0):
    """A canvas with two 8 x 8 boards side by side; answers it and the two boards."""
    w, h = board_size(8, 8, cell)
    c = Canvas(2 * w + 14, h)
    return (c, Board(c, 4, 4, 8, 8, cell, parity),
            Board(c, w + 14 + 4, 4, 8, 8, cell, parity))


def russian_crowning():
    """One position under two rules. Left, Russian draughts: the man is crowned on the far row
    in the middle of its capture and goes on as a flying king. Right, Pool checkers: it goes
    on as a man, backwards, and stays a man."""
    c, russian, pool = two_boards(24)
    for board, kinged in ((russian, True), (pool, False)):
        board.tint_row(8, WHITE_GOAL)
        board.draw()
        board.piece(2, 6, 0)
        for f, r in ((3, 7), (5, 7), (4, 4), (8, 8)):
            board.piece(f, r, 1)
        board.piece(7, 1, 0)
        board.piece(1, 3, 0)
        board.taken(3, 7)
        board.taken(5, 7)
        if kinged:
            board.taken(4, 4)
            board.landing(2, 2)
            board.landing(1, 1)
            board.path([(2, 6), (4, 8), (6, 6), (3, 3)], CAPTURE)
            board.crown_mark(4, 8)
        else:
            board.path([(2, 6), (4, 8), (6, 6)], CAPTURE)
    return c


def czech_king_first():
    """Czech draughts: the man could take two pieces, but a king can capture, so a king must."""
    cell = 24
    w, h = board_size(8, 8, cell)
    c = Canvas(w, h)
    b = Board(c, 4, 4, 8, 8, cell)
    b.draw()
    b.piece(8, 2, 0)
    b.piece(1, 1, 0, king=True)
    b.piece(3, 1, 0)
    for f, r in ((7, 3), (5, 5), (3, 7), (2, 8)):
        b.piece(f, r, 1)
    b.arrow((8, 2), (6, 4), REFUSED, gap_start=0.3, gap_end=0.2)
    b.arrow((6, 4), (4, 6), REFUSED, gap_start=0.2, gap_end=0.26)
    b.landing(4, 6, REFUSED)
    b.taken(5, 5)
    b.arrow((1, 1), (6, 6), CAPTURE, gap_start=0.35, gap_end=0.3)
    for f, r in ((6, 6), (7, 7), (8, 8)):
        b.landing(f, r)
    return c


def italian_men():
    """Italian draughts, Coloring checked. Left: a man may not take a king, so it takes the
    man. Right: both captures take one man; the king's goes first."""
    c, left, right = two_boards(22, parity=1)
    left.draw()
    left.piece(4, 3, 0)
    left.piece(5, 4, 1, king=True)
    left.piece(3, 4, 1)
    left.piece(7, 8, 1)
    left.arrow((4, 3), (6, 5), REFUSED, gap_start=0.3, gap_end=0.26)
    left.landing(6, 5, REFUSED)
    left.taken(3, 4)
    left.arrow((4, 3), (2, 5), CAPTURE, gap_start=0.3, gap_end=0.26)
    left.landing(2, 5)
    right.draw()
    right.piece(1, 4, 0)
    right.piece(2, 5, 1)
    right.piece(6, 3, 0, king=True)
    right.piece(7, 4, 1)
    right.piece(5, 8, 1)
    right.arrow((1, 4), (3, 6), REFUSED, gap_start=0.3, gap_end=0.26)
    right.landing(3, 6, REFUSED)
    right.taken(7, 4)
    right.arrow((6, 3), (8, 5), CAPTURE, gap_start=0.3, gap_end=0.26)
    right.landing(8, 5)
    return c


def italian_kings():
    """Italian draughts: a king with two captures of two pieces. Left: only one of them takes
    a king, and that one is played. Right: both take a king; the one that meets it first is
    played."""
    c, left, right = two_boards(22, parity=1)
    for board, second_king in ((left, False), (right, True)):
        board.draw()
        board.piece(4, 3, 0, king=True)
        board.piece(3, 4, 1)
        board.piece(3, 6, 1, king=second_king)
        board.piece(5, 4, 1, king=True)
        board.piece(7, 6, 1)
        board.piece(1, 8, 1)
        board.arrow((4, 3), (2, 5), REFUSED, gap_start=0.3, gap_end=0.2)
        board.arrow((2, 5), (4, 7), REFUSED, gap_start=0.2, gap_end=0.26)
        board.landing(4, 7, REFUSED)
        board.taken(5, 4)
        board.taken(7, 6)
        board.path([(4, 3), (6, 5), (8, 7)], CAPTURE)
    return c


def raised_panel(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, PANEL)
    c.rect(x0, y0, x1, y0 + 1, PANEL_LIGHT)
    c.rect(x0, y0, x0 + 1, y1, PANEL_LIGHT)
    c.rect(x0, y1 - 1, x1, y1, PANEL_DARK)
    c.rect(x1 - 1, y0, x1, y1, PANEL_DARK)


def glyph(name):
    return read_png(os.path.join(GLYPH_FOLDER, name + ".png"))


def button_grid(c, x, y, names):
    """Twelve command buttons, 34 pixels apart, names row by row (None: no button)."""
    for index, name in enumerate(names):
        if name is None:
            continue
        column, row = index % 4, index // 4
        c.paste(glyph(name), x + 2 + 34 * column + 1, y + 2 + 34 * row + 1)


def side_panel(c, x, y, side_picture, mover_picture, forecast):
    raised_panel(c, x, y, x + 140, y + 88)
    c.paste(glyph(side_picture), x + 6 + 4, y + 4 + 4)
    c.paste(glyph(mover_picture), x + 50 + 4, y + 4 + 4)
    if forecast:
        c.text(x + 7, y + 52, forecast, TEXT)


def right_column():
    """The column beside the board: Black's panel, the command buttons, White's panel."""
    c = Canvas(142, 88 + 106 + 88, PANEL)
    side_panel(c, 1, 0, "Empty", "Computer", "Forecast: 0.2")
    raised_panel(c, 1, 88, 141, 88 + 106)
    button_grid(c, 1, 88, ["NewGame", "Options", "Help", "Sides",
                           "UndoAll", "Undo", "Redo", "RedoAll",
                           "Advice", "Adviser", "Stop", "Setup"])
    side_panel(c, 1, 88 + 106, "White", "Human", "")
    return c


def setup_panel():
    c = Canvas(142, 106, PANEL)
    raised_panel(c, 1, 0, 141, 106)
    button_grid(c, 1, 0, ["WhitePawn", "WhiteKing", "EmptySquare", None,
                          "BlackPawn", "BlackKing", "Delegate", None,
                          "Clear", "Arrange", None, "Continue"])
    return c


PICTURES = [
    ("numbering.png", numbering),
    ("man.png", man),
    ("multi_capture.png", multi_capture),
    ("majority.png", majority),
    ("flying_king.png", flying_king),
    ("short_king.png", short_king),
    ("crowning.png", crowning),
    ("vorna_start.png", vorna_start),
    ("vorna_capture.png", vorna_capture),
    ("russian_crowning.png", russian_crowning),
    ("czech_king_first.png", czech_king_first),
    ("italian_men.png", italian_men),
    ("italian_kings.png", italian_kings),
    ("right_column.png", right_column),
    ("setup_panel.png", setup_panel),
]


def main(argv):
    out = argv[1] if len(argv) > 1 else os.path.join(ROOT, "data", "help")
    os.makedirs(out, exist_ok=True)
    for name, make in PICTURES:
        canvas = make()
        canvas.quantize()
        path = os.path.join(out, name)
        canvas.save(path)
        print("%-20s %4d x %-4d %6d bytes" % (name, canvas.width, canvas.height,
                                               os.path.getsize(path)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Writes the 8 x 13 bitmap font as a C++ header, from the X font in PCF form
(Debian's xfonts-base: /usr/share/fonts/X11/misc/8x13-ISO8859-1.pcf.gz).

Usage: make-font.py FONT.pcf.gz OUTPUT.h

Each glyph becomes 13 rows of 8 pixels, top row first, bit 7 the leftmost
pixel; the baseline lies under the 11th row (2 rows of descent)."""

import gzip
import struct
import sys

PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_COMPRESSED_METRICS = 0x100
PCF_BYTE_MSB = 1 << 2
PCF_BIT_MSB = 1 << 3

CELL_WIDTH, ASCENT, DESCENT = 8, 11, 2


class Table:
    def __init__(self, data, offset):
        (self.format,) = struct.unpack_from("<i", data, offset)
        self.data = data
        self.offset = offset + 4
        self.endian = ">" if self.format & PCF_BYTE_MSB else "<"

    def read(self, kind, count=1):
        values = struct.unpack_from(self.endian + kind * count, self.data, self.offset)
        self.offset += struct.calcsize(self.endian + kind * count)
        return values if count > 1 else values[0]


def tables(data):
    if data[:4] != b"\x01fcp":
        sys.exit("not a PCF font")
    (count,) = struct.unpack_from("<i", data, 4)
    found = {}
    for i in range(count):
        kind, _fmt, _size, offset = struct.unpack_from("<4i", data, 8 + 16 * i)
        found[kind] = offset
    return found


def read_metrics(table):
    if table.format & PCF_COMPRESSED_METRICS:
        count = table.read("h")
        return [tuple(b - 0x80 for b in table.read("B", 5)) for _ in range(count)]
    count = table.read("i")
    return [table.read("h", 6)[:5] for _ in range(count)]


def read_bitmaps(table):
    count = table.read("i")
    offsets = table.read("i", count) if count > 1 else (table.read("i"),)
    table.read("i", 4)  # the bitmap sizes for each padding
    return offsets, table.offset


def read_encoding(table):
    first_col, last_col, first_row, last_row, _default = table.read("h", 5)
    cols = last_col - first_col + 1
    indices = table.read("H", cols * (last_row - first_row + 1))
    glyph = {}
    for code in range(256):
        if first_row == 0 and first_col <= code <= last_col:
            index = indices[code - first_col]
            if index != 0xFFFF:
                glyph[code] = index
    return glyph


def main():
    font, output = sys.argv[1], sys.argv[2]
    data = gzip.open(font).read()
    found = tables(data)
    metrics = read_metrics(Table(data, found[PCF_METRICS]))
    bitmaps = Table(data, found[PCF_BITMAPS])
    offsets, start = read_bitmaps(bitmaps)
    pad = 1 << (bitmaps.format & 3)
    msb_first = bool(bitmaps.format & PCF_BIT_MSB)
    encoding = read_encoding(Table(data, found[PCF_BDF_ENCODINGS]))

    rows = []
    for code in range(256):
        cell = [0] * (ASCENT + DESCENT)
        if code in encoding:
            index = encoding[code]
            left, right, _width, ascent, descent = metrics[index]
            width = right - left
            stride = ((width + 7) // 8 + pad - 1) // pad * pad
            for line in range(ascent + descent):
                y = ASCENT - ascent + line
                if not 0 <= y < len(cell):
                    continue
                for x in range(width):
                    byte = data[start + offsets[index] + line * stride + x // 8]
                    bit = 7 - x % 8 if msb_first else x % 8
                    column = left + x
                    if byte >> bit & 1 and 0 <= column < CELL_WIDTH:
                        cell[y] |= 0x80 >> column
        rows.append(cell)

    with open(output, "w") as out:
        out.write("// Generated at build time by web/make-font.py from the X font 8x13\n")
        out.write("// (Debian's xfonts-base, %s). Do not edit.\n" % font.split("/")[-1])
        out.write("#pragma once\n\nnamespace webgl {\n\n")
        out.write("constexpr int glyphWidth = %d;\n" % CELL_WIDTH)
        out.write("constexpr int glyphAscent = %d;\n" % ASCENT)
        out.write("constexpr int glyphHeight = %d;\n\n" % (ASCENT + DESCENT))
        out.write("// Rows top first; bit 7 is the leftmost pixel.\n")
        out.write("constexpr unsigned char glyphRows[256][glyphHeight] = {\n")
        for cell in rows:
            out.write("    {" + ", ".join("%d" % r for r in cell) + "},\n")
        out.write("};\n\n}  // namespace webgl\n")


if __name__ == "__main__":
    main()

"""Writers for the Windows bitmap and icon files the program embeds.

No library we use writes 8-bit RLE bitmaps, 4-bit bitmaps with the standard
palette or multi-depth icons with 1-bit masks, so the bytes are laid out here.
All output is deterministic: the same pixels give the same bytes.
"""

import struct

import numpy as np

# The standard 16-colour palette (VGA order), as (red, green, blue).
STANDARD_16_COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BI_RGB = 0
BI_RLE8 = 1
PIXELS_PER_METRE_96_DPI = 3780


def indexed_from_rgb(rgb, palette_size=256, first=((0, 0, 0),)):
    """Turns an (H, W, 3) uint8 picture into palette indices.

    The colours in `first` take the first entries (pure black at 0 by
    default); the others follow in order of first appearance, scanning rows
    top-down, so the result never depends on hashing. Unused entries are black.
    """
    height, width, _ = rgb.shape
    palette = [tuple(int(c) for c in colour) for colour in first]
    lookup = {colour: i for i, colour in enumerate(palette)}
    indices = np.zeros((height, width), dtype=np.uint8)
    for y in range(height):
        for x in range(width):
            colour = tuple(int(c) for c in rgb[y, x])
            if colour not in lookup:
                lookup[colour] = len(palette)
                palette.append(colour)
            indices[y, x] = lookup[colour]
    if len(palette) > palette_size:
        raise ValueError(f"{len(palette)} colours do not fit a {palette_size}-entry palette")
    used = len(palette)
    palette += [(0, 0, 0)] * (palette_size - used)
    return indices, palette, used


def _palette_bytes(palette):
    # RGBQUAD: blue, green, red, reserved.
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def _pack_rows(indices, bits):
    """Uncompressed pixel rows, bottom-up, each padded to 4 bytes; at 24 bits
    the rows hold (red, green, blue) and are stored blue first."""
    height, width = indices.shape[:2]
    stride = ((width * bits + 31) // 32) * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = indices[y]
        if bits == 24:
            packed = b"".join(struct.pack("<BBB", int(p[2]), int(p[1]), int(p[0])) for p in row)
        elif bits == 8:
            packed = bytes(int(v) for v in row)
        elif bits == 4:
            padded = list(int(v) for v in row) + [0] * (width % 2)
            packed = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        elif bits == 1:
            packed = np.packbits(np.asarray(row, dtype=np.uint8)).tobytes()
        else:
            raise ValueError(bits)
        out += packed + bytes(stride - len(packed))
    return bytes(out)


def _rle8_row(row):
    """One row in BI_RLE8: runs of two or more as (count, index), other
    stretches of three or more as an absolute block, the rest as runs of one."""
    out = bytearray()
    values = [int(v) for v in row]
    n = len(values)
    i = 0
    literal = []

    def flush_literal():
        while literal:
            chunk = literal[:255]
            del literal[:255]
            if len(chunk) >= 3:
                out.extend((0, len(chunk)))
                out.extend(chunk)
                if len(chunk) % 2:
                    out.append(0)  # absolute blocks end on a 16-bit boundary
            else:
                for v in chunk:
                    out.extend((1, v))

    while i < n:
        run = 1
        while i + run < n and run < 255 and values[i + run] == values[i]:
            run += 1
        if run >= 2:
            flush_literal()
            out.extend((run, values[i]))
        else:
            literal.append(values[i])
        i += run
    flush_literal()
    return out


def _rle8_rows(indices):
    height = indices.shape[0]
    out = bytearray()
    for y in range(height - 1, -1, -1):
        out += _rle8_row(indices[y])
        out += bytes((0, 1)) if y == 0 else bytes((0, 0))  # end of bitmap / end of line
    return bytes(out)


def bmp_bytes(indices, palette, bits, rle8=False):
    """A complete .bmp file: 14-byte file header, 40-byte info header,
    the palette, then the rows bottom-up."""
    height, width = indices.shape
    if len(palette) != 1 << bits:
        raise ValueError("the palette must have 2^bits entries")
    if rle8 and bits != 8:
        raise ValueError("RLE8 needs 8 bits per pixel")
    pixels = _rle8_rows(indices) if rle8 else _pack_rows(indices, bits)
    compression = BI_RLE8 if rle8 else BI_RGB
    colour_table = _palette_bytes(palette)
    offset = 14 + 40 + len(colour_table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels),
                       PIXELS_PER_METRE_96_DPI, PIXELS_PER_METRE_96_DPI, len(palette), 0)
    return file_header + info + colour_table + pixels


def icon_image_bytes(indices_or_rgb, palette, bits, mask):
    """One icon entry: a BITMAPINFOHEADER of double height, the palette (not
    for 24 bits), the XOR pixels and the 1-bit AND mask (1 = transparent)."""
    height, width = mask.shape
    xor = _pack_rows(indices_or_rgb, bits)
    colour_table = b"" if bits == 24 else _palette_bytes(palette)
    and_mask = _pack_rows(mask.astype(np.uint8), 1)
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, BI_RGB,
                       len(xor) + len(and_mask), 0, 0, 0, 0)
    return info + colour_table + xor + and_mask


def ico_bytes(entries):
    """A .ico file of (width, height, bits, image_bytes) entries."""
    header = struct.pack("<HHH", 0, 1, len(entries))
    directory = b""
    data = b""
    offset = 6 + 16 * len(entries)
    for width, height, bits, image in entries:
        colour_count = (1 << bits) if bits < 8 else 0
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, colour_count, 0, 1,
                                 bits, len(image), offset + len(data))
        data += image
    return header + directory + data

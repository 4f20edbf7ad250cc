"""Pictures written byte by byte and the failure summary the render checks share."""
import struct
import zlib


def bmp_file(width, height, bits, compression, data, palette=(), pixels_per_metre=2835):
    """A BITMAPINFOHEADER bitmap around its pixel data; palette of (r, g, b)."""
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(data),
                       pixels_per_metre, pixels_per_metre, len(palette), 0)
    return header + info + colours + data


def png_file(width, height, compressed):
    """An 8-bit RGB PNG around its compressed rows."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", compressed) + chunk(b"IEND", b""))


def report(failures, checked=None):
    """Prints the first failures and a count; the exit code."""
    for failure in failures[:20]:
        print("FAIL", failure)
    passed = "" if checked is None else f"{checked - len(failures)} passed, "
    print(f"{passed}{len(failures)} failed")
    return 1 if failures else 0

#!/usr/bin/env python3
"""Writes the fuzzers' starting inputs: small map pictures of every kind the
loader reads, and settings files plain and hostile.

    make_seeds.py OUTPUT_FOLDER   (makes OUTPUT_FOLDER/maps and /settings)
"""
import io
import os
import struct
import sys

from PIL import Image


def gradient(mode, width=12, height=6):
    picture = Image.new("RGB", (width, height))
    picture.putdata([((x * 20) % 256, (y * 40) % 256, (x * y * 9) % 256)
                     for y in range(height) for x in range(width)])
    return picture.convert(mode)


def encoded(picture, fmt, **options):
    out = io.BytesIO()
    picture.save(out, fmt, **options)
    return out.getvalue()


def rle_bitmap(bits, runs, width=12, height=6):
    """A run-length bitmap (8 or 4 bits) from raw RLE bytes, with skips."""
    colours = 1 << bits
    palette = b"".join(struct.pack("<BBBB", i * 7 % 256, i * 31 % 256, 255 - i, 0)
                       for i in range(colours))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 1 if bits == 8 else 2,
                       len(runs), 2835, 2835, colours, 0)
    offset = 14 + len(info) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(runs), 0, 0, offset) + info + palette + runs


def maps():
    yield "rgb.png", encoded(gradient("RGB"), "PNG")
    yield "rgba.png", encoded(gradient("RGBA"), "PNG")
    yield "palette.png", encoded(gradient("P"), "PNG")
    yield "grey.png", encoded(gradient("L"), "PNG")
    yield "deep.png", encoded(gradient("L").convert("I").point(lambda v: v * 257).convert("I;16"), "PNG")
    yield "interlaced.png", encoded(gradient("RGB"), "PNG", interlace=1)
    yield "rgb.jpg", encoded(gradient("RGB"), "JPEG", quality=80)
    yield "grey.jpg", encoded(gradient("L"), "JPEG")
    yield "progressive.jpg", encoded(gradient("RGB"), "JPEG", progressive=True)
    yield "mono.bmp", encoded(gradient("1"), "BMP")
    yield "palette.bmp", encoded(gradient("P"), "BMP")
    yield "rgb.bmp", encoded(gradient("RGB"), "BMP")
    yield "rgba.bmp", encoded(gradient("RGBA"), "BMP")
    # Runs, a literal, a skip (delta), end of line, end of picture.
    yield "rle8.bmp", rle_bitmap(8, bytes([4, 1, 0, 3, 5, 6, 7, 0, 0, 2, 2, 1, 3, 9, 0, 0,
                                           12, 2, 0, 1]))
    yield "rle4.bmp", rle_bitmap(4, bytes([6, 0x12, 0, 4, 0x34, 0x56, 0, 2, 1, 1, 0, 0,
                                           12, 0x77, 0, 1]))
    yield "cut.bmp", encoded(gradient("RGB"), "BMP")[:-40]


SETTINGS = {
    "plain.ini": b"[size]\nscale=45\nw=800\nh=400\n[options]\nimage=/maps/earth.bmp\nsun=1\n"
                 b"[colors]\nnightfilter=70\n[anchor]\nx=-1\ny=2\n",
    "quoted.ini": b'[options]\nimage="/maps/a, b=c.bmp" ; note\nnote=@@at\n',
    "escapes.ini": b'[options]\nimage="\\\\srv\\\\maps\\\\a \\"b\\".bmp"\nx=\\x41\n',
    "list.ini": b"[options]\nimage=/a.bmp, /b.bmp\n",
    "variant.ini": b"[options]\nimage=@Variant(\x00\x00\x00\x09\x00\x00\x00\x00\x01"
                   b"\x00\x00\x00\x02\x00\x00\x00\x00\x05)\n",
    "bytes.ini": b"[options]\nimage=@ByteArray(abc)\nrect=@Rect(1 2 3 4)\n",
    "stray-quote.ini": b'[size]\nscale="45\n[colors]\nnightfilter=70\n',
    "joined.ini": b"[size]\nscale=4\\\n5\n[colors]\nnightfilter=70\n",
    "junk.ini": b"[size]\nscale=45\n\x01\xff\xfe\r\n[%General]\nk=v\r\n",
}


def main():
    out = sys.argv[1]
    for folder, files in (("maps", dict(maps())), ("settings", SETTINGS)):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(out, folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()

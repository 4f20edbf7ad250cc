"""The font the pins' names are drawn in: the public-domain "fixed" 6 x 13
bitmap font of the X Window System (misc-fixed, ISO 10646), one cell per
character of the blocks place names mostly use.

Written as a 1-bit BMP, black ink on white: every glyph a 6 x 13 cell, 16
cells to a row, in the order of RANGES (the program's table of the same
ranges must match). A character the font lacks gets the cell of '?'.
"""

import gzip
import io
import os

import numpy as np
from PIL import PcfFontFile

import bmp_format

FILE_NAME = "pin_font.bmp"
INPUT_NAME = "6x13.pcf.gz"
GLYPH_WIDTH, GLYPH_HEIGHT = 6, 13
GLYPH_ASCENT = 11  # rows above the baseline
GLYPHS_PER_ROW = 16
FALLBACK = ord("?")

# Inclusive code point ranges, in the order their cells follow each other:
# ASCII, Latin-1 and Latin Extended-A and -B, Greek, Cyrillic, Latin
# Extended Additional (Vietnamese), and the dashes and quotation marks.
RANGES = [
    (0x0020, 0x007E),
    (0x00A0, 0x024F),
    (0x0370, 0x03FF),
    (0x0400, 0x04FF),
    (0x1E00, 0x1EFF),
    (0x2010, 0x201F),
]


class UnicodePcfFont(PcfFontFile.PcfFontFile):
    """PIL's PCF reader, which decodes the metrics and bitmaps but maps only
    256 single-byte codes, with the two-byte (ISO 10646) encoding table read
    in full: glyph(code point) gives (metrics, bitmap) or None."""

    def __init__(self, fp):
        self._metrics = []
        self._bitmaps = []
        self._by_code_point = {}
        super().__init__(fp)

    def _load_bitmaps(self, metrics):
        self._metrics = metrics
        self._bitmaps = super()._load_bitmaps(metrics)
        return self._bitmaps

    def _load_encoding(self):
        fp, _, i16, _ = self._getformat(PcfFontFile.PCF_BDF_ENCODINGS)
        first_col, last_col = i16(fp.read(2)), i16(fp.read(2))
        first_row, last_row = i16(fp.read(2)), i16(fp.read(2))
        i16(fp.read(2))  # the default character
        columns = last_col - first_col + 1
        for k in range(columns * (last_row - first_row + 1)):
            index = i16(fp.read(2))
            if index != 0xFFFF:
                code_point = (first_row + k // columns) << 8 | (first_col + k % columns)
                self._by_code_point[code_point] = index
        return [self._by_code_point.get(code) for code in range(256)]

    def glyph_of(self, code_point):
        index = self._by_code_point.get(code_point)
        if index is None:
            return None
        return self._metrics[index], self._bitmaps[index]


def read_font(inputs_dir):
    with gzip.open(os.path.join(inputs_dir, INPUT_NAME)) as packed:
        return UnicodePcfFont(io.BytesIO(packed.read()))


def glyph_cell(font, code_point):
    """The character's ink in its cell, True where black."""
    found = font.glyph_of(code_point)
    if found is None:
        return None
    (xsize, ysize, left, _, width, ascent, _, _), bitmap = found
    if width != GLYPH_WIDTH:
        raise ValueError(f"U+{code_point:04X} is {width} pixels wide, not {GLYPH_WIDTH}")
    cell = np.zeros((GLYPH_HEIGHT, GLYPH_WIDTH), dtype=bool)
    if xsize and ysize:
        ink = np.array(bitmap.convert("L"), dtype=np.uint8) != 0
        top = GLYPH_ASCENT - ascent
        if top < 0 or left < 0 or top + ysize > GLYPH_HEIGHT or left + xsize > GLYPH_WIDTH:
            raise ValueError(f"U+{code_point:04X} reaches outside its cell")
        cell[top:top + ysize, left:left + xsize] = ink
    return cell


def code_points():
    return [c for first, last in RANGES for c in range(first, last + 1)]


def glyph_sheet(inputs_dir):
    """The sheet as a (rows, columns) array of booleans, True for ink."""
    font = read_font(inputs_dir)
    fallback = glyph_cell(font, FALLBACK)
    characters = code_points()
    rows = (len(characters) + GLYPHS_PER_ROW - 1) // GLYPHS_PER_ROW
    sheet = np.zeros((rows * GLYPH_HEIGHT, GLYPHS_PER_ROW * GLYPH_WIDTH), dtype=bool)
    for i, code_point in enumerate(characters):
        cell = glyph_cell(font, code_point)
        y, x = (i // GLYPHS_PER_ROW) * GLYPH_HEIGHT, (i % GLYPHS_PER_ROW) * GLYPH_WIDTH
        sheet[y:y + GLYPH_HEIGHT, x:x + GLYPH_WIDTH] = fallback if cell is None else cell
    return sheet


def pin_font_file(inputs_dir):
    sheet = glyph_sheet(inputs_dir)
    # Palette entry 0 black (the ink), 1 white.
    indices = np.where(sheet, 0, 1).astype(np.uint8)
    data = bmp_format.bmp_bytes(indices, [(0, 0, 0), (255, 255, 255)], 1)
    return data, np.where(sheet, 0, 255).astype(np.uint8)

"""Draws the sun and moon marker bitmaps and their masks.

Every marker pair obeys one rule the drawing relies on (mask AND, then image
OR): the mask is pure black exactly on the shape and pure white elsewhere; the
image is pure black outside the shape and never pure black inside it.
"""

import math

import numpy as np

import bmp_format

SUN_SIZE = 40
SUN_PIXELS = 408
MOON_SIZE = 20
MOON_ROW_WIDTHS = [6, 10, 14, 16, 16, 18, 18, 20, 20, 20, 20, 20, 20, 18, 18, 16, 16, 14, 10, 6]
UNLIT_SLATE = (110, 110, 144)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


# --- sun ---------------------------------------------------------------------

SUN_DISC_RADIUS = 7.6
SUN_RAY_TIP_RADIUS = 17.4
SUN_RAY_BASE_HALF_WIDTH = 2.5
SUN_RAY_WAVE_AMPLITUDE = 1.4   # pixels sideways at the tip
SUN_RAY_WAVE_LENGTH = 9.0      # pixels along the ray


def _sun_field():
    """How deep each pixel centre lies inside the sun (positive = inside): the
    disc, and eight tapering rays whose centre lines sway like flames."""
    c = SUN_SIZE / 2.0
    field = np.full((SUN_SIZE, SUN_SIZE), -1e9)
    for y in range(SUN_SIZE):
        for x in range(SUN_SIZE):
            dx, dy = x + 0.5 - c, y + 0.5 - c
            r = math.hypot(dx, dy)
            best = SUN_DISC_RADIUS - r
            angle = math.atan2(dy, dx)
            for k in range(8):
                base = k * math.pi / 4
                along = r - SUN_DISC_RADIUS + 1.5
                if along < 0 or r > SUN_RAY_TIP_RADIUS + 1:
                    continue
                # The sway grows towards the tip, as a flame's does.
                reach = min(1.0, along / (SUN_RAY_TIP_RADIUS - SUN_DISC_RADIUS))
                sway = SUN_RAY_WAVE_AMPLITUDE * reach * math.sin(
                    2 * math.pi * along / SUN_RAY_WAVE_LENGTH)
                centre = base + sway / max(r, 1.0)
                diff = (angle - centre + math.pi) % (2 * math.pi) - math.pi
                sideways = abs(diff) * r
                taper = max(0.0, 1 - (r - SUN_DISC_RADIUS) / (SUN_RAY_TIP_RADIUS - SUN_DISC_RADIUS))
                half_width = SUN_RAY_BASE_HALF_WIDTH * taper ** 0.6
                best = max(best, half_width - sideways)
            # Tiny radial term breaks ties so the pixel count is exact.
            field[y, x] = best - 1e-6 * r
    return field


def _four_neighbours(shape):
    padded = np.pad(shape, 1).astype(np.int32)
    return padded[:-2, 1:-1] + padded[2:, 1:-1] + padded[1:-1, :-2] + padded[1:-1, 2:]


def sun_shape():
    """The SUN_PIXELS deepest pixels of the field, with no pixel hanging on by
    a corner only: such a pixel is swapped for the next deepest one that
    touches the shape along an edge."""
    field = _sun_field()
    order = [divmod(int(i), SUN_SIZE) for i in np.argsort(-field, axis=None, kind="stable")]
    shape = np.zeros((SUN_SIZE, SUN_SIZE), dtype=bool)
    for y, x in order[:SUN_PIXELS]:
        shape[y, x] = True
    banned = set()
    while True:
        loose = list(zip(*np.nonzero(shape & (_four_neighbours(shape) == 0))))
        if not loose:
            return shape
        for y, x in loose:
            shape[y, x] = False
            banned.add((int(y), int(x)))
        while shape.sum() < SUN_PIXELS:
            neighbours = _four_neighbours(shape)
            y, x = next(p for p in order
                        if not shape[p] and p not in banned and neighbours[p] > 0)
            shape[y, x] = True


def _lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def _edge(shape):
    """Shape pixels with a 4-neighbour outside the shape."""
    return shape & (_four_neighbours(shape) < 4)


def sun_image(shape):
    c = SUN_SIZE / 2.0
    centre_colour = (255, 250, 150)
    disc_colour = (255, 208, 40)
    tip_colour = (238, 104, 16)
    edge = _edge(shape)
    rgb = np.zeros((SUN_SIZE, SUN_SIZE, 3), dtype=np.uint8)
    for y in range(SUN_SIZE):
        for x in range(SUN_SIZE):
            if not shape[y, x]:
                continue
            r = math.hypot(x + 0.5 - c, y + 0.5 - c)
            if r <= SUN_DISC_RADIUS:
                colour = _lerp(centre_colour, disc_colour, (r / SUN_DISC_RADIUS) ** 1.5)
            else:
                t = min(1.0, (r - SUN_DISC_RADIUS) / (SUN_RAY_TIP_RADIUS - SUN_DISC_RADIUS))
                colour = _lerp(disc_colour, tip_colour, t ** 0.8)
            if edge[y, x]:
                # A darker rim keeps the sun readable over yellow land and ice.
                colour = tuple(v * 0.82 for v in colour)
            # Quantise to steps of 4 so the palette stays small.
            rgb[y, x] = [max(4, int(v) // 4 * 4) for v in colour]
    return rgb


# --- moon --------------------------------------------------------------------

def moon_shape():
    shape = np.zeros((MOON_SIZE, MOON_SIZE), dtype=bool)
    for y, width in enumerate(MOON_ROW_WIDTHS):
        left = (MOON_SIZE - width) // 2
        shape[y, left:left + width] = True
    return shape


# Dark "seas" of the near side as (column, row, radius, depth), in pixels of
# the 20 x 20 square, placed roughly where they appear to the naked eye.
MOON_SEAS = [
    (6.5, 6.0, 3.2, 0.55),    # Imbrium
    (4.0, 10.0, 3.4, 0.45),   # Procellarum
    (11.5, 7.0, 2.2, 0.60),   # Serenitatis
    (13.8, 9.6, 2.6, 0.55),   # Tranquillitatis
    (16.0, 7.2, 1.3, 0.65),   # Crisis
    (15.0, 12.6, 1.8, 0.45),  # Fecunditatis
    (8.5, 13.5, 2.2, 0.40),   # Nubium
]
MOON_HIGHLAND = (216, 212, 232)
MOON_SEA = (150, 146, 176)


def moon_lit_colours():
    """The fully lit moon: pale grey-lavender highlands with darker seas and a
    little darkening towards the limb."""
    rgb = np.zeros((MOON_SIZE, MOON_SIZE, 3), dtype=np.uint8)
    c = MOON_SIZE / 2.0
    for y in range(MOON_SIZE):
        for x in range(MOON_SIZE):
            px, py = x + 0.5, y + 0.5
            sea = 0.0
            for sx, sy, radius, depth in MOON_SEAS:
                d = math.hypot(px - sx, py - sy) / radius
                sea = max(sea, depth * max(0.0, 1 - d * d))
            limb = math.hypot(px - c, py - c) / c
            colour = _lerp(MOON_HIGHLAND, MOON_SEA, min(1.0, sea * 1.6))
            colour = tuple(v * (1 - 0.12 * limb ** 4) for v in colour)
            rgb[y, x] = [int(v) // 6 * 6 for v in colour]
    return rgb


def moon_image(lit_columns):
    """The disc with the given columns lit and the rest in the unlit slate."""
    shape = moon_shape()
    lit = moon_lit_colours()
    rgb = np.zeros((MOON_SIZE, MOON_SIZE, 3), dtype=np.uint8)
    for y in range(MOON_SIZE):
        for x in range(MOON_SIZE):
            if shape[y, x]:
                rgb[y, x] = lit[y, x] if x in lit_columns else UNLIT_SLATE
    return rgb


def mask_rgb(shape):
    rgb = np.full(shape.shape + (3,), 255, dtype=np.uint8)
    rgb[shape] = BLACK
    return rgb


# --- files -------------------------------------------------------------------

def marker_pictures():
    """Every marker picture by file name, as (rgb, bits per pixel)."""
    sun = sun_shape()
    moon = moon_shape()
    every_column = range(MOON_SIZE)
    return {
        "sun_image.bmp": (sun_image(sun), 8),
        "sun_mask.bmp": (mask_rgb(sun), 4),
        "moon_full_image.bmp": (moon_image(every_column), 8),
        "moon_new_image.bmp": (moon_image(()), 8),
        "moon_mask.bmp": (mask_rgb(moon), 8),
        "moon_first_quarter_image.bmp": (moon_image(range(10, MOON_SIZE)), 8),
        "moon_last_quarter_image.bmp": (moon_image(range(0, 10)), 8),
    }


def encode(rgb, bits):
    # The 4-bit mask uses the standard colours; the others start black, white.
    first = bmp_format.STANDARD_16_COLOURS if bits == 4 else (BLACK, WHITE)
    indices, palette, _ = bmp_format.indexed_from_rgb(rgb, 1 << bits, first)
    return bmp_format.bmp_bytes(indices, palette, bits)

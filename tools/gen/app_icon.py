"""The program icon: a round face split down the middle, day and night.

The left half is a yellow face with an open eye against a light cyan sky, the
right half a white face with a closed eye against a dark blue sky with a few
stars. The corners outside the rounded square are transparent.

The 16 x 16 pictures are drawn pixel by pixel: smoothed shapes turn to mush
at that size. Larger ones are drawn from the same shapes at 16 x 16 samples
per pixel: the true-colour images keep the smoothed edges, the 256-colour ones
use the same colours in a palette, and the 16-colour ones give every pixel the
standard colour of the shape that covers most of it.

The Linux desktop gets the same design as PNGs with real alpha at the theme
sizes (the edges' coverage becomes their opacity) and as an SVG built from
the very shapes the pixels are sampled from.
"""

import numpy as np

import bmp_format

FILE_NAME = "lumivane.ico"
# (size, bits per pixel) in the order the icon lists them.
ENTRIES = [(16, 4), (32, 4), (16, 8), (32, 8), (48, 8), (64, 8), (16, 24), (32, 24), (48, 24)]
SAMPLES_PER_PIXEL = 16
# The Linux desktop's icon theme sizes; the files go to res/icons/.
THEME_DIR = "icons"
THEME_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
SCALABLE_FILE_NAME = "lumivane.svg"

# Regions, in drawing order; each has its true colour and its colour among
# the standard sixteen (as an index into bmp_format.STANDARD_16_COLOURS).
OUTSIDE, DAY_SKY, NIGHT_SKY, STAR, DAY_FACE, NIGHT_FACE, DAY_RIM, NIGHT_RIM, \
    OPEN_EYE, CLOSED_EYE, DAY_MOUTH, NIGHT_MOUTH = range(12)
TRUE_COLOURS = {
    OUTSIDE: (0, 0, 0),
    DAY_SKY: (150, 222, 246),
    NIGHT_SKY: (22, 34, 102),
    STAR: (236, 236, 200),
    DAY_FACE: (255, 214, 36),
    NIGHT_FACE: (246, 246, 252),
    DAY_RIM: (214, 128, 16),
    NIGHT_RIM: (150, 154, 186),
    OPEN_EYE: (44, 34, 30),
    CLOSED_EYE: (70, 74, 120),
    DAY_MOUTH: (176, 84, 20),
    NIGHT_MOUTH: (110, 112, 150),
}
STANDARD_COLOUR_INDEX = {
    OUTSIDE: 0, DAY_SKY: 14, NIGHT_SKY: 4, STAR: 11, DAY_FACE: 11, NIGHT_FACE: 15,
    DAY_RIM: 3, NIGHT_RIM: 8, OPEN_EYE: 0, CLOSED_EYE: 4, DAY_MOUTH: 1, NIGHT_MOUTH: 8,
}

# The smallest size, by hand; one letter per region (see PIXEL_ART_LETTERS).
PIXEL_ART_16 = [
    ".cccccccnnnnnnn.",
    "ccccccccnnnnnnsn",
    "ccccccooggnnnnnn",
    "ccccooyywwggnnnn",
    "cccoyyyywwwwgnnn",
    "cccoyeyywwwwgnnn",
    "ccoyyeyywlwlwgnn",
    "ccoyyyyywwlwwgnn",
    "ccoyyyyywwwwwgnn",
    "ccoymyyywwwvwgnn",
    "cccoymmmvvvwgnnn",
    "cccoyyyywwwwgnnn",
    "ccccooyywwggnnnn",
    "ccccccooggnnnnnn",
    "ccccccccnnnnnnnn",
    ".cccccccnnnnnnn.",
]
PIXEL_ART_LETTERS = {
    ".": OUTSIDE, "c": DAY_SKY, "n": NIGHT_SKY, "s": STAR, "y": DAY_FACE, "w": NIGHT_FACE,
    "o": DAY_RIM, "g": NIGHT_RIM, "e": OPEN_EYE, "l": CLOSED_EYE, "m": DAY_MOUTH,
    "v": NIGHT_MOUTH,
}

FACE_RADIUS = 0.40
CORNER_RADIUS = 0.20
STARS = [(0.86, 0.15, 0.030), (0.93, 0.50, 0.022), (0.84, 0.88, 0.026)]


def _samples_per_pixel(size):
    # Large sizes need fewer samples for smooth edges, and would not fit in
    # memory with as many.
    return min(SAMPLES_PER_PIXEL, 2048 // size)


def _region_map(size):
    """The region at every sample point of a size x size icon."""
    n = size * _samples_per_pixel(size)
    centres = (np.arange(n) + 0.5) / n
    x, y = np.meshgrid(centres, centres)
    px = 1.0 / size  # one pixel in icon units: lines stay at least this wide
    day = x < 0.5

    regions = np.full((n, n), OUTSIDE, dtype=np.uint8)
    # Rounded square of sky.
    cx = np.clip(x, CORNER_RADIUS, 1 - CORNER_RADIUS)
    cy = np.clip(y, CORNER_RADIUS, 1 - CORNER_RADIUS)
    in_square = np.hypot(x - cx, y - cy) <= CORNER_RADIUS
    regions[in_square] = np.where(day, DAY_SKY, NIGHT_SKY)[in_square]
    if size >= 32:
        for sx, sy, r in STARS:
            regions[np.hypot(x - sx, y - sy) <= max(r, 0.6 * px)] = STAR

    # The face and its rim.
    r = np.hypot(x - 0.5, y - 0.5)
    rim = max(0.035, 1.0 * px)
    regions[r <= FACE_RADIUS] = np.where(day, DAY_RIM, NIGHT_RIM)[r <= FACE_RADIUS]
    inner = r <= FACE_RADIUS - rim
    regions[inner] = np.where(day, DAY_FACE, NIGHT_FACE)[inner]

    # Open eye: an upright oval.
    ex, ey = 0.36, 0.42
    rx, ry = max(0.05, 0.9 * px), max(0.075, 1.3 * px)
    regions[((x - ex) / rx) ** 2 + ((y - ey) / ry) ** 2 <= 1] = OPEN_EYE

    # Closed eye: the lower part of a ring, a lid drawn shut.
    line = max(0.03, 0.9 * px)
    lid_r = max(0.065, 1.8 * px)
    lid = np.abs(np.hypot(x - 0.64, y - (ey - 0.25 * lid_r)) - lid_r) <= line / 2
    regions[lid & (y >= ey - 0.25 * lid_r) & ~day] = CLOSED_EYE

    # A quiet smile across both halves.
    mouth_r = 0.17
    smile = np.abs(np.hypot(x - 0.5, y - 0.50) - mouth_r) <= max(0.03, 0.9 * px) / 2
    smile &= y >= 0.50 + mouth_r * 0.55
    regions[smile] = np.where(day, DAY_MOUTH, NIGHT_MOUTH)[smile]
    return regions


def _coverage(size):
    """Per pixel, the share of its samples in each region: (size, size, regions)."""
    if size == len(PIXEL_ART_16):
        regions = np.array([[PIXEL_ART_LETTERS[c] for c in row] for row in PIXEL_ART_16])
        s = 1
    else:
        regions = _region_map(size)
        s = _samples_per_pixel(size)
    counts = np.zeros((size, size, len(TRUE_COLOURS)))
    for region in TRUE_COLOURS:
        counts[..., region] = (regions == region).reshape(size, s, size, s).mean(axis=(1, 3))
    return counts


def _transparent(coverage):
    return coverage[..., OUTSIDE] >= 0.5


def _smoothed_colours(coverage):
    """Each pixel's colour over its opaque part: edge pixels against the
    transparent corners keep their own colour."""
    colours = np.array([TRUE_COLOURS[r] for r in range(len(TRUE_COLOURS))], dtype=np.float64)
    opaque = 1.0 - coverage[..., OUTSIDE]
    rgb = (coverage[..., 1:] @ colours[1:]) / np.maximum(opaque, 1e-9)[..., None]
    return np.clip(np.floor(rgb + 0.5), 0, 255).astype(np.uint8)


def true_colour(size):
    """The smoothed picture and its transparency; transparent pixels are black
    so the colours OR cleanly onto the desktop through the mask."""
    coverage = _coverage(size)
    transparent = _transparent(coverage)
    rgb = _smoothed_colours(coverage)
    rgb[transparent] = 0
    return rgb, transparent


def true_colour_with_alpha(size):
    """(size, size, 4) RGBA: the smoothed colours, and each pixel's share of
    the rounded square as its opacity."""
    coverage = _coverage(size)
    rgb = _smoothed_colours(coverage)
    alpha = np.clip(np.floor((1.0 - coverage[..., OUTSIDE]) * 255 + 0.5), 0, 255)
    rgba = np.dstack([rgb, alpha.astype(np.uint8)])
    rgba[rgba[..., 3] == 0] = 0
    return rgba


def theme_file_name(size):
    return f"lumivane-{size}.png"


def theme_png(size):
    """The PNG file of one theme size; the same pixels give the same bytes."""
    import io
    from PIL import Image
    out = io.BytesIO()
    Image.fromarray(true_colour_with_alpha(size), "RGBA").save(out, "PNG", optimize=False)
    return out.getvalue()


def scalable_svg():
    """The design as an SVG, shape for shape as _region_map samples it at
    large sizes (where no line is widened to a whole pixel)."""
    side = 256

    def n(value):
        return f"{round(value * side, 3):g}"

    def hex_colour(region):
        return "#%02x%02x%02x" % TRUE_COLOURS[region]

    ex, ey, rx, ry = 0.36, 0.42, 0.05, 0.075
    lid_r, line = 0.065, 0.03
    lid_y = ey - 0.25 * lid_r
    mouth_r = 0.17
    smile_y = 0.50 + mouth_r * 0.55
    rim = 0.035

    def disc(x, y, r, region):
        return f'<circle cx="{n(x)}" cy="{n(y)}" r="{n(r)}" fill="{hex_colour(region)}"/>'

    def half(sky, rim_colour, face, mouth, extra):
        return [
            f'<rect width="{side}" height="{side}" rx="{n(CORNER_RADIUS)}" '
            f'fill="{hex_colour(sky)}"/>',
            *extra[0],
            disc(0.5, 0.5, FACE_RADIUS, rim_colour),
            disc(0.5, 0.5, FACE_RADIUS - rim, face),
            *extra[1],
            f'<circle cx="{n(0.5)}" cy="{n(0.5)}" r="{n(mouth_r)}" fill="none" '
            f'stroke="{hex_colour(mouth)}" stroke-width="{n(line)}" clip-path="url(#below-smile)"/>',
        ]

    stars = [disc(x, y, r, STAR) for x, y, r in STARS]
    open_eye = [f'<ellipse cx="{n(ex)}" cy="{n(ey)}" rx="{n(rx)}" ry="{n(ry)}" '
                f'fill="{hex_colour(OPEN_EYE)}"/>']
    closed_eye = [f'<circle cx="{n(0.64)}" cy="{n(lid_y)}" r="{n(lid_r)}" fill="none" '
                  f'stroke="{hex_colour(CLOSED_EYE)}" stroke-width="{n(line)}" '
                  f'clip-path="url(#below-lid)"/>']
    lines = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{side}" height="{side}" '
        f'viewBox="0 0 {side} {side}">',
        "<defs>",
        f'<clipPath id="day"><rect width="{n(0.5)}" height="{side}"/></clipPath>',
        f'<clipPath id="night"><rect x="{n(0.5)}" width="{n(0.5)}" height="{side}"/></clipPath>',
        f'<clipPath id="below-lid"><rect y="{n(lid_y)}" width="{side}" '
        f'height="{n(1 - lid_y)}"/></clipPath>',
        f'<clipPath id="below-smile"><rect y="{n(smile_y)}" width="{side}" '
        f'height="{n(1 - smile_y)}"/></clipPath>',
        "</defs>",
        '<g clip-path="url(#day)">',
        *half(DAY_SKY, DAY_RIM, DAY_FACE, DAY_MOUTH, ([], open_eye)),
        "</g>",
        '<g clip-path="url(#night)">',
        *half(NIGHT_SKY, NIGHT_RIM, NIGHT_FACE, NIGHT_MOUTH, (stars, closed_eye)),
        "</g>",
        "</svg>",
    ]
    return ("\n".join(lines) + "\n").encode("ascii")


def sixteen_colour(size):
    coverage = _coverage(size)
    transparent = _transparent(coverage)
    main_region = np.argmax(coverage[..., 1:], axis=-1) + 1
    lookup = np.array([STANDARD_COLOUR_INDEX[r] for r in range(len(TRUE_COLOURS))], dtype=np.uint8)
    indices = lookup[main_region]
    indices[transparent] = 0
    return indices, transparent


def _palette_for(rgb, limit=256):
    """Palette of the most common colours (ties by colour value), black first;
    colours past the limit take their nearest palette entry."""
    flat = rgb.reshape(-1, 3)
    colours, counts = np.unique(flat, axis=0, return_counts=True)
    order = sorted(range(len(colours)), key=lambda i: (-counts[i], tuple(colours[i])))
    palette = [(0, 0, 0)] + [tuple(int(c) for c in colours[i]) for i in order
                             if tuple(colours[i]) != (0, 0, 0)]
    palette = palette[:limit]
    table = np.array(palette, dtype=np.int64)
    distances = ((flat[:, None, :].astype(np.int64) - table[None, :, :]) ** 2).sum(axis=-1)
    indices = np.argmin(distances, axis=1).astype(np.uint8).reshape(rgb.shape[:2])
    return indices, palette + [(0, 0, 0)] * (limit - len(palette))


def icon_file():
    entries = []
    for size, bits in ENTRIES:
        # 4 bits: the standard colours; 8 bits: a palette of the true colours.
        pixels, mask = sixteen_colour(size) if bits == 4 else true_colour(size)
        palette = bmp_format.STANDARD_16_COLOURS if bits == 4 else None
        if bits == 8:
            pixels, palette = _palette_for(pixels)
        image = bmp_format.icon_image_bytes(pixels, palette, bits, mask)
        entries.append((size, size, bits, image))
    return bmp_format.ico_bytes(entries)


def previews():
    """(name, size, rgb) of each true-colour and sixteen-colour picture, the
    transparent corners shown in grey."""
    grey = np.array([192, 192, 192], dtype=np.uint8)
    out = []
    for size in (16, 32, 48, 64):
        rgb, mask = true_colour(size)
        rgb[mask] = grey
        out.append((f"icon_{size}", size, rgb))
    for size in (16, 32):
        indices, mask = sixteen_colour(size)
        rgb = np.array(bmp_format.STANDARD_16_COLOURS, dtype=np.uint8)[indices]
        rgb[mask] = grey
        out.append((f"icon_{size}_16_colours", size, rgb))
    return out

"""The default Earth map: a 400 x 200 physical map in equirectangular
projection, 0.9 degrees per pixel, the image edges at +-180 and +-90.

Land and ocean come from Natural Earth's 1:50m land polygons, land colours
from NOAA's ETOPO5 elevations in bands, ice from the Natural Earth I raster.
"""

import os

import numpy as np

import bmp_format
import land_mask

FILE_NAME = "earth_map.bmp"
WIDTH, HEIGHT = 400, 200
DEGREES_PER_PIXEL = 0.9

OCEAN = (20, 92, 188)
ICE = (255, 255, 255)
# Rows whose whole width is Antarctic ice; the markers and shading expect an
# unbroken white band along the bottom.
ICE_CAP_FIRST_ROW = 188

# Lower edge of each elevation band in metres; about 25 bands so that
# neighbouring heights stay apart on a small map.
BAND_FLOORS_M = [0, 50, 100, 150, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1200,
                 1400, 1600, 1800, 2000, 2250, 2500, 2750, 3000, 3500, 4000, 5000]
# Colour at a height: green lowlands, yellow near 900 m, brown near 2000 m,
# reddish from 3000 m on.
COLOUR_STOPS_M = [
    (0, (72, 150, 72)),
    (300, (132, 182, 88)),
    (600, (196, 204, 104)),
    (900, (232, 216, 118)),
    (1400, (206, 168, 96)),
    (2000, (170, 120, 72)),
    (3000, (164, 80, 56)),
    (5000, (140, 56, 48)),
]

# Where the Natural Earth I raster decides about ice: polewards of these.
ARCTIC_ICE_FROM_LATITUDE = 59.0
ANTARCTIC_FROM_LATITUDE = -60.0
LAND_SHARE_FOR_LAND = 0.5
ICE_SHARE_FOR_ICE = 0.5


def band_colour(floor_m):
    for (h0, c0), (h1, c1) in zip(COLOUR_STOPS_M, COLOUR_STOPS_M[1:]):
        if floor_m <= h1:
            t = (floor_m - h0) / (h1 - h0)
            return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))
    return COLOUR_STOPS_M[-1][1]


def pixel_elevation(etopo_path):
    """Per map pixel, the mean of the mean and the maximum land height (sea
    floor counts as 0 m), so mountain ranges stay visible when averaged."""
    from scipy.io import netcdf_file
    with netcdf_file(etopo_path, "r", mmap=False) as f:
        rose = np.array(f.variables["ROSE"][:], dtype=np.float64)
    rows, columns = rose.shape  # 2161 latitudes from -90 up, 4320 longitudes from 0 east
    step = 360.0 / columns
    lons = (np.arange(columns) * step + 180.0) % 360.0 - 180.0
    lats = -90.0 + np.arange(rows) * (180.0 / (rows - 1))
    pixel_x = np.minimum((lons + 180.0) // DEGREES_PER_PIXEL, WIDTH - 1).astype(np.int64)
    pixel_y = np.minimum((90.0 - lats) // DEGREES_PER_PIXEL, HEIGHT - 1).astype(np.int64)
    height = np.maximum(rose, 0.0)
    index = (pixel_y[:, None] * WIDTH + pixel_x[None, :]).ravel()
    total = np.bincount(index, weights=height.ravel(), minlength=WIDTH * HEIGHT)
    count = np.bincount(index, minlength=WIDTH * HEIGHT)
    highest = np.zeros(WIDTH * HEIGHT)
    np.maximum.at(highest, index, height.ravel())
    mean = total / np.maximum(count, 1)
    return ((mean + highest) / 2.0).reshape(HEIGHT, WIDTH)


def ice_share(raster_path, samples=4):
    """Per map pixel, the share of sample points that the Natural Earth I
    raster shows as ice: bright, unsaturated and bluish-white."""
    from PIL import Image
    with Image.open(raster_path) as image:
        rgb = np.asarray(image.convert("RGB"), dtype=np.int32)
    r, g, b = rgb[..., 0], rgb[..., 1], rgb[..., 2]
    ice = (np.minimum(np.minimum(r, g), b) > 200) & (b >= r) & (b >= g - 4)
    raster_h, raster_w = ice.shape
    sub = (np.arange(WIDTH * samples) + 0.5) / (WIDTH * samples)
    xs = np.minimum((sub * raster_w).astype(np.int64), raster_w - 1)
    sub = (np.arange(HEIGHT * samples) + 0.5) / (HEIGHT * samples)
    ys = np.minimum((sub * raster_h).astype(np.int64), raster_h - 1)
    sampled = ice[ys[:, None], xs[None, :]]
    return sampled.reshape(HEIGHT, samples, WIDTH, samples).mean(axis=(1, 3))


INPUT_FILES = ["land-50m.json", "etopo5.cdf", "natural-earth-1.png"]


def build(inputs_dir):
    """The map as an (HEIGHT, WIDTH, 3) uint8 picture, row 0 at the north."""
    missing = [n for n in INPUT_FILES if not os.path.isfile(os.path.join(inputs_dir, n))]
    if missing:
        raise SystemExit(f"missing in {inputs_dir}: {', '.join(missing)} (run fetch_inputs.sh)")
    land = land_mask.land_fraction(
        land_mask.land_rings(os.path.join(inputs_dir, "land-50m.json")), WIDTH, HEIGHT
    ) >= LAND_SHARE_FOR_LAND
    elevation = pixel_elevation(os.path.join(inputs_dir, "etopo5.cdf"))
    ice = ice_share(os.path.join(inputs_dir, "natural-earth-1.png")) >= ICE_SHARE_FOR_ICE

    latitude = 90.0 - (np.arange(HEIGHT) + 0.5) * DEGREES_PER_PIXEL
    arctic = (latitude > ARCTIC_ICE_FROM_LATITUDE)[:, None]
    antarctic = (latitude < ANTARCTIC_FROM_LATITUDE)[:, None]

    rgb = np.empty((HEIGHT, WIDTH, 3), dtype=np.uint8)
    rgb[:] = OCEAN
    band = np.searchsorted(BAND_FLOORS_M, elevation, side="right") - 1
    for i, floor_m in enumerate(BAND_FLOORS_M):
        rgb[land & (band == i)] = band_colour(floor_m)
    white = (land & arctic & ice) | (land & antarctic) | (antarctic & ice)
    white[ICE_CAP_FIRST_ROW:, :] = True
    rgb[white] = ICE
    return rgb


def encode(rgb):
    indices, palette, used = bmp_format.indexed_from_rgb(rgb, first=(OCEAN, ICE))
    if used > 254:
        raise ValueError(f"{used} colours; the map keeps to 254")
    return bmp_format.bmp_bytes(indices, palette, 8, rle8=True)

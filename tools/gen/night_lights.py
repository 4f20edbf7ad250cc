"""The built-in city lights: an equirectangular night picture in which every
settlement of GeoNames' cities500 table glows by its size, warm and dim for
a village, bright and wide for a city. Settlements crowd along coasts,
rivers and roads, so those show as lit lines wherever the table has them.

Written as an 8-bit BMP with a warm palette (black, through amber, to pale
yellow), run-length encoded: most of the picture is dark.
"""

import math

import numpy as np
from scipy import ndimage

import bmp_format

FILE_NAME = "night_lights.bmp"
INPUT_NAME = "cities500.txt"
WIDTH, HEIGHT = 1600, 800

# GeoNames table columns.
LATITUDE, LONGITUDE, FEATURE_CODE, POPULATION = 4, 5, 7, 14
LEFT_OUT_CODES = {"PPLX", "PPLH", "PPLQ", "PPLW"}

# Light of a settlement: its population to this power (so a city of a
# million is not a hundred thousand villages bright), spread over a disc
# that grows with the square root of the population.
LIGHT_POWER = 0.55
GLOW_PIXELS_PER_SQRT_PERSON = 0.0018
# The tone curve: 1 - exp(-light / SCALE), so that dense regions saturate
# softly instead of clipping.
TONE_SCALE = 900.0


def read_settlements(path):
    """(latitude, longitude, population) of every inhabited place."""
    places = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            fields = line.rstrip("\n").split("\t")
            if len(fields) <= POPULATION or fields[FEATURE_CODE] in LEFT_OUT_CODES:
                continue
            population = int(fields[POPULATION] or 0)
            if population <= 0:
                continue
            places.append((float(fields[LATITUDE]), float(fields[LONGITUDE]), population))
    return places


def light_field(places):
    """The summed light of every settlement, one float per pixel."""
    point = np.zeros((HEIGHT, WIDTH))
    wide = np.zeros((HEIGHT, WIDTH))
    for latitude, longitude, population in places:
        x = min(WIDTH - 1, int((longitude + 180.0) / 360.0 * WIDTH))
        y = min(HEIGHT - 1, int((90.0 - latitude) / 180.0 * HEIGHT))
        light = population ** LIGHT_POWER
        point[y, x] += light
        # Cities also light their surroundings.
        if math.sqrt(population) * GLOW_PIXELS_PER_SQRT_PERSON > 0.8:
            wide[y, x] += light
    field = ndimage.gaussian_filter(point, 0.7, mode="wrap")
    field += ndimage.gaussian_filter(wide, 2.5, mode="wrap") * 2.0
    return field


def palette():
    """256 warm colours from black: amber at first, then pale yellow."""
    colours = []
    for i in range(256):
        t = i / 255.0
        red = min(255, round(255 * min(1.0, t * 1.6)))
        green = min(255, round(255 * max(0.0, min(1.0, (t - 0.08) * 1.35))))
        blue = min(255, round(255 * max(0.0, t - 0.55) * 1.6))
        colours.append((red, green, blue))
    return colours


def night_lights(inputs_dir):
    """The picture as palette indices (HEIGHT, WIDTH) and its palette."""
    import os
    field = light_field(read_settlements(os.path.join(inputs_dir, INPUT_NAME)))
    tone = 1.0 - np.exp(-field / TONE_SCALE)
    # Below a faint level nothing shows: isolated noise would only cost bytes.
    levels = np.clip(np.round(tone * 255.0), 0, 255).astype(np.uint8)
    levels[levels < 6] = 0
    return levels, palette()


def night_lights_file(inputs_dir):
    indices, colours = night_lights(inputs_dir)
    return bmp_format.bmp_bytes(indices, colours, 8, rle8=True), indices, colours

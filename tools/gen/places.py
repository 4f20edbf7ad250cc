"""The built-in list of places: cities and towns from GeoNames' cities500
table with their country, coordinates, IANA time zone and population, packed
into one little-endian binary file that the program embeds.

Kept: every populated place of at least 15,000 people, and every capital,
except sections of cities and places that are abandoned, destroyed or
historical. Sorted by folded name (see FOLD_RANGES), then by population.

Layout (all integers little-endian):
  "LVPL", u32 version (1), u32 places, u32 zones, u32 countries, u32 fold ranges
  fold ranges: u32 first code point, u32 count, each
  fold entries: 2 bytes per code point of the ranges, in order: the ASCII
    letters it folds to (unused bytes 0); 0 0 drops it; ' ' 0 separates
    words; 0xFF 0xFF keeps it as it is
  zone names, each ending in a zero byte
  country codes: 2 ASCII letters each
  latitudes, then longitudes: i32 each, in 1/100000 degree
  populations: u32 each
  zone numbers: u16 each
  country numbers: u8 each
  place names (UTF-8), each ending in a zero byte
"""

import os
import struct
import unicodedata
from decimal import Decimal

FILE_NAME = "places.bin"
ZONES_FILE_NAME = "places_zones.txt"
INPUT_NAME = "cities500.txt"

MIN_POPULATION = 15000
LEFT_OUT_CODES = {"PPLX", "PPLH", "PPLQ", "PPLW", "PPLCH", "STLMT"}
CAPITAL_CODE = "PPLC"

# Latin letters with marks, combining marks and punctuation: what folding
# covers beyond ASCII. Other scripts are compared as they are.
FOLD_RANGES = [(0x0080, 0x0250), (0x0300, 0x0370), (0x1E00, 0x1F00), (0x2000, 0x2070)]
# Letters that carry no decomposition to a plain letter.
LETTERS = {"ß": "ss", "æ": "ae", "ø": "o", "ł": "l", "đ": "d", "ð": "d", "þ": "th",
           "œ": "oe", "ı": "i", "ħ": "h", "ŧ": "t", "ŋ": "n", "ƀ": "b", "ƒ": "f",
           "ɨ": "i", "ʉ": "u", "ẞ": "ss"}
KEEP = b"\xff\xff"
DROP = b"\0\0"
SEPARATE = b" \0"

# GeoNames table columns.
NAME, LATITUDE, LONGITUDE, FEATURE_CODE, COUNTRY, POPULATION, ZONE = 1, 4, 5, 7, 8, 14, 17


def fold_entry(code_point):
    """How one character of FOLD_RANGES folds, as its two-byte entry."""
    c = chr(code_point)
    category = unicodedata.category(c)
    if category.startswith("M"):
        return DROP
    if not category.startswith("L"):
        return SEPARATE
    lower = c.lower()
    if len(lower) == 1 and lower in LETTERS:
        plain = LETTERS[lower]
    else:
        plain = "".join(ch for ch in unicodedata.normalize("NFKD", lower)
                        if not unicodedata.category(ch).startswith("M"))
        plain = "".join(LETTERS.get(ch, ch) for ch in plain)
    if not plain.isascii() or not plain.isalpha() or not 1 <= len(plain) <= 2:
        return KEEP
    return plain.encode("ascii").ljust(2, b"\0")


def fold_table():
    return {cp: fold_entry(cp) for first, last in FOLD_RANGES for cp in range(first, last)}


def fold(name, table):
    """The search key: ASCII letters lowered, digits kept, other ASCII and
    folded punctuation as one space between words, Latin letters without
    their marks, anything else unchanged."""
    out = []
    pending_space = False

    def emit(text):
        nonlocal pending_space
        if pending_space and out:
            out.append(" ")
        pending_space = False
        out.append(text)

    for c in name:
        cp = ord(c)
        if cp < 0x80:
            if c.isalnum():
                emit(c.lower())
            else:
                pending_space = True
            continue
        entry = table.get(cp, KEEP)
        if entry == KEEP:
            emit(c)
        elif entry == SEPARATE:
            pending_space = True
        elif entry != DROP:
            emit(entry.rstrip(b"\0").decode("ascii"))
    return "".join(out).encode("utf-8")


def read_places(inputs_dir):
    places = []
    with open(os.path.join(inputs_dir, INPUT_NAME), encoding="utf-8") as f:
        for line in f:
            row = line.rstrip("\n").split("\t")
            code = row[FEATURE_CODE]
            population = int(row[POPULATION] or 0)
            if code in LEFT_OUT_CODES or not code.startswith("PPL"):
                continue
            if population < MIN_POPULATION and code != CAPITAL_CODE:
                continue
            places.append({
                "id": int(row[0]), "name": row[NAME], "country": row[COUNTRY],
                "latitude": round(Decimal(row[LATITUDE]) * 100000),
                "longitude": round(Decimal(row[LONGITUDE]) * 100000),
                "population": population, "zone": row[ZONE],
            })
    return places


def build(inputs_dir):
    """The file's bytes and the sorted zone names it refers to."""
    table = fold_table()
    places = read_places(inputs_dir)
    for p in places:
        p["key"] = fold(p["name"], table)
    places.sort(key=lambda p: (p["key"], -p["population"], p["id"]))
    zones = sorted({p["zone"] for p in places})
    countries = sorted({p["country"] for p in places})
    assert len(countries) <= 256 and len(zones) <= 65535
    assert all(len(c) == 2 and c.isascii() and c.isalpha() for c in countries)
    zone_number = {z: i for i, z in enumerate(zones)}
    country_number = {c: i for i, c in enumerate(countries)}

    out = bytearray(b"LVPL")
    out += struct.pack("<5I", 1, len(places), len(zones), len(countries), len(FOLD_RANGES))
    for first, last in FOLD_RANGES:
        out += struct.pack("<2I", first, last - first)
    for first, last in FOLD_RANGES:
        for cp in range(first, last):
            out += table[cp]
    for z in zones:
        out += z.encode("ascii") + b"\0"
    for c in countries:
        out += c.encode("ascii")
    for field, form in (("latitude", "<i"), ("longitude", "<i"), ("population", "<I")):
        for p in places:
            out += struct.pack(form, p[field])
    for p in places:
        out += struct.pack("<H", zone_number[p["zone"]])
    for p in places:
        out += struct.pack("<B", country_number[p["country"]])
    for p in places:
        out += p["name"].encode("utf-8") + b"\0"
    return bytes(out), zones

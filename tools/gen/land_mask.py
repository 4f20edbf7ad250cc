"""Land coverage of map pixels from Natural Earth land polygons (TopoJSON).

The polygons are filled even-odd by scan lines through sample points. A ring
that crosses the 180th meridian is made continuous by unwrapping its
longitudes and filled at each 360-degree offset; a ring that goes once around
the globe (Antarctica) is closed along its pole.
"""

import json

import numpy as np


def _decode_arcs(topology):
    """Absolute (longitude, latitude) points of every quantised, delta-coded arc."""
    scale = np.asarray(topology["transform"]["scale"], dtype=np.float64)
    translate = np.asarray(topology["transform"]["translate"], dtype=np.float64)
    return [np.cumsum(np.asarray(arc, dtype=np.int64), axis=0) * scale + translate
            for arc in topology["arcs"]]


def _ring_points(arcs, ring):
    parts = []
    for i, index in enumerate(ring):
        points = arcs[index] if index >= 0 else arcs[~index][::-1]
        parts.append(points if i == 0 else points[1:])  # arcs share end points
    return np.concatenate(parts)


def land_rings(path):
    """Every ring of the land object, as arrays of (longitude, latitude)."""
    with open(path, encoding="utf-8") as f:
        topology = json.load(f)
    arcs = _decode_arcs(topology)
    polygons = [polygon for geometry in topology["objects"]["land"]["geometries"]
                for polygon in ([geometry["arcs"]] if geometry["type"] == "Polygon"
                                else geometry["arcs"])]
    return [_ring_points(arcs, ring) for polygon in polygons for ring in polygon]


def _unwrapped(ring):
    """The ring with longitudes made continuous, closed along a pole if it
    goes once around the globe, and the offsets at which it must be drawn."""
    lon = ring[:, 0].copy()
    steps = np.diff(lon)
    lon[1:] -= 360.0 * np.cumsum(np.round(steps / 360.0))
    lat = ring[:, 1]
    winding = lon[-1] - lon[0]
    if abs(winding) > 180.0:
        pole = -90.0 if lat.mean() < 0 else 90.0
        lon = np.concatenate([lon, [lon[-1], lon[0]]])
        lat = np.concatenate([lat, [pole, pole]])
    points = np.stack([lon, lat], axis=1)
    low = int(np.floor((lon.min() + 180.0) / 360.0))
    high = int(np.floor((lon.max() - 180.0) / 360.0)) + 1
    offsets = [-360.0 * k for k in range(low, high + 1)]
    return points, offsets


def _edges(rings):
    """All ring edges as arrays x0, y0, x1, y1, repeated at the needed offsets."""
    edges = []
    for ring in rings:
        points, offsets = _unwrapped(ring)
        closed = np.vstack([points, points[:1]])
        for offset in offsets:
            edges.append([closed[:-1, 0] + offset, closed[:-1, 1], closed[1:, 0] + offset,
                          closed[1:, 1]])
    return tuple(np.concatenate(column) for column in zip(*edges))


def land_fraction(rings, width, height, samples=4):
    """For each pixel of a width x height equirectangular grid (edges at
    +-180 and +-90, row 0 at the north), the share of its samples x samples
    sample points that fall on land."""
    x0, y0, x1, y1 = _edges(rings)
    columns = width * samples
    inside = np.zeros((height * samples, columns), dtype=bool)
    lon_step = 360.0 / columns
    sample_lons = -180.0 + (np.arange(columns) + 0.5) * lon_step
    for row in range(height * samples):
        lat = 90.0 - (row + 0.5) * 180.0 / (height * samples)
        crossing = (y0 <= lat) != (y1 <= lat)
        if not crossing.any():
            continue
        ax, ay, bx, by = x0[crossing], y0[crossing], x1[crossing], y1[crossing]
        xs = np.sort(ax + (lat - ay) * (bx - ax) / (by - ay))
        # Even-odd: a sample is inside when an odd number of crossings lie west of it.
        inside[row] = np.searchsorted(xs, sample_lons) % 2 == 1
    counts = inside.reshape(height, samples, width, samples).sum(axis=(1, 3))
    return counts / float(samples * samples)

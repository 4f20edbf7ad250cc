#!/usr/bin/python3
"""Regenerates the built-in pictures in res/.

    generate.py [--res DIR] [--inputs DIR] [--preview DIR] [markers] [icon] [map] [lights]
                [places] [font]

With no names, every group is written. The Earth map, the city lights, the
places and the pins' font need the input files that fetch_inputs.sh puts in the --inputs folder;
the markers and the icon are drawn from code alone. --preview also writes enlarged PNGs to look at.
The same inputs always give byte-identical files.
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print(f"wrote {path} ({len(data)} bytes)")


def save_preview(preview_dir, name, rgb, zoom):
    if not preview_dir:
        return
    from PIL import Image
    os.makedirs(preview_dir, exist_ok=True)
    image = Image.fromarray(rgb)
    image = image.resize((image.width * zoom, image.height * zoom), Image.NEAREST)
    image.save(os.path.join(preview_dir, os.path.splitext(name)[0] + ".png"))


def generate_markers(res_dir, preview_dir):
    import markers
    for name, (rgb, bits) in markers.marker_pictures().items():
        write(os.path.join(res_dir, name), markers.encode(rgb, bits))
        save_preview(preview_dir, name, rgb, 8)


def generate_icon(res_dir, preview_dir):
    import app_icon
    write(os.path.join(res_dir, app_icon.FILE_NAME), app_icon.icon_file())
    theme_dir = os.path.join(res_dir, app_icon.THEME_DIR)
    os.makedirs(theme_dir, exist_ok=True)
    for size in app_icon.THEME_SIZES:
        write(os.path.join(theme_dir, app_icon.theme_file_name(size)), app_icon.theme_png(size))
    write(os.path.join(theme_dir, app_icon.SCALABLE_FILE_NAME), app_icon.scalable_svg())
    for name, size, rgb in app_icon.previews():
        save_preview(preview_dir, name, rgb, 256 // size)


def generate_map(res_dir, inputs_dir, preview_dir):
    import earth_map
    rgb = earth_map.build(inputs_dir)
    write(os.path.join(res_dir, earth_map.FILE_NAME), earth_map.encode(rgb))
    save_preview(preview_dir, earth_map.FILE_NAME, rgb, 3)


def generate_night_lights(res_dir, inputs_dir, preview_dir):
    import night_lights
    import numpy as np
    data, indices, colours = night_lights.night_lights_file(inputs_dir)
    write(os.path.join(res_dir, night_lights.FILE_NAME), data)
    save_preview(preview_dir, night_lights.FILE_NAME, np.array(colours, dtype=np.uint8)[indices], 1)


def generate_places(res_dir, inputs_dir):
    import places
    data, zones = places.build(inputs_dir)
    write(os.path.join(res_dir, places.FILE_NAME), data)
    write(os.path.join(res_dir, places.ZONES_FILE_NAME), "".join(z + "\n" for z in zones).encode())


def generate_pin_font(res_dir, inputs_dir, preview_dir):
    import pin_font
    data, grey = pin_font.pin_font_file(inputs_dir)
    write(os.path.join(res_dir, pin_font.FILE_NAME), data)
    save_preview(preview_dir, pin_font.FILE_NAME, grey, 4)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--res", default=os.path.normpath(os.path.join(HERE, "..", "..", "res")))
    parser.add_argument("--inputs", default=os.environ.get("LUMIVANE_GEN_INPUTS"))
    parser.add_argument("--preview")
    parser.add_argument("groups", nargs="*", metavar="markers|icon|map|lights|places|font")
    args = parser.parse_args()
    every_group = ["markers", "icon", "map", "lights", "places", "font"]
    groups = args.groups or every_group
    unknown = [g for g in groups if g not in every_group]
    if unknown:
        parser.error(f"unknown picture group {unknown[0]!r}; choose from {', '.join(every_group)}")
    for group in ("map", "lights", "places", "font"):
        if group in groups and not args.inputs:
            parser.error(f"the group {group!r} needs --inputs (see fetch_inputs.sh)")
    os.makedirs(args.res, exist_ok=True)
    if "markers" in groups:
        generate_markers(args.res, args.preview)
    if "icon" in groups:
        generate_icon(args.res, args.preview)
    if "map" in groups:
        generate_map(args.res, args.inputs, args.preview)
    if "lights" in groups:
        generate_night_lights(args.res, args.inputs, args.preview)
    if "places" in groups:
        generate_places(args.res, args.inputs)
    if "font" in groups:
        generate_pin_font(args.res, args.inputs, args.preview)


if __name__ == "__main__":
    main()

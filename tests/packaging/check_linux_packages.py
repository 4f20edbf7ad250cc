#!/usr/bin/python3
"""Checks what a Linux user gets, from a built tree.

    check_linux_packages.py install-tree BUILD_DIR VERSION
    check_linux_packages.py deb BUILD_DIR VERSION

install-tree: `cmake --install` into a temporary prefix; the launcher entry
and metainfo pass Debian's validators, every icon size is there with real
transparency, the manual pages render, the documents are there.
deb: CPack's Debian package, unpacked with dpkg-deb; its renderer runs and
tells the version, and the control data names the libraries it needs.
"""

import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

from PIL import Image

APP_ID = "com.brevanta.Lumivane"
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def check_icons(share):
    for size in ICON_SIZES:
        path = f"{share}/icons/hicolor/{size}x{size}/apps/{APP_ID}.png"
        if not check(os.path.isfile(path), f"missing {path}"):
            continue
        with Image.open(path) as icon:
            if not check(icon.size == (size, size) and icon.mode == "RGBA",
                         f"{size} px icon is {icon.size} {icon.mode}"):
                continue
            alpha = icon.getchannel("A")
            # The rounded square: clear corners, an opaque middle, and
            # partly covered pixels along the edge above the smallest size.
            corner, middle = alpha.getpixel((0, 0)), alpha.getpixel((size // 2, size // 2))
            partial = sum(1 for a in alpha.getdata() if 0 < a < 255)
            check(corner == 0 and middle == 255, f"{size} px icon: corner {corner}, middle {middle}")
            check(size == 16 or partial > 0, f"{size} px icon has no smoothed edge")
    svg = f"{share}/icons/hicolor/scalable/apps/{APP_ID}.svg"
    if check(os.path.isfile(svg), f"missing {svg}"):
        root = ElementTree.parse(svg).getroot()
        check(root.tag == "{http://www.w3.org/2000/svg}svg", f"{svg} is not an SVG picture")


def check_install_tree(build, version):
    with tempfile.TemporaryDirectory() as prefix:
        done = run("cmake", "--install", build, "--prefix", prefix)
        if not check(done.returncode == 0, f"cmake --install: {done.stderr}"):
            return
        for program in ("Lumivane", "lumivane-render"):
            path = f"{prefix}/bin/{program}"
            check(os.access(path, os.X_OK), f"{path} is not an executable")
        share = f"{prefix}/share"

        desktop = f"{share}/applications/{APP_ID}.desktop"
        done = run("desktop-file-validate", desktop)
        check(done.returncode == 0 and not done.stdout.strip(), f"{desktop}: {done.stdout}")
        with open(desktop, encoding="utf-8") as entry:
            lines = entry.read().splitlines()
        for line in ("Exec=Lumivane", f"Icon={APP_ID}", "Categories=Utility;Clock;",
                     "StartupWMClass=Lumivane"):
            check(line in lines, f"{desktop} has no line {line}")

        metainfo = f"{share}/metainfo/{APP_ID}.metainfo.xml"
        done = run("appstreamcli", "validate", "--no-net", metainfo)
        check(done.returncode == 0, f"{metainfo}: {done.stdout}")
        release = ElementTree.parse(metainfo).getroot().find("releases/release")
        check(release is not None and release.get("version") == version,
              f"{metainfo}: release is not {version}")

        check_icons(share)

        pages = {}
        for page in ("lumivane", "lumivane-render"):
            path = f"{share}/man/man1/{page}.1"
            done = run("man", "--warnings", "-l", path,
                       env={**os.environ, "MANWIDTH": "80", "LC_ALL": "C"})
            check(done.returncode == 0 and not done.stderr and "SYNOPSIS" in done.stdout
                  and version in done.stdout, f"man -l {path}: {done.returncode} {done.stderr}")
            pages[page] = done.stdout
        # The renderer's page explains every option its --help lists.
        usage = run(f"{prefix}/bin/lumivane-render", "--help").stdout
        for option in sorted(set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", usage))):
            check(option in pages["lumivane-render"], f"lumivane-render(1) lacks {option}")

        for document in ("README.md", "LICENSE", "CREDITS.md"):
            path = f"{share}/doc/lumivane/{document}"
            check(os.path.getsize(path) > 0 if os.path.exists(path) else False, f"missing {path}")


def check_deb(build, version):
    with tempfile.TemporaryDirectory() as work:
        done = run("cpack", "-G", "DEB", "--config", f"{build}/CPackConfig.cmake", "-B", work)
        debs = [f for f in os.listdir(work) if f.endswith(".deb")]
        if not check(done.returncode == 0 and len(debs) == 1,
                     f"cpack -G DEB: {done.stdout}{done.stderr}"):
            return
        deb = f"{work}/{debs[0]}"
        check(debs[0].startswith(f"lumivane_{version}_"), f"package file {debs[0]}")
        depends = run("dpkg-deb", "-f", deb, "Depends").stdout
        for package in ("qt6-qpa-plugins", "libqt6widgets6", "libc6"):
            check(package in depends, f"Depends lacks {package}: {depends}")
        check(run("dpkg-deb", "-f", deb, "Section").stdout.strip() == "utils", "Section")

        unpacked = f"{work}/root"
        done = run("dpkg-deb", "-x", deb, unpacked)
        if not check(done.returncode == 0, f"dpkg-deb -x: {done.stderr}"):
            return
        renderer = f"{unpacked}/usr/bin/lumivane-render"
        done = run(renderer, "--version")
        check(done.returncode == 0 and done.stdout == f"lumivane-render {version}\n",
              f"{renderer} --version: {done.returncode} {done.stdout!r} {done.stderr!r}")
        for program in ("lumivane-render", "Lumivane"):
            sections = run("readelf", "-S", f"{unpacked}/usr/bin/{program}").stdout
            check(".symtab" not in sections, f"{program} is not stripped")
        check(os.path.isfile(f"{unpacked}/usr/share/applications/{APP_ID}.desktop"),
              "the package has no launcher entry")


def main():
    what, build, version = sys.argv[1:4]
    {"install-tree": check_install_tree, "deb": check_deb}[what](build, version)
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

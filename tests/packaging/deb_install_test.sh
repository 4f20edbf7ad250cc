#!/usr/bin/env bash
# Installs the Debian package for real with apt-get, checks the installed
# renderer and launcher entry, purges it and checks that none of its files
# is left. Changes the machine: for CI's throw-away machines, as root.
# Usage: deb_install_test.sh lumivane_VERSION_ARCH.deb
set -euo pipefail
source "$(dirname "$0")/../script_checks.sh"

deb=$(realpath "$1")
version=$(dpkg-deb -f "$deb" Version)
entry=/usr/share/applications/com.brevanta.Lumivane.desktop
export DEBIAN_FRONTEND=noninteractive

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
apt-get install -y -q --no-install-recommends "$deb" >/dev/null

expect "installed renderer" "$(/usr/bin/lumivane-render --version)" "lumivane-render $version"
expect "program on PATH" "$(command -v Lumivane)" /usr/bin/Lumivane
expect "launcher entry" "$([ -f "$entry" ] && desktop-file-validate "$entry" && echo valid)" valid

apt-get purge -y -q lumivane >/dev/null
expect "package state after purge" "$(dpkg-query -W -f='${Status}' lumivane 2>/dev/null || echo gone)" gone
left=0
for file in $files; do
  if [ -e "$file" ]; then
    echo "left behind: $file"
    left=$((left + 1))
  fi
done
expect "files left behind" "$left" 0

[ $failures -eq 0 ] && echo "all passed" || exit 1

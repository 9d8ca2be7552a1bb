#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing torvelin need,
# when they are missing. Works on Debian and Ubuntu; uses sudo when not root.
set -euo pipefail
packages=(g++ cmake make pkg-config libsdl2-dev libpng-dev libgtest-dev libbenchmark-dev
          xvfb xauth xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

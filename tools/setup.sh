#!/usr/bin/env bash
# Installs the Debian packages Pembrix Adventure needs, only those missing.
#   tools/setup.sh          what building and playing need
#   tools/setup.sh --tests  also what the test suite needs
set -euo pipefail

packages=(cmake g++ make pkg-config libglfw3-dev libbullet-dev libstb-dev libglm-dev libgl-dev libgl1-mesa-dri libopenal-dev)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick x11-utils
    desktop-file-utils appstream)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

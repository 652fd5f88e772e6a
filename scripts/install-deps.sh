#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing. Usage: install-deps.sh [build|test]
set -euo pipefail

build_packages=(cmake g++ make freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
                xvfb xdotool x11-apps x11-utils imagemagick)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev valgrind python3
               xserver-xorg-core xserver-xorg-video-dummy libxxf86vm1 openbox)

wanted=("${build_packages[@]}")
if [ "${1:-build}" = test ]; then wanted+=("${test_packages[@]}"); fi

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null; then sudo=(sudo); else
  echo "Missing packages (${missing[*]}) and no way to become root; install them and retry." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing.
# Usage: install-deps.sh [build|package|test|windows|animation|roots]; package adds what makes and
# checks the .deb, test adds everything the test command needs, windows the Windows build and its
# tests, roots what scripts/test-on.sh needs to test on a fresh Debian root. Every name exists on
# Debian 12 and 13 alike.
set -euo pipefail

# python3: the end-to-end harness's pixel reader, which scripts/run.sh uses without a display.
build_packages=(cmake g++ make freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
                libx11-dev libxrandr-dev xvfb xdotool x11-apps x11-utils imagemagick python3)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev valgrind python3
               xserver-xorg-core xserver-xorg-video-dummy libxxf86vm1 openbox x11-xserver-utils xterm
               mutter xwayland dbus python3-dbus python3-gi kwin-wayland procps pipewire wireplumber
               gstreamer1.0-pipewire gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good)
package_packages=(dpkg-dev file lintian man-db python3 desktop-file-utils appstream)
# The Windows build and its tests under Wine: MinGW-w64, GoogleTest's source, dpkg-source to unpack
# freeglut's source package and curl to fetch its tarball where that fails.
windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest dpkg-dev curl python3)
animation_packages=(gifsicle)  # scripts/animation.sh: the GIF optimiser
# scripts/test-on.sh: the root, its own network, the clone of this tree, the network tool in it.
roots_packages=(mmdebstrap slirp4netns git ca-certificates iproute2)

wanted=("${build_packages[@]}")
case "${1:-build}" in
  build) ;;
  package) wanted+=("${package_packages[@]}") ;;
  test) wanted+=("${package_packages[@]}" "${test_packages[@]}") ;;
  windows) wanted+=("${windows_packages[@]}") ;;
  animation) wanted+=("${animation_packages[@]}") ;;
  roots) wanted=("${roots_packages[@]}") ;;
  *) echo "install-deps.sh: unknown set $1 (build, package, test, windows, animation or roots)" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  # Unpacked and configured; its triggers (say, man-db's index) may still be pending.
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -Eq 'install ok (installed|triggers-)' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then sudo=(); elif command -v sudo >/dev/null; then sudo=(sudo); else
  echo "Missing packages (${missing[*]}) and no way to become root; install them and retry." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
wait_lock=(-o DPkg::Lock::Timeout=600)  # another apt-get on the same machine finishes first
"${sudo[@]}" apt-get "${wait_lock[@]}" update -qq
"${sudo[@]}" apt-get "${wait_lock[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

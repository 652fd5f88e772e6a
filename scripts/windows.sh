#!/usr/bin/env bash
# Builds the viewer for Windows x86-64 on this Linux machine and tests it under Wine on Xvfb:
# installs what it needs; fetches freeglut's source package from Debian's archive (or, where that
# fails, its upstream tarball from the archive's pool, checked by its SHA-256) and builds it for
# MinGW once (kept in $SPLINES_CACHE, by default ~/.cache/splines); cross-builds
# build-windows/splines.exe and the unit tests; runs the unit tests, the end-to-end scenarios and the
# comparison with the Linux viewer under Wine; and makes build-windows/splines-<version>-win64.zip.
# SPLINES_LINUX_VIEWER: the Linux viewer to compare with (default: one built in build-windows/linux).
# Exits with 77 after saying SKIP where Wine or MinGW-w64 cannot be installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-windows
cache=${SPLINES_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/splines}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
freeglut=$cache/freeglut-3.4-mingw-w64-x86_64  # the static library, its headers and CMake package
# Where the release's source package cannot be had: the same freeglut's upstream tarball from the
# archive's pool, as bookworm's freeglut 3.4.0-1 source lists it (its Checksums-Sha256).
orig_name=freeglut_3.4.0.orig.tar.gz
orig_url=http://deb.debian.org/debian/pool/main/f/freeglut/$orig_name
orig_sha256=3c0bcb915d9b180a97edaebd011b7a1de54583a838644dcd42bb0ea0c6f3eaec
jobs=2

if ! "$root/scripts/install-deps.sh" windows || ! command -v wine >/dev/null ||
   ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "SKIP: Wine or MinGW-w64 cannot be installed here: the Windows build and its tests did not run" >&2
  exit 77
fi

# freeglut for Windows is not packaged, but its source is: fetched through a deb-src twin of every
# Debian source apt uses here, in lists of our own (the system's lists stay as they are).
if [ ! -e "$freeglut/lib/cmake/FreeGLUT/FreeGLUTConfig.cmake" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/splines-freeglut-XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/sources" "$work/lists/partial"
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] && sed 's/^Types: *deb$/Types: deb-src/' "$file" >"$work/sources/$(basename "$file")"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$file" ] && sed -n 's/^deb \(.*\)$/deb-src \1/p' "$file" >"$work/sources/$(basename "$file").list"
  done
  # Downloads into this private directory, which apt's unprivileged user cannot reach.
  apt=(apt-get -qq -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/sources"
       -o Dir::State::Lists="$work/lists" -o APT::Sandbox::User=root)
  echo "Fetching freeglut's source package" >&2
  # A third-party source without deb-src fails alone; apt says which on stderr.
  "${apt[@]}" update || echo "windows.sh: some source lists could not be fetched (see above)" >&2
  if ! (cd "$work" && "${apt[@]}" source freeglut >"$work/source.log" 2>&1); then
    cat "$work/source.log" >&2
    echo "windows.sh: apt-get source freeglut failed (above); taking $orig_name from Debian's pool" >&2
    curl --fail --silent --show-error --location --output "$work/$orig_name" "$orig_url"
    if ! echo "$orig_sha256  $work/$orig_name" | sha256sum --check --quiet; then
      echo "windows.sh: $orig_url does not have the SHA-256 $orig_sha256" >&2
      exit 1
    fi
    tar -xzf "$work/$orig_name" -C "$work"
  fi
  source_dir=$(find "$work" -maxdepth 1 -type d -name 'freeglut-3.4*' | head -n 1)
  [ -n "$source_dir" ] || { echo "windows.sh: no freeglut 3.4 source in $work" >&2; exit 1; }
  echo "Building freeglut for MinGW-w64 into $freeglut" >&2
  if ! { cmake -S "$source_dir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
           -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF &&
         cmake --build "$work/build" -j"$jobs"; } >"$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    exit 1
  fi
  rm -rf "$freeglut.new"
  cmake --install "$work/build" --prefix "$freeglut.new" >/dev/null
  rm -rf "$freeglut" && mv "$freeglut.new" "$freeglut"
  rm -rf "$work"
  trap - EXIT
fi

linux_viewer=${SPLINES_LINUX_VIEWER:-}
if [ -z "$linux_viewer" ]; then
  cmake -S "$root" --preset windows-linux >/dev/null
  cmake --build "$build/linux" --target splines -j"$jobs" >/dev/null
  linux_viewer=$build/linux/splines
fi

cmake -S "$root" --preset windows -DFreeGLUT_DIR="$freeglut/lib/cmake/FreeGLUT" \
  -DSPLINES_LINUX_VIEWER="$linux_viewer" >/dev/null
cmake --build "$build" -j"$jobs"
(cd "$build" && ctest --output-on-failure)
cmake --build "$build" --target windows_zip >/dev/null

echo "Imports of splines.exe:" $(x86_64-w64-mingw32-objdump -p "$build/splines.exe" | sed -n 's/.*DLL Name: //p')
echo "Built $build/splines.exe and $(ls "$build"/splines-*-win64.zip)"

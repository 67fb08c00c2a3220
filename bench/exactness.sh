#!/usr/bin/env bash
# Checks, on the benchmark's photographs, that brunsk's passes give exactly the pixels of
# the pixel-by-pixel definition of its arithmetic, at sizes 640, 160 and 120.
set -euo pipefail
cd "$(dirname "$0")/.."
photo_packages=(lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 mate-backgrounds)
scripts/install-deps "${photo_packages[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target brunsk_exactness >/dev/null
mapfile -t photos < <(dpkg -L "${photo_packages[@]}" | grep -iE '\.jpe?g$' | sort -u)
status=0
for size in 640 160 120; do
  build/bin/brunsk_exactness "$size" "${photos[@]}" || status=1
done
exit $status

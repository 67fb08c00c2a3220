#!/usr/bin/env bash
# Times brunsk against the floor (libjpeg-turbo's float decode of the same file at full
# size, which no correct resizer can beat) and against two peers at one thread,
# ImageMagick and libvips (Lanczos3 after a full decode), on the photographs of three
# Debian wallpaper packages, at sizes 640, 160 and 120. Prints medians, ratios to the
# floor and peak memory.
#
#   bench/brunsk_bench.sh [--quick] [--runs N] [--sizes "640 160 120"] [--brunsk PATH]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5
sizes="640 160 120"
quick=0
brunsk=build/bin/brunsk
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=1 ;;
    --runs) runs=$2; shift ;;
    --sizes) sizes=$2; shift ;;
    --brunsk) brunsk=$2; shift ;;
    -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
  shift
done

photo_packages=(lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 mate-backgrounds)
scripts/install-deps hyperfine imagemagick libvips-tools libjpeg-turbo-progs time python3 "${photo_packages[@]}"
if [ ! -x "$brunsk" ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target brunsk >/dev/null
fi

out=bench/out
mkdir -p "$out"
# Photographs of 4 to 21 megapixels, smallest first.
mapfile -t photos < <(
  dpkg -L "${photo_packages[@]}" | grep -iE '\.jpe?g$' | sort -u | while read -r f; do
    identify -format "%w %h %i\n" "$f" 2>/dev/null | head -n 1
  done | awk '{ mp = $1 * $2 / 1e6; if (mp >= 4 && mp <= 21) printf "%012d %s\n", $1 * $2, $3 }' |
  sort | cut -d' ' -f2-)
if [ "$quick" = 1 ]; then
  mapfile -t photos < <(printf '%s\n' "${photos[@]}" | awk 'NR % 4 == 1')
fi
[ ${#photos[@]} -gt 0 ] || { echo "no photographs found" >&2; exit 1; }

median() { # hyperfine JSON -> median seconds of each command, one per line
  python3 -c 'import json,sys; [print("%.4f" % r["median"]) for r in json.load(open(sys.argv[1]))["results"]]' "$1"
}
peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

printf '%-34s %5s %4s %7s %7s %5s %7s %5s %7s %5s %7s %7s %7s\n' photo MP size floor brunsk ratio magick ratio vips ratio MiB:bru magick vips
for photo in "${photos[@]}"; do
  name=$(basename "$photo")
  mp=$(identify -format '%w %h' "$photo" | awk '{ printf "%.1f", $1 * $2 / 1e6 }')
  longer=$(identify -format '%w %h' "$photo" | awk '{ print ($1 > $2 ? $1 : $2) }')
  for size in $sizes; do
    json="$out/$name.$size.json"
    scale=$(awk -v s="$size" -v l="$longer" 'BEGIN { printf "%.8f", s / l }')
    MAGICK_THREAD_LIMIT=1 VIPS_CONCURRENCY=1 hyperfine --style none --warmup 1 --runs "$runs" --export-json "$json" \
      "djpeg -dct float -outfile /dev/null '$photo'" \
      "'$brunsk' $size '$photo' '$out/brunsk.jpg'" \
      "convert '$photo' -filter Lanczos -resize ${size}x${size} -quality 90 '$out/magick.jpg'" \
      "vips resize '$photo' '$out/vips.jpg[Q=90]' $scale --kernel lanczos3" >/dev/null 2>&1
    mapfile -t m < <(median "$json")
    mem_b=$(peak_kib "$brunsk" "$size" "$photo" "$out/brunsk.jpg")
    mem_m=$(MAGICK_THREAD_LIMIT=1 peak_kib convert "$photo" -filter Lanczos -resize "${size}x${size}" -quality 90 "$out/magick.jpg")
    mem_v=$(VIPS_CONCURRENCY=1 peak_kib vips resize "$photo" "$out/vips.jpg[Q=90]" "$scale" --kernel lanczos3)
    awk -v n="$name" -v mp="$mp" -v s="$size" -v f="${m[0]}" -v b="${m[1]}" -v im="${m[2]}" -v v="${m[3]}" \
      -v mb="$mem_b" -v mm="$mem_m" -v mv="$mem_v" \
      'BEGIN { printf "%-34s %5s %4s %7.3f %7.3f %5.2f %7.3f %5.2f %7.3f %5.2f %7.1f %7.1f %7.1f\n", substr(n, 1, 34), mp, s, f, b, b / f, im, im / f, v, v / f, mb / 1024, mm / 1024, mv / 1024 }'
  done
done

#!/usr/bin/env bash
# Makes one album, in both page formats and paced by jobs, from every photograph of three
# Debian wallpaper packages copied into one folder, and reports its wall time, the sum of
# the brunsk times, and the peak memory of varnook itself and of the largest brunsk.
#
#   bench/album_bench.sh [--jobs N] [--build DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=""
build=build
while [ $# -gt 0 ]; do
  case "$1" in
    --jobs) jobs=$2; shift ;;
    --build) build=$2; shift ;;
    -h|--help) sed -n '2,6p' "$0"; exit 0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
  shift
done

photo_packages=(lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 mate-backgrounds)
scripts/install-deps time "${photo_packages[@]}"
if [ ! -x "$build/bin/varnook" ] || [ ! -x "$build/bin/brunsk" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j"$(nproc)" --target varnook brunsk >/dev/null
fi

out=bench/out/album
rm -rf "$out"
mkdir -p "$out/photos" "$out/bin"
# Copies, not links: the run reads ordinary files. A name met twice gets a number.
dpkg -L "${photo_packages[@]}" | grep -iE '\.jpe?g$' | sort -u | while read -r photo; do
  name=$(basename "$photo")
  case "$name" in *.[jJ][pP][gG]) ;; *) name="${name%.*}.jpg" ;; esac
  n=1
  while [ -e "$out/photos/$name" ]; do name="$n-$name"; n=$((n + 1)); done
  cp "$photo" "$out/photos/$name"
done
count=$(find "$out/photos" -type f | wc -l)
bytes=$(du -sb "$out/photos" | cut -f1)

# varnook starts the brunsk beside it: there, a stand-in that times the real one.
bin=$(cd "$out/bin" && pwd)
cp "$build/bin/varnook" "$build/bin/back.don" "$build/bin/index.don" "$bin/"
cp "$build/bin/brunsk" "$bin/brunsk.real"
cat > "$bin/brunsk" <<'WRAP'
#!/bin/sh
here=$(dirname "$0")
exec /usr/bin/time -a -o "$here/brunsk-times.txt" -f "%e %U %S %M" "$here/brunsk.real" "$@"
WRAP
chmod +x "$bin/brunsk"

options=(--photos "$out/photos" --web "$out/web" --format both --pace jobs)
[ -n "$jobs" ] && options+=(--jobs "$jobs")
/usr/bin/time -o "$out/varnook-time.txt" -f "%e %U %S %M" "$bin/varnook" "${options[@]}" >"$out/varnook.log" 2>&1 &
timer=$!
# varnook's own high-water mark, read until it ends (time's figure includes its children).
own_kib=0
while kill -0 "$timer" 2>/dev/null; do
  pid=$(pgrep -P "$timer" -x varnook || true)
  if [ -n "$pid" ]; then
    hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$hwm" ] && own_kib=$hwm
  fi
  sleep 0.1
done
status=0
wait "$timer" || status=$?
tail -n 3 "$out/varnook.log"

read -r wall user sys rss <"$out/varnook-time.txt"
awk -v count="$count" -v bytes="$bytes" -v wall="$wall" -v rss="$rss" -v own="$own_kib" -v cores="${jobs:-$(nproc)}" '
  { n++; e += $1; cpu += $2 + $3; if ($4 > peak) peak = $4 }
  END {
    printf "photos: %d (%.1f MB), brunsk jobs: %d, running at once: at most %s\n", count, bytes / 1e6, n, cores
    printf "wall time of the run:       %8.1f s\n", wall
    printf "sum of brunsk wall times:   %8.1f s (CPU %.1f s)\n", e, cpu
    printf "peak memory: varnook itself %.1f MiB, largest brunsk %.1f MiB (whole tree: %.1f MiB)\n", own / 1024, peak / 1024, rss / 1024
  }' "$bin/brunsk-times.txt"
echo "exit status of varnook: $status"
exit "$status"

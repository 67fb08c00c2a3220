#!/usr/bin/env bash
# Pictures of the real window and of the colour chooser under a virtual X server, to look at
# after a change of the window: cut-off, overlapping or unreadable texts show there.
#   tests/gui/screenshots.sh [BUILD_FOLDER] [OUTPUT_FOLDER]
# Needs xvfb-run (xvfb, xauth) and import (imagemagick).
set -euo pipefail

build=${1:-build}
out=${2:-$build/screenshots}
bin=$(cd "$build/bin" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
for program in varnook window_snapshots; do
  [[ -x $bin/$program ]] || { echo "$bin/$program is missing: build first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  bin=$1 work=$2 out=$3
  # The program as a user starts it, from a folder of their own.
  (cd "$work" && exec "$bin/varnook") &
  pid=$!
  sleep 3
  import -window root "$out/varnook-screen.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  "$bin/window_snapshots" "$out"
' screenshots "$bin" "$work" "$out"

echo "screenshots in $out:"
ls "$out"

#!/bin/sh
# Side by side, in one run: the calendar program rendering December 2026 with 300
# events over a photo-like background into wallpaper.bmp, and ImageMagick's convert
# drawing the same month's texts at the same places over the same background into a
# BMP. Prints the median wall time of each over RUNS runs.
#
#   bench/calendar/compare_imagemagick.sh [BUILD_DIR] [WIDTH] [HEIGHT] [RUNS]
set -eu
BUILD=${1:-build}
WIDTH=${2:-1920}
HEIGHT=${3:-1080}
RUNS=${4:-15}
WORK=${TMPDIR:-/tmp}/quillon-compare-$$
mkdir -p "$WORK"
trap 'rm -rf "$WORK"' EXIT

convert -size "${WIDTH}x${HEIGHT}" plasma:skyblue-navy -seed 7 "$WORK/background.jpg"
"$BUILD/bin/bench_calendar" --prepare "$WORK/data" --screen "${WIDTH}x${HEIGHT}" --occurrences 1000 --background "$WORK/background.jpg"

export QUILLON_DATA_DIR="$WORK/data" XDG_CONFIG_HOME="$WORK/data/config" XDG_RUNTIME_DIR="$WORK/data" XDG_CACHE_HOME="$WORK/data/cache"
export QUILLON_NOW=2026-12-07T09:00:00 QUILLON_NONINTERACTIVE=1
export QT_QPA_PLATFORM="offscreen:configfile=$WORK/data/screens.json"

now_ms() { date +%s%N | cut -c1-13; }
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

# Read here, not by convert: its security policy refuses @file arguments.
DRAW=$(cat "$WORK/data/month.mvg")
: > "$WORK/calendar.ms"
: > "$WORK/convert.ms"
i=0
while [ "$i" -lt "$RUNS" ]; do
  t0=$(now_ms)
  "$BUILD/bin/calendar" > /dev/null 2>&1
  t1=$(now_ms)
  convert "$WORK/background.jpg" -resize "${WIDTH}x${HEIGHT}!" -draw "$DRAW" \
    -type TrueColor "BMP3:$WORK/convert.bmp"
  t2=$(now_ms)
  echo $((t1 - t0)) >> "$WORK/calendar.ms"
  echo $((t2 - t1)) >> "$WORK/convert.ms"
  i=$((i + 1))
done
test -s "$WORK/data/wallpaper.bmp"
echo "screen ${WIDTH}x${HEIGHT}, ${RUNS} runs each, median wall time:"
echo "  calendar (start to wallpaper.bmp written): $(median < "$WORK/calendar.ms") ms"
echo "  convert (same texts over same background): $(median < "$WORK/convert.ms") ms"

#!/usr/bin/env bash
# Starts the real program in a real X window (a virtual X server), lets it run a few seconds, takes
# one screenshot of its window, ends it with SIGTERM and checks its exit code, the picture and the log.
# Usage: xvfb_smoke.sh PROGRAM DATA_DIR. Exits 77 (skipped) when xvfb-run or xwd is missing.
set -uo pipefail

if [ "${1:-}" = "--inside" ]; then
  program=$2 data=$3 work=$4
  # The tests' environment asks for the offscreen driver; this test is about the real window.
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  export QUINDLE_SAVE_DIR="$work/save" QUINDLE_DATA_DIR="$data"
  # Mesa's driver leaks in ways LeakSanitizer can't suppress by name.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
  mkdir -p "$QUINDLE_SAVE_DIR"
  "$program" > "$work/stdout.txt" 2>&1 &
  pid=$!
  # The window comes up first (slowly under the sanitizers); a second and a half later the first
  # start-up picture shows (it fades in over a second and holds a second).
  for _ in $(seq 40); do
    xwd -silent -name "Quindle: Marvolant" > /dev/null 2>&1 && break
    sleep 0.5
  done
  sleep "${SMOKE_SECONDS:-1.5}"
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "smoke: the program ended on its own with $? before the screenshot"
    cat "$work/stdout.txt"
    exit 1
  fi
  xwd -silent -name "Quindle: Marvolant" > "$work/shot.xwd"
  shot=$?
  kill -TERM "$pid"
  wait "$pid"
  code=$?
  echo "$shot $code" > "$work/codes"
  exit 0
fi

program=$1 data=$2
for tool in xvfb-run xwd; do
  if ! command -v "$tool" > /dev/null; then
    echo "smoke: $tool is missing, skipped"
    exit 77
  fi
done

work=$(mktemp -d /tmp/quindle-smoke.XXXXXX)
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$program" "$data" "$work" || exit 1
read -r shot code < "$work/codes"

failed=0
if [ "$code" -ne 0 ]; then
  echo "smoke: the program exited with $code after SIGTERM"
  failed=1
fi
if [ "$shot" -ne 0 ] || [ ! -s "$work/shot.xwd" ]; then
  echo "smoke: no screenshot of the window"
  failed=1
else
  # An XWD file: a big-endian header whose first word is its own size and whose twentieth is the
  # number of colour-map entries (12 bytes each) before the pixels.
  header=$(od -An -v -N4 -tu4 --endian=big "$work/shot.xwd" | tr -d ' ')
  entries=$(od -An -v -j76 -N4 -tu4 --endian=big "$work/shot.xwd" | tr -d ' ')
  colours=$(tail -c +$((header + entries * 12 + 1)) "$work/shot.xwd" | od -An -v -tx4 -w4 | sort -u | wc -l)
  echo "smoke: the screenshot has $colours colours"
  if [ "$colours" -lt 2 ]; then
    echo "smoke: the screenshot is all one colour"
    failed=1
  fi
fi

log="$work/save/log.txt"
for line in "Engine started:" "mutext rel"; do
  if ! grep -q "$line" "$log" 2>/dev/null; then
    echo "smoke: the log lacks \"$line\""
    failed=1
  fi
done
if grep -q "Can't attach resource pack" "$log" 2>/dev/null; then
  echo "smoke: the sample content was not found"
  failed=1
fi
if [ "$failed" -ne 0 ]; then
  echo "--- log.txt"; cat "$log" 2>/dev/null
  echo "--- program output"; cat "$work/stdout.txt"
fi
exit "$failed"

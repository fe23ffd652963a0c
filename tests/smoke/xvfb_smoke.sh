#!/usr/bin/env bash
# Starts the real program in a real X window (a virtual X server), lets it run a few seconds, takes
# one screenshot of its window, ends it with SIGTERM and checks its exit code, the picture and the log.
# Usage: xvfb_smoke.sh PROGRAM DATA_DIR. Exits 77 (skipped) when xvfb-run or xwd is missing.
set -uo pipefail

# The number of distinct pixels of an XWD file: a big-endian header whose first word is its own size
# and whose twentieth is the number of colour-map entries (12 bytes each) before the pixels.
count_colours() {
  local header entries
  header=$(od -An -v -N4 -tu4 --endian=big "$1" | tr -d ' ')
  entries=$(od -An -v -j76 -N4 -tu4 --endian=big "$1" | tr -d ' ')
  tail -c +$((header + entries * 12 + 1)) "$1" | od -An -v -tx4 -w4 | sort -u | wc -l
}

if [ "${1:-}" = "--inside" ]; then
  program=$2 data=$3 work=$4
  # The tests' environment asks for the offscreen driver; this test is about the real window.
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  export QUINDLE_SAVE_DIR="$work/save" QUINDLE_DATA_DIR="$data"
  # Mesa's driver leaks in ways LeakSanitizer can't suppress by name.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
  # Its own instance lock, so that another copy of the game on this machine does not stop it.
  export XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$QUINDLE_SAVE_DIR" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  "$program" > "$work/stdout.txt" 2>&1 &
  pid=$!
  # The window comes up first (slowly under the sanitizers).
  for _ in $(seq 40); do
    xwd -silent -name "Quindle: Marvolant" > /dev/null 2>&1 && break
    sleep 0.5
  done
  # The start-up picture fades in from black: take screenshots until one shows more than one
  # colour (a loaded machine may take a while), for at most ten seconds.
  shot=1
  for _ in $(seq 20); do
    sleep 0.5
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      echo "smoke: the program ended on its own with $? before the screenshot"
      cat "$work/stdout.txt"
      exit 1
    fi
    xwd -silent -name "Quindle: Marvolant" > "$work/shot.xwd"
    shot=$?
    [ "$shot" -eq 0 ] && [ "$(count_colours "$work/shot.xwd")" -ge 2 ] && break
  done
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
# A second try when the first start fails: a virtual X server on a heavily loaded machine now and
# then refuses the program its GL context.
started=0
for attempt in 1 2; do
  rm -rf "$work/save" "$work/run" "$work/codes"
  if xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$program" "$data" "$work"; then
    started=1
    break
  fi
  echo "smoke: attempt $attempt failed"
done
[ "$started" -eq 1 ] || exit 1
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
  colours=$(count_colours "$work/shot.xwd")
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

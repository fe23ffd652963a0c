#!/usr/bin/env bash
# Starts the real program in a real X window (a virtual X server of 1920x1080) and checks what the
# window shows. Two runs:
#  - no window manager: the program on its own clock for a few seconds, its first screen pictured by
#    the game and captured from the window (xwd), ended with SIGTERM; checks the exit code, the log,
#    that the capture matches the game's picture and that frames are paced (the log's "FPS:" lines);
#  - under openbox: tests/smoke/fullscreen.steps turns full screen on from the options and clicks the
#    title's "help" through the black bars; every screen's capture must match its picture, the help
#    screen's with the picture 1440x1080 between black bars;
#  - the full-screen choice kept: on the same save folder, a session without a window manager opens
#    the options (tests/smoke/options.steps), where full screen is refused; the next start under
#    openbox (tests/smoke/title.steps) must come up in full screen again.
# Usage: xvfb_smoke.sh PROGRAM DATA_DIR. Exits 77 (skipped) when xvfb-run, xwd or openbox is missing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--inside" ]; then
  mode=$2 program=$3 data=$4 work=$5 steps=${6:-}
  # The tests' environment asks for the offscreen driver; this test is about the real window.
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  export QUINDLE_SAVE_DIR="$work/save" QUINDLE_DATA_DIR="$data"
  export QUINDLE_SHOTS_DIR="$work/shots" QUINDLE_WINDOW_SHOTS=1
  # Mesa's driver leaks in ways LeakSanitizer can't suppress by name.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
  # Its own instance lock, so that another copy of the game on this machine does not stop it.
  export XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$QUINDLE_SAVE_DIR" "$XDG_RUNTIME_DIR" "$QUINDLE_SHOTS_DIR"
  chmod 700 "$XDG_RUNTIME_DIR" "$QUINDLE_SAVE_DIR"
  if [ -n "$steps" ]; then
    wm=
    if [ "$mode" = openbox ]; then
      openbox > "$work/openbox.txt" 2>&1 &
      wm=$!
      for _ in $(seq 240); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && break
        sleep 0.25
      done
    fi
    export QUINDLE_INPUT_SCRIPT="$here/$steps" QUINDLE_FRAME_MS=50
    "$program" > "$work/stdout.txt" 2>&1
    echo "0 $?" > "$work/codes"
    if [ -n "$wm" ]; then
      kill "$wm" 2> /dev/null
      wait "$wm" 2> /dev/null
    fi
    exit 0
  fi
  "$program" > "$work/stdout.txt" 2>&1 &
  pid=$!
  # The first screen's picture and capture come 1.6 s (at 60 frames a second) after it came on
  # top, the first frame rate in the log after 5 s of frames. Slowly under the sanitizers, and
  # more slowly on a busy machine: four minutes tell a program that hangs.
  for _ in $(seq 960); do
    grep -q '^window ' "$QUINDLE_SHOTS_DIR/tour.txt" 2> /dev/null && grep -q 'FPS:' "$QUINDLE_SAVE_DIR/log.txt" &&
      break
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.25
  done
  if ! kill -0 "$pid" 2> /dev/null; then
    wait "$pid"
    echo "smoke: the program ended on its own with $?"
    cat "$work/stdout.txt"
    exit 1
  fi
  kill -TERM "$pid"
  wait "$pid"
  echo "0 $?" > "$work/codes"
  exit 0
fi

program=$1 data=$2
compare="$(dirname "$program")/windowcompare"
for tool in xvfb-run xwd openbox xprop "$compare"; do
  if ! command -v "$tool" > /dev/null; then
    echo "smoke: $tool is missing, skipped"
    exit 77
  fi
done

work=$(mktemp -d /tmp/quindle-smoke.XXXXXX)
trap 'rm -rf "$work"' EXIT
failed=0

# Every window capture of the run against the game's picture of the same screen.
compare_captures() {
  local run=$1 count=0 screen file
  while read -r screen file; do
    count=$((count + 1))
    if ! result=$("$compare" "$work/shots/$screen.png" "$work/shots/$file"); then
      echo "smoke ($run): the window does not show the game's picture of $screen: $result"
      failed=1
    else
      echo "smoke ($run): $screen: $result"
    fi
    echo "$screen: $result" >> "$work/results-$run"
  done < <(sed -n 's/^window //p' "$work/shots/tour.txt" 2> /dev/null)
  if [ "$count" -eq 0 ]; then
    echo "smoke ($run): no capture of the window"
    sed -n 's/^unsaved-window /smoke: not captured: /p' "$work/shots/tour.txt" 2> /dev/null
    failed=1
  fi
}

# run_case MODE [STEPS [keep]]: MODE is plain or openbox; STEPS an input script beside this one;
# "keep" goes on with the save folder of the run before.
run_case() {
  local mode=$1 steps=${2:-} keep=${3:-}
  [ -n "$keep" ] && rm -rf "$work/save-kept" && cp -a "$work/save" "$work/save-kept"
  # A second try when the first start fails: a virtual X server on a heavily loaded machine now and
  # then refuses the program its GL context.
  # Each caller's search for a free display starts at a number of its own: from the same one, servers
  # started at once (tests side by side, another copy's tests) would take the same number and one fail.
  for attempt in 1 2; do
    rm -rf "$work/save" "$work/run" "$work/shots" "$work/codes" "$work/results-$mode"
    [ -n "$keep" ] && cp -a "$work/save-kept" "$work/save"
    xvfb-run -a -n $((100 + $$ % 900)) -s "-screen 0 1920x1080x24 -noreset" "$0" --inside "$mode" "$program" "$data" "$work" $steps &&
      [ -s "$work/codes" ] && return 0
    echo "smoke ($mode): attempt $attempt failed"
  done
  return 1
}

# The run's exit code was 0 and its script went to its end.
check_scripted_run() {
  local run=$1 code
  read -r _ code < "$work/codes"
  if [ "$code" -ne 0 ]; then
    echo "smoke ($run): the program ended with $code"
    failed=1
  fi
  if grep -q '^failed ' "$work/shots/tour.txt" 2> /dev/null; then
    sed -n "s/^failed /smoke ($run): the script stopped: /p" "$work/shots/tour.txt"
    failed=1
  fi
}

report_logs() {
  echo "--- log.txt"; cat "$work/save/log.txt" 2> /dev/null
  echo "--- program output"; cat "$work/stdout.txt"
}

# Without a window manager.
if ! run_case plain; then
  failed=1
else
  read -r _ code < "$work/codes"
  if [ "$code" -ne 0 ]; then
    echo "smoke: the program exited with $code after SIGTERM"
    failed=1
  fi
  compare_captures plain
  log="$work/save/log.txt"
  for line in "Engine started:" "mutext rel"; do
    if ! grep -q "$line" "$log" 2> /dev/null; then
      echo "smoke: the log lacks \"$line\""
      failed=1
    fi
  done
  if grep -q "Can't attach resource pack" "$log" 2> /dev/null; then
    echo "smoke: the sample content was not found"
    failed=1
  fi
  # The display's rate is unknown or 60 here: no more frames than that, with a little slack.
  fastest=$(sed -n 's/.*FPS:\([0-9]*\).*/\1/p' "$log" | sort -n | tail -1)
  echo "smoke (plain): fastest logged frame rate ${fastest:-none}"
  if [ -n "$fastest" ] && [ "$fastest" -gt 62 ]; then
    echo "smoke: $fastest frames a second, more than the display's 60"
    failed=1
  fi
  [ "$failed" -ne 0 ] && report_logs
fi

# Under openbox, full screen.
before=$failed
if ! run_case openbox fullscreen.steps; then
  failed=1
else
  check_scripted_run openbox
  compare_captures openbox
  if ! grep -q '^HelpScreen: .*window 1920x1080, picture at 240,0 1440x1080, .*bars' "$work/results-openbox" 2> /dev/null; then
    echo "smoke: no full-screen capture of the help screen with the picture 1440x1080 between bars"
    failed=1
  fi
  [ "$failed" -ne "$before" ] && report_logs
fi

# The full-screen choice outlives a session that could not have it: the options opened without a
# window manager, then a start under one.
before=$failed
if [ "$failed" -eq 0 ] && run_case plain options.steps keep; then
  check_scripted_run options
  if run_case openbox title.steps keep; then
    check_scripted_run title
    compare_captures title
    if ! grep -q '^SplashScreen: .*window 1920x1080, picture at 240,0 1440x1080' "$work/results-title" 2> /dev/null; then
      echo "smoke: the start after a session without a window manager is not in full screen:"
      cat "$work/results-title" 2> /dev/null
      failed=1
    fi
  else
    failed=1
  fi
elif [ "$failed" -eq 0 ]; then
  failed=1
fi
[ "$failed" -ne "$before" ] && report_logs
exit "$failed"

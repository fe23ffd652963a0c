#!/usr/bin/env bash
# A start-up failure never holds the game hostage. The real program in a virtual X server, started
# without its resource archive (an empty data folder), so that it stops at its message box:
#  - `timeout -s TERM 5` ends it while the box is up, box and all (15 or 40 s when the box comes later,
#    under a heavy load);
#  - killed with SIGKILL while the box is up, the box goes with it, and the next start is not taken
#    for a running copy (it says what is wrong again);
#  - a scripted run shows no box: the message goes to stderr and the log, and it ends at once with 1;
#  - the X driver asked for and no display: the message says so, and the program ends with 1.
# Usage: startup_failure.sh PROGRAM. Exits 77 (skipped) when xvfb-run or xwininfo is missing.
set -uo pipefail

title='Quindle: Marvolant'

if [ "${1:-}" = "--inside" ]; then
  program=$2 work=$3
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  export QUINDLE_DATA_DIR="$work/empty" QUINDLE_SAVE_DIR="$work/save" XDG_RUNTIME_DIR="$work/run"
  # Mesa's driver leaks in ways LeakSanitizer can't suppress by name.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
  mkdir -p "$QUINDLE_DATA_DIR" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  failed=0
  fail() {
    echo "startup_failure: $*"
    failed=1
  }

  # The game's own window has the class "quindle"; the box has none.
  boxes() { xwininfo -root -tree 2> /dev/null | grep -F "\"$title\"" | grep -vc '("quindle"'; }
  # Waits up to $2 quarter seconds for the process $1 to end; false when it is still running.
  ends_within() {
    for _ in $(seq "$2"); do
      kill -0 "$1" 2> /dev/null || return 0
      sleep 0.25
    done
    ! kill -0 "$1" 2> /dev/null
  }
  # Waits up to $2 quarter seconds for a box while the process $1 runs; false when none came.
  box_within() {
    for _ in $(seq "$2"); do
      [ "$(boxes)" -gt 0 ] && return 0
      kill -0 "$1" 2> /dev/null || return 1
      sleep 0.25
    done
    return 1
  }
  reason() { grep -q 'Can.t read "resource.dat"' "$1"; }

  # SIGTERM with the box up. Under a heavy load the box may come later than the signal; the run is
  # then repeated with more time.
  for delay in 5 15 40; do
    started=$(date +%s%N)
    timeout -s TERM "$delay" "$program" > "$work/term.txt" 2>&1 &
    pid=$!
    seen=
    box_within "$pid" $((delay * 4)) && seen=$((($(date +%s%N) - started) / 1000000))
    if ! ends_within "$pid" $(((delay + 10) * 4)); then
      fail "still running $((delay + 10)) s after it was started and sent SIGTERM $delay s in (box up after ${seen:-no} ms)"
      kill -KILL -- "-$pid" 2> /dev/null
      break
    fi
    wait "$pid"
    code=$?
    if [ -z "$seen" ] || [ "$seen" -ge $((delay * 1000)) ]; then
      [ "$delay" -lt 40 ] && echo "startup_failure: no box within $delay s, again with more time" && continue
      fail "no box came up"
    fi
    [ "$code" -ne 124 ] && fail "timeout ended with $code, not 124 (the program ended by the signal)"
    reason "$work/term.txt" || fail "the first start did not say what is wrong"
    echo "startup_failure: the box up after $seen ms; SIGTERM at $delay s ended the program after" \
      "$((($(date +%s%N) - started) / 1000000)) ms"
    break
  done
  sleep 0.5
  [ "$(boxes)" -eq 0 ] || fail "a box outlived the program ended by SIGTERM"

  # SIGKILL with the box up, then a second start.
  "$program" > "$work/kill.txt" 2>&1 &
  pid=$!
  if ! box_within "$pid" 240; then
    fail "no box came up for the SIGKILL"
  else
    kill -KILL "$pid"
    wait "$pid" 2> /dev/null
    for _ in $(seq 20); do
      [ "$(boxes)" -eq 0 ] && break
      sleep 0.25
    done
    [ "$(boxes)" -eq 0 ] || fail "the box outlived the program killed with SIGKILL"
    timeout -s TERM 90 "$program" > "$work/second.txt" 2>&1 &
    second=$!
    box_within "$second" 240
    kill -TERM "$second" 2> /dev/null
    ends_within "$second" 40 || kill -KILL -- "-$second" 2> /dev/null
    wait "$second"
    code=$?
    if [ "$code" -eq 0 ]; then
      fail "the start after the SIGKILL ended at once with 0, as a second copy does"
    elif ! reason "$work/second.txt"; then
      fail "the start after the SIGKILL ended with $code without saying what is wrong"
    else
      echo "startup_failure: after the SIGKILL the next start said what is wrong again (exit $code)"
    fi
  fi

  # A scripted run: no box, exit 1 at once. A lock of its own: a box left by the case above must not
  # stop it.
  echo "quit" > "$work/quit.steps"
  mkdir -p "$work/run2"
  chmod 700 "$work/run2"
  started=$(date +%s)
  XDG_RUNTIME_DIR="$work/run2" QUINDLE_INPUT_SCRIPT="$work/quit.steps" timeout -s KILL 30 "$program" > "$work/scripted.txt" 2>&1
  code=$?
  seconds=$(($(date +%s) - started))
  if [ "$code" -ne 1 ]; then
    fail "the scripted run ended with $code after $seconds s, not 1"
  elif [ "$seconds" -gt 20 ]; then
    fail "the scripted run took $seconds s to end"
  else
    echo "startup_failure: the scripted run ended with 1 after $seconds s"
  fi
  reason "$work/scripted.txt" || fail "the scripted run said nothing on stderr"
  reason "$work/save/log.txt" || fail "the scripted run's log does not say what is wrong"

  # No display: the X driver has nothing to open; no terminal either.
  XDG_RUNTIME_DIR="$work/run2" env -u DISPLAY -u WAYLAND_DISPLAY timeout -s KILL 30 "$program" < /dev/null > "$work/nodisplay.txt" 2>&1
  code=$?
  if [ "$code" -ne 1 ] || ! grep -q 'No display could be opened' "$work/nodisplay.txt"; then
    fail "without a display: exit $code, said: $(cat "$work/nodisplay.txt")"
  else
    echo "startup_failure: without a display: $(grep 'No display' "$work/nodisplay.txt" | head -1)"
  fi

  if [ "$failed" -ne 0 ]; then
    for file in term kill second scripted nodisplay; do
      echo "--- $file"
      cat "$work/$file.txt" 2> /dev/null
    done
  fi
  exit "$failed"
fi

program=$1
for tool in xvfb-run xwininfo timeout; do
  if ! command -v "$tool" > /dev/null; then
    echo "startup_failure: $tool is missing, skipped"
    exit 77
  fi
done
work=$(mktemp -d /tmp/quindle-startup.XXXXXX)
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$program" "$work"

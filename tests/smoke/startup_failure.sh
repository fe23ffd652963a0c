#!/usr/bin/env bash
# A start-up failure never holds the game hostage. The real program in a virtual X server, started
# without its resource archive (an empty data folder), so that it stops at its message box:
#  - `timeout -s TERM 5` ends it while the box is up, box and all (15, 40 or 120 s when the box comes
#    later, under a heavy load);
#  - killed with SIGKILL while the box is up, the box goes with it, and the next start is not taken
#    for a running copy (it says what is wrong again);
#  - a scripted run shows no box: the message goes to stderr and the log, and it ends by itself with 1;
#  - the X driver asked for and no display: the message says so, and the program ends with 1; no
#    driver asked for and no display: the same (never SDL's offscreen stand-in), and the next start in
#    the X session runs;
# and with the sample game's data (scripted runs):
#  - a "Setting" holding the player Ann, bit-flipped, garbage or cut: kept byte for byte as
#    "Setting.damaged" (".2", ".3" after it) with a log line; the flipped bit mended, Ann is back;
#  - a FIFO as "Setting", a directory as the lock: said, and no start blocks; two copies never run.
# Every wait is for the event itself; its limit only tells a program that hangs from one that is slow
# on a busy machine.
# Usage: startup_failure.sh PROGRAM DATA_DIR. Exits 77 (skipped) when xvfb-run or xwininfo is missing.
set -uo pipefail

title='Quindle: Marvolant'

if [ "${1:-}" = "--inside" ]; then
  program=$2 work=$3 data=$4
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
  for delay in 5 15 40 120; do
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
      [ "$delay" -lt 120 ] && echo "startup_failure: no box within $delay s, again with more time" && continue
      fail "no box came up"
    fi
    [ "$code" -ne 124 ] && fail "timeout ended with $code, not 124 (the program ended by the signal)"
    reason "$work/term.txt" || fail "the first start did not say what is wrong"
    echo "startup_failure: the box up after $seen ms; SIGTERM at $delay s ended the program after" \
      "$((($(date +%s%N) - started) / 1000000)) ms"
    break
  done
  for _ in $(seq 240); do
    [ "$(boxes)" -eq 0 ] && break
    sleep 0.25
  done
  [ "$(boxes)" -eq 0 ] || fail "a box outlived the program ended by SIGTERM"

  # SIGKILL with the box up, then a second start.
  "$program" > "$work/kill.txt" 2>&1 &
  pid=$!
  if ! box_within "$pid" 480; then
    fail "no box came up for the SIGKILL"
  else
    kill -KILL "$pid"
    wait "$pid" 2> /dev/null
    for _ in $(seq 240); do
      [ "$(boxes)" -eq 0 ] && break
      sleep 0.25
    done
    [ "$(boxes)" -eq 0 ] || fail "the box outlived the program killed with SIGKILL"
    timeout -s TERM 300 "$program" > "$work/second.txt" 2>&1 &
    second=$!
    box_within "$second" 480
    kill -TERM "$second" 2> /dev/null
    ends_within "$second" 240 || kill -KILL -- "-$second" 2> /dev/null
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

  # A scripted run: no box, exit 1 (a box would hold it until it is killed). A lock of its own: a box
  # left by the case above must not stop it.
  echo "quit" > "$work/quit.steps"
  mkdir -p "$work/run2"
  chmod 700 "$work/run2"
  started=$(date +%s)
  XDG_RUNTIME_DIR="$work/run2" QUINDLE_INPUT_SCRIPT="$work/quit.steps" timeout -s KILL 120 "$program" > "$work/scripted.txt" 2>&1
  code=$?
  seconds=$(($(date +%s) - started))
  if [ "$code" -ne 1 ]; then
    fail "the scripted run ended with $code after $seconds s, not 1"
  else
    echo "startup_failure: the scripted run ended with 1 after $seconds s"
  fi
  reason "$work/scripted.txt" || fail "the scripted run said nothing on stderr"
  reason "$work/save/log.txt" || fail "the scripted run's log does not say what is wrong"

  # No display: the X driver has nothing to open; no terminal either.
  XDG_RUNTIME_DIR="$work/run2" env -u DISPLAY -u WAYLAND_DISPLAY timeout -s KILL 120 "$program" < /dev/null > "$work/nodisplay.txt" 2>&1
  code=$?
  if [ "$code" -ne 1 ] || ! grep -q 'No display could be opened' "$work/nodisplay.txt"; then
    fail "without a display: exit $code, said: $(cat "$work/nodisplay.txt")"
  else
    echo "startup_failure: without a display: $(grep 'No display' "$work/nodisplay.txt" | head -1)"
  fi

  # No display and no driver asked for: said, the lock not kept; then a start in the X session
  # (below, with the same lock folder).
  run=$work/run3
  mkdir -p "$run" && chmod 700 "$run"
  started=$(date +%s%N)
  XDG_RUNTIME_DIR="$run" env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout -s KILL 120 "$program" < /dev/null > "$work/nodriver.txt" 2>&1
  code=$?
  ms=$((($(date +%s%N) - started) / 1000000))
  if [ "$code" -ne 1 ] || ! grep -q 'No display could be opened' "$work/nodriver.txt"; then
    fail "without a display or a driver: exit $code after $ms ms, said: $(cat "$work/nodriver.txt")"
  else
    echo "startup_failure: without a display or a driver, exit 1 after $ms ms: $(grep 'No display' "$work/nodriver.txt" | head -1)"
  fi

  # The real game from here on, played by scripts, each run with a save folder of its own.
  play() { # SAVE_DIR SCRIPT OUTPUT: the exit code; 137 when it hung for 240 s
    mkdir -p "$1" && chmod 700 "$1"
    QUINDLE_DATA_DIR="$data" QUINDLE_SAVE_DIR="$1" XDG_RUNTIME_DIR="$run" QUINDLE_INPUT_SCRIPT="$2" \
      QUINDLE_FRAME_MS=50 timeout -s KILL 240 "$program" < /dev/null > "$3" 2>&1
  }
  printf 'wait PublisherScreen\n20 quit\n' > "$work/brief.steps"
  printf 'wait new_player_screen\n35 text Ann\n5 key Return\nwait SplashScreen\n20 quit\n' > "$work/ann.steps"
  has_ann() { od -An -tx1 -v "$1" | tr -d ' \n' | grep -q '0041006e006e'; }  # the name's UTF-16 units

  play "$work/x11" "$work/brief.steps" "$work/x11.txt"
  code=$?
  if [ "$code" -ne 0 ] || ! grep -q 'Create screen "PublisherScreen"' "$work/x11/log.txt"; then
    fail "the start in the X session after the one without a display: exit $code"
  fi

  play "$work/ann" "$work/ann.steps" "$work/ann.txt"
  if ! has_ann "$work/ann/Setting"; then
    fail "no Setting with Ann to damage (exit $?)"
  else
    cp "$work/ann/Setting" "$work/good"
    size=$(stat -c %s "$work/good")
    cp "$work/good" "$work/flipped"
    printf "\\x$(printf %02x $(($(od -An -tu1 -j19 -N1 "$work/good") ^ 1)))" |
      dd of="$work/flipped" bs=1 seek=19 conv=notrunc status=none
    head -c 4096 /dev/urandom > "$work/garbage"
    head -c 18 "$work/good" > "$work/cut"
    mkdir -p "$work/damaged"
    number=0
    for damage in flipped garbage cut; do
      cp "$work/$damage" "$work/damaged/Setting"
      play "$work/damaged" "$work/brief.steps" "$work/$damage.txt"
      code=$?
      number=$((number + 1))
      kept="$work/damaged/Setting.damaged"
      [ "$number" -gt 1 ] && kept="$kept.$number"
      if [ "$code" -ne 0 ] || ! cmp -s "$work/$damage" "$kept"; then
        fail "a $damage Setting: exit $code, not kept as $(basename "$kept")"
      elif ! line=$(grep -F "Setting can't be used (" "$work/damaged/log.txt" | grep -F "kept as $kept,"); then
        fail "a $damage Setting kept without a log line"
      else
        echo "startup_failure: a $damage Setting kept byte for byte as $(basename "$kept"): $line"
      fi
    done
    # The player can be brought back: the flipped bit mended in the kept copy, the game has Ann again.
    cp "$work/damaged/Setting.damaged" "$work/damaged/Setting"
    dd if="$work/good" of="$work/damaged/Setting" bs=1 skip=19 seek=19 count=1 conv=notrunc status=none
    play "$work/damaged" "$work/brief.steps" "$work/mended.txt"
    if has_ann "$work/damaged/Setting" && [ ! -e "$work/damaged/Setting.damaged.4" ]; then
      echo "startup_failure: Setting.damaged with its bit mended ($size bytes) brought Ann back"
    else
      fail "the mended Setting ($size bytes) did not bring Ann back"
    fi
  fi

  # A FIFO as "Setting": said, not waited on (a wait on it never ends).
  mkdir -p "$work/fifo" && chmod 700 "$work/fifo"
  mkfifo "$work/fifo/Setting"
  started=$(date +%s%N)
  play "$work/fifo" "$work/brief.steps" "$work/fifo.txt"
  code=$?
  ms=$((($(date +%s%N) - started) / 1000000))
  if [ "$code" -ne 0 ] || ! grep -q 'Setting: it is a FIFO, not a regular file' "$work/fifo/log.txt"; then
    fail "a FIFO as Setting: exit $code after $ms ms"
  else
    echo "startup_failure: a FIFO as Setting: said, run ended with 0 after $ms ms"
  fi

  # A directory in the lock's place: each start refuses, saying so, and none runs.
  lock="$run/$(echo "$title" | tr -d ':').lock"
  rm -f "$lock" && mkdir "$lock" || fail "can't put a directory in the lock's place"
  for copy in first second; do
    started=$(date +%s%N)
    play "$work/lockdir" "$work/brief.steps" "$work/lock-$copy.txt"
    code=$?
    ms=$((($(date +%s%N) - started) / 1000000))
    if [ "$code" -ne 1 ] || ! grep -q 'is a directory, not a regular file' "$work/lock-$copy.txt" ||
      [ -e "$work/lockdir/log.txt" ]; then
      fail "a directory as the lock, $copy start: exit $code after $ms ms"
    else
      echo "startup_failure: a directory as the lock, $copy start refused after $ms ms: $(head -1 "$work/lock-$copy.txt")"
    fi
  done

  if [ "$failed" -ne 0 ]; then
    for file in term kill second scripted nodisplay nodriver x11 ann flipped garbage cut mended fifo lock-first; do
      echo "--- $file"
      cat "$work/$file.txt" 2> /dev/null
    done
  fi
  exit "$failed"
fi

program=$1 data=$2
for tool in xvfb-run xwininfo timeout; do
  if ! command -v "$tool" > /dev/null; then
    echo "startup_failure: $tool is missing, skipped"
    exit 77
  fi
done
work=$(mktemp -d /tmp/quindle-startup.XXXXXX)
trap 'rm -rf "$work"' EXIT
# The server is not reset when its last client leaves: a start in that moment would find no display.
# Each caller's search for a free display starts at a number of its own: from the same one, servers
# started at once (tests side by side, another copy's tests) would take the same number and one fail.
xvfb-run -a -n $((100 + $$ % 900)) -s "-screen 0 1280x1024x24 -noreset" "$0" --inside "$program" "$work" "$data"

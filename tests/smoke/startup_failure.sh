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
#  - a FIFO as "Setting", a directory as the lock: said, and no start blocks; two copies never run;
#  - two copies on one save folder, the first started without a runtime folder (a terminal over ssh)
#    and the second with one (a desktop): the second ends at once with 0, and makes no player for the
#    first to save over;
#  - a damaged "Setting" that can't be kept aside (every name taken): the player is told once, and the
#    file is never saved over.
# and with a first texture that takes seconds to decode (made by SLOW_PICTURE, when given):
#  - SIGTERM while it is decoded ends the program then, killed by the signal and saying so;
#  - started with SIGINT ignored, SIGINTs all through the start-up change nothing: the run plays to
#    its end.
# Every wait is for the event itself; its limit only tells a program that hangs from one that is slow
# on a busy machine.
# Usage: startup_failure.sh PROGRAM DATA_DIR [SLOW_PICTURE]. Exits 77 (skipped) when xvfb-run or
# xwininfo is missing.
set -uo pipefail

title='Quindle: Marvolant'

if [ "${1:-}" = "--inside" ]; then
  program=$2 work=$3 data=$4 slow=${5:-}
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
  for _ in $(seq 960); do
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
    for _ in $(seq 960); do
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

  # A scripted run: no box, exit 1 (a box would hold it until it is killed). A save folder, and so a
  # lock, of its own: a box left by the case above must not stop it.
  echo "quit" > "$work/quit.steps"
  mkdir -p "$work/save2"
  chmod 700 "$work/save2"
  started=$(date +%s)
  QUINDLE_SAVE_DIR="$work/save2" QUINDLE_INPUT_SCRIPT="$work/quit.steps" timeout -s KILL 120 "$program" > "$work/scripted.txt" 2>&1
  code=$?
  seconds=$(($(date +%s) - started))
  if [ "$code" -ne 1 ]; then
    fail "the scripted run ended with $code after $seconds s, not 1"
  else
    echo "startup_failure: the scripted run ended with 1 after $seconds s"
  fi
  reason "$work/scripted.txt" || fail "the scripted run said nothing on stderr"
  reason "$work/save2/log.txt" || fail "the scripted run's log does not say what is wrong"

  # No display: the X driver has nothing to open; no terminal either.
  QUINDLE_SAVE_DIR="$work/save2" env -u DISPLAY -u WAYLAND_DISPLAY timeout -s KILL 120 "$program" < /dev/null > "$work/nodisplay.txt" 2>&1
  code=$?
  if [ "$code" -ne 1 ] || ! grep -q 'No display could be opened' "$work/nodisplay.txt"; then
    fail "without a display: exit $code, said: $(cat "$work/nodisplay.txt")"
  else
    echo "startup_failure: without a display: $(grep 'No display' "$work/nodisplay.txt" | head -1)"
  fi

  # No display and no driver asked for: said, the lock not kept; then a start in the X session
  # (below, on the same save folder).
  run=$work/run3
  mkdir -p "$run" "$work/x11" && chmod 700 "$run" "$work/x11"
  started=$(date +%s%N)
  QUINDLE_SAVE_DIR="$work/x11" XDG_RUNTIME_DIR="$run" env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout -s KILL 120 "$program" < /dev/null > "$work/nodriver.txt" 2>&1
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
  lock="$work/lockdir/$(echo "$title" | tr -d ':').lock"
  mkdir -p "$lock" || fail "can't put a directory in the lock's place"
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

  # --- One save folder, one copy; a session that can't save says so.
  # Two copies on one save folder: the first, started from a terminal (no runtime folder), stays on
  # the new player's screen; the second, from a desktop (a runtime folder set), would make Bob and
  # quit, and the first, ended later, would save its players over his. The second must end at once,
  # silently, with 0.
  two=$work/two
  mkdir -p "$two" && chmod 700 "$two"
  printf 'wait HelpScreen 1000000\n' > "$work/stays.steps"
  printf 'wait new_player_screen\n35 text Bob\n5 key Return\nwait SplashScreen\n20 quit\n' > "$work/bob.steps"
  copy() { # RUNTIME_DIR (empty: none) SCRIPT OUTPUT: a copy on the save folder "two", in the background
    local runtime=(-u XDG_RUNTIME_DIR)
    [ -n "$1" ] && runtime=("XDG_RUNTIME_DIR=$1")
    QUINDLE_DATA_DIR="$data" QUINDLE_SAVE_DIR="$two" QUINDLE_INPUT_SCRIPT="$2" QUINDLE_FRAME_MS=50 \
      env "${runtime[@]}" timeout --foreground -s KILL 120 "$program" < /dev/null > "$3" 2>&1 &
  }
  has() { od -An -tx1 -v "$1" | tr -d ' \n' | grep -q "$2"; }  # FILE, the name's UTF-16 units in hex
  copy "" "$work/stays.steps" "$work/terminal.txt"
  terminal=$!
  for _ in $(seq 960); do
    grep -q 'Create screen "new_player_screen"' "$work/terminal.txt" && break
    kill -0 "$terminal" 2> /dev/null || break
    sleep 0.25
  done
  started=$(date +%s%N)
  copy "$run" "$work/bob.steps" "$work/desktop.txt"
  wait "$!"
  code=$?
  ms=$((($(date +%s%N) - started) / 1000000))
  if ! kill -0 "$terminal" 2> /dev/null; then
    fail "the first copy ended before the second was tried: $(tail -3 "$work/terminal.txt")"
  elif [ "$code" -ne 0 ] || [ -s "$work/desktop.txt" ]; then
    fail "a second copy on the same save folder (with XDG_RUNTIME_DIR) ended with $code after $ms ms," \
      "$(grep -c 'Create screen' "$work/desktop.txt") screens made"
  else
    echo "startup_failure: the second copy on the save folder (with XDG_RUNTIME_DIR) ended silently with 0 after $ms ms"
  fi
  kill -TERM "$terminal" 2> /dev/null
  wait "$terminal"
  code=$?
  if [ "$code" -ne 0 ] || [ ! -s "$two/Setting" ]; then
    fail "the first copy ended with $code, Setting $(stat -c %s "$two/Setting" 2>&1)"
  elif grep -q 'Create screen "new_player_screen"' "$work/desktop.txt" && ! has "$two/Setting" '0042006f0062'; then
    fail "Bob, made by the second copy, is lost: the first copy saved over him"
  else
    echo "startup_failure: the first copy ended with $code and saved; no player lost"
  fi

  # A damaged Setting with every name to keep it under taken: told once, never saved over.
  full=$work/full
  mkdir -p "$full" && chmod 700 "$full"
  head -c 100 /dev/urandom > "$full/Setting"
  cp "$full/Setting" "$work/unsavable"
  for number in "" $(seq 2 99); do echo taken > "$full/Setting.damaged${number:+.$number}"; done
  play "$full" "$work/brief.steps" "$work/full.txt"
  code=$?
  told=$(grep -c "^$title: Nothing will be saved this time" "$work/full.txt")
  logged=$(grep -c 'Nothing will be saved this time' "$full/log.txt")
  if [ "$code" -ne 0 ] || [ "$told" -ne 1 ] || [ "$logged" -ne 1 ] || ! cmp -s "$work/unsavable" "$full/Setting"; then
    fail "an unsavable Setting: exit $code, told $told times, logged $logged times, Setting $(cmp -s "$work/unsavable" "$full/Setting" && echo kept || echo changed)"
  else
    echo "startup_failure: an unsavable Setting: told once, Setting kept as it was: $(grep -m1 'Nothing will be saved' "$full/log.txt")"
  fi

  # Signals while the start-up is busy with the slow picture, sent once the engine is up (the texture
  # is decoded before the first frame, seconds later). 60 s tells a hang from a result.
  if [ -n "$slow" ]; then
    mkdir -p "$work/slow" "$work/run4" && chmod 700 "$work/run4"
    busy() { # SAVE_DIR SIGNAL OUTPUT [ignore]: the exit status
      mkdir -p "$1" && chmod 700 "$1"
      (
        [ -n "${4:-}" ] && trap '' INT
        QUINDLE_DATA_DIR="$work/slow" QUINDLE_SAVE_DIR="$1" XDG_RUNTIME_DIR="$work/run4" \
          QUINDLE_INPUT_SCRIPT="$work/brief.steps" QUINDLE_FRAME_MS=50 exec "$program" < /dev/null > "$3" 2>&1
      ) &
      local pid=$! started
      for _ in $(seq 960); do
        grep -q 'Gain focus' "$3" 2> /dev/null && break
        sleep 0.25
      done
      kill "-$2" "$pid"
      started=$(date +%s%N)
      # Ignored, the signal is sent again and again until the start-up is over.
      if [ -n "${4:-}" ]; then
        for _ in $(seq 600); do
          grep -q 'Create screen "PublisherScreen"' "$3" 2> /dev/null && break
          kill "-$2" "$pid" 2> /dev/null || break
          sleep 0.1
        done
      fi
      ends_within "$pid" 240 || kill -KILL "$pid"
      wait "$pid"
      local code=$?
      gone=$((($(date +%s%N) - started) / 1000000))
      return "$code"
    }
    if ! "$slow" "$data/resource.dat" "$work/slow/resource.dat" > "$work/slowdata.txt" 2>&1; then
      fail "can't write the slow picture's archive: $(cat "$work/slowdata.txt")"
    else
      busy "$work/slowterm" TERM "$work/slowterm.txt"
      code=$?
      if [ "$code" -ne 143 ] || ! grep -q 'Signal 15 while starting or loading' "$work/slowterm.txt"; then
        fail "SIGTERM while the slow picture was decoded: exit $code after $gone ms"
      else
        echo "startup_failure: SIGTERM while the slow picture was decoded ended the program after $gone ms"
      fi
      busy "$work/slowint" INT "$work/slowint.txt" ignore
      code=$?
      if [ "$code" -ne 0 ] || ! grep -q 'Create screen "PublisherScreen"' "$work/slowint/log.txt"; then
        fail "started with SIGINT ignored, SIGINTs during the start-up: exit $code"
      else
        echo "startup_failure: started with SIGINT ignored, SIGINTs all through the start-up changed nothing (exit 0)"
      fi
    fi
  fi

  if [ "$failed" -ne 0 ]; then
    for file in term kill second scripted nodisplay nodriver x11 ann flipped garbage cut mended fifo lock-first \
      desktop terminal full slowterm slowint; do
      echo "--- $file"
      cat "$work/$file.txt" 2> /dev/null
    done
  fi
  exit "$failed"
fi

program=$1 data=$2 slow=${3:-}
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
xvfb-run -a -n $((100 + $$ % 900)) -s "-screen 0 1280x1024x24 -noreset" "$0" --inside "$program" "$work" "$data" "$slow"

#!/usr/bin/env bash
# Starts the real program headless until its frames run (the title, with no player yet, has sent the
# player to make a name; the first screens' pictures are loaded), ends it with SIGTERM and checks
# that it ran the game's application: the settings file it saves carries the game data's version
# word (the framework's stand-in writes 1 there) after the framework's four integers.
# Usage: game_app.sh PROGRAM DATA_DIR VERSION
set -uo pipefail
program=$1 data=$2 version=$3

work=$(mktemp -d /tmp/quindle-game.XXXXXX)
trap 'rm -rf "$work"' EXIT
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export QUINDLE_SAVE_DIR="$work/save" QUINDLE_DATA_DIR="$data" XDG_RUNTIME_DIR="$work/run"
# Mesa's driver leaks in ways LeakSanitizer can't suppress by name.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
mkdir -p "$QUINDLE_SAVE_DIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR" "$QUINDLE_SAVE_DIR"

"$program" > "$work/output.txt" 2>&1 &
pid=$!
# Four minutes tell a program that hangs from one slowed by a busy machine.
for _ in $(seq 960); do
  grep -q 'Create screen "new_player_screen"' "$QUINDLE_SAVE_DIR/log.txt" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
kill -TERM "$pid" 2>/dev/null
wait "$pid"
code=$?

word=$(od -An -v -j16 -N4 -tu4 --endian=big "$QUINDLE_SAVE_DIR/Setting" 2>/dev/null | tr -d ' ')
if [ "$code" -ne 0 ] || [ "$word" != "$version" ]; then
  echo "game_app: exit code $code, version word \"$word\", expected 0 and $version"
  echo "--- log.txt"; cat "$QUINDLE_SAVE_DIR/log.txt" 2>/dev/null
  echo "--- program output"; cat "$work/output.txt"
  exit 1
fi
echo "game_app: the program saved the game data's version $word"

#!/usr/bin/env bash
# A player's session of the Windows game under Wine, through the game's real
# input queue (pointer and keys sent to the X server Wine draws on): start-up,
# loading, main menu, a new player typed in, the story pages, the roadmap,
# level 1 with moves, the in-game menu, back to the main menu, quit. The game
# must end by itself and leave its saves in the per-user application-data
# folder; started again, it greets the new player, so the saves load again.
# Each step's screen is saved in OUTPUT_FOLDER.
#   session_test.sh GAME_FOLDER OUTPUT_FOLDER
set -euo pipefail
game=$(realpath "$1") out=$(realpath "$2")
work=$(mktemp -d)
game_pid=""
trap '[ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null; stop_display; rm -rf "$work"' EXIT
source "$(dirname "$0")/common.sh"
wine_run=$repo/scripts/wine-run
export WINEPREFIX=${VARNOKA_WINEPREFIX:-$HOME/.cache/varnoka-wine}
"$wine_run" cmd /c exit # the prefix exists from here on
saves=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | head -1)/tellgrave/Varnoka
rm -rf "$saves"
mkdir -p "$out"
start_display

click() { xdotool mousemove "$1" "$2" click 1; }
# Waits for the screen to settle (animated screens may not; then the step
# goes on after the time given) and saves it under the step's name.
step() {
  wait_until_settled "$1" || true
  grab "$out/$2.png"
  cp "$work/now.xwd" "$work/$2.xwd"
}
differs() { [ "$(python3 "$screen_py" diff "$work/$1.xwd" "$work/$2.xwd")" \> 0.02 ]; }
start_game() {
  (cd "$work" && exec "$wine_run" "$game/varnoka.exe") &
  game_pid=$!
}
quit_from_main_menu() {
  click 925 737 # Quit
  step 15 "$1"
  click 596 481 # OK
  for _ in $(seq 60); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.5; done
  ! kill -0 "$game_pid" 2>/dev/null || fail "the game did not end after the exit question"
  game_pid=""
}

echo "Start-up and loading"
start_game
wait_until_settled 180 || fail "the game never came to rest on its main menu"
step 5 01-main-menu
[ -s "$saves/settings.txt" ] || fail "no settings in the application-data folder after start-up"

echo "New player"
click 690 190 # START: nobody has played yet, so the name is asked for
step 15 02-new-player
differs 01-main-menu 02-new-player || fail "START opened nothing"
xdotool type --delay 120 Wina
click 600 481 # OK
step 15 03-menu-of-the-new-player
differs 01-main-menu 03-menu-of-the-new-player || fail "the main menu does not greet the new player"

echo "Story and roadmap"
click 690 190 # START
step 15 04-resume-question
click 596 481 # Resume
step 15 05-story
click 898 727 # Continue
step 15 06-roadmap
click 511 583 # OK on the roadmap's help
step 10 07-roadmap-without-help
click 118 717 # Start
step 15 08-story
click 898 727 # Continue
step 15 09-level-help
click 511 607 # OK
step 10 10-level-help-2
click 511 607 # OK
step 10 11-level-1
differs 10-level-help-2 11-level-1 || fail "level 1 did not open"

echo "Moves on level 1"
for y in 268 316 364 412; do
  for x in 318 366 414 462 510 558 606 654 702; do
    click "$x" "$y"
    sleep 0.5
  done
done
step 10 12-level-1-after-moves
differs 11-level-1 12-level-1-after-moves || fail "the clicks on the board changed nothing"

echo "In-game menu, main menu, quit"
click 966 28 # Menu
step 15 13-in-game-menu
differs 12-level-1-after-moves 13-in-game-menu || fail "the in-game menu did not open"
click 431 431 # Menu: back to the main menu
step 20 14-main-menu-again
quit_from_main_menu 15-exit-question
for f in settings.txt players1.ppp besttimes.ppp; do
  [ -s "$saves/$f" ] || fail "no $f in the application-data folder"
done
grep -aq Wina "$saves/players1.ppp" || fail "the new player is not in the saves"
[ ! -e "$game/data/saves" ] || fail "the game wrote saves beside itself"

echo "The saves load again"
start_game
wait_for_screen "$work/14-main-menu-again.xwd" 180 || {
  grab "$out/16-second-start.png"
  fail "the second start does not greet the new player (its screen: 16-second-start.png)"
}
step 5 16-second-start
quit_from_main_menu 17-exit-question
echo "PASSED"

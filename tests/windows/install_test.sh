#!/usr/bin/env bash
# The installer under Wine: it installs silently into Program Files with a
# Start-menu entry and an entry in the programs list; the installed game,
# started from an unrelated folder, reaches the main menu, the same screen as
# the Linux build's main menu on the same virtual display, and writes its
# first settings into the per-user application-data folder, not into its
# installation; uninstalling silently removes the program, its data and both
# entries, and keeps the saves.
#   install_test.sh SETUP.exe LINUX_GAME_FOLDER OUTPUT_FOLDER
set -euo pipefail
setup=$(realpath "$1") linux=$(realpath "$2") out=$(realpath "$3")
work=$(mktemp -d)
game_pid=""
stop_game() { [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true; game_pid=""; sleep 1; }
trap 'stop_game; stop_display; rm -rf "$work"' EXIT
source "$(dirname "$0")/common.sh"
wine_run=$repo/scripts/wine-run
export WINEPREFIX=${VARNOKA_WINEPREFIX:-$HOME/.cache/varnoka-wine}
"$wine_run" cmd /c exit # the prefix exists from here on
installed="$WINEPREFIX/drive_c/Program Files/Varnoka"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Varnoka.lnk"
saves=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | head -1)/tellgrave/Varnoka
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnoka'
[ ! -e "$installed" ] || fail "an earlier installation is still there: $installed"
rm -rf "$saves"
mkdir -p "$out"

start_display
echo "The Linux build's main menu"
# In a network namespace of its own where one can be made: a Linux copy of the
# game running elsewhere on this machine holds the single-instance lock (an
# abstract socket) of the ones outside.
isolate=()
unshare -rn true 2>/dev/null && isolate=(unshare -rn)
(cd "$work" && XDG_DATA_HOME="$work/linux-home" SDL_AUDIODRIVER=dummy exec "${isolate[@]}" "$linux/varnoka") &
game_pid=$!
wait_until_settled 90 || fail "the Linux build's screen never settled"
[ -s "$work/linux-home/tellgrave/Varnoka/settings.txt" ] || fail "the Linux build is not past its start-up"
cp "$work/settled.xwd" "$work/linux-menu.xwd"
stop_game

echo "Installing silently"
"$wine_run" "$setup" /S
[ -f "$installed/varnoka.exe" ] && [ -f "$installed/icon32.ico" ] && [ -f "$installed/data/texts/codetexts.txt" ] ||
  fail "the program or its data folder is not installed"
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
[ -f "$start_menu" ] || fail "no Start-menu entry"
"$wine_run" reg query "$uninstall_key" /v UninstallString | grep -q 'uninstall.exe' ||
  fail "no entry in the programs list"

echo "Starting the installed game"
(cd "$work" && exec "$wine_run" 'C:\Program Files\Varnoka\varnoka.exe') &
game_pid=$!
wait_for_screen "$work/linux-menu.xwd" 120 || {
  grab "$out/windows-installed-screen.png"
  fail "the installed game did not reach the Linux build's main menu (its screen: $out/windows-installed-screen.png)"
}
grab "$out/windows-installed-main-menu.png"
echo "  main menu reached; differing blocks: $(python3 "$screen_py" diff "$work/linux-menu.xwd" "$work/now.xwd")"
stop_game
[ -s "$saves/settings.txt" ] || fail "the first run wrote no settings into $saves"
[ ! -e "$installed/data/saves" ] || fail "the game wrote into its installation folder"
[ "$(find "$installed" -newer "$installed/uninstall.exe" -type f | wc -l)" -eq 0 ] ||
  fail "files in the installation folder changed after installing"

echo "Uninstalling silently"
"$wine_run" 'C:\Program Files\Varnoka\uninstall.exe' /S
# The uninstaller runs from a copy of itself in the temporary folder.
for _ in $(seq 120); do [ -e "$installed" ] || break; sleep 0.5; done
[ ! -e "$installed" ] || fail "the installation folder is still there: $(ls -R "$installed" | head)"
[ ! -e "$start_menu" ] || fail "the Start-menu entry is still there"
! "$wine_run" reg query "$uninstall_key" >/dev/null 2>&1 || fail "the programs-list entry is still there"
[ -s "$saves/settings.txt" ] || fail "uninstalling removed the saves"
rm -rf "$saves"
echo "PASSED"

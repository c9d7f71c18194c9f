# Shared by the Windows game's tests under Wine: a virtual X server whose screen
# is kept in a file, and waiting for the screen to settle. Sourced; needs $work.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
screen_py="$repo/tests/windows/screen.py"

# Starts Xvfb (1024 x 768) and exports DISPLAY; the screen is $work/Xvfb_screen0.
start_display() {
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$work" -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    grep -q . "$work/display" 2>/dev/null && break
    sleep 0.2
  done
  export DISPLAY=":$(head -1 "$work/display")"
  [ "$DISPLAY" != ":" ] || fail "the virtual X server did not start"
}

stop_display() { [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true; }

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Saves the screen now as a PNG.
grab() { python3 "$screen_py" png "$work/Xvfb_screen0" "$1"; }

# Waits up to $2 seconds until the screen shows the picture of $1 (an XWD
# screen, compared block by block, at most 4% of the blocks differing) for
# two samples in a row; false when it never does.
wait_for_screen() {
  local want=$1 limit=$2 hits=0 t
  for ((t = 0; t < limit * 2; t++)); do
    sleep 0.5
    cp "$work/Xvfb_screen0" "$work/now.xwd"
    if [ "$(python3 "$screen_py" diff "$want" "$work/now.xwd")" \< 0.041 ]; then
      hits=$((hits + 1))
      [ $hits -ge 2 ] && return 0
    else
      hits=0
    fi
  done
  return 1
}

# Waits up to $1 seconds until the screen stays the same for three seconds
# and shows more than one colour; it is then in $work/settled.xwd.
wait_until_settled() {
  local limit=$1 same=0 t
  cp "$work/Xvfb_screen0" "$work/settled.xwd"
  for ((t = 0; t < limit; t++)); do
    sleep 1
    [ -z "${game_pid:-}" ] || kill -0 "$game_pid" 2>/dev/null || fail "the game ended"
    cp "$work/Xvfb_screen0" "$work/now.xwd"
    if [ "$(python3 "$screen_py" diff "$work/settled.xwd" "$work/now.xwd")" \< 0.001 ] &&
       [ "$(python3 "$screen_py" plain "$work/now.xwd")" \< 0.5 ]; then
      same=$((same + 1))
      [ $same -ge 3 ] && return 0
    else
      same=0
      cp "$work/now.xwd" "$work/settled.xwd"
    fi
  done
  return 1
}

# Helpers of the end-to-end test: a private X server, real input with
# xdotool, waiting for windows and pixels, and the tally of checks.
# Sourced by run.sh; everything waits with a time limit and never forever.

passed=0
failed=0
work=""
app_pid=""
xvfb_pid=""
main=""
baseline=""
dialog="" # the window wait_dialog found

die() {
  echo "e2e: FAILED: $*" >&2
  if [[ -n $work && -n ${DISPLAY:-} && -n $xvfb_pid ]]; then
    import -silent -window root "$work/failure.png" 2>/dev/null &&
      echo "e2e: the screen at the failure: $work/failure.png" >&2
  fi
  failed=$((failed + 1))
  echo "e2e: $passed passed, $failed failed"
  exit 1
}

cleanup() {
  [[ -z $app_pid ]] || kill "$app_pid" 2>/dev/null || true
  [[ -z $xvfb_pid ]] || kill "$xvfb_pid" 2>/dev/null || true
  if [[ -n $work ]]; then
    if ((failed == 0)); then
      rm -rf "$work"
    else
      echo "e2e: files kept in $work (program output in program.log)" >&2
    fi
  fi
}

check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok - $name"
  else
    failed=$((failed + 1))
    echo "FAILED - $name"
  fi
}

not() { ! "$@"; }

finish() {
  echo "e2e: $passed passed, $failed failed"
  ((failed == 0))
}

# A stub xdg-open first on the PATH records what the program hands to the
# desktop; an environment without a desktop session so that Qt shows its own
# dialogs; an X server of our own.
prepare_session() {
  mkdir -p "$work/bin" "$work/home" "$work/config" "$work/runtime"
  chmod 700 "$work/runtime"
  cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened.log"
EOF
  chmod +x "$work/bin/xdg-open"
  export PATH="$work/bin:$PATH"
  unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP DESKTOP_SESSION \
    GNOME_DESKTOP_SESSION_ID KDE_FULL_SESSION DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER \
    WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
  export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/config"
  export XDG_RUNTIME_DIR="$work/runtime" NO_AT_BRIDGE=1 LC_ALL=C.UTF-8

  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$work/display" \
    2>"$work/xvfb.log" &
  xvfb_pid=$!
  local i
  for ((i = 0; i < 100; i++)); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
  done
  [[ -s $work/display ]] || die "Xvfb gave no display within 10 s"
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
}

visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null || true; }

# Starts the program in a folder and waits for its main window.
start_program() {
  local program=$1 folder=$2
  (cd "$folder" && exec "$program") >"$work/program.log" 2>&1 &
  app_pid=$!
  wait_main_window
}

# Waits for the main window of the program that app_pid started (the
# program itself or what started it).
wait_main_window() {
  main=""
  local i id
  for ((i = 0; i < 100; i++)); do
    kill -0 "$app_pid" 2>/dev/null || die "the program ended at start: $(cat "$work/program.log")"
    for id in $(xdotool search --onlyvisible --name '^Marvolia$' 2>/dev/null); do
      [[ $(window_size "$id") == "830 x 545" ]] && main=$id
    done
    [[ -z $main ]] || break
    sleep 0.2
  done
  [[ -n $main ]] || die "no main window within 20 s"
  # What is on the screen now; every later window is the program's dialog.
  baseline=$(visible_windows)
  eval "$(xdotool getwindowgeometry --shell "$main")"
  main_x=$X main_y=$Y
  settle
}

stop_program() {
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

window_size() {
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
  echo "$WIDTH x $HEIGHT"
}

settle() { sleep 0.5; }

# The pointer rests outside every window, where no tool tip can come up.
park() { xdotool mousemove 2 2; }

click() {
  xdotool mousemove --window "$main" "$1" "$2" click 1
  park
}

double_click() {
  xdotool mousemove --window "$main" "$1" "$2" click --repeat 2 --delay 80 1
  park
}

# A click with a key held: modified_click ctrl|shift X Y.
modified_click() {
  xdotool keydown "$1" mousemove --window "$main" "$2" "$3" click 1 keyup "$1"
  park
}

key() { xdotool key --delay 80 "$@"; }

# "r g b" of a pixel of the main window, from a fresh picture of the screen.
pixel_at() {
  import -silent -window root "$work/screen.png"
  convert "$work/screen.png" -format \
    "%[fx:round(255*p{$((main_x + $1)),$((main_y + $2))}.r)] %[fx:round(255*p{$((main_x + $1)),$((main_y + $2))}.g)] %[fx:round(255*p{$((main_x + $1)),$((main_y + $2))}.b)]" \
    info:
}

near() {
  local a b j
  for ((j = 0; j < 3; j++)); do
    a=${1%% *} b=${2%% *}
    (((a - b) * (a - b) <= 400)) || return 1
    set -- "${1#* }" "${2#* }"
  done
}

# Waits up to 10 s for a pixel of the main window to show a colour "r g b".
expect_colour() {
  local name=$1 x=$2 y=$3 want=$4 got="" i
  for ((i = 0; i < 40; i++)); do
    got=$(pixel_at "$x" "$y")
    if near "$got" "$want"; then
      check "$name" true
      return
    fi
    sleep 0.25
  done
  die "$name: the pixel at ($x, $y) is ($got), not ($want)"
}

# Pixels of the "0 copies" marker (a red sign) in the grid cell around (x, y).
marker_in() {
  import -silent -window root "$work/screen.png"
  local count
  count=$(convert "$work/screen.png" -crop "44x30+$((main_x + $1 - 22))+$((main_y + $2 - 15))" \
    +repage -fx 'r>0.7 && g<0.35 && b<0.35' -format '%[fx:round(mean*w*h)]' info:)
  ((count > 20))
}

# Waits up to 15 s for a window with this exact title other than the main
# window, gives it the keyboard and leaves its id in $dialog.
wait_dialog() {
  local title=$1 i id
  dialog=""
  for ((i = 0; i < 75; i++)); do
    for id in $(new_windows); do
      if [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$title" ]]; then
        xdotool windowfocus "$id" 2>/dev/null || true
        sleep 0.4
        # shellcheck disable=SC2034 # read by run.sh
        dialog=$id
        return
      fi
    done
    sleep 0.2
  done
  die "no window \"$title\" came up within 15 s"
}

gone() { ! visible_windows | grep -qx "$1"; }

# Presses a key in a dialog until it closes: a file name box may first take
# Enter for its completion list.
key_until_gone() {
  local id=$1 key=$2 attempt i
  for ((attempt = 0; attempt < 3; attempt++)); do
    key "$key"
    for ((i = 0; i < 25; i++)); do
      gone "$id" && return
      sleep 0.2
    done
  done
  die "the window $id did not close on $key"
}

# Types a path into a file or folder dialog's name box and accepts it.
type_path() {
  key ctrl+a
  xdotool type --delay 15 -- "$2"
  sleep 0.3
  key_until_gone "$1" Return
}

new_windows() { visible_windows | grep -vxF -e "$baseline" || true; }

no_dialog() { [[ -z $(new_windows) ]]; }

wait_file() {
  local i
  for ((i = 0; i < 50; i++)); do
    [[ -f $1 ]] && return
    sleep 0.2
  done
  die "the program did not write $1"
}

opened() { [[ -f $work/opened.log ]] && grep -Fxq -- "$1" "$work/opened.log"; }

wait_opened() {
  local i
  for ((i = 0; i < 50; i++)); do
    opened "$1" && return
    sleep 0.2
  done
  die "the program did not hand $1 to the desktop"
}

# Compares a file with what a function prints; shows both on a difference.
check_bytes() {
  local name=$1 file=$2 expected=$3
  "$expected" >"$work/expected"
  if cmp -s "$work/expected" "$file"; then
    check "$name" true
  else
    check "$name" false
    echo "  expected:" && od -c "$work/expected" | head -20
    echo "  written:" && od -c "$file" 2>&1 | head -20
  fi
}

# Saves over the project open with Ctrl+S and waits until it is written.
save_open_project() {
  local before i
  before=$(stat -c %Y.%i "$1")
  key ctrl+s
  for ((i = 0; i < 50; i++)); do
    [[ $(stat -c %Y.%i "$1") != "$before" ]] && return
    sleep 0.2
  done
  die "Ctrl+S did not save $1"
}

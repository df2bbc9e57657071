#!/usr/bin/env bash
# End-to-end test: runs the built program on a private X server (Xvfb) and
# drives it with real mouse and keyboard input (xdotool) through a whole order:
# browse a folder of generated photos, preview, add, edit rows, save the
# project, open it again, write the order list, copy the photos to a folder.
# Every file the program writes is checked byte for byte. Afterwards the
# installed layout is checked and the installed program is started once.
#
#   bash tests/e2e/run.sh            (after tools/test.sh has built build/)
#
# Nothing is built here. MARVOLIA_BUILD names another build folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${MARVOLIA_BUILD:-$root/build}
source "$root/tests/e2e/lib.sh"
source "$root/tests/e2e/installed.sh"

program=$build/marvolia
[[ -x $program ]] || die "no program at $program: build first (bash tools/test.sh)"
for tool in Xvfb xdotool import convert identify cmp; do
  command -v "$tool" >/dev/null || die "$tool is missing: run bash tools/install-deps.sh"
done

started=$SECONDS
work=$(mktemp -d "${TMPDIR:-/tmp}/marvolia-e2e.XXXXXX")
trap cleanup EXIT
prepare_session "$work"

# --- The photos: solid colours, so a pixel tells which one is shown --------
photos="$work/Summer, 2024" # a comma: the project file must quote this path
mkdir -p "$photos/more" "$work/out" "$work/lab"
convert -size 640x480 xc:'rgb(220,30,30)' "$photos/apple.jpg"
convert -size 480x640 xc:'rgb(30,200,30)' "$photos/Beach.JPG"
convert -size 800x600 xc:'rgb(30,30,220)' "$photos/city.jpg"
convert -size 300x200 xc:'rgb(230,220,20)' "$photos/more/beach.jpg"
convert -size 64x48 xc:white "$photos/.hidden.jpg"
echo "not a photo" >"$photos/notes.txt"
photo_sums() { (cd "$photos" && sha256sum apple.jpg Beach.JPG city.jpg more/beach.jpg); }
sums=$(photo_sums)
red='220 30 30' green='30 200 30' blue='30 30 220' yellow='230 220 20'

# --- Places in the main window (pixels, from the designed twips / 15) -------
file_x=50                                    # File1 at (16, 240), 13-pixel items
file_y() { echo $((247 + 13 * $1)); }
preview_x=380 preview_y=276                  # centre of Image11 (216, 112, 329 x 329)
thumb_x=596                                  # MSFlexGrid1 at (576, 120): column 0
row_y() { echo $((152 + 33 * ($1 - 1))); }   # header 16, data rows 33 pixels
copies_x=726                                 # column 2
button_y=42                                  # the command buttons, 885 x 795 twips at top 240
open_x=373 save_x=437 copy_x=509 list_x=573
props_ok_x=244 props_ok_y=164                # Props: Command2 at (208, 152, 73 x 25)

# Opens the row editor on a grid row, types the copies (and the size unless
# empty) into its combo boxes and presses "Ok".
edit_row() {
  local row=$1 copies=$2 size=$3 props
  click "$copies_x" "$(row_y "$row")"
  wait_dialog "Marvolia"
  props=$dialog
  check "a click on row $row opens the row editor" [ "$(window_size "$props")" = "313 x 196" ]
  key ctrl+a
  xdotool type --delay 30 -- "$copies"
  if [[ -n $size ]]; then
    key Tab ctrl+a
    xdotool type --delay 30 -- "$size"
  fi
  xdotool mousemove --window "$props" "$props_ok_x" "$props_ok_y" click 1
  park
  local i
  for ((i = 0; i < 50; i++)); do
    gone "$props" && return
    sleep 0.2
  done
  die "the row editor did not close on Ok"
}

# --- Start ------------------------------------------------------------------
start_program "$program" "$photos"
geometry=$(window_size "$main")
check "the main window's client area is 830 x 545" [ "$geometry" = "830 x 545" ]

# --- Browse and preview -----------------------------------------------------
click "$file_x" "$(file_y 0)"
expect_colour "clicking the first file previews apple.jpg" "$preview_x" "$preview_y" "$red"
click "$file_x" "$(file_y 1)"
expect_colour "the second file is Beach.JPG (sorted without regard to case)" \
  "$preview_x" "$preview_y" "$green"
click "$file_x" "$(file_y 2)"
expect_colour "the third file is city.jpg" "$preview_x" "$preview_y" "$blue"
click "$file_x" "$(file_y 3)"
settle
expect_colour "the list holds only the three photos: below them nothing is previewed" \
  "$preview_x" "$preview_y" "$blue"
check "no message came up while browsing" no_dialog

# --- Add three photos -------------------------------------------------------
double_click "$file_x" "$(file_y 0)"
expect_colour "a double click adds apple.jpg as row 1" "$thumb_x" "$(row_y 1)" "$red"
click "$file_x" "$(file_y 1)"
expect_colour "Beach.JPG previewed" "$preview_x" "$preview_y" "$green"
click "$preview_x" "$preview_y"
expect_colour "a click on the preview adds Beach.JPG as row 2" "$thumb_x" "$(row_y 2)" "$green"
# Into the sub-folder with the keyboard: Tab from the file list to the folder
# list, End to its last entry, Enter to go in. The first photo is previewed.
click "$file_x" "$(file_y 1)"
key Tab End Return
expect_colour "entering the folder \"more\" previews its beach.jpg" \
  "$preview_x" "$preview_y" "$yellow"
double_click "$file_x" "$(file_y 0)"
expect_colour "a double click adds more/beach.jpg as row 3" "$thumb_x" "$(row_y 3)" "$yellow"

# --- The row editor ---------------------------------------------------------
edit_row 2 12 13x18
edit_row 1 0 ""

# --- Save the project -------------------------------------------------------
project="$work/out/order.mvl"
click "$save_x" "$button_y"
wait_dialog "Save As"
type_path "$dialog" "$project"
wait_file "$project"
# Every path holds a comma, so every path is written in double quotes.
record() { printf '"%s"\r\n%s\r\n%s\r\n' "$1" "$2" "$3"; }
three_records() {
  record "$photos/apple.jpg" 0 10x15
  record "$photos/Beach.JPG" 12 13x18
  record "$photos/more/beach.jpg" 1 10x15
}
expected_project() {
  printf ' 3 \r\n'
  three_records
}
check_bytes "the project file holds the three rows, paths with a comma quoted" \
  "$project" expected_project

# --- Open it again ----------------------------------------------------------
# One more row first (the preview still shows more/beach.jpg), so that the
# opened project visibly replaces the grid.
click "$preview_x" "$preview_y"
expect_colour "a fourth row before opening" "$thumb_x" "$(row_y 4)" "$yellow"
click "$open_x" "$button_y"
wait_dialog "Marvolia"
key_until_gone "$dialog" Return # Yes: save the current order first
wait_dialog "Save As"
type_path "$dialog" "$work/out/four.mvl"
wait_dialog "Open"
type_path "$dialog" "$project"
expect_colour "after opening, row 4 is gone" "$thumb_x" "$(row_y 4)" "255 255 255"
expected_four() {
  printf ' 4 \r\n'
  three_records
  record "$photos/more/beach.jpg" 1 10x15
}
check_bytes "Yes at the prompt saved the four rows first" "$work/out/four.mvl" expected_four
expect_colour "the opened project rebuilt row 1's thumbnail" "$thumb_x" "$(row_y 1)" "$red"
expect_colour "... row 2's" "$thumb_x" "$(row_y 2)" "$green"
expect_colour "... row 3's" "$thumb_x" "$(row_y 3)" "$yellow"
check "row 1's copies cell, \"0\", shows the marker picture" \
  marker_in "$copies_x" "$(row_y 1)"
check "row 2's copies cell shows no marker" not marker_in "$copies_x" "$(row_y 2)"

# --- Write the order list ---------------------------------------------------
list="$work/out/order.txt"
click "$list_x" "$button_y"
wait_dialog "Save As"
type_path "$dialog" "$list"
wait_dialog "Marvolia"
check "the list is written before the message says so" [ -f "$list" ]
key_until_gone "$dialog" Return
wait_opened "$list"
expected_list() {
  printf 'File: Beach.JPG, Copies: 12, Size: 13x18\r\n'
  printf 'File: beach.jpg, Copies: 1, Size: 10x15\r\n'
}
check_bytes "the order list leaves out the row with 0 copies" "$list" expected_list
check "the list was handed to the desktop to show" opened "$list"

# --- Copy the order to a folder ---------------------------------------------
click "$copy_x" "$button_y"
wait_dialog "Select the path where you want to all the images to be saved"
type_path "$dialog" "$work/lab"
wait_dialog "Save As"
type_path "$dialog" "$work/lab/order.txt"
wait_opened "$work/lab"
expected_lab_list() {
  printf 'File: Beach.JPG, Copies 12, Size 13x18\r\n'
  printf 'File: beach (2).jpg, Copies 1, Size 10x15\r\n'
}
check_bytes "the folder's list names each photo as it lies there" \
  "$work/lab/order.txt" expected_lab_list
check "Beach.JPG is copied unchanged" cmp -s "$photos/Beach.JPG" "$work/lab/Beach.JPG"
check "more/beach.jpg keeps apart from Beach.JPG as \"beach (2).jpg\"" \
  cmp -s "$photos/more/beach.jpg" "$work/lab/beach (2).jpg"
check "the photo with 0 copies is not copied" [ ! -e "$work/lab/apple.jpg" ]
check "the folder holds the two photos and the list, nothing else" \
  [ "$(find "$work/lab" -mindepth 1 | wc -l)" = 3 ]
check "the folder was handed to the desktop to show" opened "$work/lab"
check "the photos themselves are untouched" [ "$(photo_sums)" = "$sums" ]
check "no message came up during the whole order" no_dialog

# --- A project of 300 photos: "Loading..." is seen, the Open dialog is gone --
# Pictures of the screen are taken while the rows come in. "Loading..." is
# white with blue text on the banner, where the Open dialog lay too; the
# dialog also lay over the preview, which the load leaves as it is: there
# every picture must match the one taken after the load. Progressive JPEGs
# take long enough to decode that the load lasts a few seconds.
many="$work/many"
mkdir -p "$many"
convert -size 1600x1200 plasma:fractal -interlace Plane -quality 90 "$many/p.jpg"
{
  printf ' 300 \r\n'
  for ((i = 1; i <= 300; i++)); do
    cp "$many/p.jpg" "$many/p$i.jpg" # each its own file: each decoded anew
    record "$many/p$i.jpg" 1 10x15
  done
} >"$work/out/many.mvl"
label_box="121x17+$((main_x + 624))+$((main_y + 32))"
bar_box="113x9+$((main_x + 624))+$((main_y + 48))"
preview_box="329x329+$((main_x + 216))+$((main_y + 112))"
loading_shown() { # a picture of the screen shows "Loading..." in its place
  local white blue
  white=$(convert "$1" -crop "$label_box" +repage -fx 'r>0.95 && g>0.95 && b>0.95' \
    -format '%[fx:round(mean*w*h)]' info:)
  blue=$(convert "$1" -crop "$label_box" +repage -fx 'b>0.6 && r<0.4 && g<0.4' \
    -format '%[fx:round(mean*w*h)]' info:)
  ((white > 1500 && blue > 15))
}
differs_after() { # pixels of a box unlike the picture after the load
  convert "$1" -crop "$2" +repage "$work/a.png"
  convert "$work/after.png" -crop "$2" +repage "$work/b.png"
  compare -metric AE -fuzz 4% "$work/a.png" "$work/b.png" null: 2>&1 || true
}
click "$open_x" "$button_y"
wait_dialog "Marvolia"
key_until_gone "$dialog" n # No: the current order need not be kept
wait_dialog "Open"
open_dialog=$dialog
key ctrl+a
xdotool type --delay 15 -- "$work/out/many.mvl"
sleep 0.3
# Each picture is taken with the program stopped (SIGSTOP), so that a load
# of a second or two gives many pictures however slow taking one is; the
# program runs 50 ms between two of them.
picture_while_stopped() {
  kill -STOP "$app_pid"
  import -silent -window root "$1"
  kill -CONT "$app_pid"
}
for ((attempt = 0; attempt < 3; attempt++)); do
  key Return # the first may only take the completion
  for ((i = 0; i < 25; i++)); do
    gone "$open_dialog" && break 2
    sleep 0.2
  done
done
gone "$open_dialog" || die "the Open dialog did not close on Return"
seen=0
for ((i = 0; i < 60; i++)); do
  sleep 0.05
  picture_while_stopped "$work/shot.png"
  if loading_shown "$work/shot.png"; then
    seen=$((seen + 1))
    mv "$work/shot.png" "$work/loading$seen.png"
  elif ((seen > 0)); then
    break
  fi
done
sleep 1
import -silent -window root "$work/after.png"
check "the load ended: \"Loading...\" is gone" not loading_shown "$work/after.png"
bar=0 stale=0
for ((i = 1; i <= seen; i++)); do
  (($(differs_after "$work/loading$i.png" "$bar_box") > 200)) && bar=$((bar + 1))
  (($(differs_after "$work/loading$i.png" "$preview_box") == 0)) || stale=$((stale + 1))
done
echo "  \"Loading...\" in $seen pictures, its bar in $bar, the dialog still in $stale"
check "\"Loading...\" and its bar are painted while the project loads" \
  eval '((seen > 1 && bar == seen))'
check "while it shows, the Open dialog is gone from the screen" [ "$stale" = 0 ]
check "no message came up during the load" no_dialog
check "the program is still running" kill -0 "$app_pid"
stop_program

# --- The installed program --------------------------------------------------
check_installed_tree "$build" "$work/install"

echo "e2e: the order took $((SECONDS - started)) s"
finish

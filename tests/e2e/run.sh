#!/usr/bin/env bash
# End-to-end test: runs the built program on a private X server (Xvfb) and
# drives it with real mouse and keyboard input (xdotool) through a whole order:
# browse a folder of generated photos, preview, add, edit rows, save the
# project, open it again, write the order list, copy the photos to a folder,
# then add a Shift selection with Enter, remove Ctrl-picked rows, undo, save,
# and open a project of a few hundred real photos, watching the load on screen;
# add a folder tree of real photos from the file list's menu and stop it with Esc;
# then a whole order once more with the keyboard alone, a HEIC and a PNG
# through an order into a folder for the lab, and a photo framed two ways
# in the row editor, which the lab gets cut as chosen.
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
source "$root/tests/e2e/bigload.sh"
source "$root/tests/e2e/screenreader.sh"
source "$root/tests/e2e/keyboard.sh"
source "$root/tests/e2e/treeadd.sh"
source "$root/tests/e2e/labjpegs.sh"
source "$root/tests/e2e/labframes.sh"

program=$build/marvolia
[[ -x $program ]] || die "no program at $program: build first (bash tools/test.sh)"
for tool in Xvfb xdotool xprop import convert compare identify cmp; do
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
  wait_dialog " " # the row editor's title is empty: a blank, not the program's name
  props=$dialog
  check "a click on row $row opens the row editor" [ "$(window_size "$props")" = "313 x 196" ]
  check "the row editor's title bar shows nothing" \
    [ "$(xprop -id "$props" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = " "' ]
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
check "the program is still running" kill -0 "$app_pid"

# --- Many at once, and undo -------------------------------------------------
# Back up to the photos' folder with the keyboard: the folder list shows the
# current folder selected, its parent just above.
click "$file_x" "$(file_y 0)"
key Tab Up Return
expect_colour "back in the photos' folder, apple.jpg is previewed" \
  "$preview_x" "$preview_y" "$red"
click "$file_x" "$(file_y 0)"
modified_click shift "$file_x" "$(file_y 2)"
expect_colour "shift+click previews the file clicked, city.jpg" "$preview_x" "$preview_y" "$blue"
key Return
expect_colour "Enter adds the three selected photos: apple.jpg as row 4" \
  "$thumb_x" "$(row_y 4)" "$red"
expect_colour "... Beach.JPG as row 5" "$thumb_x" "$(row_y 5)" "$green"
expect_colour "... city.jpg as row 6" "$thumb_x" "$(row_y 6)" "$blue"
# Rows 4 and 6 picked with Ctrl, removed with Delete: Beach.JPG moves up.
modified_click ctrl "$copies_x" "$(row_y 4)"
modified_click ctrl "$copies_x" "$(row_y 6)"
check "Ctrl+click opens no row editor" no_dialog
key Delete
expect_colour "Delete removes rows 4 and 6: Beach.JPG is row 4" "$thumb_x" "$(row_y 4)" "$green"
expect_colour "... and row 5 is gone" "$thumb_x" "$(row_y 5)" "255 255 255"
key ctrl+z
expect_colour "Ctrl+Z brings back row 4, apple.jpg" "$thumb_x" "$(row_y 4)" "$red"
expect_colour "... row 5, Beach.JPG" "$thumb_x" "$(row_y 5)" "$green"
expect_colour "... and row 6, city.jpg" "$thumb_x" "$(row_y 6)" "$blue"
# Ctrl+S saves over the project open, order.mvl, without a dialog.
save_open_project "$project"
check "Ctrl+S asks nothing" no_dialog
expected_six() {
  printf ' 6 \r\n'
  three_records
  record "$photos/apple.jpg" 1 10x15
  record "$photos/Beach.JPG" 1 10x15
  record "$photos/city.jpg" 1 10x15
}
check_bytes "Ctrl+S saves the six rows the undo brought back over the project open" \
  "$project" expected_six
check "no message came up while adding, removing and undoing" no_dialog
check "the program is still running after all that" kill -0 "$app_pid"

# --- A big project ----------------------------------------------------------
check_big_load
check "the program is still running after the big load" kill -0 "$app_pid"
check_tree_escape
stop_program

# --- A screen reader ---------------------------------------------------------
check_screen_reader "$photos"

# --- The keyboard alone ------------------------------------------------------
check_keyboard_order

# --- A HEIC and a PNG: the lab gets JPEGs -----------------------------------
check_lab_jpegs

# --- Framed in the row editor: the lab gets the prints cut as chosen ---------
check_lab_frames

# --- The installed program --------------------------------------------------
check_installed_tree "$build" "$work/install"

echo "e2e: the order took $((SECONDS - started)) s"
finish

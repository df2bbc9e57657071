# One photo in two rows framed two ways in the row editor, "Fill the paper"
# moved to the top and "Whole photo", through undo, save, open and the copy
# to a folder for the lab, which gets a file cut as chosen for each. Sourced
# by run.sh, after lib.sh and labjpegs.sh; uses run.sh's places.
# shellcheck disable=SC2154 # set by run.sh

# "r g b" of a pixel of a picture file.
file_pixel() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:
}

# The row editor on a row: keys on its photo (after a right click for the
# menu when the first is "menu"), then "Ok".
frame_row() {
  local row=$1 button=1 props i
  shift
  click "$copies_x" "$(row_y "$row")"
  wait_dialog " "
  props=$dialog
  [[ $1 == menu ]] && button=3 && shift
  xdotool mousemove --window "$props" 224 84 click "$button" # Image2's middle
  sleep 0.3
  key "$@"
  xdotool mousemove --window "$props" "$props_ok_x" "$props_ok_y" click 1
  park
  for ((i = 0; i < 50; i++)); do
    gone "$props" && return
    sleep 0.2
  done
  die "the row editor did not close on Ok"
}

check_lab_frames() {
  local framed=$work/framed lab=$work/lab3 project=$work/framed.mvl
  mkdir -p "$framed" "$lab"
  # 4:3 on 10x15 paper: the cut's free axis is up and down. A green band on top.
  convert -size 400x300 xc:'rgb(220,30,30)' -fill 'rgb(30,200,30)' \
    -draw 'rectangle 0,0 399,15' "$framed/p.jpg"
  start_program "$program" "$framed"
  double_click "$file_x" "$(file_y 0)"
  double_click "$file_x" "$(file_y 0)"
  expect_colour "frames: the photo in two rows" "$thumb_x" "$(row_y 2)" "$red"
  frame_row 1 Up Up Up Up Up Up Up Up Up Up
  frame_row 2 menu Down Down Return # "Whole photo"
  frame_row 2 menu Down Return      # "Fill the paper", taken back:
  key ctrl+z
  click "$save_x" "$button_y"
  wait_dialog "Save As"
  type_path "$dialog" "$project"
  wait_file "$project"
  framed_project() {
    printf ' 2 \r\n'
    printf '%s\r\n1\r\n10x15\r\n' "$framed/p.jpg" "$framed/p.jpg"
    printf '[Marvolia framing] 2\r\n1 fill 1 0.5 0.445\r\n2 whole\r\n'
  }
  check_bytes "frames: the project keeps the cut at the top and the whole photo" \
    "$project" framed_project
  stop_program
  start_program "$program" "$framed"
  click "$open_x" "$button_y"
  wait_dialog "Open"
  type_path "$dialog" "$project"
  expect_colour "frames: the project opened" "$thumb_x" "$(row_y 2)" "$red"
  copy_to_folder "$lab"
  frames_list() {
    printf 'File: p 10x15.jpg, Copies 1, Size 10x15\r\n'
    printf 'File: p 10x15 (2).jpg, Copies 1, Size 10x15\r\n'
  }
  check_bytes "frames: the lab's list names the files made" "$lab/order.txt" frames_list
  check "frames: the cut is 400 x 267" [ "$(identify -format '%wx%h' "$lab/p 10x15.jpg")" = 400x267 ]
  check "frames: ... from the top, green band and all" \
    near "$(file_pixel "$lab/p 10x15.jpg" 200 4)" "30 200 30"
  check "frames: the whole photo is on paper of 450 x 300" \
    [ "$(identify -format '%wx%h' "$lab/p 10x15 (2).jpg")" = 450x300 ]
  check "frames: ... white at its sides" near "$(file_pixel "$lab/p 10x15 (2).jpg" 5 150)" "255 255 255"
  check "frames: ... the photo in the middle" \
    near "$(file_pixel "$lab/p 10x15 (2).jpg" 225 150)" "220 30 30"
  check "frames: no message came up" no_dialog
  stop_program
}

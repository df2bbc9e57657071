# A HEIC and a PNG through a whole order into a folder for the lab, which
# then holds JPEGs of them, upright, named after them. Sourced by run.sh,
# after lib.sh; uses run.sh's places.
# shellcheck disable=SC2154 # set by run.sh

# Command2 into a folder, the list beside the photos as order.txt.
copy_to_folder() {
  click "$copy_x" "$button_y"
  wait_dialog "Select the path where you want to all the images to be saved"
  type_path "$dialog" "$1"
  wait_dialog "Save As"
  type_path "$dialog" "$1/order.txt"
  wait_opened "$1"
}

check_lab_jpegs() {
  local kinds=$work/kinds lab=$work/lab2
  mkdir -p "$kinds" "$lab"
  convert -size 64x48 xc:'rgb(220,30,30)' "$kinds/tall.png"
  heif-enc -q 90 -o "$kinds/a.heic" "$kinds/tall.png" >/dev/null
  rm "$kinds/tall.png"
  convert -size 30x20 xc:'rgb(30,30,220)' "$kinds/b.png"
  start_program "$program" "$kinds"
  park
  double_click "$file_x" "$(file_y 0)"
  expect_colour "kinds: a double click adds a.heic" "$thumb_x" "$(row_y 1)" "$red"
  double_click "$file_x" "$(file_y 1)"
  expect_colour "kinds: ... and b.png" "$thumb_x" "$(row_y 2)" "$blue"
  copy_to_folder "$lab"
  kinds_list() {
    printf 'File: a.jpg, Copies 1, Size 10x15\r\n'
    printf 'File: b.jpg, Copies 1, Size 10x15\r\n'
  }
  check_bytes "kinds: the lab's list names the JPEGs" "$lab/order.txt" kinds_list
  check "kinds: the lab gets a JPEG of the HEIC" \
    [ "$(identify -format '%m %wx%h' "$lab/a.jpg")" = "JPEG 64x48" ]
  check "kinds: ... and of the PNG" [ "$(identify -format '%m %wx%h' "$lab/b.jpg")" = "JPEG 30x20" ]
  check "kinds: the folder holds the two JPEGs and the list, nothing else" \
    [ "$(find "$lab" -mindepth 1 | wc -l)" = 3 ]
  check "kinds: no message came up" no_dialog
  stop_program
}

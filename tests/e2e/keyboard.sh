# A whole order made with the keyboard alone: browse with the arrows, add
# three photos (two from the file list, one from the preview), change the
# copies of the second in the row editor, save and write the list with the
# buttons. Sourced by
# run.sh, after lib.sh; uses run.sh's photos, colours and places.
# shellcheck disable=SC2154 # set by run.sh

check_keyboard_order() {
  local project="$work/keys/order.mvl" list="$work/keys/order.txt" props
  mkdir -p "$work/keys"
  start_program "$program" "$photos"
  park
  # No window manager gives the window the keyboard, at first or when a
  # dialog closes: the test does, as one would.
  keyboard_back() {
    xdotool windowfocus --sync "$main"
    settle
  }
  keyboard_back

  # The file list has the keyboard: the arrows preview each photo in turn.
  key Down
  expect_colour "keys: Down previews apple.jpg" "$preview_x" "$preview_y" "$red"
  key Down
  expect_colour "keys: Down again previews Beach.JPG" "$preview_x" "$preview_y" "$green"
  key Home Return
  expect_colour "keys: Enter in the file list adds apple.jpg" "$thumb_x" "$(row_y 1)" "$red"
  key Down Return
  expect_colour "keys: ... and Beach.JPG" "$thumb_x" "$(row_y 2)" "$green"
  key Down
  expect_colour "keys: city.jpg previewed" "$preview_x" "$preview_y" "$blue"
  # Tab from the file list: folders, drives, then the preview.
  key Tab Tab Tab v
  wait_opened "$photos/city.jpg"
  check "keys: V on the preview opens the photo in the viewer" opened "$photos/city.jpg"
  key Return
  expect_colour "keys: Enter on the preview adds city.jpg" "$thumb_x" "$(row_y 3)" "$blue"

  # Adding hands the keyboard back to the file list; four Tabs reach the grid.
  key Tab Tab Tab Tab Home Down Return
  wait_dialog " "
  props=$dialog
  check "keys: Enter on the grid's second row opens its editor" \
    [ "$(window_size "$props")" = "313 x 196" ]
  key ctrl+a
  xdotool type --delay 30 -- 3
  # Copies, Size, Remove, Ok.
  key Tab Tab Tab space
  for ((i = 0; i < 50; i++)); do
    gone "$props" && break
    sleep 0.2
  done
  check "keys: Space on Ok closes the editor" gone "$props"

  # The editor gives the keyboard back to the grid: Tab to Open, Tab to Save.
  key Tab Tab space
  wait_dialog "Save As"
  type_path "$dialog" "$project"
  wait_file "$project"
  keyboard_back
  keyboard_project() {
    printf ' 3 \r\n'
    record "$photos/apple.jpg" 1 10x15
    record "$photos/Beach.JPG" 3 10x15
    record "$photos/city.jpg" 1 10x15
  }
  check_bytes "keys: the project holds the three rows, the second with 3 copies" \
    "$project" keyboard_project

  # The dialog gives it back to Save: Tab to Copy, Tab to the list.
  key Tab Tab space
  wait_dialog "Save As"
  type_path "$dialog" "$list"
  wait_dialog "Marvolia"
  key_until_gone "$dialog" Return
  wait_opened "$list"
  keyboard_list() {
    printf 'File: apple.jpg, Copies: 1, Size: 10x15\r\n'
    printf 'File: Beach.JPG, Copies: 3, Size: 10x15\r\n'
    printf 'File: city.jpg, Copies: 1, Size: 10x15\r\n'
  }
  check_bytes "keys: the order list names the three photos" "$list" keyboard_list
  check "keys: no message came up" no_dialog
  stop_program
}

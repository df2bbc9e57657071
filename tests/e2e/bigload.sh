# A project of a few hundred rows of real photos opens in sight: the closed
# Open dialog is gone from the screen at once, and "Loading..." with its bar
# is painted while the rows come in. Sourced by run.sh, after lib.sh.
# shellcheck disable=SC2154 # work, main_x, main_y, open_x, button_y: run.sh

real_photos=/usr/share/backgrounds
label7=(624 32 121 17)       # Label7 at (9360, 480, 1815, 255) twips
progress2=(624 48 113 9)     # ProgressBar2 at (9360, 720, 1695, 135)
frame1=(8 103 184 347)       # Frame1: the folder browser, which a load leaves alone

# "w h x y" of a rectangle of the main window on the screen, for -crop.
on_screen() { echo "$3x$4+$((main_x + $1))+$((main_y + $2))"; }

# Pixels of a crop of a screenshot that pass an fx test.
count_in() {
  convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:round(mean*w*h)]' info:
}

# Label7 as it is painted: white, with the blue text of "Loading...".
loading_shown() {
  local crop white text
  crop=$(on_screen "${label7[@]}")
  white=$(count_in "$1" "$crop" 'r>0.97 && g>0.97 && b>0.97')
  text=$(count_in "$1" "$crop" 'b>r+0.25 && r<0.4')
  ((white > 121 * 17 * 7 / 10 && text > 40))
}

# Pixels that differ between two screenshots in a crop.
differing() {
  convert "$1" -crop "$3" +repage "$work/crop-a.png"
  convert "$2" -crop "$3" +repage "$work/crop-b.png"
  # Exits 1 when they differ; the count is on stderr either way.
  compare -metric AE "$work/crop-a.png" "$work/crop-b.png" null: 2>&1 || true
}

check_big_load() {
  [[ -d $real_photos ]] || die "no photos in $real_photos: run bash tools/install-deps.sh"
  # Links, each its own path: no row takes the thumbnail kept for another.
  local links=$work/big project=$work/out/big.mvl n=0 f i
  mkdir -p "$links"
  for ((i = 0; i < 20; i++)); do
    for f in "$real_photos"/*.jpg; do
      n=$((n + 1))
      ln -s "$f" "$links/p$n.jpg"
    done
  done
  ((n >= 200)) || die "only $n real photos to load"
  {
    printf ' %d \r\n' "$n"
    for ((i = 1; i <= n; i++)); do record "$links/p$i.jpg" 1 10x15; done
  } >"$project"

  click "$open_x" "$button_y"
  wait_dialog "Marvolia"
  key_until_gone "$dialog" alt+n # No: the order was just saved
  wait_dialog "Open"
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  # Where the dialog lay over the folder browser, in the main window.
  local left=$((X - main_x)) top=$((Y - main_y))
  local right=$((left + WIDTH < frame1[0] + frame1[2] ? left + WIDTH : frame1[0] + frame1[2]))
  local bottom=$((top + HEIGHT < frame1[1] + frame1[3] ? top + HEIGHT : frame1[1] + frame1[3]))
  ((left < frame1[0])) && left=${frame1[0]}
  ((top < frame1[1])) && top=${frame1[1]}
  ((right > left && bottom > top)) || die "the Open dialog does not cover the folder browser"
  local covered
  covered=$(on_screen "$left" "$top" $((right - left)) $((bottom - top)))

  key ctrl+a
  xdotool type --delay 15 -- "$project"
  sleep 0.3
  # Screenshots from before the name is accepted until the load is over
  # (or 150 of them): the dialog may take a second Return.
  rm -f "$work/load-stop"
  (for ((i = 0; i < 150; i++)); do
    [[ -e $work/load-stop ]] && break
    import -silent -window root "$work/load$i.png"
  done) &
  local shooter=$! began=0
  key_until_gone "$dialog" Return
  for ((i = 0; i < 150; i++)); do
    import -silent -window root "$work/loaded.png"
    if loading_shown "$work/loaded.png"; then
      began=1
    elif ((began || i >= 25)); then
      break
    fi
    sleep 0.2
  done
  touch "$work/load-stop"
  wait "$shooter"
  loading_shown "$work/loaded.png" && die "the load of $n rows did not end"
  sleep 0.5
  import -silent -window root "$work/loaded.png"

  local seen=0 clean=0 first="" last="" bar
  bar=$(on_screen "${progress2[@]}")
  for ((i = 0; i < 150; i++)); do
    [[ -e $work/load$i.png ]] || break
    loading_shown "$work/load$i.png" || continue
    seen=$((seen + 1))
    (($(differing "$work/load$i.png" "$work/loaded.png" "$covered") < 50)) && clean=$((clean + 1))
    [[ -n $first ]] || first=$work/load$i.png
    last=$work/load$i.png
  done
  check "\"Loading...\" is painted while $n rows load ($seen screenshots show it)" \
    [ "$seen" -ge 2 ]
  if ((seen == 0)); then
    check "the closed Open dialog is gone while loading" false
    check "ProgressBar2 is painted during the load" false
  else
    check "the closed Open dialog is gone in every one of them" [ "$clean" -eq "$seen" ]
    check "ProgressBar2 is painted during the load, not the window behind it" \
      [ "$(differing "$first" "$work/loaded.png" "$bar")" -gt 20 ]
    check "... and it moves as the rows come in" [ "$(differing "$first" "$last" "$bar")" -gt 0 ]
  fi
  check "the loaded order hides \"Loading...\" again" not loading_shown "$work/loaded.png"
  check "no message came up while loading $n real photos" no_dialog
}

# A whole folder tree added from the file list's menu, stopped with a real Esc
# from the keyboard while it adds: the rows added so far stay, and one Ctrl+Z
# takes them all back. Sourced by run.sh, after lib.sh and bigload.sh, while
# the big project is open and the file list shows the photos' folder.
# shellcheck disable=SC2154 # work, photos, file_x, real_photos, project: run.sh

saved_count() { head -n 1 "$1" | tr -d ' \r'; }

check_tree_escape() {
  local big=$work/out/big.mvl tree=$photos/more/tree rows before added n=0 f i
  rows=$(saved_count "$big")
  # Month folders of real photos below the folder the file list shows.
  for ((i = 0; i < 30; i++)); do
    mkdir -p "$tree/month$i"
    for f in "$real_photos"/*.jpg; do
      n=$((n + 1))
      ln -s "$f" "$tree/month$i/p$n.jpg"
    done
  done
  ((rows + n <= 999)) || die "the tree of $n photos does not fit beside $rows rows"
  xdotool mousemove "$((main_x + file_x))" "$((main_y + $(file_y 0)))" click 3
  sleep 0.5
  key Up Up Return # the last entry but one: every photo of the folder and its subfolders
  sleep 1
  key Escape
  for ((i = 0; i < 100; i++)); do
    import -silent -window root "$work/tree.png"
    loading_shown "$work/tree.png" || break
    sleep 0.2
  done
  save_open_project "$big"
  added=$(($(saved_count "$big") - rows))
  check "Esc stops adding the tree of $n+ photos midway ($added added)" \
    test "$added" -gt 0 -a "$added" -lt "$n"
  key ctrl+z
  save_open_project "$big"
  check "one Ctrl+Z takes the rows added before Esc back" [ "$(saved_count "$big")" = "$rows" ]
  check "no message came up for a tree without hidden or unreadable folders" no_dialog
  rm -rf "$tree"
}

# What a screen reader finds: the program on a D-Bus session of its own with
# the accessibility bus (at-spi2-core), its tree read and its Help button
# pressed through AT-SPI. Sourced by run.sh, after lib.sh.
# shellcheck disable=SC2154 # work and program are set by run.sh

a11y() {
  timeout 5 gdbus call --address "$a11y_bus" --dest "$1" --object-path "$2" --method "$3" \
    "${@:4}" 2>/dev/null
}
# "role|name|path" of everything under path, list items left out. Properties
# are read one at a time: Qt 6.4's bridge ends the program on GetAll.
a11y_tree() {
  local role child
  role=$(a11y "$1" "$2" org.a11y.atspi.Accessible.GetRoleName | sed -E "s/^\('(.*)',\)$/\1/")
  echo "$role|$(a11y "$1" "$2" org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible \
    Name | sed -E "s/^\(<'(.*)'>,\)$/\1/")|$2"
  [[ $role == list || $role == "combo box" ]] && return
  for child in $(a11y "$1" "$2" org.a11y.atspi.Accessible.GetChildren |
    grep -oE "'/org/a11y/atspi/accessible/[0-9]+'" | tr -d "'"); do
    a11y_tree "$1" "$child"
  done
}
help_pages() { grep -c 'site/mv_help.html$' "$work/opened.log" 2>/dev/null || true; }

check_screen_reader() {
  local session launcher i app="" tree help before expected
  session=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) ||
    die "no D-Bus session could be started"
  export DBUS_SESSION_BUS_ADDRESS=${session%%$'\n'*}
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y.log" 2>&1 &
  launcher=$!
  for ((i = 0; i < 50; i++)); do
    a11y_bus=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
      --method org.a11y.Bus.GetAddress 2>/dev/null | sed -E "s/^\('(.*)',\)$/\1/") && break
    sleep 0.1
  done
  [[ -n $a11y_bus ]] || die "the accessibility bus did not start: $(cat "$work/a11y.log")"

  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$program" "$1"
  for ((i = 0; i < 50 && ${#app} == 0; i++)); do
    app=$(a11y org.a11y.atspi.Registry /org/a11y/atspi/accessible/root \
      org.a11y.atspi.Accessible.GetChildren | grep -oE "':1\.[0-9]+'" | tr -d "'" | head -n1)
    sleep 0.2
  done
  check "a screen reader finds the program" [ -n "$app" ]
  tree=$(a11y_tree "$app" /org/a11y/atspi/accessible/root)
  for expected in "push button|Open a project" "push button|Save the project" \
    "push button|Copy the photos to a folder for the lab" "push button|Write the order list" \
    "push button|Help" "list|Folders" "list|Photos in the folder" "table|Selected photos" \
    "column header|Copies"; do
    check "a screen reader hears \"$expected\"" grep -q "^$expected|" <<<"$tree"
  done
  help=$(grep "^push button|Help|" <<<"$tree" | cut -d'|' -f3)
  before=$(help_pages)
  a11y "$app" "$help" org.a11y.atspi.Action.DoAction 0 >/dev/null
  for ((i = 0; i < 50 && $(help_pages) == before; i++)); do sleep 0.2; done
  check "pressing Help through AT-SPI opens the help page once" \
    [ "$(help_pages)" = $((before + 1)) ]

  stop_program
  kill "$launcher" "${session##*$'\n'}" 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
  unset DBUS_SESSION_BUS_ADDRESS
}

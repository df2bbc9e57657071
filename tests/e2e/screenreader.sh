# What a screen reader finds: the program started on a D-Bus session of its
# own with the accessibility bus (at-spi2-core), its tree read and its Help
# button pressed through AT-SPI, as a screen reader does. Sourced by run.sh,
# after lib.sh.
# shellcheck disable=SC2154 # work, program, app_pid are set by run.sh and lib.sh

a11y_call() {
  timeout 5 gdbus call --address "$a11y_bus" --dest "$1" --object-path "$2" --method "$3" \
    "${@:4}" 2>/dev/null
}
a11y_children() {
  a11y_call "$1" "$2" org.a11y.atspi.Accessible.GetChildren |
    grep -oE "'/org/a11y/atspi/accessible/[0-9a-z]+'" | tr -d "'"
}
a11y_role() { a11y_call "$1" "$2" org.a11y.atspi.Accessible.GetRoleName | sed -E "s/^\('(.*)',\)$/\1/"; }
# One property at a time: Qt 6.4's bridge ends the program on GetAll.
a11y_name() {
  a11y_call "$1" "$2" org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name |
    sed -E "s/^\(<'(.*)'>,\)$/\1/"
}
# "role|name|path" of everything under path; the items of lists left out.
a11y_tree() {
  local bus=$1 path=$2 role child
  role=$(a11y_role "$bus" "$path")
  echo "$role|$(a11y_name "$bus" "$path")|$path"
  [[ $role == list || $role == "combo box" ]] && return
  for child in $(a11y_children "$bus" "$path"); do
    a11y_tree "$bus" "$child"
  done
}
a11y_registered() {
  a11y_call org.a11y.atspi.Registry /org/a11y/atspi/accessible/root \
    org.a11y.atspi.Accessible.GetChildren | grep -oE "':1\.[0-9]+'" | tr -d "'" | head -n1
}

check_screen_reader() {
  local folder=$1 session bus_pid launcher i app="" tree press help before
  command -v gdbus >/dev/null && [[ -x /usr/libexec/at-spi-bus-launcher ]] ||
    die "at-spi2-core or gdbus is missing: run bash tools/install-deps.sh"
  session=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nosyslog) ||
    die "no D-Bus session could be started"
  bus_pid=$(sed -n 2p <<<"$session")
  export DBUS_SESSION_BUS_ADDRESS=$(head -n1 <<<"$session")
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y.log" 2>&1 &
  launcher=$!
  for ((i = 0; i < 50; i++)); do
    a11y_bus=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
      --method org.a11y.Bus.GetAddress 2>/dev/null | sed -E "s/^\('(.*)',\)$/\1/") && break
    sleep 0.1
  done
  [[ -n $a11y_bus ]] || die "the accessibility bus did not start: $(cat "$work/a11y.log")"

  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$program" "$folder"
  for ((i = 0; i < 50; i++)); do
    app=$(a11y_registered) && [[ -n $app ]] && break
    sleep 0.2
  done
  check "a screen reader finds the program" [ -n "$app" ]
  tree=$(a11y_tree "$app" /org/a11y/atspi/accessible/root)
  local expected
  for expected in "push button|Open a project" "push button|Save the project" \
    "push button|Copy the photos to a folder for the lab" "push button|Write the order list" \
    "push button|Help" "list|Folders" "list|Photos in the folder"; do
    check "a screen reader hears \"$expected\"" grep -q "^$expected|" <<<"$tree"
  done
  help=$(grep "^push button|Help|" <<<"$tree" | cut -d'|' -f3)
  press=$(a11y_call "$app" "$help" org.a11y.atspi.Action.GetActions)
  check "the Help button offers the press action first" grep -q "^(\[('Press'" <<<"$press"
  help_pages() { cat "$work/opened.log" 2>/dev/null | grep -c 'site/mv_help.html$' || true; }
  before=$(help_pages)
  a11y_call "$app" "$help" org.a11y.atspi.Action.DoAction 0 >/dev/null
  for ((i = 0; i < 50; i++)); do
    (($(help_pages) > before)) && break
    sleep 0.2
  done
  check "pressing Help through AT-SPI opens the help page once" [ "$(help_pages)" = $((before + 1)) ]

  stop_program
  kill "$launcher" 2>/dev/null
  wait "$launcher" 2>/dev/null || true
  kill "$bus_pid" 2>/dev/null
  unset DBUS_SESSION_BUS_ADDRESS
}

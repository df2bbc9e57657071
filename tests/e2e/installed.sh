# The installed layout: installs the build into a scratch root, checks where
# every file lands, and starts the installed command once. Sourced by run.sh,
# after lib.sh.
# shellcheck disable=SC2154 # work is set by run.sh

icon_size() { identify -format '%wx%h' "$1" 2>/dev/null; }

check_installed_tree() {
  local build=$1 dest=$2
  DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    die "cmake --install failed: $(cat "$work/install.log")"
  local usr=$dest/usr private=$dest/usr/libexec/marvolia
  check "the program is installed in its own folder" [ -x "$private/marvolia" ]
  check "the marker picture and the site pages lie beside it" \
    [ -f "$private/no.jpg" -a -f "$private/site/publ_mv.php" -a -f "$private/site/mv_help.html" ]
  check "the command is a relative link to it" \
    [ "$(readlink "$usr/bin/marvolia")" = "../libexec/marvolia/marvolia" ]
  local desktop=$usr/share/applications/marvolia.desktop
  check "the desktop entry starts the command with the file opened" \
    grep -qx 'Exec=marvolia %f' "$desktop"
  check "the desktop entry declares the project file type" \
    grep -qx 'MimeType=application/x-marvolia-project;' "$desktop"
  if command -v desktop-file-validate >/dev/null; then
    check "the desktop entry is valid" desktop-file-validate "$desktop"
  fi
  check "the project file type is *.mvl" \
    grep -q '<glob pattern="\*.mvl"/>' "$usr/share/mime/packages/marvolia.xml"
  local size
  for size in 16 32 48; do
    check "the icons at $size pixels" [ \
      "$(icon_size "$usr/share/icons/hicolor/${size}x$size/apps/marvolia.png")" = "${size}x$size" -a \
      "$(icon_size "$usr/share/icons/hicolor/${size}x$size/mimetypes/application-x-marvolia-project.png")" \
      = "${size}x$size" ]
  done

  # The command line: help and version on standard output, a wrong option
  # refused with the usage on standard error.
  local out rc version
  version=$(sed -n 's/^project(Marvolia VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  out=$("$usr/bin/marvolia" --version 2>/dev/null) && rc=0 || rc=$?
  check "--version prints \"marvolia $version\" and exits 0" [ "$rc" = 0 -a "$out" = "marvolia $version" ]
  out=$("$usr/bin/marvolia" --help 2>/dev/null) && rc=0 || rc=$?
  check "--help prints the usage and exits 0" [ "$rc" = 0 -a "${out%%$'\n'*}" = "Usage: marvolia [FILE]" ]
  "$usr/bin/marvolia" --bogus >"$work/usage.out" 2>"$work/usage.err" && rc=0 || rc=$?
  check "an unknown option exits 2, the usage on standard error only" \
    [ "$rc" = 2 -a ! -s "$work/usage.out" -a "$(sed -n 2p "$work/usage.err")" = "Usage: marvolia [FILE]" ]

  # Started through the link, the program finds the site pages installed
  # beside it: the web panel over the bottom banner shows the shipped page.
  start_program "$usr/bin/marvolia" "$work"
  expect_colour "the installed program shows its own site page in the web panel" 20 480 "255 255 255"
  stop_program

  open_through_desktop "$usr"
}

# A project file handed to the desktop opens in the installed program: the
# desktop entry and the file type are registered in a scratch data folder of
# their own (its desktop database and MIME cache), and the real xdg-open
# finds the program from there, as a file manager does.
open_through_desktop() {
  local usr=$1 data=$work/data photos
  mkdir -p "$data/applications" "$data/mime/packages" "$work/desktop"
  cp "$usr/share/applications/marvolia.desktop" "$data/applications/"
  cp "$usr/share/mime/packages/marvolia.xml" "$data/mime/packages/"
  update-mime-database "$data/mime" >"$work/mime.log" 2>&1 ||
    die "update-mime-database failed: $(cat "$work/mime.log")"
  update-desktop-database "$data/applications" ||
    die "update-desktop-database failed"
  check "the desktop database names Marvolia for project files" \
    grep -qx 'application/x-marvolia-project=marvolia.desktop;' "$data/applications/mimeinfo.cache"
  photos="$work/desktop"
  convert -size 320x240 xc:'rgb(220,30,30)' "$photos/red.jpg"
  printf ' 1 \r\n%s\r\n2\r\n13x18\r\n' "$photos/red.jpg" >"$photos/order.mvl"
  check "the project file is known by its name" [ "$(XDG_DATA_HOME=$data XDG_DATA_DIRS=/usr/share \
    mimetype --brief "$photos/order.mvl")" = application/x-marvolia-project ]

  # The stub first on the PATH is for what the program opens; this is the
  # desktop's own.
  (cd "$work" && XDG_DATA_HOME=$data XDG_DATA_DIRS=/usr/share PATH="$usr/bin:$PATH" \
    exec /usr/bin/xdg-open "$photos/order.mvl") >"$work/program.log" 2>&1 &
  app_pid=$!
  wait_main_window
  expect_colour "xdg-open started Marvolia with the project: row 1 shows its photo" \
    "$thumb_x" "$(row_y 1)" "$red"
  check "no message came up on opening" no_dialog
  local program_pid
  program_pid=$(xdotool getwindowpid "$main")
  check "the program was started from the installed tree" \
    [ "$(readlink -f "/proc/$program_pid/exe")" = "$(readlink -f "$usr/libexec/marvolia/marvolia")" ]
  kill "$program_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

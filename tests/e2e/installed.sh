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
  check "the desktop entry starts the command with no arguments" grep -qx 'Exec=marvolia' "$desktop"
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

  # Started through the link, the program finds the site pages installed
  # beside it: the web panel over the bottom banner shows the shipped page.
  start_program "$usr/bin/marvolia" "$work"
  expect_colour "the installed program shows its own site page in the web panel" 20 480 "255 255 255"
  stop_program
}

#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test
# (clang and its fuzzer runtime for tools/fuzz.sh; gdk-pixbuf-tests for the
# damaged JPEGs Debian ships, which the hardening tests try; shared-mime-info
# and libfile-mimeinfo-perl so that xdg-open, without a desktop, tells a
# project file by its name in the end-to-end test; lomiri-wallpapers-16.04
# for the real photographs the picture loader is tested on; x11-utils for
# xprop, which reads a window's title as the window manager gets it; dbus-daemon,
# at-spi2-core and libglib2.0-bin so that the end-to-end test reads the
# windows as a screen reader does; libheif, Little CMS, libpng and libwebp for
# the other kinds of photo, with Qt's WebP and TIFF readers; heif-enc and
# libtiff to make and decode them in the tests).
# Run as root on Debian 12; it only reaches Debian's archive.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config clang-format python3
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-qpa-plugins
  libturbojpeg0-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev googletest
  fonts-dejavu-core fonts-liberation2 xdg-utils
  xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils dpkg-dev shared-mime-info libfile-mimeinfo-perl
  clang libclang-rt-14-dev gdk-pixbuf-tests lomiri-wallpapers-16.04
  dbus-daemon at-spi2-core libglib2.0-bin
  libheif-dev libheif-examples qt6-image-formats-plugins liblcms2-dev libpng-dev libwebp-dev
  libtiff-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs everything mewt needs to build, run and test on Debian 12. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libgl-dev libxkbcommon-dev
  libpulse-dev libxcb1-dev libxcb-xinput-dev libxcb-shape0-dev libxcb-xfixes0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick dbus dbus-x11 fonts-dejavu-core
  # the desktop tests: real window managers, X properties and the accessibility bus
  openbox xfwm4 x11-utils wmctrl at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-xlib
  # an XSETTINGS manager serving a desktop theme, as XFCE's settings daemon does
  xsettingsd
  # a compositing manager of its own, for what differs with one (see-through shadows and margins)
  xcompmgr
  # parec records a sink's monitor in the sound tests, from PulseAudio or PipeWire's Pulse service
  pulseaudio-utils
  ca-certificates openssl
  qt6-translations-l10n desktop-file-utils appstream
  # the language picker names Korean, Japanese and Chinese in their own scripts
  fonts-noto-cjk
  # the default font of many desktops: the tests must pass with it as with DejaVu
  fonts-noto-core
)
# A private PulseAudio daemon plays the sound tests' audio. A desktop that runs PipeWire's Pulse
# service keeps it: two Pulse servers would fight over the user's session, and the test then skips.
dpkg-query -W -f='${Status}' pipewire-pulse 2>/dev/null | grep -q "install ok installed" || packages+=(pulseaudio)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/bin/sh
# Writes the licence notices of the libraries mewt links into resources/notices/, from the licence
# texts Debian ships (base-files and the libxcb packages). Run it again when a library is added.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/resources/notices"
licences=/usr/share/common-licenses
mkdir -p "$out"

notice() { # file, header, licence files...
    file=$1
    header=$2
    shift 2
    {
        printf '%s\n\n' "$header"
        for licence in "$@"; do
            cat "$licence"
            printf '\n'
        done
    } >"$out/$file.txt"
}

notice Qt-6-LGPL-3.0 \
    "Qt 6 (Qt Core, Gui, Widgets, Network, D-Bus and SVG), copyright The Qt Company Ltd. and other contributors, is used under the GNU Lesser General Public License version 3, which follows, together with the GNU General Public License version 3 that it builds on. Its source code is available at https://download.qt.io/." \
    "$licences/LGPL-3" "$licences/GPL-3"

notice libpulse-LGPL-2.1 \
    "The PulseAudio client library (libpulse), copyright its authors, is used under the GNU Lesser General Public License version 2.1, which follows. Its source code is available at https://www.freedesktop.org/wiki/Software/PulseAudio/." \
    "$licences/LGPL-2.1"

# The notice proper starts at the copyright line; what comes before is Debian's packaging history.
sed -n '/^Copyright (C)/,$p' /usr/share/doc/libxcb1/copyright >"$out/libxcb-MIT.body"
notice libxcb-MIT \
    "libxcb and its XInput, Shape and XFixes extension libraries (libxcb-xinput, libxcb-shape, libxcb-xfixes), the X protocol C-language binding, are used under the MIT/X11 licence, which follows." \
    "$out/libxcb-MIT.body"
rm "$out/libxcb-MIT.body"

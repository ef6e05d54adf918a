#!/usr/bin/env bash
# Runs a command on a desktop of its own: a private X display, session bus and accessibility bus,
# and the window manager named first (openbox, xfwm4 or none). Nothing reaches the user's desktop.
#   [MEWT_TEST_WM_LATER=1] session.sh WM [WxH] -- COMMAND [ARGS...]
set -euo pipefail
wm=$1; shift
size=1600x900
[ "$1" != -- ] && { size=$1; shift; }
[ "$1" = -- ] && shift
for tool in Xvfb xdotool xprop dbus-launch /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing; scripts/install-deps.sh installs it"; exit 77; }
done
[ "$wm" = none ] || command -v "$wm" >/dev/null || { echo "SKIP: $wm is missing"; exit 77; }

# Xvfb picks a free display itself and says which: two tests started at once never share one. It
# must not reset when its last client leaves (between two xdotool calls): a client connecting
# then is turned away.
home=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" ${DBUS_SESSION_BUS_PID:-} 2>/dev/null || true; }
# The test's own status stands: xfwm4's settings daemon may still be writing into $home while the
# buses go down, which must not fail a test that passed.
trap 'status=$?; cleanup; rm -rf "$home" 2>/dev/null || { sleep 0.5; rm -rf "$home"; } || true; exit $status' EXIT
Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp 3>"$home/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 200); do [ -s "$home/display" ] && break; sleep 0.05; done
n=$(head -n 1 "$home/display")
[ -n "$n" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$n" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0
unset WAYLAND_DISPLAY QT_ACCESSIBILITY
export XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" XDG_DATA_HOME="$home/data"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME"; chmod 700 "$XDG_RUNTIME_DIR"
# The test's desktop has no notification server, whatever this machine has installed: one the bus
# could start (xfce4-notifyd, dunst) would take the notification banner away. This entry comes first.
mkdir -p "$XDG_DATA_HOME/dbus-1/services"
printf '[D-BUS Service]\nName=org.freedesktop.Notifications\nExec=/bin/false\n' \
  >"$XDG_DATA_HOME/dbus-1/services/org.freedesktop.Notifications.service"
eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.05
done
case $wm in
  none) manager=() ;;
  openbox) manager=(openbox --sm-disable) ;;
  xfwm4) manager=(xfwm4 --compositor=off --sm-client-disable) ;;
  *) echo "unknown window manager $wm" >&2; exit 2 ;;
esac
export MEWT_TEST_WM=$wm MEWT_TEST_WM_COMMAND="${manager[*]}"
# With MEWT_TEST_WM_LATER=1 the test starts the manager itself, beside the app as a login does
# (desktop.start_manager).
if [ "$wm" != none ] && [ "${MEWT_TEST_WM_LATER:-0}" != 1 ]; then
  "${manager[@]}" >/dev/null 2>&1 & pids+=($!)
  # The manager is up once it owns the screen's selection.
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.05; done
fi
"$@"

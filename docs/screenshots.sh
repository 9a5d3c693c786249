#!/usr/bin/env bash
# Takes docs/port-setup.png and docs/main-window.png from the built program on a
# virtual X display: Port Setup as it opens, then the main window with COM1.
# Usage: docs/screenshots.sh [path/to/veltran]   (default: the build of scripts/run)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
veltran=${1:-$root/build/run/app/veltran}
[[ -x "$veltran" ]] || { echo "screenshots: no program at $veltran; build it first (scripts/run)" >&2; exit 1; }
veltran=$(realpath "$veltran")
for tool in Xvfb xdotool import script; do
    command -v "$tool" >/dev/null || { echo "screenshots: needs $tool (Xvfb, xdotool, ImageMagick, util-linux)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# wait_for FILE: until a background helper has written it.
wait_for() {
    for _ in $(seq 100); do [[ -s "$1" ]] && return; sleep 0.1; done
    echo "screenshots: gave up waiting for $1" >&2
    exit 1
}

"$root/samples/generate"
cp "$root"/samples/*.CSF "$work/"

# COM1 leads to a pseudo-terminal that `script` holds open; the start-up probe
# only opens and closes it.
script -q -c "tty > '$work/tty'; exec sleep 300" /dev/null </dev/null >/dev/null 2>&1 &
pids+=($!)
wait_for "$work/tty"
mkdir -p "$work/config/veltran/devices" "$work/runtime"
chmod 700 "$work/runtime"
ln -s "$(cat "$work/tty")" "$work/config/veltran/devices/com1"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for "$work/display"
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"

(cd "$work" && exec "$veltran") &
pids+=($!)

# shoot TITLE FILE: the window with that title once it is on screen and painted.
shoot() {
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -1)
    [[ -n "$id" ]] || { echo "screenshots: no window \"$1\" appeared" >&2; exit 1; }
    xdotool windowfocus --sync "$id"
    sleep 0.5
    import -window "$id" "$root/docs/$2"
    echo "screenshots: docs/$2"
}

shoot "Port Setup" port-setup.png
xdotool key Return
shoot "Quorvex Command Set Download Utility" main-window.png
xdotool key Escape

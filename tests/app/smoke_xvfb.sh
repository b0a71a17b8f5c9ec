#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program under Xvfb on the xcb platform and waits until its window is mapped
# with the title "Framolin" at the design's client size (plus the menu bar), and is still
# running a moment later. (With no window manager there is nobody to deliver a close request;
# closing is covered by the widget tests.)
set -euo pipefail
program=$1
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -u
    export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$(mktemp -d)
    "$0" & pid=$!
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^Framolin$" 2>/dev/null | head -n1) && [ -n "$id" ] && break
        sleep 0.1
    done
    if [ -z "${id:-}" ]; then echo "no Framolin window appeared"; kill $pid; exit 1; fi
    geometry=$(xdotool getwindowgeometry "$id")
    echo "$geometry"
    size=$(echo "$geometry" | sed -n "s/.*Geometry: //p")
    width=${size%x*} height=${size#*x}
    if [ "$width" != 512 ] || [ "$height" -lt 609 ]; then echo "unexpected size $size"; kill $pid; exit 1; fi
    sleep 1
    if ! kill -0 $pid 2>/dev/null; then echo "program ended by itself"; exit 1; fi
    kill $pid; wait $pid 2>/dev/null
    echo "ok"
    exit 0
' "$program"

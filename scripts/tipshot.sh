#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tipshot.sh OUT.png X Y [PROGRAM]: starts the program on a private X display (Xvfb, no window
# manager), rests the mouse at screen position X,Y, waits for the tooltip and saves a
# screenshot of the whole screen. Needs xvfb, xdotool and ImageMagick.
set -u
out=${1:?usage: tipshot.sh OUT.png X Y [PROGRAM]}
x=${2:?} y=${3:?}
program=${4:-build/src/app/framolin}
for n in $(seq 150 199); do [ -e /tmp/.X$n-lock ] || break; done
Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xpid=$!
sleep 1
DISPLAY=:$n "$program" >/dev/null 2>&1 & cpid=$!
sleep 2
# Arrive next to the control, then move onto it and rest, as a hand would.
DISPLAY=:$n xdotool mousemove $((x - 30)) $((y - 30))
sleep 0.3
DISPLAY=:$n xdotool mousemove "$x" "$y"
sleep 1.5
DISPLAY=:$n import -window root "$out"
kill "$cpid" 2>/dev/null; wait "$cpid" 2>/dev/null
kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null
echo "$out"

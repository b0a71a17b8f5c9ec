#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens strips of 360 frames of 320 x 200 in headless Chromium, as a web viewer would: the
# one-column PNG (72,000 rows), a 12-column PNG sheet and the two sheets written for a page must
# decode at their full size. The one-column BMP is the case browsers refuse, which is why
# framolin-strip warns about it.
# Skipped (77) where Chromium is not installed.
set -euo pipefail
strip=$1 samples=$2
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "chromium is not installed: skipped"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
inputs=()
for _ in $(seq 10); do inputs+=("$samples"); done # 36 samples, ten times over
"$strip" -q -o "$dir/spin.png" "${inputs[@]}"
"$strip" -q --columns 12 -o "$dir/sheet.png" "${inputs[@]}"
"$strip" -q -o "$dir/spin.bmp" "${inputs[@]}" 2>/dev/null
# The same frames for a page: mobile sheets, 4096 pixels a side at most.
"$strip" -q -o "$dir/set.png" --html "$dir/set.html" "${inputs[@]}"
cat >"$dir/page.html" <<'HTML'
<!doctype html><body><img id="spin" src="spin.png"><img id="sheet" src="sheet.png">
<img id="bmp" src="spin.bmp"><img id="set-0" src="set-0.png"><img id="set-1" src="set-1.png"><script>
onload = () => { const p = document.createElement('pre'); p.id = 'sizes';
  p.textContent = ['spin', 'sheet', 'bmp', 'set-0', 'set-1'].map(id => { const i = document.getElementById(id);
    return id + '=' + i.naturalWidth + 'x' + i.naturalHeight; }).join(' ');
  document.body.prepend(p); };
</script></body>
HTML
sizes=$(timeout 120 "$browser" --headless --no-sandbox --disable-gpu --user-data-dir="$dir/profile" \
    --allow-file-access-from-files --virtual-time-budget=10000 --dump-dom "file://$dir/page.html" \
    2>/dev/null | sed -n 's/.*<pre id="sizes">\([^<]*\).*/\1/p')
echo "Chromium: $sizes"
[ "$sizes" = "spin=320x72000 sheet=3840x6000 bmp=0x0 set-0=3200x3600 set-1=3200x3600" ] || { echo "unexpected sizes"; exit 1; }
echo ok

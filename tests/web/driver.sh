# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the browser tests: the browser driver, a test-only tool from npm, kept beside the
# build in $work/../node so it is fetched once for all of them. Sets `driver`; exits 77 (skipped)
# when npm cannot give it.
driver="$work/../node"
if [ ! -d "$driver/node_modules/puppeteer-core" ]; then
    mkdir -p "$driver"
    if ! npm install --silent --no-audit --no-fund --prefix "$driver" puppeteer-core@22.15.0 >&2; then
        echo "SKIP: puppeteer-core could not be installed from npm"
        exit 77
    fi
fi

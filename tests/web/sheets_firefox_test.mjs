// SPDX-License-Identifier: GPL-3.0-or-later
// Opens every sheet of the manifests given in a real headless Firefox and checks that each
// decodes at its size, its middle pixel drawn opaque (a sheet Firefox cannot decode still fires
// `load`, but draws nothing). Usage: node sheets_firefox_test.mjs FIREFOX MANIFEST.json ...
// Prints "N passed, N failed"; exit status 1 on any failure.
import puppeteer from "puppeteer-core";
import { readFileSync } from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";

const [firefox, ...manifests] = process.argv.slice(2);
let passed = 0;
let failed = 0;

const browser = await puppeteer.launch({
  product: "firefox", protocol: "webDriverBiDi", executablePath: firefox, headless: true,
});
try {
  const page = await browser.newPage();
  for (const manifestPath of manifests) {
    const manifest = JSON.parse(readFileSync(manifestPath, "utf8"));
    await page.goto(pathToFileURL(manifestPath).href);
    for (const sheet of manifest.sheets) {
      const url = new URL(sheet.file, pathToFileURL(manifestPath)).href;
      const seen = await page.evaluate(async (url) => {
        const image = new Image();
        image.src = url;
        try {
          await image.decode();
        } catch (error) {
          return { error: String(error) };
        }
        const canvas = document.createElement("canvas");
        canvas.width = canvas.height = 1;
        const x = Math.floor(image.naturalWidth / 2), y = Math.floor(image.naturalHeight / 2);
        canvas.getContext("2d").drawImage(image, x, y, 1, 1, 0, 0, 1, 1);
        const alpha = canvas.getContext("2d").getImageData(0, 0, 1, 1).data[3];
        return { width: image.naturalWidth, height: image.naturalHeight, alpha };
      }, url);
      const ok = !seen.error && seen.width === sheet.width && seen.height === sheet.height
        && seen.alpha === 255;
      if (ok) passed++;
      else failed++;
      console.log(`${ok ? "ok  " : "FAIL"} ${path.basename(sheet.file)}: ${JSON.stringify(seen)}`
        + ` (${sheet.width} × ${sheet.height} expected)`);
    }
  }
} finally {
  await browser.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed || !passed ? 1 : 0);

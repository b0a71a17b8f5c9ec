// SPDX-License-Identifier: GPL-3.0-or-later
// Opens every sheet of the manifests given in a real headless Firefox and checks that each
// decodes at its size, its middle pixel drawn opaque (a sheet Firefox cannot decode still fires
// `load`, but draws nothing). Usage: node sheets_firefox_test.mjs FIREFOX MANIFEST.json ...
// Prints one line a sheet; exit status 1 on any failure.
import puppeteer from "puppeteer-core";
import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";

const [firefox, ...manifests] = process.argv.slice(2);
const browser = await puppeteer.launch({
  product: "firefox", protocol: "webDriverBiDi", executablePath: firefox, headless: true });
const page = await browser.newPage();
let failed = 0;
for (const at of manifests) {
  await page.goto(pathToFileURL(at).href);
  for (const sheet of JSON.parse(readFileSync(at, "utf8")).sheets) {
    const seen = await page.evaluate(async (url) => {
      const image = new Image();
      image.src = url;
      await image.decode().catch(() => {});
      const context = document.createElement("canvas").getContext("2d");
      context.drawImage(image, image.naturalWidth >> 1, image.naturalHeight >> 1, 1, 1, 0, 0, 1, 1);
      return [image.naturalWidth, image.naturalHeight, context.getImageData(0, 0, 1, 1).data[3]];
    }, new URL(sheet.file, pathToFileURL(at)).href);
    const ok = `${seen}` === `${sheet.width},${sheet.height},255`;
    failed += !ok;
    console.log(`${ok ? "ok  " : "FAIL"} ${sheet.file}: ${seen} (${sheet.width} × ${sheet.height})`);
  }
}
await browser.close();
process.exit(failed ? 1 : 0);

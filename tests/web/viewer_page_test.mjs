// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the viewer pages that framolin-strip writes in a real headless Chromium, turns them
// with real mouse, wheel and key input, and compares what the page shows with the strip's own
// slices. Usage: node viewer_page_test.mjs CHROMIUM WORKDIR PAGE.html:FRAMES:COLUMNS[:SHEETS] ...
// Prints "N passed, N failed"; exit status 1 on any failure.
import puppeteer from "puppeteer-core";
import { readFileSync, writeFileSync } from "node:fs";
import path from "node:path";

const [chromium, workDir, ...pages] = process.argv.slice(2);
const tolerance = 2.0; // mean absolute difference per channel, 0..255
const pixelsPerFrame = 8;
let passed = 0;
let failed = 0;

function check(ok, what) {
  if (ok) passed++;
  else failed++;
  console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
}

// Mean absolute difference between the screenshot and frame `index` of the strip, worked out
// in the page from the strip decoded on its own.
async function difference(page, shot, stripUrl, index, columns, width, height) {
  return page.evaluate(
    async (shotUrl, stripUrl, index, columns, width, height) => {
      const load = (src) => new Promise((resolve, reject) => {
        const image = new Image();
        image.onload = () => resolve(image);
        image.onerror = () => reject(new Error("cannot load " + src.slice(0, 60)));
        image.src = src;
      });
      const pixels = (image, sx, sy) => {
        const canvas = document.createElement("canvas");
        canvas.width = width;
        canvas.height = height;
        const context = canvas.getContext("2d");
        context.drawImage(image, sx, sy, width, height, 0, 0, width, height);
        return context.getImageData(0, 0, width, height).data;
      };
      const shown = pixels(await load(shotUrl), 0, 0);
      const strip = await load(stripUrl);
      const expected = pixels(strip, (index % columns) * width,
                              Math.floor(index / columns) * height);
      let sum = 0;
      for (let i = 0; i < shown.length; i += 4)
        for (let c = 0; c < 3; c++) sum += Math.abs(shown[i + c] - expected[i + c]);
      return sum / (shown.length / 4 * 3);
    },
    "data:image/png;base64," + shot.toString("base64"), stripUrl, index, columns, width, height);
}

// Runs the scripted turns on one page; returns the largest difference seen and saves a
// screenshot taken mid-turn.
async function turnPage(browser, pagePath, frames, columns, sheets) {
  const page = await browser.newPage();
  await page.setViewport({ width: 900, height: 700, deviceScaleFactor: 1 });
  await page.goto("file://" + pagePath);
  await page.waitForFunction(() => window.framolinViewer && window.framolinViewer.ready,
                             { timeout: 20000 });
  const html = readFileSync(pagePath, "utf8");
  const config = JSON.parse(html.match(/const config = (\{.*\});/)[1]);
  // The sheet that holds frame `f`, the frame's place in it and the sheet's columns.
  const slice = (f) => {
    const sheet = config.sheets.find((s) => f < s.firstFrame + s.frameCount);
    return [new URL(sheet.file, "file://" + pagePath).href, f - sheet.firstFrame, sheet.columns];
  };
  check(config.sheets.length === sheets && config.sheets[0].columns === columns,
        `${path.basename(pagePath)}: ${sheets} sheet(s) of ${columns} column(s)`);
  const canvas = await page.$("canvas");
  const box = await canvas.boundingBox();
  const y = box.y + box.height / 2;

  // The expected frame after each step, with `frames` the strip's real count.
  const wrap = (i) => ((i % frames) + frames) % frames;
  const steps = [
    ["Home", async () => page.keyboard.press("Home"), () => 0],
    ["drag right 3 frames", async () => {
      await page.mouse.move(box.x + 100, y);
      await page.mouse.down();
      await page.mouse.move(box.x + 100 + 3 * pixelsPerFrame + 4, y, { steps: 5 });
      await page.mouse.up();
    }, (f) => wrap(f + 3)],
    ["ArrowRight", async () => page.keyboard.press("ArrowRight"), (f) => wrap(f + 1)],
    ["drag left 6 frames", async () => {
      await page.mouse.move(box.x + 200, y);
      await page.mouse.down();
      await page.mouse.move(box.x + 200 - 6 * pixelsPerFrame - 1, y, { steps: 5 });
      await page.mouse.up();
    }, (f) => wrap(f - 6)],
    ["ArrowLeft past the first frame", async () => page.keyboard.press("ArrowLeft"),
     (f) => wrap(f - 1)],
    ["wheel towards the reader", async () => {
      await page.mouse.move(box.x + 50, y);
      await page.mouse.wheel({ deltaY: 100 });
    }, (f) => wrap(f + 1)],
    ["End", async () => page.keyboard.press("End"), () => frames - 1],
    ["ArrowDown past the last frame", async () => page.keyboard.press("ArrowDown"),
     (f) => wrap(f + 1)],
  ];
  let frame = 0;
  let worst = 0;
  for (const [name, act, next] of steps) {
    await act();
    frame = next(frame);
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
    const shot = await canvas.screenshot({ type: "png" });
    const mad = await difference(page, shot, ...slice(frame), config.frameWidth,
                                 config.frameHeight);
    worst = Math.max(worst, mad);
    console.log(`     ${path.basename(pagePath)}: ${name} -> frame ${frame + 1}, ` +
                `difference ${mad.toFixed(3)}`);
    if (name.startsWith("drag left"))
      await page.screenshot({ path: path.join(workDir, path.basename(pagePath) + ".png") });
  }
  await page.close();
  return worst;
}

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: "new",
  args: ["--no-sandbox", "--allow-file-access-from-files", "--disable-gpu",
         "--force-color-profile=srgb"],
});
try {
  for (const spec of pages) {
    const [pagePath, frames, columns, sheets] = spec.split(":");
    const worst = await turnPage(browser, pagePath, Number(frames), Number(columns),
                                 Number(sheets || 1));
    check(worst <= tolerance,
          `${path.basename(pagePath)}: every frame shown matches its slice ` +
          `(largest difference ${worst.toFixed(3)}, tolerance ${tolerance})`);
  }

  // A page told one frame too few wraps to the wrong frame: the comparison must see it.
  const [first, framesText, columnsText] = pages[0].split(":");
  const wrongPath = path.join(workDir, "wrong-count.html");
  const frames = Number(framesText);
  writeFileSync(wrongPath, readFileSync(first, "utf8")
    .replace(`"frames":${frames}`, `"frames":${frames - 1}`)
    .replace(/"file":"([^"]*)"/g, (m, s) => `"file":"${path.relative(workDir,
      path.resolve(path.dirname(first), decodeURIComponent(s)))}"`));
  const wrongWorst = await turnPage(browser, wrongPath, frames, Number(columnsText), 1);
  check(wrongWorst > tolerance,
        `a page with a wrong frame count fails the comparison (largest difference ` +
        `${wrongWorst.toFixed(3)})`);

  // A strip that is not there: a message, not a blank box.
  const missingPath = path.join(workDir, "missing-strip.html");
  writeFileSync(missingPath, readFileSync(first, "utf8")
    .replace(/"file":"[^"]*"/, `"file":"no-such-strip.png"`));
  const page = await browser.newPage();
  await page.goto("file://" + missingPath);
  await page.waitForFunction(
    () => !document.querySelector(".message").hidden &&
          document.querySelector(".message").textContent.includes("could not be loaded"),
    { timeout: 20000 });
  check(true, "a missing strip shows a message");
  await page.close();
} catch (error) {
  check(false, String(error && error.stack || error));
} finally {
  await browser.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);

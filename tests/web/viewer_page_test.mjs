// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the viewer pages that framolin-strip writes in real headless Chromium and Firefox, from
// disk and from a local web server, turns them with real mouse, wheel and key input, and compares
// what the page shows with the strip's own slices; then checks the element inside a shop's page.
// Usage: node viewer_page_test.mjs CHROMIUM FIREFOX WORKDIR PAGE.html:FRAMES:COLUMNS[:SHEETS] ...
// Prints "N passed, N failed"; exit status 1 on any failure.
import puppeteer from "puppeteer-core";
import { existsSync, readFileSync, writeFileSync } from "node:fs";
import http from "node:http";
import path from "node:path";

const [chromium, firefox, workDir, ...pages] = process.argv.slice(2);
const tolerance = 2.0; // mean absolute difference per channel, 0..255
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

// The work folder over HTTP, noting each file asked for.
const asked = [];
const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, "http://h").pathname).slice(1);
  const type = { ".js": "text/javascript", ".html": "text/html" }[path.extname(name)] || "";
  const file = path.join(workDir, name);
  if (asked.push(name) && !existsSync(file)) return response.writeHead(404).end();
  response.writeHead(200, { "Content-Type": type }).end(readFileSync(file));
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const bases = [`file://${path.resolve(workDir)}/`, `http://127.0.0.1:${server.address().port}/`];
const spin = (page, what = "ready") => page.waitForFunction(
  (what) => document.querySelector("framolin-spin")?.[what], { timeout: 20000 }, what);
const state = (page) => page.$eval("framolin-spin", (e) => ({ frame: e.frame, playing: e.playing,
  width: e.clientWidth, scroll: scrollY,
  message: e.shadowRoot.querySelector(".message").textContent }));
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Runs the scripted turns on one page; returns the largest difference seen and saves a
// screenshot taken mid-turn.
async function turnPage(browser, url, frames, columns, sheets) {
  const page = await browser.newPage();
  await page.setViewport({ width: 900, height: 700, deviceScaleFactor: 1 });
  await page.goto(url);
  await spin(page);
  const config = JSON.parse(await page.$eval("framolin-spin script", (s) => s.textContent));
  // The sheet that holds frame `f`, the frame's place in it and the sheet's columns.
  const slice = (f) => {
    const sheet = config.sheets.find((s) => f < s.firstFrame + s.frameCount);
    return [new URL(sheet.file, url).href, f - sheet.firstFrame, sheet.columns];
  };
  check(config.sheets.length === sheets && config.sheets[0].columns === columns,
        `${url}: ${sheets} sheet(s) of ${columns} column(s)`);
  const canvas = await page.$("framolin-spin >>> canvas");
  const box = await canvas.boundingBox();
  await page.focus("framolin-spin >>> .stage"); // keys turn it only while it has focus
  const y = box.y + box.height / 2;
  // One turn is the element's width; the expected angle and lane after each step, with
  // `frames` the strip's real count.
  const [lanes, perLane] = [config.lanes, frames / config.lanes];
  const wrap = (i) => ((i % perLane) + perLane) % perLane;
  const key = (name) => async () => page.keyboard.press(name);
  const drag = (from, turn) => async () => {
    await page.mouse.move(box.x + from, y);
    await page.mouse.down();
    await page.mouse.move(box.x + from + turn * box.width / perLane, y, { steps: 5 });
    await page.mouse.up();
  };
  const steps = [
    ["Home", key("Home"), ([, l]) => [0, l]],
    ["drag right 3 frames", drag(100, 3.5), ([a, l]) => [wrap(a + 3), l]],
    ["ArrowRight", key("ArrowRight"), ([a, l]) => [wrap(a + 1), l]],
    ["ArrowDown, the next lane", key("ArrowDown"), ([a, l]) => [a, Math.min(l + 1, lanes - 1)]],
    ["drag left 6 frames", drag(200, -6.5), ([a, l]) => [wrap(a - 6), l]],
    ["ArrowLeft", key("ArrowLeft"), ([a, l]) => [wrap(a - 1), l]],
    ["wheel", () => page.mouse.wheel({ deltaY: 100 }), ([a, l]) => [wrap(a + 1), l]],
    ["End", key("End"), ([, l]) => [perLane - 1, l]],
    ["ArrowRight past the last frame", key("ArrowRight"), ([a, l]) => [wrap(a + 1), l]],
    ["play and pause", async () => { await key(" ")(); await pause(300); await key(" ")(); },
     ([a, l], shown) => [shown % perLane === a ? -1 : shown % perLane, l]], // it must move
  ];
  let at = [0, 0];
  let worst = 0;
  for (const [step, act, next] of steps) {
    await act();
    at = next(at, (await state(page)).frame);
    const frame = at[1] * perLane + at[0];
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
    const shot = await canvas.screenshot({ type: "png" });
    const mad = at[0] < 0 ? Infinity : await difference(page, shot, ...slice(frame),
                                                        config.frameWidth, config.frameHeight);
    worst = Math.max(worst, mad);
    console.log(`     ${url}: ${step} -> frame ${frame + 1}, difference ${mad.toFixed(3)}`);
  }
  await page.close();
  return worst;
}

// Each browser, with a shop's page around the element where it can emulate what is asked.
async function checkBrowser(browser, kind) {
  for (const base of bases) {
    for (const entry of pages) {
      const [name, frames, columns, sheets] = entry.split(":");
      const worst = await turnPage(browser, base + name, +frames, +columns, +(sheets || 1));
      check(worst <= tolerance, `${kind} ${base + name}: every frame shown matches its slice ` +
                                `(largest difference ${worst.toFixed(3)}, tolerance ${tolerance})`);
    }
    // A page told one frame too few wraps to the wrong frame: the comparison must see it.
    const wrong = base + "wrong-count.html";
    check(await turnPage(browser, wrong, 36, 1, 1) > tolerance, `${kind} ${wrong} fails`);
    for (const file of ["no-such-strip.png", "broken.png"]) {
      const page = await browser.newPage();
      await page.goto(base + file + ".html");
      await spin(page, "failed");
      const shown = await state(page);
      check(shown.message.includes(file) && !shown.playing, `${kind} ${base}: "${shown.message}"`);
    }
  }
  const page = await browser.newPage();
  asked.length = 0;
  await page.goto(bases[1] + "shop.html");
  await spin(page, "manifest");
  await pause(500);
  check(!asked.some((f) => f.startsWith("set")), `${kind}: no sheet before it is in view`);
  await page.click("#q");
  await page.keyboard.type("red shoe");
  for (const k of ["ArrowLeft", "ArrowLeft", "X"]) await page.keyboard.press(k);
  const typed = await page.$eval("#q", (q) => q.value);
  await page.$eval("framolin-spin", (e) => e.scrollIntoView({ block: "end" }));
  await spin(page);
  const before = await state(page);
  await page.hover("framolin-spin");
  await page.mouse.wheel({ deltaY: 120 });
  await pause(300);
  const after = await state(page);
  check(typed === "red shXoe" && asked.includes("set-0.png"), `${kind}: typed "${typed}", loaded`);
  check(after.scroll > before.scroll && after.frame === 0, `${kind}: the wheel scrolls the page`);
}

// What Chromium alone emulates: a phone, reduced motion, and no JavaScript.
async function checkPhone(browser) {
  const page = await browser.newPage();
  await page.setViewport({ width: 375, height: 700, deviceScaleFactor: 3, isMobile: true,
                           hasTouch: true });
  asked.length = 0;
  await page.goto(bases[1] + "shop.html");
  await page.$eval("framolin-spin", (e) => e.scrollIntoView({ block: "center" }));
  await spin(page);
  const box = await (await page.$("framolin-spin")).boundingBox();
  const [x, y] = [box.x + box.width / 2, box.y + box.height / 3];
  const swipe = async (dx, dy) => {
    await page.touchscreen.touchStart(x, y);
    for (let i = 1; i <= 8; i++) await page.touchscreen.touchMove(x + dx * i / 8, y + dy * i / 8);
    return state(page, await page.touchscreen.touchEnd(), await pause(400));
  };
  const [before, across, down] = [await state(page), await swipe(-150, 0), await swipe(0, -200)];
  check(before.width === 375 - 32 && asked.includes("set2x-0.png") && !asked.includes("set-0.png"),
        `phone: ${before.width} pixels wide, 2 × sheets`);
  check(across.frame !== 0 && across.scroll === before.scroll, "phone: a swipe across turns");
  check(down.frame === across.frame && down.scroll > across.scroll, "phone: a swipe up scrolls");
  for (const [motion, playing] of [["reduce", false], ["no-preference", true]]) {
    const page = await browser.newPage();
    await page.emulateMediaFeatures([{ name: "prefers-reduced-motion", value: motion }]);
    await page.goto(bases[1] + "sheets.html");
    await spin(page);
    check((await state(page)).playing === playing, `reduced motion ${motion}: playing ${playing}`);
  }
  const still = await browser.newPage();
  await still.setJavaScriptEnabled(false);
  await still.goto(bases[1] + "shop.html");
  const poster = await still.$eval("img", (i) => i.complete && i.naturalWidth);
  check(poster === 400, `without JavaScript the poster shows (${poster} pixels wide)`);
}

const shop = JSON.parse(readFileSync(path.join(workDir, "set.json"), "utf8"));
shop.sheets2x = JSON.parse(readFileSync(path.join(workDir, "set2x.json"), "utf8")).sheets;
shop.poster = { file: "poster.jpg", width: 400, height: 250 };
writeFileSync(path.join(workDir, "shop.json"), JSON.stringify(shop));
const text = "<p>Leather upper, rubber sole. ".repeat(80);
writeFileSync(path.join(workDir, "shop.html"), `<!doctype html><html lang="es">
<meta name="viewport" content="width=device-width, initial-scale=1"><body style="margin:16px">
<h1>Red shoe</h1><input id="q">${text}` + readFileSync(path.join(workDir, "embed.html"), "utf8")
  .replace("set2x.json", "shop.json").replace(" autoplay", "").replace("></framolin-spin>",
    '><noscript><img src="poster.jpg" alt="Red shoe"></noscript></framolin-spin>') + text);
const first = readFileSync(path.join(workDir, pages[0].split(":")[0]), "utf8");
writeFileSync(path.join(workDir, "wrong-count.html"),
              first.replace(/"(frames|framesPerLane)":36/g, '"$1":35'));
for (const file of ["no-such-strip.png", "broken.png"])
  writeFileSync(path.join(workDir, `${file}.html`),
                first.replace(/"file":"[^"]*"/, `"file":"${file}"`));
writeFileSync(path.join(workDir, "broken.png"), "not a picture");

const launches = [["chromium", { executablePath: chromium, headless: "new", args: ["--no-sandbox",
  "--allow-file-access-from-files", "--disable-gpu", "--force-color-profile=srgb"] }]];
if (firefox) // Firefox through WebDriver BiDi; a page from disk may read images beside it
  launches.push(["firefox", { browser: "firefox", product: "firefox", protocol: "webDriverBiDi",
    executablePath: firefox, extraPrefsFirefox: { "security.fileuri.strict_origin_policy": false },
  }]);
for (const [kind, options] of launches) {
  const browser = await puppeteer.launch(options);
  try {
    await checkBrowser(browser, kind);
    if (kind === "chromium") await checkPhone(browser);
  } catch (error) {
    check(false, `${kind}: ` + String(error && error.stack || error));
  } finally {
    await browser.close();
  }
}
server.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);

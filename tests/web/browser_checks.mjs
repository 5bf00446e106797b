// Trelvan's web page in Debian's headless Chromium, driven through the DevTools
// protocol as a user would, the page's zip unpacked and served on 127.0.0.1
// by this script:
//   - the window appears at 792 x 557 in the middle of the page, which is titled
//     Trelvan and asks for nothing but its own files;
//   - the default calculation's seven read-outs, read back through the clipboard;
//   - typed designs give the read-outs of the build machine's own calculation
//     (the readouts tool), and a rejected one the error box: titled 错误信息,
//     saying 输入数据不合理 with the one button 确定, modal over the window, and
//     nothing on the window changes;
//   - under the browser's dark colour scheme the window is drawn as designed;
//   - at device pixel ratio 2 the window has twice the pixels and its lines stay sharp;
//   - the exit button ends the program; the page says so and starts it again;
//   - it can be installed as an app, and with the network cut after a first
//     visit it opens from its service worker.
// Each check leaves a screenshot in OUT.
//
//   node browser_checks.mjs ZIP HOST_TOOLS OUT
//
// ZIP is build/web/trelvan-<version>-web.zip; HOST_TOOLS holds the build
// machine's layout_facts and readouts.
import { execFileSync } from "node:child_process";
import { mkdirSync, readFileSync } from "node:fs";
import path from "node:path";
import { firstFrameProbe, launchChromium, serve, untilWindowDrawn } from "./page_harness.mjs";

const [zip, hostTools, out] = process.argv.slice(2);
if (!out) {
  console.error("usage: node browser_checks.mjs ZIP HOST_TOOLS OUT");
  process.exit(2);
}
mkdirSync(out, { recursive: true });

const factsFile = path.join(out, "layout_facts.json");
execFileSync(path.join(hostTools, "layout_facts"), [path.join(out, "layout_facts.sh"), factsFile]);
const facts = JSON.parse(readFileSync(factsFile, "utf8"));
const inputBoxes = ["Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"];
const readoutBoxes = facts.readouts.map((r) => r.box);

// The read-outs the build machine's calculation gives for seven input texts.
const expectedReadouts = (inputs) =>
  JSON.parse(execFileSync(path.join(hostTools, "readouts"), inputs, { encoding: "utf8" }));

const failures = [];
const check = (condition, what) => {
  if (!condition) {
    failures.push(what);
    console.log(`FAIL: ${what}`);
  }
};
const log = (text) => console.log(`browser: ${text}`);

const server = await serve(zip);
const origin = server.origin;
const browser = await launchChromium();
const context = browser.defaultBrowserContext();
await context.overridePermissions(origin, ["clipboard-read", "clipboard-write",
  "clipboard-sanitized-write"]);

// A page of the browser at a device pixel ratio, with what it asked the network for.
async function openPage(ratio = 1, scheme = "light") {
  const page = await browser.newPage();
  const requested = [];
  page.on("request", (request) => requested.push(request.url()));
  page.on("pageerror", (error) => console.log(`page error: ${error.message}`));
  await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: ratio });
  await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: scheme }]);
  await page.evaluateOnNewDocument(firstFrameProbe);
  await page.goto(`${origin}/`, { waitUntil: "load" });
  await untilWindowDrawn(page);
  const frame = await page.$eval("#frame", (e) => {
    const r = e.getBoundingClientRect();
    return { x: r.x, y: r.y };
  });
  return { page, requested, frame };
}

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function clickControl({ page, frame }, name) {
  const [left, top, width, height] = facts.rect[name];
  await page.mouse.click(frame.x + left + width / 2, frame.y + top + height / 2);
}

async function withControl(page, key) {
  await page.keyboard.down("Control");
  await page.keyboard.press(key);
  await page.keyboard.up("Control");
}

async function typeInto(view, name, text) {
  await clickControl(view, name);
  await withControl(view.page, "a");
  await view.page.keyboard.type(text);
}

// A box's text, as the window copies it to the clipboard.
async function readBox(view, name) {
  await view.page.evaluate(() => navigator.clipboard.writeText("<none>"));
  await clickControl(view, name);
  await withControl(view.page, "a");
  await withControl(view.page, "c");
  for (let i = 0; i < 100; ++i) {
    const text = await view.page.evaluate(() => navigator.clipboard.readText());
    if (text !== "<none>") {
      return text;
    }
    await pause(20);
  }
  return "<nothing copied>";
}

async function readAll(view) {
  const shown = {};
  for (const box of readoutBoxes) {
    shown[box] = await readBox(view, box);
  }
  return shown;
}

const untilOneWindow = (page) => page.waitForFunction(() => document
  .getElementById("qt-shadow-container").shadowRoot.querySelectorAll(".qt-window").length === 1);

const sameReadouts = (a, b) => readoutBoxes.every((box) => a[box] === b[box]);
const describe = (readouts) => readoutBoxes.map((box) => `${box} ${readouts[box]}`).join(", ");

// The Qt windows of the page: their titles, and the main window's size.
const windows = (page) => page.evaluate(() => {
  const root = document.getElementById("qt-shadow-container").shadowRoot;
  return [...root.querySelectorAll(".qt-window")].map((w) => {
    const canvas = w.querySelector("canvas.qt-window-content");
    const r = canvas.getBoundingClientRect();
    return {
      title: w.querySelector(".window-name")?.textContent ?? "",
      blocked: w.classList.contains("blocked"),
      width: r.width, height: r.height, x: r.x, y: r.y,
      canvasWidth: canvas.width, canvasHeight: canvas.height,
    };
  });
});

// A digest of the pixels of the window titled so, and a picture of the page.
const windowDigest = (page, title = facts.window_title) => page.evaluate((title) => {
  const root = document.getElementById("qt-shadow-container").shadowRoot;
  const canvas = [...root.querySelectorAll(".qt-window")]
    .find((w) => w.querySelector(".window-name")?.textContent === title)
    .querySelector("canvas.qt-window-content");
  const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
  let hash = 0;
  for (let i = 0; i < data.length; ++i) {
    hash = (Math.imul(hash, 31) + data[i]) | 0;
  }
  return `${canvas.width}x${canvas.height}:${hash}`;
}, title);
const shoot = (page, name) => page.screenshot({ path: path.join(out, `${name}.png`) });

// The window, its place and the page's requests.
const first = await openPage();
{
  const [main] = await windows(first.page);
  check(main.width === facts.client_width && main.height === facts.client_height,
    `the window is ${main.width}x${main.height}, not ${facts.client_width}x${facts.client_height}`);
  const centre = await first.page.evaluate(() => [innerWidth / 2, innerHeight / 2]);
  check(Math.abs(main.x + main.width / 2 - centre[0]) <= 1 &&
    Math.abs(main.y + main.height / 2 - centre[1]) <= 1, "the window is not centred in the page");
  check(await first.page.title() === facts.window_title, `the page is titled ${await first.page.title()}`);
  // Qt's window decorations carry their own pictures as data: addresses.
  const foreign = first.requested.filter((url) => !url.startsWith("data:") &&
    (!url.startsWith(`${origin}/`) || !server.files.has(new URL(url).pathname)));
  check(foreign.length === 0, `the page asked for what it does not hold: ${foreign.join(", ")}`);
  log(`window ${main.width}x${main.height} centred in the page, titled ${await first.page.title()}; ` +
    `${first.requested.length} requests, all for the page's own files`);
}

// The default calculation.
await clickControl(first, "Command2");
const defaults = expectedReadouts(facts.initial_texts);
const shownDefaults = await readAll(first);
check(sameReadouts(shownDefaults, defaults),
  `default read-outs ${describe(shownDefaults)}, not ${describe(defaults)}`);
log(`default read-outs ${describe(shownDefaults)}`);
await clickControl(first, "Command2");
await shoot(first.page, "window");
const designedDigest = await windowDigest(first.page);

// Typed designs, each as the build machine's calculation has it.
const designs = JSON.parse(readFileSync(new URL("designs.json", import.meta.url), "utf8"));
for (const design of designs) {
  for (const [i, box] of inputBoxes.entries()) {
    await typeInto(first, box, design.inputs[i]);
  }
  const expected = expectedReadouts(design.inputs);
  const before = await readAll(first);
  await clickControl(first, "Command2");
  if (expected.rejected) {
    const box = (await windows(first.page)).find((w) => w.title === "错误信息");
    check(box !== undefined, `${design.name}: no error box`);
    await first.page.keyboard.press("Enter");
    await untilOneWindow(first.page);
    const after = await readAll(first);
    check(sameReadouts(after, before), `${design.name}: the read-outs changed to ${describe(after)}`);
    log(`${design.name}: rejected with the error box, read-outs unchanged`);
  } else {
    const shown = await readAll(first);
    check(sameReadouts(shown, expected),
      `${design.name}: read-outs ${describe(shown)}, not ${describe(expected)}`);
    log(`${design.name}: ${describe(shown)}`);
  }
}

let lightBoxDigest;
// The error box: modal over the window and closed with Enter, nothing changed;
// then its words as a screen reader gets them from the page's accessibility
// layer, and a click on the window's exit button that the box holds off.
{
  const errorBoxOpen = () => first.page.waitForFunction(() => [...document
    .getElementById("qt-shadow-container").shadowRoot.querySelectorAll(".window-name")]
    .some((n) => n.textContent === "错误信息"));
  await typeInto(first, "Text7", facts.initial_texts[6]);
  await clickControl(first, "Command2");
  const before = await readAll(first);
  await typeInto(first, "Text7", "1");
  await clickControl(first, "Command2");
  await errorBoxOpen();
  lightBoxDigest = await windowDigest(first.page, "错误信息");
  await shoot(first.page, "error_box");
  const [main] = await windows(first.page);
  check(main.blocked, "the window takes input while the error box is open");
  await first.page.keyboard.press("Enter");
  await untilOneWindow(first.page);
  const after = await readAll(first);
  check(sameReadouts(after, before), `after the error box the read-outs are ${describe(after)}`);

  await first.page.evaluate(() => document.getElementById("qt-shadow-container").shadowRoot
    .querySelector("button.hidden-visually-read-by-screen-reader")?.click());
  await clickControl(first, "Command2");
  await errorBoxOpen();
  const said = await first.page.evaluate(() => {
    const box = [...document.getElementById("qt-shadow-container").shadowRoot
      .querySelectorAll(".qt-window")].find((w) => w.querySelector(".window-name")?.textContent === "错误信息");
    const a11y = box.querySelector(".qt-window-a11y-container");
    return {
      text: [...a11y.querySelectorAll("textarea")].map((e) => e.textContent),
      buttons: [...a11y.querySelectorAll("button")].map((e) => e.textContent),
    };
  });
  check(said.text.length === 1 && said.text[0] === "输入数据不合理",
    `the error box says ${JSON.stringify(said.text)}`);
  check(said.buttons.length === 1 && said.buttons[0] === "确定",
    `the error box has the buttons ${JSON.stringify(said.buttons)}`);
  await clickControl(first, "Command1");  // blocked: the program goes on
  check((await windows(first.page)).length === 2, "the exit button worked through the error box");
  // Its button pressed as a screen reader presses it (the click on the window
  // took the keyboard from the box).
  await first.page.evaluate(() => [...document.getElementById("qt-shadow-container").shadowRoot
    .querySelectorAll(".qt-window-a11y-container button")].find((b) => b.textContent === "确定").click());
  await untilOneWindow(first.page);
  log("error box 错误信息 says 输入数据不合理 with the one button 确定, blocks the window, " +
    "closes on Enter and leaves the read-outs");
}

// The exit button ends the program; the page says so, and starts it again.
{
  await clickControl(first, "Command1");
  await first.page.waitForFunction(() => !document.getElementById("status").hidden &&
    !document.getElementById("restart").hidden);
  const said = await first.page.$eval("#message", (e) => e.textContent);
  check(said === "Trelvan 已退出。", `after the exit button the page says ${said}`);
  check(await first.page.evaluate(() => document.getElementById("screen").childElementCount === 0),
    "the window stayed after the exit button");
  await shoot(first.page, "ended");
  await Promise.all([first.page.waitForNavigation(), first.page.click("#restart")]);
  await untilWindowDrawn(first.page);
  log(`the exit button ended the program; the page said "${said}" and started it again`);
}

// The browser's dark colour scheme: the window as designed, pixel for pixel;
// the error box in the scheme's colours, which shows that the scheme reached it.
{
  const dark = await openPage(1, "dark");
  await clickControl(dark, "Command2");
  await readAll(dark);
  await clickControl(dark, "Command2");
  await shoot(dark.page, "window_dark");
  check(await windowDigest(dark.page) === designedDigest,
    "under the dark scheme the window differs from the light one");
  await typeInto(dark, "Text7", "1");
  await clickControl(dark, "Command2");
  await dark.page.waitForFunction(() => document.getElementById("qt-shadow-container")
    .shadowRoot.querySelectorAll(".qt-window").length === 2);
  await shoot(dark.page, "error_box_dark");
  check(await windowDigest(dark.page, "错误信息") !== lightBoxDigest,
    "the error box looks the same under the dark scheme: the scheme did not reach the program");
  log("under the dark colour scheme the window is drawn as under the light one; the error box is dark");
  await dark.page.close();
}

// Device pixel ratio 2: twice the pixels, each one-pixel line exactly two device
// pixels wide, along a row just under the plot's top edge, above the curve.
{
  const sharp = await openPage(2);
  const [main] = await windows(sharp.page);
  check(main.canvasWidth === 2 * facts.client_width && main.canvasHeight === 2 * facts.client_height,
    `at ratio 2 the window has ${main.canvasWidth}x${main.canvasHeight} pixels`);
  const [left, top, width, height] = facts.rect.Picture5;
  const runs = await sharp.page.evaluate((row, from, to) => {
    const canvas = document.getElementById("qt-shadow-container").shadowRoot
      .querySelector(".qt-window canvas.qt-window-content");
    const data = canvas.getContext("2d").getImageData(from, row, to - from, 1).data;
    const lengths = [];
    let run = 0;
    for (let i = 0; i < data.length; i += 4) {
      const black = data[i] === 0 && data[i + 1] === 0 && data[i + 2] === 0;
      if (black) {
        ++run;
      } else if (run > 0) {
        lengths.push(run);
        run = 0;
      }
    }
    return lengths;
  }, 2 * (top + 4), 2 * (left + 4), 2 * (left + width - 4));
  check(runs.length >= 10 && runs.every((n) => n === 2),
    `at ratio 2 the grid lines across the plot are ${JSON.stringify(runs)} device pixels wide`);
  await shoot(sharp.page, "window_dpr2");
  log(`at device pixel ratio 2: ${main.canvasWidth}x${main.canvasHeight} pixels, ` +
    `${runs.length} grid lines each 2 device pixels wide`);
  await sharp.page.close();
}

// Installable as an app: the browser finds nothing missing in the manifest,
// its icons or the service worker.
{
  await first.page.evaluate(() => navigator.serviceWorker.ready);
  const session = await first.page.createCDPSession();
  const { installabilityErrors } = await session.send("Page.getInstallabilityErrors");
  check(installabilityErrors.length === 0,
    `the page cannot be installed: ${JSON.stringify(installabilityErrors)}`);
  log("installable as an app: manifest, icons and service worker as the browser wants them");
}

// Offline: the first visit installed the service worker; with the server gone
// and the browser offline the page opens and calculates.
{
  await first.page.evaluate(() => navigator.serviceWorker.ready);
  await server.close();
  await first.page.setOfflineMode(true);
  await first.page.reload({ waitUntil: "load" });
  await untilWindowDrawn(first.page);
  await clickControl(first, "Command2");
  const offline = await readAll(first);
  check(sameReadouts(offline, defaults), `offline the read-outs are ${describe(offline)}`);
  await shoot(first.page, "offline");
  log(`offline, from the service worker: ${describe(offline)}`);
}

await browser.close();
if (failures.length > 0) {
  console.log(`FAIL: ${failures.length} browser checks failed`);
  process.exit(1);
}
console.log("PASS: window, read-outs, designs, error box, exit, dark scheme, ratio 2 and offline in Chromium");

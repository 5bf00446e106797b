// What Trelvan's web page costs a visitor, with the page served on 127.0.0.1 (the
// zip, unpacked): the bytes a browser downloads, each file raw and gzipped; the
// time from the start of navigation to the first frame that shows the window,
// against the same for a bare window's page (the yardstick: bench/BareWindow.cpp,
// linked as the program is), visited in turn (Trelvan, bare, Trelvan, bare ...),
// cold (a new browser profile each time) and warm (a reload, with the browser's
// caches; the service worker left out, as the bare page has none), in Debian's
// headless Chromium and Firefox ESR, whose engines start a program's code
// differently (Chromium compiles each function when it is first called, Firefox
// all of them while the file downloads); in Chromium, warm as a returning visitor
// gets Trelvan (with its service worker), and the work from a click on the
// confirm button to the frame with the finished chart and design details (the
// click's handling plus that frame's painting). Medians of RUNS runs; exits 1
// when Trelvan's first frame, in either engine, cold or warm, takes more than
// MAX_RATIO times the bare window's, or when the details miss the click's frame.
//
//   node bench/web_page.mjs ZIP BARE_ZIP LAYOUT_FACTS [RUNS] [MAX_RATIO]
//
// BARE_ZIP is the bare window's page (the web build's bench/bare-window-page.zip);
// LAYOUT_FACTS is the JSON file the layout_facts program prints (where the
// confirm button is).
import { readFileSync } from "node:fs";
import path from "node:path";
import { gzipSync } from "node:zlib";
import {
  firstFrameProbe, launchChromium, launchFirefox, serve, untilWindowDrawn,
} from "../tests/web/page_harness.mjs";

const [zip, bareZip, factsFile, runsText = "5", maxRatioText = "Infinity"] = process.argv.slice(2);
const facts = JSON.parse(readFileSync(factsFile, "utf8"));
const runs = Number(runsText);
const maxRatio = Number(maxRatioText);
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (value) => `${value.toFixed(1)} ms`;

const server = await serve(zip);
const bareServer = await serve(bareZip);

// The files a visit downloads: everything the page serves but the fonts'
// licences and the page as one file.
function listDownloads(name, served) {
  let raw = 0;
  let gzipped = 0;
  console.log(`${name.padEnd(38)}     bytes   gzip -9`);
  for (const file of [...served.files]
    .filter((f) => f !== "/" && !f.endsWith(".txt") && f !== "/trelvan.html").sort()) {
    const bytes = readFileSync(path.join(served.folder, file));
    const packed = gzipSync(bytes, { level: 9 }).length;
    raw += bytes.length;
    gzipped += packed;
    console.log(`  ${file.slice(1).padEnd(36)} ${String(bytes.length).padStart(9)} ${String(packed).padStart(9)}`);
  }
  console.log(`  ${"everything".padEnd(36)} ${String(raw).padStart(9)} ${String(gzipped).padStart(9)}`);
}
listDownloads("Trelvan's page", server);
listDownloads("the bare window's page", bareServer);

async function visit(browser, origin, prepare = async () => {}) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await prepare(page);
  await page.evaluateOnNewDocument(firstFrameProbe);
  await page.goto(`${origin}/`);
  await untilWindowDrawn(page);
  return page;
}

// How each engine leaves the service worker out of a warm visit: Chromium per
// page, Firefox by a preference, for its cold visits too (the page registers
// its worker only after the first frame).
const engines = [
  { name: "Chromium", launch: launchChromium,
    withoutServiceWorker: (page) => page.setBypassServiceWorker(true) },
  { name: "Firefox ESR", launch: () => launchFirefox({ "dom.serviceWorkers.enabled": false }) },
];

const origins = { trelvan: server.origin, bare: bareServer.origin };
async function firstFrames(engine) {
  const cold = { trelvan: [], bare: [] };
  for (let i = 0; i < runs; ++i) {
    for (const [name, origin] of Object.entries(origins)) {
      const browser = await engine.launch();
      const page = await visit(browser, origin);
      cold[name].push(await page.evaluate(() => window.trelvanFirstFrame));
      await browser.close();
    }
  }

  const warm = { trelvan: [], bare: [] };
  const warmPages = {};
  const warmBrowsers = [];
  for (const [name, origin] of Object.entries(origins)) {
    const browser = await engine.launch();
    warmBrowsers.push(browser);
    warmPages[name] = await visit(browser, origin, engine.withoutServiceWorker);
  }
  for (let i = 0; i < runs; ++i) {
    for (const [name, page] of Object.entries(warmPages)) {
      await page.reload();
      warm[name].push(await untilWindowDrawn(page));
    }
  }
  await Promise.all(warmBrowsers.map((b) => b.close()));
  return { cold, warm };
}
const framesIn = [];
for (const engine of engines) {
  framesIn.push({ engine: engine.name, ...await firstFrames(engine) });
}

const browser = await launchChromium();
const page = await visit(browser, server.origin);
await page.evaluate(() => navigator.serviceWorker.ready);
const returning = [];
for (let i = 0; i < runs; ++i) {
  await page.reload();
  returning.push(await untilWindowDrawn(page));
}

// The click reaches the page's first listener, and its handling is over when
// a task queued then runs; the frame that follows is painted by the toolkit's
// animation-frame callback, queued while it handled the click, so before one
// queued after. Input routing and the wait for the frame are the browser's.
// The design details are filled in the frame that paints the window's answer
// (the window tells the page of its design as it ends the click's work): the
// frame counted must have them, filled before it ended.
const [left, top, width, height] = facts.rect.Command2;
const frame = await page.$eval("#frame", (e) => e.getBoundingClientRect().toJSON());
await page.evaluate(() => {
  window.trelvanClicks = [];
  let filled;
  new MutationObserver(() => {
    filled = performance.now();
  }).observe(document.getElementById("details-body"), { attributes: true, attributeFilter: ["data-design"] });
  window.addEventListener("pointerup", () => {
    const arrived = performance.now();
    filled = undefined;
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      const handled = performance.now();
      requestAnimationFrame((frameStart) => {
        const ended = performance.now();
        window.trelvanClicks.push({
          painted: (handled - arrived) + (ended - frameStart),
          details: filled <= ended ? filled - arrived : NaN,
        });
      });
    };
    channel.port2.postMessage(null);
  }, { capture: true });
});
// The details' module comes after the window's first frame: the clicks count
// from the first one it answers.
const click = () => page.mouse.click(frame.x + left + width / 2, frame.y + top + height / 2);
for (let answered = false; !answered;) {
  await click();
  answered = await page.waitForFunction(() => !document.getElementById("details-body").hidden,
    { timeout: 1000 }).then(() => true, () => false);
}
// A frame after the last of those clicks has counted, they are forgotten.
await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(() => {
  window.trelvanClicks.length = 0;
  resolve();
}))));
for (let i = 0; i < runs; ++i) {
  await click();
  await page.waitForFunction((n) => window.trelvanClicks.length >= n, { timeout: 60000 }, i + 1);
}
const clicks = await page.evaluate(() => window.trelvanClicks);
await browser.close();
await server.close();
await bareServer.close();

const list = (values) => `median ${ms(median(values))} (${values.map(ms).join(", ")})`;
let slow = false;
for (const { engine, cold, warm } of framesIn) {
  for (const [visitKind, times] of [["cold", cold], ["warm", warm]]) {
    const ratio = median(times.trelvan) / median(times.bare);
    const what = `first frame with the window, ${engine}, ${visitKind}`;
    console.log(`${what}, Trelvan: ${list(times.trelvan)}`);
    console.log(`${what}, bare window: ${list(times.bare)}`);
    console.log(`${what}: Trelvan / bare window = ${ratio.toFixed(2)}`);
    if (ratio > maxRatio) {
      console.error(`web_page: Trelvan's first frame in ${engine}, ${visitKind}, takes ${ratio.toFixed(2)} times the bare window's, more than ${maxRatio}`);
      slow = true;
    }
  }
}
console.log(`first frame with the window, Chromium, returning visitor (service worker): ${list(returning)}`);
console.log(`confirm click to the painted chart and design details: ${list(clicks.map((c) => c.painted))}`);
console.log(`confirm click to the design details filled: ${list(clicks.map((c) => c.details))}`);
if (clicks.some((c) => Number.isNaN(c.details))) {
  console.error("web_page: the design details were not painted in the frame of the click's chart");
  slow = true;
}
process.exitCode = slow ? 1 : 0;

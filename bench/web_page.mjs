// What Trelvan's web page costs a visitor, in Debian's headless Chromium with the
// page served on 127.0.0.1 (the zip, unpacked): the bytes a browser downloads,
// each file raw and gzipped; the time from the start of navigation to the first
// frame that shows the window, cold (a new browser profile each time) and warm
// (a reload, with the browser's caches and the service worker); and the work
// from a click on the confirm button to the frame with the finished chart (the
// click's handling plus that frame's painting). Medians of RUNS runs.
//
//   node bench/web_page.mjs ZIP LAYOUT_FACTS [RUNS]
//
// LAYOUT_FACTS is the JSON file the layout_facts program prints (where the
// confirm button is).
import { readFileSync } from "node:fs";
import path from "node:path";
import { gzipSync } from "node:zlib";
import {
  firstFrameProbe, launchChromium, serve, untilWindowDrawn,
} from "../tests/web/page_harness.mjs";

const [zip, factsFile, runsText = "10"] = process.argv.slice(2);
const facts = JSON.parse(readFileSync(factsFile, "utf8"));
const runs = Number(runsText);
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (value) => `${value.toFixed(1)} ms`;

const server = await serve(zip);

// The files a visit downloads: everything the page serves but the fonts'
// licences and the page as one file.
let raw = 0;
let gzipped = 0;
console.log("file                                      bytes   gzip -9");
for (const file of [...server.files].filter((f) => f !== "/" && !f.endsWith(".txt") && f !== "/trelvan.html").sort()) {
  const bytes = readFileSync(path.join(server.folder, file));
  const packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(`${file.slice(1).padEnd(38)} ${String(bytes.length).padStart(9)} ${String(packed).padStart(9)}`);
}
console.log(`${"everything".padEnd(38)} ${String(raw).padStart(9)} ${String(gzipped).padStart(9)}`);

async function visit(browser) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await page.evaluateOnNewDocument(firstFrameProbe);
  await page.goto(`${server.origin}/`);
  await untilWindowDrawn(page);
  return page;
}

const cold = [];
for (let i = 0; i < runs; ++i) {
  const browser = await launchChromium();
  const page = await visit(browser);
  cold.push(await page.evaluate(() => window.trelvanFirstFrame));
  await browser.close();
}

const browser = await launchChromium();
const page = await visit(browser);
await page.evaluate(() => navigator.serviceWorker.ready);
const warm = [];
for (let i = 0; i < runs; ++i) {
  await page.reload();
  warm.push(await untilWindowDrawn(page));
}

// The click reaches the page's first listener, and its handling is over when
// a task queued then runs; the frame that follows is painted by the toolkit's
// animation-frame callback, queued while it handled the click, so before one
// queued after. Input routing and the wait for the frame are the browser's.
const [left, top, width, height] = facts.rect.Command2;
const frame = await page.$eval("#frame", (e) => e.getBoundingClientRect().toJSON());
await page.evaluate(() => {
  window.trelvanClicks = [];
  window.addEventListener("pointerup", () => {
    const arrived = performance.now();
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      const handled = performance.now();
      requestAnimationFrame((frameStart) => {
        window.trelvanClicks.push((handled - arrived) + (performance.now() - frameStart));
      });
    };
    channel.port2.postMessage(null);
  }, { capture: true });
});
for (let i = 0; i < runs; ++i) {
  await page.mouse.click(frame.x + left + width / 2, frame.y + top + height / 2);
  await page.waitForFunction((n) => window.trelvanClicks.length === n, {}, i + 1);
}
const clicks = await page.evaluate(() => window.trelvanClicks);
await browser.close();
await server.close();

console.log(`first frame with the window, cold: median ${ms(median(cold))} (${cold.map(ms).join(", ")})`);
console.log(`first frame with the window, warm: median ${ms(median(warm))} (${warm.map(ms).join(", ")})`);
console.log(`confirm click to the painted chart: median ${ms(median(clicks))} (${clicks.map(ms).join(", ")})`);

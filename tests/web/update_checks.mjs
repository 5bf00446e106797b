// A new build reaching a returning visitor, in Debian's headless Chromium, the
// page served as a static host serves it (every file kept by the browser for
// ten minutes). Builds A and B are the zip's page with their identity changed:
// each page and its code mark their build, and each has its own service worker
// (packaging/web/service-worker.sh).
//   - A is visited; B goes on the server; B opens no later than the second
//     visit, page and code both B's, and the one cache left holds B's files;
//   - A is visited; B goes on the server, and the network drops half-way
//     through B's program and then altogether: the page still opens, wholly A
//     or wholly B; with the network back, B opens within two visits.
//
//   node update_checks.mjs ZIP OUT
import { execFileSync } from "node:child_process";
import { appendFileSync, cpSync, mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import {
  firstFrameProbe, launchChromium, pause, serveAsStaticHost, untilWindowDrawn,
} from "./page_harness.mjs";

const [zip, out] = process.argv.slice(2);
if (!out) {
  console.error("usage: node update_checks.mjs ZIP OUT");
  process.exit(2);
}
const serviceWorker = fileURLToPath(new URL("../../packaging/web/service-worker.sh", import.meta.url));
const visitsAllowed = 2;

const failures = [];
const check = (condition, what) => {
  if (!condition) {
    failures.push(what);
    console.log(`FAIL: ${what}`);
  }
};
const log = (text) => console.log(`updates: ${text}`);

const scratch = mkdtempSync(path.join(tmpdir(), "trelvan-update-"));
const unpacked = path.join(scratch, "zip");
execFileSync("python3", ["-m", "zipfile", "-e", zip, unpacked]);
// The page as build NAME: its page and its code say so, its worker is its own.
const build = (name) => {
  const folder = path.join(scratch, name);
  cpSync(unpacked, folder, { recursive: true });
  const index = path.join(folder, "index.html");
  writeFileSync(index, readFileSync(index, "utf8")
    .replace("</head>", `<script>window.pageBuild = "${name}";</script>\n</head>`));
  appendFileSync(path.join(folder, "trelvan.js"), `\nwindow.codeBuild = "${name}";\n`);
  execFileSync("bash", [serviceWorker, folder]);
  return folder;
};
const folders = { A: build("A"), B: build("B") };

// One visit in a new tab: the build the page and its code came from, and the
// pages the cache keeps. The visitor stays until the page has asked the host
// for its service worker (or 20 s have passed) and the worker is done with any
// update it found.
async function visit(browser, host) {
  const workerAsks = () => host.asked.filter((wanted) => wanted === "/sw.js").length;
  const asked = workerAsks();
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(firstFrameProbe);
  await page.goto(`${host.origin}/`, { waitUntil: "load" });
  await untilWindowDrawn(page);
  const shown = await page.evaluate(() => `${window.pageBuild}${window.codeBuild}`);
  for (let waited = 0; waited < 20000 && workerAsks() === asked; waited += 100) {
    await pause(100);
  }
  await pause(1500);
  await page.waitForFunction(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    return registration?.active && !registration.installing && !registration.waiting;
  }, { timeout: 30000, polling: 200 }).catch(() => {});
  const kept = await page.evaluate(async () => Promise.all((await caches.keys()).map(async (name) => {
    const cache = await caches.open(name);
    const text = async (file) => (await (await cache.match(file))?.text()) ?? "";
    const [index, code] = await Promise.all([text("index.html"), text("trelvan.js")]);
    return `${name}:${index.match(/pageBuild = "(.)"/)?.[1]}${code.match(/codeBuild = "(.)"/)?.[1]}`;
  })));
  await page.close();
  return { shown, kept };
}

// Visits until B opens; each must show one build whole.
async function visitsUntilB(browser, host, what) {
  for (let n = 1; n <= visitsAllowed; ++n) {
    const { shown, kept } = await visit(browser, host);
    check(shown === "AA" || shown === "BB", `${what}: visit ${n} shows a mix: ${shown}`);
    if (shown === "BB") {
      check(kept.length === 1 && kept[0].endsWith(":BB"), `${what}: the cache holds ${kept}`);
      return n;
    }
  }
  failures.push(`${what}: build B did not open within ${visitsAllowed} visits`);
  console.log(`FAIL: ${failures.at(-1)}`);
  return Infinity;
}

async function firstVisitToA() {
  const browser = await launchChromium();
  const host = await serveAsStaticHost(folders.A);
  const { shown, kept } = await visit(browser, host);
  check(shown === "AA" && kept.length === 1 && kept[0].endsWith(":AA"),
    `the first visit shows ${shown} and keeps ${kept}`);
  return { browser, host };
}

{
  const { browser, host } = await firstVisitToA();
  host.use(folders.B);
  const visits = await visitsUntilB(browser, host, "update");
  log(`build B on the server (max-age=600): it opened on visit ${visits}`);
  await browser.close();
  await host.close();
}

{
  const { browser, host } = await firstVisitToA();
  host.use(folders.B);
  host.cut((wanted) => wanted === "/trelvan.wasm");
  const cut = await visit(browser, host);
  check(cut.shown === "AA" || cut.shown === "BB", `with the update cut the page shows ${cut.shown}`);
  check(cut.kept.every((k) => k.endsWith(":AA") || k.endsWith(":BB")), `the caches hold ${cut.kept}`);
  host.cut(() => true);
  const offline = await visit(browser, host);
  check(offline.shown === "AA" || offline.shown === "BB",
    `with the network gone the page shows ${offline.shown}`);
  host.cut(() => false);
  const visits = await visitsUntilB(browser, host, "update after the cut");
  log(`network cut half-way through B's program: the page opened as ${cut.shown}, then with no ` +
    `network as ${offline.shown}; back online, B opened on visit ${visits}`);
  await browser.close();
  await host.close();
}

if (failures.length > 0) {
  console.log(`FAIL: ${failures.length} update checks failed`);
  process.exit(1);
}
console.log(`PASS: a new build opens within ${visitsAllowed} visits, whole, and a cut update leaves a whole page`);

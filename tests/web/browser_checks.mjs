// Trelvan's web page in three engines, driven as a user would: Debian's headless
// Chromium (DevTools protocol), headless Firefox ESR (WebDriver BiDi) and
// WebKitGTK's MiniBrowser (W3C WebDriver, under an X server of its own), one
// after the other on one serving of the page's zip on 127.0.0.1 (engine_checks.mjs):
//   - the window appears at 792 x 557 in the middle of the page, which is titled
//     Trelvan and asks for nothing but its own files, drawn as the build machine
//     draws it (window_picture), every glyph of every caption in place;
//   - the default calculation's read-outs;
//   - typed designs give the read-outs of the build machine's own calculation
//     (the readouts tool), and a rejected one the error box: titled 错误信息,
//     saying 输入数据不合理 with the one button 确定, modal over the window, and
//     nothing on the window changes;
//   - the exit button ends the program; the page says so and starts it again;
//   - with the network cut after a first visit it opens from its service worker;
//   - the design details after the default design and the typed ones, a design
//     opened from its link (served, offline and from the page as one file),
//     links made to do harm, and the details copied as a table where the engine
//     lets a page read the clipboard (details_checks.mjs);
//   - where build/web/trelvan.html, the page as one file, sits beside the zip:
//     opened from file://, the window and the default read-outs, and a link.
// Chromium also shows the window as designed under the dark colour scheme,
// sharp at device pixel ratio 2, the page printed on one A4 page with the
// window on it, and the page installable as an app.
// Each check leaves a screenshot in OUT, named after the engine.
//
//   node browser_checks.mjs ZIP HOST_TOOLS OUT
//   node browser_checks.mjs --core URL HOST_TOOLS OUT
//
// ZIP is build/web/trelvan-<version>-web.zip; HOST_TOOLS holds the build
// machine's layout_facts, readouts and window_picture. With --core, only the
// window and the default read-outs of the page at URL (file:// too), in every engine.
// TRELVAN_ENGINES (default chromium,firefox,webkit) names the engines to run.
import { execFileSync } from "node:child_process";
import { existsSync, mkdirSync, readFileSync } from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { engineChecks, engines, until } from "./engine_checks.mjs";
import { serve } from "./page_harness.mjs";

const coreOnly = process.argv[2] === "--core";
const [target, hostTools, out] = process.argv.slice(coreOnly ? 3 : 2);
if (!out) {
  console.error("usage: node browser_checks.mjs ZIP HOST_TOOLS OUT\n" +
    "       node browser_checks.mjs --core URL HOST_TOOLS OUT");
  process.exit(2);
}
mkdirSync(out, { recursive: true });

const factsFile = path.join(out, "layout_facts.json");
execFileSync(path.join(hostTools, "layout_facts"), [path.join(out, "layout_facts.sh"), factsFile]);
const facts = JSON.parse(readFileSync(factsFile, "utf8"));

const failures = [];
const check = (condition, what) => {
  if (!condition) {
    failures.push(what);
    console.log(`FAIL: ${what}`);
  }
};
const log = (text) => console.log(`browser: ${text}`);
const checks = engineChecks({ facts, hostTools, out, check, log });

// Chromium's own: the dark colour scheme, device pixel ratio 2 and installability,
// each on a page of its own beside the first.
async function chromiumExtras(engine, origin, first) {
  const { browser } = engine;
  const openPage = async (ratio, scheme) => {
    const page = await browser.newPage();
    return checks.open({ ...engine, page }, `${origin}/`, { ratio, scheme });
  };
  // Where two pictures of a window differ, as "none" or a box and a pixel count.
  const difference = (a, b) => {
    if (a.width !== b.width || a.height !== b.height) {
      return `${a.width}x${a.height} against ${b.width}x${b.height}`;
    }
    const [pa, pb] = [Buffer.from(a.rgba, "base64"), Buffer.from(b.rgba, "base64")];
    let [count, left, top, right, bottom] = [0, a.width, a.height, -1, -1];
    for (let i = 0; i < pa.length; i += 4) {
      if (pa.readUInt32BE(i) !== pb.readUInt32BE(i)) {
        const [x, y] = [(i / 4) % a.width, Math.floor(i / 4 / a.width)];
        [left, top, right, bottom] = [Math.min(left, x), Math.min(top, y), Math.max(right, x), Math.max(bottom, y)];
        ++count;
      }
    }
    return count === 0 ? "none" : `${count} pixels within x ${left}-${right}, y ${top}-${bottom}`;
  };
  const errorBoxPixels = async (view) => {
    await checks.typeInto(view, "Text7", "1");
    await checks.clickControl(view, "Command2");
    await until(view.page, () => document.getElementById("qt-shadow-container")
      .shadowRoot.querySelectorAll(".qt-window").length === 2);
    return checks.windowPixels(view.page, "错误信息");
  };

  // The browser's dark colour scheme: the window as designed, pixel for pixel;
  // the error box in the scheme's colours, which shows that the scheme reached it.
  const light = await openPage(1, "light");
  await checks.clickControl(light, "Command2");
  await checks.readAll(light);
  await checks.clickControl(light, "Command2");
  const designed = await checks.windowPixels(light.page);
  const lightBox = await errorBoxPixels(light);
  await light.page.close();
  const dark = await openPage(1, "dark");
  await checks.clickControl(dark, "Command2");
  await checks.readAll(dark);
  await checks.clickControl(dark, "Command2");
  await checks.shoot(dark, "window_dark");
  const differs = difference(await checks.windowPixels(dark.page), designed);
  check(differs === "none", `under the dark scheme the window differs from the light one: ${differs}`);
  const darkBox = await errorBoxPixels(dark);
  await checks.shoot(dark, "error_box_dark");
  check(difference(darkBox, lightBox) !== "none",
    "the error box looks the same under the dark scheme: the scheme did not reach the program");
  log("under the dark colour scheme the window is drawn as under the light one; the error box is dark");
  await dark.page.close();

  // Device pixel ratio 2: twice the pixels, each one-pixel line exactly two device
  // pixels wide, along a row just under the plot's top edge, above the curve.
  const sharp = await openPage(2, "light");
  const [main] = await checks.windows(sharp.page);
  check(main.canvasWidth === 2 * facts.client_width && main.canvasHeight === 2 * facts.client_height,
    `at ratio 2 the window has ${main.canvasWidth}x${main.canvasHeight} pixels`);
  const [left, top, width] = facts.rect.Picture5;
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
  await checks.shoot(sharp, "window_dpr2");
  log(`at device pixel ratio 2: ${main.canvasWidth}x${main.canvasHeight} pixels, ` +
    `${runs.length} grid lines each 2 device pixels wide`);
  await sharp.page.close();

  // The page printed, as Chromium prints it to PDF.
  await checks.details.printed(first, out);

  // Installable as an app: the browser finds nothing missing in the manifest,
  // its icons or the service worker.
  await first.page.evaluate(() => navigator.serviceWorker.ready);
  const session = await first.page.createCDPSession();
  const { installabilityErrors } = await session.send("Page.getInstallabilityErrors");
  check(installabilityErrors.length === 0, `the page cannot be installed: ${JSON.stringify(installabilityErrors)}`);
  log("installable as an app: manifest, icons and service worker as the browser wants them");
}

// One engine's run, its failures counted and its browser ended whatever happens.
async function inEngine(name, run) {
  const started = Date.now();
  let engine;
  try {
    engine = { name, ...await engines[name]() };
    log(`${name}: ${engine.version}`);
    await run(engine);
  } catch (error) {
    check(false, `${name}: ${error.stack ?? error}`);
  } finally {
    await engine?.close().catch(() => {});
  }
  log(`${name}: ${((Date.now() - started) / 1000).toFixed(1)} s`);
}

const chosen = (process.env.TRELVAN_ENGINES ?? "chromium,firefox,webkit").split(",");
if (coreOnly) {
  for (const name of chosen) {
    await inEngine(name, (engine) => checks.core(engine, target, "core"));
  }
} else {
  // The page as one file, beside the zip, when this build makes it.
  const singleFile = path.join(path.dirname(target), "trelvan.html");
  const server = await serve(target);
  for (const name of chosen) {
    await inEngine(name, async (engine) => {
      const first = await checks.served(engine, server);
      if (name === "chromium") {
        await chromiumExtras(engine, server.origin, first);
      }
      if (existsSync(singleFile)) {
        const fileUrl = pathToFileURL(path.resolve(singleFile)).href;
        const view = await checks.core(engine, fileUrl, "file");
        const [linked] = JSON.parse(readFileSync(new URL("designs.json", import.meta.url), "utf8"));
        await checks.details.linkOpens(view, `${fileUrl}?link#${checks.details.expected(linked.inputs).link}`,
          linked.inputs, "file");
      }
    });
  }
  await server.close();
}

if (failures.length > 0) {
  console.log(`FAIL: ${failures.length} browser checks failed`);
  process.exit(1);
}
console.log(`PASS: ${coreOnly ? "window and default read-outs" :
  "window, read-outs, designs, error box, exit and offline"} in ${chosen.join(", ")}`);

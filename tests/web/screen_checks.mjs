// Trelvan's web page on phones and tablets, in Debian's headless Chromium
// emulating each screen (a mobile viewport, touch, its device pixel ratio),
// and the page as one file opened from a folder (file://):
//   - on a screen narrower or lower than the window, the whole window is in
//     sight, scaled to fit; on a large one it is 1:1; either way its canvas has
//     one pixel for each of the device's pixels it covers;
//   - a tap on a box gives it the keyboard, through a text field that asks for
//     a keyboard for numbers; typed values and a tap on the confirm button give
//     the build machine's read-outs (read back through the clipboard), and the
//     design details below the window, their text at least 16 px on the screen
//     and within its width;
//   - a rejected design opens the error box whole in sight, and a tap on its
//     确定 closes it;
//   - trelvan.html, alone in a folder, opens from file:// without asking for
//     anything, the window 792 x 557, with the default calculation's read-outs.
// Each screen leaves a screenshot in OUT.
//
//   node screen_checks.mjs ZIP HOST_TOOLS OUT
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import {
  copiedText, firstFrameProbe, launchChromium, serve, untilWindowDrawn, windows, withControl,
} from "./page_harness.mjs";

const [zip, hostTools, out] = process.argv.slice(2);
if (!out) {
  console.error("usage: node screen_checks.mjs ZIP HOST_TOOLS OUT");
  process.exit(2);
}
mkdirSync(out, { recursive: true });

const factsFile = path.join(out, "layout_facts.json");
execFileSync(path.join(hostTools, "layout_facts"), [path.join(out, "layout_facts.sh"), factsFile]);
const facts = JSON.parse(readFileSync(factsFile, "utf8"));
const inputBoxes = ["Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"];
const readoutBoxes = facts.readouts.map((r) => r.box);
const expectedReadouts = (inputs) =>
  JSON.parse(execFileSync(path.join(hostTools, "readouts"), inputs, { encoding: "utf8" }));
const designs = JSON.parse(readFileSync(new URL("designs.json", import.meta.url), "utf8"));
const typed = designs.find((d) => !expectedReadouts(d.inputs).rejected);
const rejected = designs.find((d) => expectedReadouts(d.inputs).rejected);

// The window is 792 x 557; a margin of 8 px keeps it off the screen's edges.
const screens = [
  { name: "phone_390x844", width: 390, height: 844, deviceScaleFactor: 3, isMobile: true },
  { name: "tablet_768x1024", width: 768, height: 1024, deviceScaleFactor: 2, isMobile: true },
  { name: "tablet_1180x820", width: 1180, height: 820, deviceScaleFactor: 2, isMobile: true },
  { name: "desktop_1024x768", width: 1024, height: 768, deviceScaleFactor: 1, isMobile: false },
];
const fits = (screen) => screen.width >= facts.client_width + 16 &&
  screen.height >= facts.client_height + 16;

const failures = [];
const check = (condition, what) => {
  if (!condition) {
    failures.push(what);
    console.log(`FAIL: ${what}`);
  }
};
const log = (text) => console.log(`screens: ${text}`);
const describe = (readouts) => readoutBoxes.map((box) => `${box} ${readouts[box]}`).join(", ");
const sameReadouts = (a, b) => readoutBoxes.every((box) => a[box] === b[box]);

const inSight = (w, screen) => w.x >= 0 && w.y >= 0 &&
  w.x + w.width <= screen.width + 0.5 && w.y + w.height <= screen.height + 0.5;

// The clipboard for the page at URL, whose origin may be a file's.
async function allowClipboard(browser, url) {
  const session = await browser.target().createCDPSession();
  const origin = url.startsWith("file:") ? {} : { origin: new URL(url).origin };
  await session.send("Browser.grantPermissions",
    { ...origin, permissions: ["clipboardReadWrite", "clipboardSanitizedWrite"] });
}

async function open(browser, url, viewport) {
  const page = await browser.newPage();
  const requested = [];
  page.on("request", (request) => requested.push(request.url()));
  page.on("pageerror", (error) => console.log(`page error: ${error.message}`));
  await page.setViewport(viewport);
  await allowClipboard(browser, url);
  await page.evaluateOnNewDocument(firstFrameProbe);
  await page.goto(url, { waitUntil: "load" });
  await untilWindowDrawn(page);
  return { page, requested, touch: viewport.isMobile };
}

// A control of the window, tapped (or clicked on a desktop) in its middle;
// input events place it in the page's pixels from the corner of what is in sight.
async function press({ page, touch }, name) {
  const [left, top, width, height] = facts.rect[name];
  const at = await page.evaluate(({ x, y }) => {
    const frame = document.getElementById("frame").getBoundingClientRect();
    return { x: frame.x + x - visualViewport.offsetLeft, y: frame.y + y - visualViewport.offsetTop };
  }, { x: left + width / 2, y: top + height / 2 });
  if (touch) {
    await page.touchscreen.tap(at.x, at.y);
  } else {
    await page.mouse.click(at.x, at.y);
  }
}

// The element that has the keyboard, looked for inside shadow roots.
const keyboardTarget = (page) => page.evaluate(() => {
  let element = document.activeElement;
  while (element?.shadowRoot?.activeElement) {
    element = element.shadowRoot.activeElement;
  }
  return { tag: element?.tagName ?? "", inputMode: element?.inputMode ?? "" };
});

async function typeInto(view, name, text) {
  await press(view, name);
  await withControl(view.page, "a");
  await view.page.keyboard.type(text);
}

const readBox = (view, name) => copiedText(view.page, () => press(view, name));

async function readAll(view) {
  const shown = {};
  for (const box of readoutBoxes) {
    shown[box] = await readBox(view, box);
  }
  return shown;
}

const expectedLink = (inputs) =>
  JSON.parse(execFileSync(path.join(hostTools, "design_report"), inputs, { encoding: "utf8" })).link;

// The design details of the design with this link, scrolled into sight: their
// smallest text as the screen shows it (CSS pixels times the page's scale, the
// charts' labels aside) and whether they fit the page's width.
async function detailsInSight(page, link) {
  await page.waitForFunction((link) => document.getElementById("details-body").dataset.design === link,
    { timeout: 10000 }, link).catch(() => {});
  return page.evaluate((link) => {
    const details = document.getElementById("details");
    details.scrollIntoView();
    const texts = [...details.querySelectorAll("h2, h3, p, th, td, figcaption, button")]
      .filter((e) => e.closest("svg, [hidden]") === null);
    return {
      shown: document.getElementById("details-body").dataset.design === link,
      smallest: Math.min(...texts.map((e) => parseFloat(getComputedStyle(e).fontSize))) * visualViewport.scale,
      fits: details.getBoundingClientRect().right <= document.documentElement.clientWidth,
    };
  }, link);
}

const errorBox = async (page) => (await windows(page)).find((w) => w.title === "错误信息");

// The middle of 确定 where the error box draws it, as input events place it (the
// page's pixels from the corner of what is in sight). The accessibility layer's
// button cannot say: it keeps the place the box had before Qt centred it. The
// button is the box's lowest band of pixels off its background colour.
const okButton = (page) => page.evaluate(() => {
  const root = document.getElementById("qt-shadow-container").shadowRoot;
  const canvas = [...root.querySelectorAll(".qt-window")]
    .find((w) => w.querySelector(".window-name")?.textContent === "错误信息")
    .querySelector("canvas.qt-window-content");
  const { width, height } = canvas;
  const data = canvas.getContext("2d").getImageData(0, 0, width, height).data;
  const at = (x, y) => data.subarray(4 * (y * width + x), 4 * (y * width + x) + 3).join();
  const background = at(1, 1);
  const offRow = (y) => [...Array(width).keys()].filter((x) => at(x, y) !== background);
  let bottom = height - 1;
  while (bottom > 0 && offRow(bottom).length === 0) {
    --bottom;
  }
  let top = bottom;
  while (top > 0 && offRow(top - 1).length > 0) {
    --top;
  }
  const xs = offRow(Math.round((top + bottom) / 2));
  const r = canvas.getBoundingClientRect();
  const [cx, cy] = [(xs[0] + xs.at(-1) + 1) / 2, (top + bottom + 1) / 2];
  return {
    x: r.x + cx * r.width / width - visualViewport.offsetLeft,
    y: r.y + cy * r.height / height - visualViewport.offsetTop,
    button: [xs.at(-1) + 1 - xs[0], bottom + 1 - top].map((n) => Math.round(n * r.width / width)),
  };
});

const browser = await launchChromium();
const server = await serve(zip);

for (const screen of screens) {
  const view = await open(browser, `${server.origin}/`, screen);
  const { page } = view;
  const scale = await page.evaluate(() => visualViewport.scale);
  const [main] = await windows(page);
  check(inSight(main, screen), `${screen.name}: the window is not all in sight: ${JSON.stringify(main)}`);
  check(fits(screen) ? Math.abs(scale - 1) < 1e-3 : scale < 1,
    `${screen.name}: the page is shown at scale ${scale}`);
  check(Math.abs(main.cssWidth - facts.client_width) < 1 && Math.abs(main.canvasWidth - main.devicePixels) <= 1,
    `${screen.name}: the window's canvas is ${main.canvasWidth} pixels wide on ` +
    `${main.devicePixels} of the device's`);

  await press(view, "Text1");
  const keyboard = await keyboardTarget(page);
  if (screen.isMobile) {
    check(["INPUT", "TEXTAREA"].includes(keyboard.tag) && keyboard.inputMode === "decimal",
      `${screen.name}: a tapped box gives the keyboard to ${JSON.stringify(keyboard)}`);
  }
  await press(view, "Command2");
  const defaults = await readAll(view);
  const expectedDefaults = expectedReadouts(facts.initial_texts);
  check(sameReadouts(defaults, expectedDefaults),
    `${screen.name}: default read-outs ${describe(defaults)}, not ${describe(expectedDefaults)}`);

  for (const [i, box] of inputBoxes.entries()) {
    await typeInto(view, box, typed.inputs[i]);
  }
  await press(view, "Command2");
  const shown = await readAll(view);
  const expected = expectedReadouts(typed.inputs);
  check(sameReadouts(shown, expected),
    `${screen.name}: ${typed.name} read-outs ${describe(shown)}, not ${describe(expected)}`);
  await page.screenshot({ path: path.join(out, `screen_${screen.name}.png`) });
  const details = await detailsInSight(page, expectedLink(typed.inputs));
  check(details.shown && details.smallest >= 15.95 && details.fits,  // 16 px, but for rounding
    `${screen.name}: the design details ${JSON.stringify(details)} are not all readable on the screen`);
  await page.screenshot({ path: path.join(out, `screen_${screen.name}_details.png`) });
  await page.evaluate(() => scrollTo(0, 0));

  for (const [i, box] of inputBoxes.entries()) {
    await typeInto(view, box, rejected.inputs[i]);
  }
  await press(view, "Command2");
  await page.waitForFunction(() => document.getElementById("qt-shadow-container").shadowRoot
    .querySelectorAll(".qt-window").length === 2);
  const box = await errorBox(page);
  check(inSight(box, screen) && box.x >= main.x && box.y >= main.y &&
    box.x + box.width <= main.x + main.width && box.y + box.height <= main.y + main.height,
    `${screen.name}: the error box is not all in sight over the window: ${JSON.stringify(box)}`);
  await page.screenshot({ path: path.join(out, `screen_${screen.name}_error_box.png`) });
  const ok = await okButton(page);
  if (screen.isMobile) {
    await page.touchscreen.tap(ok.x, ok.y);
  } else {
    await page.mouse.click(ok.x, ok.y);
  }
  const closed = await page.waitForFunction(() => document.getElementById("qt-shadow-container")
    .shadowRoot.querySelectorAll(".qt-window").length === 1, { timeout: 5000 }).then(() => true, () => false);
  check(closed, `${screen.name}: a tap on 确定 left the error box open`);
  const after = await readAll(view);
  check(sameReadouts(after, expected), `${screen.name}: after the error box the read-outs are ${describe(after)}`);
  log(`${screen.name} at ratio ${screen.deviceScaleFactor}: scale ${scale.toFixed(3)}, window ` +
    `${main.width.toFixed(0)}x${main.height.toFixed(0)} screen px at (${main.x.toFixed(0)}, ` +
    `${main.y.toFixed(0)}), canvas ${main.canvasWidth} px wide, keyboard ${JSON.stringify(keyboard)}; defaults ${describe(defaults)}; ` +
    `${typed.name} ${describe(shown)}; design details' text at least ${details.smallest.toFixed(1)} px; error box ${box.width.toFixed(0)}x${box.height.toFixed(0)} ` +
    `at (${box.x.toFixed(0)}, ${box.y.toFixed(0)}) in sight, closed by ${screen.isMobile ? "a tap" : "a click"} ` +
    `on 确定 (${ok.button.join("x")} px) at (${ok.x.toFixed(0)}, ${ok.y.toFixed(0)})`);
  await page.close();
}
await server.close();

// The page as one file, alone in a folder, opened as a double-click opens it.
{
  const folder = mkdtempSync(path.join(tmpdir(), "trelvan-file-"));
  execFileSync("python3", ["-m", "zipfile", "-e", zip, folder]);
  const alone = mkdtempSync(path.join(tmpdir(), "trelvan-alone-"));
  const file = path.join(alone, "trelvan.html");
  copyFileSync(path.join(folder, "trelvan.html"), file);
  const url = `file://${file}`;
  const view = await open(browser, url, screens.at(-1));
  const [main] = await windows(view.page);
  check(main.width === facts.client_width && main.height === facts.client_height,
    `trelvan.html: the window is ${main.width}x${main.height}`);
  const foreign = view.requested.filter((u) => u !== url && !u.startsWith("data:"));
  check(foreign.length === 0, `trelvan.html asked for ${foreign.join(", ")}`);
  await press(view, "Command2");
  const shown = await readAll(view);
  const expected = expectedReadouts(facts.initial_texts);
  check(sameReadouts(shown, expected), `trelvan.html: read-outs ${describe(shown)}, not ${describe(expected)}`);
  await view.page.screenshot({ path: path.join(out, "single_file.png") });
  log(`trelvan.html (${readFileSync(file).length} bytes) from file://: window ` +
    `${main.width}x${main.height}, nothing requested, ${describe(shown)}`);
}

await browser.close();
if (failures.length > 0) {
  console.log(`FAIL: ${failures.length} screen checks failed`);
  process.exit(1);
}
console.log("PASS: phone, tablets and desktop by touch and click, and trelvan.html from file://");

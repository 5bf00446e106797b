// The page's checks as any engine runs them, through the calls of a puppeteer
// page (Chromium over DevTools, Firefox over WebDriver BiDi) or their WebDriver
// twins (WebKitGTK): clicks and keys on the window's controls, the Qt windows
// read from the page's DOM, and the read-outs through the clipboard where the
// engine lets a page read it, else through the page's accessibility layer.
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import path from "node:path";
import { detailsChecks } from "./details_checks.mjs";
import {
  copiedText, launchChromium, launchFirefox, launchWebKit, pause, windows, withControl,
} from "./page_harness.mjs";

// Each engine started with one page: its version, the page, and how to end it.
const puppeteerEngine = async (launch) => {
  const browser = await launch();
  return { browser, version: await browser.version(), page: await browser.newPage(), close: () => browser.close() };
};
export const engines = {
  chromium: () => puppeteerEngine(launchChromium),
  firefox: () => puppeteerEngine(launchFirefox),
  webkit: launchWebKit,
};

// Polls a function of the page until it gives something true, through
// navigations (whose moments fail a call).
export async function until(page, fn, ...args) {
  const end = Date.now() + 60000;
  for (;;) {
    try {
      const value = await page.evaluate(fn, ...args);
      if (value) {
        return value;
      }
    } catch {
      // the page is between documents
    }
    if (Date.now() > end) {
      throw new Error(`timed out waiting for ${fn.toString().slice(0, 80)}`);
    }
    await pause(50);
  }
}

// The window's lower right corner in the window's colour.
const windowDrawn = () => {
  const canvas = document.getElementById("qt-shadow-container")?.shadowRoot
    ?.querySelector(".qt-window canvas.qt-window-content");
  const context = canvas?.width > 2 ? canvas.getContext("2d", { willReadFrequently: true }) : null;
  const corner = context?.getImageData(canvas.width - 2, canvas.height - 2, 1, 1).data;
  return corner !== undefined && corner[0] === 0xff && corner[1] === 0xff && corner[2] === 0xc0;
};

const windowCount = (page) => page.evaluate(() => document.getElementById("qt-shadow-container")
  .shadowRoot.querySelectorAll(".qt-window").length);

// The checks of one run: the build machine's layout facts and calculation,
// where the screenshots go, and where failures are counted.
export function engineChecks({ facts, hostTools, out, check, log }) {
  const inputBoxes = facts.input_boxes ?? ["Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"];
  const readoutBoxes = facts.readouts.map((r) => r.box);
  const expectedReadouts = (inputs) =>
    JSON.parse(execFileSync(path.join(hostTools, "readouts"), inputs, { encoding: "utf8" }));
  const sameReadouts = (a, b) => readoutBoxes.every((box) => a[box] === b[box]);
  // The window as the build machine draws it when it opens, one pixel per pixel.
  const desktopPicture = path.join(out, "window-desktop.png");
  execFileSync(path.join(hostTools, "window_picture"), [desktopPicture]);
  const desktopPictureUrl = `data:image/png;base64,${readFileSync(desktopPicture).toString("base64")}`;
  const describe = (readouts) => readoutBoxes.map((box) => `${box} ${readouts[box]}`).join(", ");
  const details = detailsChecks({ hostTools, check, log });

  // The page at url in a 1024 x 768 viewport, once the window is drawn; with
  // the place of the window's frame on the page, and how the engine reads a box.
  // Where the driver can, the page may use the clipboard; the colour scheme
  // other than the browsers' own light one, and the device pixel ratio, are
  // Chromium's.
  async function open(engine, url, { ratio = 1, scheme = "light" } = {}) {
    const { page } = engine;
    await engine.browser?.defaultBrowserContext().overridePermissions(new URL(url).origin,
      ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]).catch(() => {});
    if (scheme !== "light") {
      await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: scheme }]);
    }
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: ratio });
    await page.goto(url);
    await until(page, windowDrawn);
    const frame = await page.evaluate(() => {
      const r = document.getElementById("frame").getBoundingClientRect();
      return { x: r.x, y: r.y };
    });
    const view = { engine, page, frame };
    view.clipboard = await clipboardReadable(page);
    return view;
  }

  // Whether the page may write and read back the clipboard: a read that waits
  // for the user's consent counts as no.
  const clipboardReadable = (page) => page.evaluate(async () => {
    try {
      const token = `trelvan-${Math.random()}`;
      await navigator.clipboard.writeText(token);
      const read = await Promise.race([navigator.clipboard.readText(),
        new Promise((resolve) => setTimeout(() => resolve(null), 1000))]);
      return read === token;
    } catch {
      return false;
    }
  });

  const clickControl = ({ page, frame }, name) => {
    const [left, top, width, height] = facts.rect[name];
    return page.mouse.click(frame.x + left + width / 2, frame.y + top + height / 2);
  };

  async function typeInto(view, name, text) {
    await clickControl(view, name);
    await withControl(view.page, "a");
    await view.page.keyboard.type(text);
  }

  // A box's text, as the window copies it to the clipboard.
  const readByClipboard = (view, name) => copiedText(view.page, () => clickControl(view, name));

  // A box's text, as a screen reader gets it: the accessibility layer renews a
  // text box's element when the box takes the focus or its cursor moves. The
  // element sits where the box sits in the window.
  async function readByAccessibility(view, name) {
    await view.page.evaluate(() => document.getElementById("qt-shadow-container").shadowRoot
      .querySelector("button.hidden-visually-read-by-screen-reader")?.click());
    await clickControl(view, name);
    await view.page.keyboard.press("End");
    await view.page.keyboard.press("Home");
    const [left, top] = facts.rect[name];
    return view.page.evaluate((title, left, top) => {
      const main = [...document.getElementById("qt-shadow-container").shadowRoot.querySelectorAll(".qt-window")]
        .find((w) => w.querySelector(".window-name")?.textContent === title);
      const box = [...main.querySelectorAll(".qt-window-a11y-container input")].find((e) =>
        Math.abs(parseFloat(e.style.left) - left) <= 1 && Math.abs(parseFloat(e.style.top) - top) <= 1);
      return box === undefined ? "<not in the accessibility layer>" : box.value || box.textContent;
    }, facts.window_title, left, top);
  }

  async function readAll(view) {
    const shown = {};
    for (const box of readoutBoxes) {
      shown[box] = await (view.clipboard ? readByClipboard : readByAccessibility)(view, box);
    }
    return shown;
  }

  const shoot = (view, name) => view.page.screenshot({ path: path.join(out, `${name}-${view.engine.name}.png`) });

  // The pixels of a window of the page, or with url given, of that picture as the
  // page draws it.
  const pixelsNow = (page, title, url) => page.evaluate(async (title, url) => {
    let canvas;
    if (url) {
      const image = new Image();
      image.src = url;
      await image.decode();
      canvas = document.createElement("canvas");
      canvas.width = image.width;
      canvas.height = image.height;
      canvas.getContext("2d").drawImage(image, 0, 0);
    } else {
      canvas = [...document.getElementById("qt-shadow-container").shadowRoot.querySelectorAll(".qt-window")]
        .find((w) => w.querySelector(".window-name")?.textContent === title)
        .querySelector("canvas.qt-window-content");
    }
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let text = "";
    for (let i = 0; i < data.length; i += 0x8000) {
      text += String.fromCharCode(...data.subarray(i, i + 0x8000));
    }
    return { width: canvas.width, height: canvas.height, rgba: btoa(text) };
  }, title, url ?? "");
  // A window's pixels, once settled: a click's repaint reaches the canvas a frame
  // or more later, later still on a busy machine, so the window is read until two
  // reads a quarter second apart agree.
  const windowPixels = async (page, title = facts.window_title) => {
    let last = await pixelsNow(page, title);
    for (let i = 0; i < 40; ++i) {
      await pause(250);
      const now = await pixelsNow(page, title);
      if (now.rgba === last.rgba) {
        return now;
      }
      last = now;
    }
    return last;
  };

  // Two pictures of the window, outside the boxes given (the text boxes: their
  // text is typed over, and the read-outs check it): each pixel of either has its
  // colour, within a quarter of the range, among the nine around it in the
  // other. Hinting and anti-aliasing leave such lone pixels scattered; a glyph
  // missing, garbled or set in another face leaves a patch of them. Gives the
  // most found in any 5 x 5 square, and where.
  const lonePixels = (a, b, boxes) => {
    const { width, height } = a;
    if (b.width !== width || b.height !== height) {
      return { worst: width * height, x: 0, y: 0, why: `${b.width}x${b.height} pixels against ${width}x${height}` };
    }
    const [pa, pb] = [Buffer.from(a.rgba, "base64"), Buffer.from(b.rgba, "base64")];
    const inBox = (x, y) => boxes.some(([l, t, w, h]) => x >= l && x < l + w && y >= t && y < t + h);
    const near = (p, q, x, y) => {
      const i = (y * width + x) * 4;
      for (let v = Math.max(0, y - 1); v <= Math.min(height - 1, y + 1); ++v) {
        for (let u = Math.max(0, x - 1); u <= Math.min(width - 1, x + 1); ++u) {
          const j = (v * width + u) * 4;
          if (Math.abs(p[i] - q[j]) <= 64 && Math.abs(p[i + 1] - q[j + 1]) <= 64 &&
              Math.abs(p[i + 2] - q[j + 2]) <= 64) {
            return true;
          }
        }
      }
      return false;
    };
    const lone = new Uint8Array(width * height);
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        lone[y * width + x] = !inBox(x, y) && (!near(pa, pb, x, y) || !near(pb, pa, x, y)) ? 1 : 0;
      }
    }
    let found = { worst: 0, x: 0, y: 0 };
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        if (!lone[y * width + x]) {
          continue;
        }
        let n = 0;
        for (let v = Math.max(0, y - 2); v <= Math.min(height - 1, y + 2); ++v) {
          for (let u = Math.max(0, x - 2); u <= Math.min(width - 1, x + 2); ++u) {
            n += lone[v * width + u];
          }
        }
        found = n > found.worst ? { worst: n, x, y } : found;
      }
    }
    return found;
  };

  // The window at its size in the middle of the page, titled as the program's
  // window, drawn as on the desktop; and the default calculation's read-outs.
  async function windowAndDefaults(view, where) {
    const { page, engine } = view;
    const [main] = await windows(page);
    check(main.width === facts.client_width && main.height === facts.client_height,
      `${engine.name}, ${where}: the window is ${main.width}x${main.height}, ` +
      `not ${facts.client_width}x${facts.client_height}`);
    const boxes = [...inputBoxes, ...readoutBoxes].map((name) => facts.rect[name]);
    const lone = lonePixels(await pixelsNow(page, "", desktopPictureUrl), await windowPixels(page), boxes);
    check(lone.worst < 4, `${engine.name}, ${where}: the window is not drawn as on the desktop ` +
      `(${desktopPicture}): ${lone.why ?? `${lone.worst} of the 25 pixels around ` +
      `${lone.x},${lone.y} differ`}`);
    // The design details below it, the window stands in the middle of the page's width, all in sight.
    const [width, height] = await page.evaluate(() => [innerWidth, innerHeight]);
    check(Math.abs(main.x + main.width / 2 - width / 2) <= 1 && main.y >= 0 && main.y + main.height <= height,
      `${engine.name}, ${where}: the window is not in the middle of the page, all in sight`);
    const title = await page.title();
    check(title === facts.window_title, `${engine.name}, ${where}: the page is titled ${title}`);
    await clickControl(view, "Command2");
    const defaults = expectedReadouts(facts.initial_texts);
    const shown = await readAll(view);
    check(sameReadouts(shown, defaults),
      `${engine.name}, ${where}: default read-outs ${describe(shown)}, not ${describe(defaults)}`);
    log(`${engine.name}, ${where}: window ${main.width}x${main.height} in the middle, titled ${title}, ` +
      `drawn as on the desktop (at most ${lone.worst} lone pixels in a 5 x 5 square); ` +
      `read through the ${view.clipboard ? "clipboard" : "accessibility layer"}: ${describe(shown)}`);
    return defaults;
  }

  // Window and default read-outs of the page at url: the core of every engine,
  // for a page served or opened from a file.
  async function core(engine, url, where) {
    const view = await open(engine, url);
    await windowAndDefaults(view, where);
    await clickControl(view, "Command2");
    await shoot(view, `window-${where}`);
    return view;
  }

  // Typed designs, each as the build machine's calculation has it; a rejected
  // one opens the error box, and closing it leaves the read-outs.
  async function designs(view) {
    const name = view.engine.name;
    for (const design of JSON.parse(readFileSync(new URL("designs.json", import.meta.url), "utf8"))) {
      for (const [i, box] of inputBoxes.entries()) {
        await typeInto(view, box, design.inputs[i]);
      }
      const expected = expectedReadouts(design.inputs);
      const before = await readAll(view);
      await clickControl(view, "Command2");
      if (expected.rejected) {
        const box = (await windows(view.page)).find((w) => w.title === "错误信息");
        check(box !== undefined, `${name}, ${design.name}: no error box`);
        await view.page.keyboard.press("Enter");
        await until(view.page, () => document.getElementById("qt-shadow-container")
          .shadowRoot.querySelectorAll(".qt-window").length === 1);
        const after = await readAll(view);
        check(sameReadouts(after, before), `${name}, ${design.name}: the read-outs changed to ${describe(after)}`);
        log(`${name}, ${design.name}: rejected with the error box, read-outs unchanged`);
      } else {
        const shown = await readAll(view);
        check(sameReadouts(shown, expected),
          `${name}, ${design.name}: read-outs ${describe(shown)}, not ${describe(expected)}`);
        log(`${name}, ${design.name}: ${describe(shown)}`);
        await details.sameDetails(view, design.inputs, design.name);
      }
    }
  }

  const errorBoxOpen = (page) => until(page, () => [...document.getElementById("qt-shadow-container")
    .shadowRoot.querySelectorAll(".window-name")].some((n) => n.textContent === "错误信息"));
  const oneWindow = (page) => until(page, () => document.getElementById("qt-shadow-container")
    .shadowRoot.querySelectorAll(".qt-window").length === 1);

  // The error box: modal over the window and closed with Enter, nothing
  // changed; its words as a screen reader gets them from the page's
  // accessibility layer; a click on the window's exit button that it holds off.
  async function errorBox(view) {
    const { page, engine } = view;
    await typeInto(view, "Text7", facts.initial_texts[6]);
    await clickControl(view, "Command2");
    const before = await readAll(view);
    await typeInto(view, "Text7", "1");
    await clickControl(view, "Command2");
    await errorBoxOpen(page);
    await shoot(view, "error_box");
    const [main] = await windows(page);
    check(main.blocked, `${engine.name}: the window takes input while the error box is open`);
    await page.keyboard.press("Enter");
    await oneWindow(page);
    const after = await readAll(view);
    check(sameReadouts(after, before), `${engine.name}: after the error box the read-outs are ${describe(after)}`);

    await page.evaluate(() => document.getElementById("qt-shadow-container").shadowRoot
      .querySelector("button.hidden-visually-read-by-screen-reader")?.click());
    await clickControl(view, "Command2");
    await errorBoxOpen(page);
    const said = await page.evaluate(() => {
      const box = [...document.getElementById("qt-shadow-container").shadowRoot
        .querySelectorAll(".qt-window")].find((w) => w.querySelector(".window-name")?.textContent === "错误信息");
      const a11y = box.querySelector(".qt-window-a11y-container");
      return {
        text: [...a11y.querySelectorAll("textarea")].map((e) => e.textContent),
        buttons: [...a11y.querySelectorAll("button")].map((e) => e.textContent),
      };
    });
    check(said.text.length === 1 && said.text[0] === "输入数据不合理",
      `${engine.name}: the error box says ${JSON.stringify(said.text)}`);
    check(said.buttons.length === 1 && said.buttons[0] === "确定",
      `${engine.name}: the error box has the buttons ${JSON.stringify(said.buttons)}`);
    await clickControl(view, "Command1");  // blocked: the program goes on
    check(await windowCount(page) === 2, `${engine.name}: the exit button worked through the error box`);
    // Its button pressed as a screen reader presses it (the click on the window
    // took the keyboard from the box).
    await page.evaluate(() => [...document.getElementById("qt-shadow-container").shadowRoot
      .querySelectorAll(".qt-window-a11y-container button")].find((b) => b.textContent === "确定").click());
    await oneWindow(page);
    log(`${engine.name}: error box 错误信息 says 输入数据不合理 with the one button 确定, blocks the window, ` +
      "closes on Enter and leaves the read-outs");
  }

  // The exit button ends the program; the page says so, and starts it again.
  async function exit(view) {
    const { page, engine } = view;
    await clickControl(view, "Command1");
    await until(page, () => !document.getElementById("status").hidden && !document.getElementById("restart").hidden);
    const said = await page.evaluate(() => document.getElementById("message").textContent);
    check(said === "Trelvan 已退出。", `${engine.name}: after the exit button the page says ${said}`);
    check(await page.evaluate(() => document.getElementById("screen").childElementCount === 0),
      `${engine.name}: the window stayed after the exit button`);
    await shoot(view, "ended");
    const restart = await page.evaluate(() => {
      window.trelvanEnded = true;
      const r = document.getElementById("restart").getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    });
    await page.mouse.click(restart.x, restart.y);
    await until(page, () => window.trelvanEnded === undefined);
    await until(page, windowDrawn);
    log(`${engine.name}: the exit button ended the program; the page said "${said}" and started it again`);
  }

  // Offline: the first visit registered the service worker; with every request
  // failing the page opens from it, with a design's link, and calculates it.
  async function offline(view, server, design) {
    const { page, engine } = view;
    const registered = () => navigator.serviceWorker?.getRegistration().then((r) => r?.active != null);
    let ready = false;
    for (let i = 0; i < 100 && !ready; ++i) {
      ready = await page.evaluate(registered).catch(() => false);
      await pause(ready ? 0 : 200);
    }
    if (!ready) {
      const lacks = await page.evaluate(() => ["serviceWorker" in navigator ? "" : "navigator.serviceWorker",
        typeof requestIdleCallback === "function" ? "" : "requestIdleCallback (which the page registers it from)"]
        .filter((s) => s));
      check(false, `${engine.name}: no service worker is active 20 s after the first visit, so nothing opens ` +
        `offline${lacks.length ? `; the engine lacks ${lacks.join(" and ")}` : ""}`);
      return;
    }
    server.setOffline(true);
    try {
      await details.linkOpens(view, `${server.origin}/?offline#${details.expected(design.inputs).link}`,
        design.inputs, "offline");
      await until(page, windowDrawn);
      const shown = await readAll(view);
      const expected = expectedReadouts(design.inputs);
      check(sameReadouts(shown, expected), `${engine.name}: offline the read-outs are ${describe(shown)}`);
      await shoot(view, "offline");
      log(`${engine.name}: offline, from the service worker, a design's link: ${describe(shown)}`);
    } finally {
      server.setOffline(false);
    }
  }

  // Every check of the served page in one engine: it asks for nothing but its
  // own files.
  async function served(engine, server) {
    server.missing.length = 0;
    const view = await open(engine, `${server.origin}/`);
    const foreign = await view.page.evaluate((origin) => performance.getEntriesByType("resource")
      .map((e) => e.name).filter((url) => !url.startsWith("data:") && !url.startsWith(`${origin}/`)), server.origin);
    check(foreign.length === 0 && server.missing.length === 0,
      `${engine.name}: the page asked for what it does not hold: ${[...foreign, ...server.missing].join(", ")}`);
    await windowAndDefaults(view, "served");
    const defaultDetails = await details.sameDetails(view, facts.initial_texts, "the default design");
    if (view.clipboard && defaultDetails) {
      await details.copiedTable(view, defaultDetails);
    }
    await clickControl(view, "Command2");
    await shoot(view, "window");
    await designs(view);
    await errorBox(view);
    await exit(view);
    const [linked] = JSON.parse(readFileSync(new URL("designs.json", import.meta.url), "utf8"));
    await details.linkOpens(view, `${server.origin}/?link#${details.expected(linked.inputs).link}`,
      linked.inputs, "served");
    await shoot(view, "details");
    await details.hostileLinks(view, server.origin, facts.initial_texts, {
      windowDrawn: () => until(view.page, windowDrawn),
      errorBoxOpen: () => errorBoxOpen(view.page),
      closeErrorBox: async () => {
        await view.page.keyboard.press("Enter");
        await oneWindow(view.page);
      },
    });
    await offline(view, server, linked);
    return view;
  }

  return {
    open, core, served, offline, clickControl, typeInto, readAll, shoot, windows, windowDrawn, windowPixels, facts,
    details,
  };
}

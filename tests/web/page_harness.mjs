// Shared by the browser checks and the page's benchmark: the page as a user
// gets it (the zip, unpacked and served on 127.0.0.1), Debian's Chromium and
// Firefox started headless and WebKitGTK's MiniBrowser under an X server of its
// own, each with a profile of its own, and the moment the window is drawn.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readdirSync, readFileSync, statSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";
import { launchWebKit, pause } from "./webdriver.mjs";

const types = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
  ".json": "application/json", ".webmanifest": "application/manifest+json", ".png": "image/png",
  ".ttf": "font/ttf", ".otf": "font/otf", ".txt": "text/plain; charset=utf-8",
};

const filesBelow = (folder, prefix = "/") => readdirSync(folder).flatMap((name) => {
  const full = path.join(folder, name);
  return statSync(full).isDirectory() ? filesBelow(full, `${prefix}${name}/`) : [`${prefix}${name}`];
});

// The zip unpacked into a folder of its own, served as any static web server
// would; files holds the paths it serves, "/" being index.html, and missing
// those asked for that it does not hold. While offline is set, every request
// fails as a cut network fails it.
export async function serve(zip) {
  const folder = mkdtempSync(path.join(tmpdir(), "trelvan-page-"));
  execFileSync("python3", ["-m", "zipfile", "-e", zip, folder]);
  const files = new Set(["/", ...filesBelow(folder)]);
  const missing = [];
  const server = createServer((request, response) => {
    if (served.offline) {
      request.socket.destroy();
      return;
    }
    const wanted = new URL(request.url, "http://127.0.0.1").pathname;
    if (!files.has(wanted)) {
      missing.push(wanted);
      response.writeHead(404).end();
      return;
    }
    const file = path.join(folder, wanted === "/" ? "index.html" : wanted);
    response.writeHead(200, { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" });
    response.end(readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  const served = {
    origin: `http://127.0.0.1:${server.address().port}`,
    folder,
    files,
    missing,
    offline: false,
    setOffline: (offline) => {
      served.offline = offline;
      server.closeAllConnections();
    },
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
  return served;
}

// Debian's Chromium, headless, as root, with a new empty profile and none of its
// own traffic (this machine's network refuses it).
export function launchChromium() {
  return puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    userDataDir: mkdtempSync(path.join(tmpdir(), "trelvan-chromium-")),
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
}

// Debian's Firefox ESR, headless, driven through WebDriver BiDi, with a new
// empty profile (puppeteer's preferences keep it off the network) and any
// preferences of the caller's on top.
export function launchFirefox(prefs = {}) {
  return puppeteer.launch({
    browser: "firefox",
    executablePath: "/usr/bin/firefox-esr",
    headless: true,
    userDataDir: mkdtempSync(path.join(tmpdir(), "trelvan-firefox-")),
    extraPrefsFirefox: prefs,
  });
}

export { launchWebKit, pause };

// Script for a page, run before its own: marks the first animation frame in
// which the window is drawn (its lower right corner in the window's colour),
// as window.trelvanFirstFrame, in milliseconds from the start of navigation.
export const firstFrameProbe = () => {
  const look = () => {
    const root = document.getElementById("qt-shadow-container")?.shadowRoot;
    const canvas = root?.querySelector(".qt-window canvas.qt-window-content");
    const context = canvas?.width > 2 ? canvas.getContext("2d", { willReadFrequently: true }) : null;
    const corner = context?.getImageData(canvas.width - 2, canvas.height - 2, 1, 1).data;
    if (corner && corner[0] === 0xff && corner[1] === 0xff && corner[2] === 0xc0) {
      window.trelvanFirstFrame = performance.now();
      return;
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
};

export async function untilWindowDrawn(page) {
  await page.waitForFunction(() => window.trelvanFirstFrame !== undefined, { timeout: 60000 });
  return page.evaluate(() => window.trelvanFirstFrame);
}

// The Qt windows of the page, the main window first: each one's title, whether
// a modal window blocks it, its place and size on the screen in the screen's own
// CSS pixels (the visual viewport: what is in sight; on a desktop, the page),
// its canvas's pixels, and the canvas's width on the page and in device pixels.
export const windows = (page) => page.evaluate(() => {
  const root = document.getElementById("qt-shadow-container").shadowRoot;
  const { offsetLeft, offsetTop, scale } = visualViewport;
  return [...root.querySelectorAll(".qt-window")].map((w) => {
    const r = w.getBoundingClientRect();
    const canvas = w.querySelector("canvas.qt-window-content");
    return {
      title: w.querySelector(".window-name")?.textContent ?? "",
      blocked: w.classList.contains("blocked"),
      x: (r.x - offsetLeft) * scale, y: (r.y - offsetTop) * scale,
      width: r.width * scale, height: r.height * scale,
      canvasWidth: canvas.width, canvasHeight: canvas.height,
      cssWidth: canvas.getBoundingClientRect().width,
      devicePixels: canvas.getBoundingClientRect().width * devicePixelRatio * scale,
    };
  });
});

// A folder served as a static host serves it, each answer kept by the browser
// for ten minutes; asked lists the paths asked for. use(folder) serves another
// folder from the same address (a new build on the server); cut(test) drops
// every request whose path passes test half-way through its answer (the
// network lost mid-download).
export async function serveAsStaticHost(folder) {
  let served = folder;
  let cutting = () => false;
  const asked = [];
  const server = createServer((request, response) => {
    const wanted = new URL(request.url, "http://127.0.0.1").pathname;
    asked.push(wanted);
    const file = path.join(served, wanted === "/" ? "index.html" : wanted);
    let body;
    try {
      body = readFileSync(file);
    } catch {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {
      "Content-Type": types[path.extname(file)] ?? "application/octet-stream",
      "Cache-Control": "max-age=600",
    });
    if (cutting(wanted)) {
      response.write(body.subarray(0, body.length >> 1), () => request.socket.destroy());
      return;
    }
    response.end(body);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    asked,
    use: (next) => { served = next; },
    cut: (test) => { cutting = test; },
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}

// A key pressed with Control held.
export async function withControl(page, key) {
  await page.keyboard.down("Control");
  await page.keyboard.press(key);
  await page.keyboard.up("Control");
}

// A text box's text as the window copies it to the clipboard: focus(), however
// the caller reaches the box (a click, a tap), then select all and copy.
export async function copiedText(page, focus) {
  await page.evaluate(() => navigator.clipboard.writeText("<none>"));
  await focus();
  await withControl(page, "a");
  await withControl(page, "c");
  for (let i = 0; i < 100; ++i) {
    const text = await page.evaluate(() => navigator.clipboard.readText());
    if (text !== "<none>") {
      return text;
    }
    await pause(20);
  }
  return "<nothing copied>";
}

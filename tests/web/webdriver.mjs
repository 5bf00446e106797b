// WebKitGTK driven through W3C WebDriver over HTTP (Debian's WebKitWebDriver
// starting Debian's MiniBrowser), behind the few calls of a puppeteer page the
// checks use, so that one check runs in every engine.
import { spawn } from "node:child_process";
import { existsSync, readdirSync, writeFileSync } from "node:fs";
import path from "node:path";
import { createServer } from "node:net";

// W3C WebDriver's key codes for puppeteer's key names.
const keys = { Control: "\uE009", Enter: "\uE007", Home: "\uE011", End: "\uE010", Tab: "\uE004" };
const keyValue = (name) => keys[name] ?? name;

const freePort = () => new Promise((resolve) => {
  const probe = createServer();
  probe.listen(0, "127.0.0.1", () => {
    const { port } = probe.address();
    probe.close(() => resolve(port));
  });
});

export const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// An X server of its own on a free display: MiniBrowser has no headless mode.
async function startXvfb() {
  const server = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "1600x1200x24", "-nolisten", "tcp"],
    { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  const display = await new Promise((resolve, reject) => {
    let said = "";
    server.stdio[3].on("data", (data) => {
      said += data;
      if (said.includes("\n")) {
        resolve(`:${said.trim()}`);
      }
    });
    server.on("exit", (code) => reject(new Error(`Xvfb ended with ${code}`)));
  });
  return { display, stop: () => server.kill() };
}

// The MiniBrowser of Debian's WebKitGTK; the first of its API versions found.
export const miniBrowser = () => ["/usr/libexec", ...readdirSync("/usr/lib").map((d) => path.join("/usr/lib", d))]
  .flatMap((folder) => ["webkitgtk-6.0", "webkit2gtk-4.1"].map((api) => path.join(folder, api, "MiniBrowser")))
  .find((file) => existsSync(file));

export async function launchWebKit() {
  const binary = miniBrowser();
  if (!binary) {
    throw new Error("no MiniBrowser of WebKitGTK found");
  }
  const x = await startXvfb();
  const port = await freePort();
  // Its web processes' sandbox needs user namespaces, which a build root
  // run as root does not give.
  const env = { ...process.env, DISPLAY: x.display, WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS: "1",
    NO_AT_BRIDGE: "1", LIBGL_ALWAYS_SOFTWARE: "1" };
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], { env, stdio: ["ignore", "ignore", "inherit"] });
  const base = `http://127.0.0.1:${port}`;
  const call = async (method, route, body) => {
    const response = await fetch(`${base}${route}`, {
      method, headers: { "Content-Type": "application/json" },
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const { value } = await response.json();
    if (!response.ok) {
      throw new Error(`WebDriver ${method} ${route}: ${value?.error} ${value?.message}`);
    }
    return value;
  };
  for (let i = 0; ; ++i) {
    try {
      if ((await call("GET", "/status")).ready) {
        break;
      }
    } catch (error) {
      if (i > 200) {
        throw error;
      }
    }
    await pause(50);
  }
  const session = await call("POST", "/session", {
    capabilities: { alwaysMatch: { "webkitgtk:browserOptions": { binary, args: ["--automation"] } } },
  });
  const on = (route) => `/session/${session.sessionId}${route}`;
  const page = webDriverPage(call, on);
  return {
    version: `${session.capabilities.browserName} ${session.capabilities.browserVersion}`,
    page,
    close: async () => {
      await call("DELETE", on("")).catch(() => {});
      driver.kill();
      x.stop();
    },
  };
}

// The calls of a puppeteer page the checks make, over a WebDriver session.
function webDriverPage(call, on) {
  // The keys held between calls stay held, as puppeteer's keyboard.down holds them.
  const actions = (list) => call("POST", on("/actions"), { actions: list });
  const keyActions = (steps) => actions([{ type: "key", id: "keyboard", actions: steps }]);
  const page = {
    // A function of the page with arguments, awaited if it gives a promise.
    evaluate: async (fn, ...args) => {
      const result = await call("POST", on("/execute/async"), {
        script: `const done = arguments[arguments.length - 1];
          Promise.resolve().then(() => (${fn}).apply(null, Array.from(arguments).slice(0, -1)))
            .then((value) => done({ value }), (error) => done({ error: String(error) }));`,
        args,
      });
      if (result.error !== undefined) {
        throw new Error(result.error);
      }
      return result.value;
    },
    goto: (url) => call("POST", on("/url"), { url }),
    reload: () => call("POST", on("/refresh"), {}),
    title: () => call("GET", on("/title")),
    setViewport: async ({ width, height }) => {
      // The window is the viewport and the browser's own bars: grow it by their size.
      await call("POST", on("/window/rect"), { width, height });
      const inner = await page.evaluate(() => [innerWidth, innerHeight]);
      await call("POST", on("/window/rect"), { width: 2 * width - inner[0], height: 2 * height - inner[1] });
    },
    screenshot: async ({ path }) => writeFileSync(path, Buffer.from(await call("GET", on("/screenshot")), "base64")),
    mouse: {
      click: (x, y) => actions([{
        type: "pointer", id: "mouse", parameters: { pointerType: "mouse" },
        actions: [{ type: "pointerMove", x: Math.round(x), y: Math.round(y), origin: "viewport" },
          { type: "pointerDown", button: 0 }, { type: "pointerUp", button: 0 }],
      }]),
    },
    keyboard: {
      down: (key) => keyActions([{ type: "keyDown", value: keyValue(key) }]),
      up: (key) => keyActions([{ type: "keyUp", value: keyValue(key) }]),
      press: (key) => keyActions([{ type: "keyDown", value: keyValue(key) }, { type: "keyUp", value: keyValue(key) }]),
      type: (text) => keyActions([...text].flatMap((c) => [{ type: "keyDown", value: c }, { type: "keyUp", value: c }])),
    },
    close: async () => {},
  };
  return page;
}

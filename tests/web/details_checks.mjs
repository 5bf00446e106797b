// The design details beside the window, as a visitor reads them, held to the
// build machine's own calculation (design_report): the flows, the reflux table,
// the stepped and shortcut counts, the chart descriptions and the page's
// address after each design; a design opened from a link; links made to do
// harm; the table as the clipboard gets it; the printed page.
import { execFileSync } from "node:child_process";
import { mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import path from "node:path";
import { pause } from "./page_harness.mjs";

const flowNames = ["D", "W", "L", "V", "Lbar", "Vbar"];

// What the page shows, read from the elements that carry each quantity.
const shownDetails = (page) => page.evaluate((flowNames) => {
  const body = document.getElementById("details-body");
  const quantity = (name, within = body) => within.querySelector(`[data-quantity="${name}"]`)?.textContent;
  return {
    hidden: body.hidden,
    design: body.dataset.design,
    hash: location.hash,
    flows: Object.fromEntries(flowNames.map((name) => [name, quantity(name)])),
    noVapourSaid: !document.getElementById("no-stripping-vapour").hidden,
    table: [...document.querySelectorAll("#reflux-table tbody tr")].map((row) => ({
      factor: row.dataset.factor, VD: quantity("VD", row), NT: quantity("NT", row), NI: quantity("NI", row),
      design: row.classList.contains("design"),
    })),
    counts: Object.fromEntries(["stages", "feedStage", "NT", "NI"]
      .map((name) => [name, quantity(name, document.getElementById("stage-counts"))])),
    descriptions: ["stages-chart", "staircase-chart"].map((id) => {
      const chart = document.getElementById(id);
      const described = document.getElementById(chart.getAttribute("aria-labelledby"));
      return chart.getAttribute("role") === "img" ? described?.textContent ?? "" : "";
    }),
  };
}, flowNames);

export function detailsChecks({ hostTools, check, log }) {
  const expected = (inputs) =>
    JSON.parse(execFileSync(path.join(hostTools, "design_report"), inputs, { encoding: "utf8" }));

  // The counts beside the staircase as the page words them.
  const expectedCounts = (report) => {
    const { outcome, count, feedStage, limit } = report.staircase;
    const reached = outcome === "stepped" || outcome === "beyondLimit";
    return {
      stages: outcome === "stepped" ? count : reached ? `超过 ${limit}` : "—",
      feedStage: reached && feedStage !== "0" ? feedStage : "—",
      NT: report.readouts.plateCount,
      NI: report.readouts.feedPlate,
    };
  };

  // The details of the design with these inputs, once the page has them (its
  // address carries the design's link).
  async function sameDetails(view, inputs, where) {
    const { page, engine } = view;
    const want = expected(inputs);
    let shown;
    for (let i = 0; i < 100; ++i) {
      shown = await shownDetails(page).catch(() => undefined);
      if (shown?.design === want.link) {
        break;
      }
      await pause(50);
    }
    const what = `${engine.name}, ${where}`;
    check(shown?.design === want.link, `${what}: the details show ${shown?.design?.slice(0, 200)}, not ${want.link}`);
    check(shown?.hash === `#${want.link}`, `${what}: the address is ${shown?.hash?.slice(0, 200)}, not #${want.link}`);
    if (shown?.design !== want.link) {
      return undefined;
    }
    check(!shown.hidden, `${what}: the design details are hidden`);
    // By value, whatever order a driver gives an object's keys in.
    const sorted = (v) => Array.isArray(v) ? v.map(sorted) : v && typeof v === "object" ?
      Object.fromEntries(Object.keys(v).sort().map((k) => [k, sorted(v[k])])) : v;
    const differ = (a, b) => JSON.stringify(sorted(a)) !== JSON.stringify(sorted(b));
    check(!differ(shown.flows, want.flows), `${what}: flows ${JSON.stringify(shown.flows)}, not ${JSON.stringify(want.flows)}`);
    check(shown.noVapourSaid === !want.strippingVapour, `${what}: V' ≤ 0 said: ${shown.noVapourSaid}`);
    const wantTable = want.table.map(({ factor, VD, NT, NI, design }) => ({ factor, VD, NT, NI, design }));
    check(!differ(shown.table, wantTable), `${what}: reflux table ${JSON.stringify(shown.table)}, not ${JSON.stringify(wantTable)}`);
    const counts = expectedCounts(want);
    check(!differ(shown.counts, counts), `${what}: counts ${JSON.stringify(shown.counts)}, not ${JSON.stringify(counts)}`);
    const [stagesChart, staircase] = shown.descriptions;
    check(stagesChart.includes(want.stagesChart.texts.designStages) &&
      (want.staircase.outcome !== "stepped" || staircase.includes(`共 ${want.staircase.count} 块`)),
    `${what}: the charts are described as "${stagesChart}" and "${staircase}"`);
    log(`${what}: details D ${shown.flows.D}, V' ${shown.flows.Vbar}, ${shown.table.length} reflux rows, ` +
      `stepped ${shown.counts.stages} (feed ${shown.counts.feedStage}) against NT ${shown.counts.NT}, NI ${shown.counts.NI}`);
    return want;
  }

  // A link's design, opened by loading the page at url: the window calculates
  // it as typed and the details show it.
  async function linkOpens(view, url, inputs, where) {
    await view.page.goto(url);
    return sameDetails(view, inputs, `${where}, opened from a link`);
  }

  // Links made to break the page, each loaded in turn: whatever they hold, the
  // window opens (with the error box where the link's design is rejected),
  // takes no script from them and still calculates the next design opened (the
  // defaults' link, through the address's fragment alone).
  async function hostileLinks(view, origin, defaults, { windowDrawn, errorBoxOpen, closeErrorBox }) {
    const { link: defaultsLink } = expected(defaults);
    const { page, engine } = view;
    const planes = [...Array(17).keys()].map((plane) => String.fromCodePoint(plane * 0x10000 + 0x4e2d)).join("");
    const links = [
      ["10,000 digits", `F=${"9".repeat(10000)}`],
      ["10,000 letters", `xF=${"x".repeat(10000)}&q=1`],
      ["broken escapes", "F=%&xF=%G1&q=%E4%B8&RRmin=%%%25&xD=%ED%A0%80"],
      ["NUL", "F=1%00&xF=%00&q=%00%00"],
      ["every Unicode plane", `F=${encodeURIComponent(planes)}&xD=${planes}`],
      ["script", `F=${encodeURIComponent('<img src=x onerror="trelvanHarmed=1">')}&xF=<script>trelvanHarmed=1</script>`],
      ["no design", "javascript:trelvanHarmed=1", { design: false }],
    ];
    for (const [name, link, { design = true } = {}] of links) {
      await page.goto(`${origin}/?hostile=${encodeURIComponent(name)}#${link}`);
      await windowDrawn();
      if (design) {
        await errorBoxOpen();
        await closeErrorBox();
      }
      await page.evaluate((link) => {
        location.hash = link;
      }, defaultsLink);
      const want = await sameDetails(view, defaults, `after the link with ${name}`);
      const harmed = await page.evaluate(() => window.trelvanHarmed !== undefined ||
        document.querySelector("#details img, #details script") !== null);
      check(!harmed, `${engine.name}: the link with ${name} ran script`);
      log(`${engine.name}: a link with ${name} (${link.length} characters) ` +
        `${design ? "opened the error box, then" : "opened nothing;"} left a working window` +
        `${want ? "" : " (but no design after it)"}`);
    }
  }

  // 复制表格 pressed as a visitor presses it, and the clipboard read back: the
  // inputs, the seven results and the flows, a value on each row.
  async function copiedTable(view, want) {
    const { page, engine } = view;
    const at = await page.evaluate(() => {
      navigator.clipboard.writeText("<none>");
      const button = document.getElementById("copy-table");
      button.scrollIntoView({ block: "center" });
      const r = button.getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    });
    await page.mouse.click(at.x, at.y);
    let text = "<none>";
    for (let i = 0; i < 100 && text === "<none>"; ++i) {
      await pause(20);
      text = await page.evaluate(() => navigator.clipboard.readText());
    }
    await page.evaluate(() => scrollTo(0, 0));
    const rows = text.trim().split(/\r?\n/).map((row) => row.split("\t"));
    const values = [...Object.values(want.inputs), ...["rMin", "reflux", "nMin", "gillilandX", "gillilandY",
      "plateCount", "feedPlate"].map((key) => want.readouts[key]), ...flowNames.map((name) => want.flows[name])];
    check(rows.length === values.length && rows.every((row, i) => row.length === 3 && row[1] === values[i]),
      `${engine.name}: 复制表格 gave ${JSON.stringify(text.slice(0, 400))}`);
    log(`${engine.name}: 复制表格 gave ${rows.length} rows of name, value and unit`);
  }

  // The printed page as Chromium prints it to PDF: one A4 page (pdftoppm makes a
  // picture of each), the window's picture on it (its plot area's light cyan,
  // within what the PDF's compression of the picture changes, between its grid
  // lines: some 2 % of the page, none on a page without the window), looked at as
  // printed-1.png.
  async function printed(view, out) {
    const file = path.join(out, "printed.pdf");
    writeFileSync(file, await view.page.pdf({ format: "A4" }));
    const pictures = path.join(out, "printed");
    rmSync(pictures, { recursive: true, force: true });
    mkdirSync(pictures);
    execFileSync("pdftoppm", ["-r", "60", file, path.join(pictures, "page")]);
    const pages = readdirSync(pictures);
    execFileSync("pdftoppm", ["-r", "60", "-f", "1", "-l", "1", "-png", "-singlefile", file,
      path.join(out, "printed-1")]);
    const ppm = readFileSync(path.join(pictures, pages.sort()[0]));
    const [header, width, height] = ppm.toString("latin1", 0, 20).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/) ?? [];
    let cyan = 0;
    for (let i = header.length; i + 2 < ppm.length; i += 3) {
      cyan += Math.abs(ppm[i] - 0xc0) <= 24 && ppm[i + 1] >= 0xe8 && ppm[i + 2] >= 0xe8 ? 1 : 0;
    }
    check(pages.length === 1, `the printed page is ${pages.length} pages`);
    check(cyan > width * height * 0.01, `the printed page shows no window (${cyan} pixels of its plot area)`);
    log(`printed: ${pages.length} A4 page, the window's plot area ${(100 * cyan / (width * height)).toFixed(1)} % ` +
      "of it (printed-1.png)");
  }

  return { expected, sameDetails, linkOpens, hostileLinks, copiedTable, printed };
}

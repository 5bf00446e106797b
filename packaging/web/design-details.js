// The design details beside the window: after each calculation the window
// shows, its design as the page's address (a link), the column's flows, the
// plates against reflux and the McCabe-Thiele staircase. Every number comes
// from the program as text (program.trelvanDesignReport); this module only
// places it. A link's design is opened in the window as typed and confirmed
// (program.trelvanOpenDesign), which then tells the page as a click does.

const svgNamespace = "http://www.w3.org/2000/svg";
const byId = (id) => document.getElementById(id);

// The sentences of a staircase that is not stepped, by its outcome.
const unstepped = {
  noStrippingVapour: "提馏段中没有上升蒸汽（V′ ≤ 0），无法逐板图解。",
  parallelLines: "q + R = 0：两条操作线平行，没有交点，无法逐板图解。",
  intersectionOutside: "两条操作线的交点不在 x_W 与 x_D 之间，无法逐板图解。",
};
const beyond = (limit) => `超过 ${limit}`;

// What 复制表格 gives a spreadsheet: a name, a value and a unit on each row.
const inputRows = [
  ["F", "进料流量 F", "kmol/h"], ["xF", "进料组成 x_F", "mol/mol"], ["q", "热状态参数 q", ""],
  ["RRmin", "回流比 R/Rmin", ""], ["xD", "塔顶产品组成 x_D", "mol/mol"],
  ["xW", "塔底产品组成 x_W", "mol/mol"], ["alpha", "相对挥发度 α", ""],
];
const readoutRows = [
  ["rMin", "最小回流比 Rmin"], ["reflux", "操作回流比 R"], ["nMin", "最少理论板数 Nmin"],
  ["gillilandX", "吉利兰图横坐标 X"], ["gillilandY", "吉利兰图纵坐标 Y"],
  ["plateCount", "理论板数 NT"], ["feedPlate", "进料板位置 NI"],
];

function element(name, attributes = {}, text = "") {
  const made = document.createElement(name);
  Object.entries(attributes).forEach(([key, value]) => made.setAttribute(key, value));
  made.textContent = text;
  return made;
}

function svgElement(name, attributes = {}, text = "") {
  const made = document.createElementNS(svgNamespace, name);
  Object.entries(attributes).forEach(([key, value]) => made.setAttribute(key, String(value)));
  made.textContent = text;
  return made;
}

// The one element of a part of the details that carries a quantity.
const setQuantity = (part, name, text) => {
  byId(part).querySelector(`[data-quantity="${name}"]`).textContent = text;
};

// A chart's plot box in the SVG's own units, and the map from the report's
// values to it.
function plotBox(svg, { x, y }, margin) {
  const [, , width, height] = svg.getAttribute("viewBox").split(" ").map(Number);
  const box = { left: margin.left, top: margin.top, right: width - margin.right, bottom: height - margin.bottom };
  box.x = (v) => box.left + (v - x.from) / (x.to - x.from) * (box.right - box.left);
  box.y = (v) => box.bottom - (v - y.from) / (y.to - y.from) * (box.bottom - box.top);
  return box;
}

const pathOf = (points, box) => points.map(([x, y], i) =>
  `${i === 0 ? "M" : "L"}${box.x(x).toFixed(1)} ${box.y(y).toFixed(1)}`).join("");

// A chart's two layers: its axes, drawn again only when they change, and the
// design's own lines over them, each kept and given the design's figures, so
// that a new design changes attributes rather than elements.
function layers(svg) {
  if (!svg.firstChild) {
    svg.append(svgElement("g"), svgElement("g"));
  }
  const [axes, data] = svg.children;
  return { axes, data };
}

// The layer's element of this name, made the first time.
function part(layer, name, tag, attributes) {
  let made = layer.querySelector(`[data-part="${name}"]`);
  if (!made) {
    made = svgElement(tag, { "data-part": name });
    layer.append(made);
  }
  Object.entries(attributes).forEach(([key, value]) => made.setAttribute(key, String(value)));
  return made;
}

// The grid, frame, ticks and axis names of a chart, unless it has them already.
function drawAxes(group, box, { x, y }, names) {
  const key = JSON.stringify([x, y]);
  if (group.dataset.axes === key) {
    return;
  }
  group.dataset.axes = key;
  group.replaceChildren();
  const svg = group;
  for (const [value, text] of x.ticks) {
    svg.append(svgElement("line", { class: "grid", x1: box.x(value), x2: box.x(value), y1: box.top, y2: box.bottom }));
    svg.append(svgElement("text", { x: box.x(value), y: box.bottom + 18, "text-anchor": "middle" }, text));
  }
  for (const [value, text] of y.ticks) {
    svg.append(svgElement("line", { class: "grid", x1: box.left, x2: box.right, y1: box.y(value), y2: box.y(value) }));
    svg.append(svgElement("text", { x: box.left - 6, y: box.y(value) + 5, "text-anchor": "end" }, text));
  }
  svg.append(svgElement("rect", {
    class: "frame", x: box.left, y: box.top, width: box.right - box.left, height: box.bottom - box.top,
  }));
  svg.append(svgElement("text", { x: box.right, y: box.bottom + 36, "text-anchor": "end" }, names.x));
  svg.append(svgElement("text", { x: box.left - 6, y: box.top - 8, "text-anchor": "end" }, names.y));
}

function showFlows(report) {
  for (const [name, text] of Object.entries(report.flows)) {
    setQuantity("flows", name, text);
  }
  byId("no-stripping-vapour").hidden = report.strippingVapour;
}

// The rows are kept from design to design, and given the new figures.
function showRefluxTable(report) {
  const body = byId("reflux-table").tBodies[0];
  while (body.rows.length > report.table.length) {
    body.lastElementChild.remove();
  }
  while (body.rows.length < report.table.length) {
    const line = element("tr");
    line.append(element("th", { scope: "row", "data-quantity": "RRmin" }),
      ...["VD", "NT", "NI"].map((name) => element("td", { "data-quantity": name })));
    body.append(line);
  }
  report.table.forEach((row, i) => {
    const line = body.rows[i];
    line.dataset.factor = row.factor;
    line.className = row.design ? "design" : "";
    if (row.design) {
      line.setAttribute("aria-current", "true");
    } else {
      line.removeAttribute("aria-current");
    }
    const [factor, ...cells] = line.cells;
    factor.textContent = row.RRmin;
    if (row.design) {
      factor.append(element("span", {}, "（本设计）"));
    }
    ["VD", "NT", "NI"].forEach((name, j) => {
      cells[j].textContent = row[name];
    });
  });
}

function showStagesChart(report) {
  const chartElement = byId("stages-chart");
  const chart = report.stagesChart;
  const { axes, data: svg } = layers(chartElement);
  if (!chart.curve) {
    axes.replaceChildren();
    svg.replaceChildren();
    delete axes.dataset.axes;
    byId("stages-chart-caption").textContent = "";
    return;
  }
  const box = plotBox(chartElement, chart, { left: 52, top: 24, right: 14, bottom: 44 });
  drawAxes(axes, box, chart, { x: "R/Rmin", y: "N" });
  part(svg, "curve", "path", { class: "curve stages-curve", d: pathOf(chart.curve, box) });
  const [factor, stages] = chart.design;
  const [px, py] = [box.x(factor), box.y(stages)];
  part(svg, "drop", "path", { class: "drop", d: `M${box.left} ${py}H${px}V${box.bottom}` });
  part(svg, "point", "circle", { class: "point", cx: px, cy: py, r: 4.5 });
  const t = chart.texts;
  byId("stages-chart-caption").textContent = `理论板数 N 随 R/Rmin 的变化：R/Rmin 从 ${t.fromFactor} 到 ` +
    `${t.toFactor}，N 从 ${t.fromStages} 降到 ${t.toStages}；红点为本设计，R/Rmin = ${t.designFactor}，` +
    `N = ${t.designStages}。`;
}

function showStaircase(report) {
  const { staircase, diagram, readouts } = report;
  const chartElement = byId("staircase-chart");
  const { axes: axesLayer, data: svg } = layers(chartElement);
  const axes = { x: diagram.axis, y: diagram.axis };
  const box = plotBox(chartElement, axes, { left: 44, top: 20, right: 16, bottom: 44 });
  drawAxes(axesLayer, box, axes, { x: "x", y: "y" });
  for (const [name, [value]] of Object.entries(diagram.marks)) {
    part(svg, `${name}-line`, "line", { class: "mark", x1: box.x(value), x2: box.x(value), y1: box.y(value), y2: box.bottom });
    const label = part(svg, `${name}-label`, "text", { x: box.x(value), y: box.bottom - 6, "text-anchor": "middle" });
    if (!label.firstChild) {
      label.append(name[0], svgElement("tspan", { "baseline-shift": "sub", "font-size": "11" }, name.slice(1)));
    }
  }
  part(svg, "diagonal", "path", { class: "line diagonal", d: pathOf([[0, 0], [1, 1]], box) });
  part(svg, "equilibrium", "path", { class: "curve equilibrium", d: pathOf(diagram.equilibrium, box) });
  part(svg, "q-line", "path", { class: "line q-line", d: pathOf(diagram.qLine, box) });
  part(svg, "operating", "path", { class: "line operating", d: pathOf(diagram.operating, box) });
  // From the top: across to the curve at each stage's vapour, then down to the
  // next stage's vapour on the operating line, the last stage down to the diagonal.
  let stairs = "";
  if (diagram.stages.length > 0) {
    const [[top]] = diagram.operating;
    stairs = `M${box.x(top).toFixed(1)} ${box.y(top).toFixed(1)}`;
    diagram.stages.forEach(([x], i) => {
      const below = i + 1 < diagram.stages.length ? diagram.stages[i + 1][1] : x;
      stairs += `H${box.x(x).toFixed(1)}V${box.y(below).toFixed(1)}`;
    });
  }
  part(svg, "stages", "path", { class: "line stages", d: stairs });

  const stepped = staircase.outcome === "stepped";
  const reached = stepped || staircase.outcome === "beyondLimit";
  setQuantity("stage-counts", "stages", stepped ? staircase.count : reached ? beyond(staircase.limit) : "—");
  setQuantity("stage-counts", "feedStage", reached && staircase.feedStage !== "0" ? staircase.feedStage : "—");
  setQuantity("stage-counts", "NT", readouts.plateCount);
  setQuantity("stage-counts", "NI", readouts.feedPlate);
  const marks = diagram.marks;
  const shortcut = `简捷法 NT = ${readouts.plateCount}，NI = ${readouts.feedPlate}。`;
  const lines = `平衡线、对角线、q 线${reached ? "和两条操作线" : ""}，x_W = ${marks.xW[1]}，` +
    `x_F = ${marks.xF[1]}，x_D = ${marks.xD[1]}`;
  byId("staircase-chart-caption").textContent = stepped ?
    `${lines}；从塔顶逐板作图共 ${staircase.count} 块理论板（含再沸器），第 ${staircase.feedStage} 块为进料板；${shortcut}` :
    reached ? `${lines}；从塔顶逐板作图 ${staircase.limit} 块仍未到塔底组成（设计接近夹点）；${shortcut}` :
      `${lines}。${unstepped[staircase.outcome]}${shortcut}`;
}

// The inputs, the seven results and the flows as tab-separated rows.
function tableText(report) {
  const flowRows = [...byId("flows").tBodies[0].rows].map((row) =>
    [row.cells[0].textContent, row.cells[1].textContent, "kmol/h"]);
  return [
    ...inputRows.map(([key, name, unit]) => [name, report.inputs[key], unit]),
    ...readoutRows.map(([key, name]) => [name, report.readouts[key], ""]),
    ...flowRows,
  ].map((row) => row.join("\t")).join("\r\n") + "\r\n";
}

// Onto the clipboard, by the page's clipboard where the engine lets it, else
// by the older copy command over a selected text.
async function copy(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    const area = element("textarea", { readonly: "", style: "position: fixed; opacity: 0" });
    area.value = text;
    document.body.append(area);
    area.select();
    const done = document.execCommand("copy");
    area.remove();
    return done;
  }
}

export function showDetails(program, shownBefore) {
  let report;
  const say = (text) => {
    byId("copied").textContent = text;
  };
  const show = (fragment) => {
    const text = program.trelvanDesignReport(fragment);
    if (!text) {
      return;
    }
    report = JSON.parse(text);
    const body = byId("details-body");
    body.dataset.design = fragment;
    byId("details-hint").hidden = true;
    body.hidden = false;
    showFlows(report);
    showRefluxTable(report);
    showStagesChart(report);
    showStaircase(report);
    say("");
    if (location.hash !== `#${fragment}`) {
      try {
        history.replaceState(history.state, "", `#${fragment}`);
      } catch {
        // a page whose address cannot change keeps its own
      }
    }
  };
  // In the frame that paints the window's answer to the click, after the
  // window's own work for it: the window measures the page as it draws, and
  // would otherwise lay out the details anew each time.
  addEventListener("trelvan-design", (event) => requestAnimationFrame(() => show(event.detail)));
  const open = () => {
    if (location.hash.length > 1) {
      program.trelvanOpenDesign(location.hash);
    }
  };
  addEventListener("hashchange", open);

  byId("copy-link").addEventListener("click", async () =>
    say(await copy(location.href) ? "链接已复制。" : "无法复制，请从地址栏复制链接。"));
  byId("copy-table").addEventListener("click", async () =>
    say(await copy(tableText(report)) ? "表格已复制，可粘贴到电子表格中。" : "无法复制表格。"));
  byId("print").addEventListener("click", () => print());

  if (shownBefore !== undefined) {
    show(shownBefore);
  } else {
    open();
  }
}

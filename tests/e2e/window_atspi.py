"""A screen reader's round trip through the real window over AT-SPI.

Finds every box by its accessible name, types the inputs through
EditableText, presses the confirm button through its Action, reads the seven
results through Text and the chart's description, meets the error box with a
bad input, and leaves with the exit button. Every wait polls with a deadline.
Prints a transcript of what it found and read, and writes it to
<output directory>/atspi_transcript.txt. What each box and button is called
comes from the layout facts, the JSON file the build prints from the layout
table.

  /usr/bin/python3 window_atspi.py <trelvan binary> <output directory> <layout facts>
      [--screenshot]

Run inside a private D-Bus session with the display already set up
(window_atspi.sh does both). --screenshot: after the default calculation,
take a Wayland screenshot (weston --debug) and check the window is drawn.
"""

import json
import os
import re
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# Set from the layout facts before the round trip: the inputs' names and
# initial texts in box order, the read-outs' names in the order the results are
# written (Rmin, R, Nmin, Y, X, plates, feed plate) and what they show after a
# click on the initial texts, and the window, buttons and chart.
FACTS = {}

# A saturated-liquid feed (q = 1) and its results in read-out order.
SATURATED_LIQUID_Q = "1"
SATURATED_LIQUID_RESULTS = ["1.12", "1.34", "6.51", "0.55", "0.09", "16", "9"]


def good_sets():
    """Inputs in box order, results in read-out order; the last set is the
    window's start-up texts, typed over the first."""
    initial = FACTS["initial_texts"]
    q_box = FACTS["input_boxes"].index("Text3")
    saturated = initial[:q_box] + [SATURATED_LIQUID_Q] + initial[q_box + 1:]
    defaults = [FACTS["default_readouts"][r["box"]] for r in FACTS["readouts"]]
    return [("saturated liquid feed", saturated, SATURATED_LIQUID_RESULTS),
            ("default inputs", initial, defaults)]

BAD_VOLATILITY = "1"  # typed into the last input box: no separation, turned away

# Colours the drawn window must show: its background, the plot area, the
# operating point's red lines.
DRAWN_COLOURS = {"window": "FFFFC0", "plot area": "C0FFFF", "marker": "FF0000"}

transcript = []


def say(line):
    transcript.append(line)
    print(line, flush=True)


class Failure(Exception):
    pass


def pump():
    """Lets libatspi take in the events that keep its cache current."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, seconds=15):
    """Polls probe until it returns something true; fails after the deadline."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        try:
            found = probe()
        except GLib.Error:
            found = None  # the object went away or is not ready yet
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {seconds} s waiting for {what}")
        time.sleep(0.05)


def fresh(acc):
    acc.clear_cache()
    return acc


def descendants(acc):
    for child in fresh(acc):
        if child is not None:
            yield child
            yield from descendants(child)


def application_of(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in fresh(desktop):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def by_name(root, role, name):
    matches = [a for a in descendants(root) if a.getRole() == role and a.name == name]
    return matches[0] if len(matches) == 1 else None


def text_of(acc):
    return acc.queryText().getText(0, -1)


def description_of(acc):
    return fresh(acc).description


def press(button):
    actions = button.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press") if "Press" in names else 0)


class Window:
    def __init__(self, app):
        title = FACTS["window_title"]
        self.frame = wait_for(f"the window {title}",
                              lambda: by_name(app, pyatspi.ROLE_FILLER, title)
                              or by_name(app, pyatspi.ROLE_FRAME, title))
        self.inputs = [self.find(pyatspi.ROLE_TEXT, n) for n in FACTS["inputs"]]
        self.readouts = [self.find(pyatspi.ROLE_TEXT, r["name"]) for r in FACTS["readouts"]]
        self.confirm = self.find(pyatspi.ROLE_PUSH_BUTTON, FACTS["confirm"])
        self.exit = self.find(pyatspi.ROLE_PUSH_BUTTON, FACTS["exit"])
        self.chart = self.find(pyatspi.ROLE_CHART, FACTS["chart"])

    def find(self, role, name):
        acc = wait_for(f"the one control named {name}", lambda: by_name(self.frame, role, name))
        say(f"found  {acc.getRoleName():12} {name}  — {acc.description}")
        return acc

    def results(self):
        return [text_of(box) for box in self.readouts]

    def type(self, values):
        for box, value in zip(self.inputs, values):
            type_into(box, value)


def type_into(box, value):
    box.queryEditableText().setTextContents(value)
    wait_for(f"{box.name} to read {value}", lambda: text_of(box) == value)


def check_focus_stops_are_told_apart(frame):
    names = [a.name for a in descendants(frame)
             if a.getState().contains(pyatspi.STATE_FOCUSABLE)]
    say(f"focus stops: {len(names)}, distinct names: {len(set(names))}")
    check(len(names) == FACTS["focus_stops"] and len(set(names)) == len(names),
          f"focus stops not told apart: {names}")
    pictures = [a.name for a in descendants(frame) if a.getRole() == pyatspi.ROLE_IMAGE]
    say(f"images {' | '.join(pictures)}")


def check(condition, message):
    if not condition:
        raise Failure(message)


def calculate(window, what, inputs, results):
    window.type(inputs)
    say(f"typed  {what}: {' '.join(inputs)}")
    press(window.confirm)
    wait_for(f"the results of the {what}", lambda: window.results() == results)
    names = [r["name"] for r in FACTS["readouts"]]
    say(f"read   {' | '.join(f'{n} = {t}' for n, t in zip(names, results))}")
    shown = {r["box"]: t for r, t in zip(FACTS["readouts"], results)}
    point = (f"X = {shown['Text11']}", f"Y = {shown['Text10']}")
    described = wait_for("the chart to describe the operating point",
                         lambda: all(p in description_of(window.chart) for p in point)
                         and description_of(window.chart))
    say(f"chart  {described}")


def reject(window, app):
    before = window.results()
    chart_before = description_of(window.chart)
    type_into(window.inputs[-1], BAD_VOLATILITY)
    say(f"typed  {window.inputs[-1].name}: {BAD_VOLATILITY}")
    press(window.confirm)
    box = wait_for("the error box 错误信息", lambda: next(
        (a for a in fresh(app) if a is not None and a.name == "错误信息"), None))
    message = wait_for("the error text",
                       lambda: by_name(box, pyatspi.ROLE_LABEL, "输入数据不合理"))
    buttons = [a for a in descendants(box) if a.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    say(f"error  {box.getRoleName()} {box.name}: {message.name} "
        f"[{', '.join(b.name for b in buttons)}]")
    check([b.name for b in buttons] == ["确定"], "the error box's one button is not 确定")
    press(buttons[0])
    wait_for("the error box to close",
             lambda: all(a is None or a.name != "错误信息" for a in fresh(app)))
    check(window.results() == before, f"a rejected input changed the results: {window.results()}")
    check(description_of(window.chart) == chart_before, "a rejected input changed the chart")
    say("after  rejection: results and chart description unchanged")


def screenshot_shows_the_window(out):
    """Wayland: weston's screenshooter (weston --debug) saves the whole output."""
    for old in os.listdir(out):
        if old.startswith("wayland-screenshot"):
            os.remove(os.path.join(out, old))
    subprocess.run(["weston-screenshooter"], cwd=out, check=True, timeout=15)
    shot = next(f for f in os.listdir(out) if f.startswith("wayland-screenshot"))
    path = os.path.join(out, "wayland_screenshot.png")
    os.replace(os.path.join(out, shot), path)
    histogram = subprocess.run(["convert", path, "-format", "%c", "histogram:info:-"],
                               check=True, capture_output=True, text=True, timeout=30).stdout
    counts = {m.group(2).upper(): int(m.group(1))
              for m in re.finditer(r"^\s*(\d+):.*#([0-9A-Fa-f]{6})\b", histogram, re.M)}
    missing = [what for what, colour in DRAWN_COLOURS.items() if counts.get(colour, 0) == 0]
    seen = ", ".join(f"{what} #{colour} {counts.get(colour, 0)} px"
                     for what, colour in DRAWN_COLOURS.items())
    say(f"screen {path}: {seen}")
    return not missing


def running(program, out):
    if program.poll() is not None:
        with open(os.path.join(out, "trelvan.log")) as log:
            raise Failure(f"the program ended with status {program.returncode}: {log.read()}")
    return True


def round_trip(app_path, out, screenshot):
    with open(os.path.join(out, "trelvan.log"), "w") as log:
        program = subprocess.Popen([app_path], stderr=log)
    try:
        app = wait_for("the program on the accessibility bus",
                       lambda: running(program, out) and application_of(program.pid))
        window = Window(app)
        check_focus_stops_are_told_apart(window.frame)
        empty_chart = description_of(window.chart)
        say(f"chart  {empty_chart}")
        check(empty_chart and "X =" not in empty_chart,
              "the chart describes a point before any calculation")
        for what, inputs, results in good_sets():
            calculate(window, what, inputs, results)
        if screenshot:
            wait_for("a screenshot with the window drawn", lambda: screenshot_shows_the_window(out))
        reject(window, app)
        press(window.exit)
        status = program.wait(timeout=10)
        check(status == 0, f"the program ended with status {status}")
        say("exit   the exit button ended the program with status 0")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


def main():
    # Stopped from outside (a test timeout), the program is still killed on the way out.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    app_path, out, facts = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(out, exist_ok=True)
    try:
        with open(facts, encoding="utf-8") as f:
            FACTS.update(json.load(f))
        round_trip(app_path, out, "--screenshot" in sys.argv[4:])
        say("PASS: AT-SPI round trip")
        return 0
    except (Failure, OSError, ValueError, subprocess.SubprocessError, GLib.Error) as failure:
        say(f"FAIL: {failure}")
        return 1
    finally:
        with open(os.path.join(out, "atspi_transcript.txt"), "w") as f:
            f.write("\n".join(transcript) + "\n")


if __name__ == "__main__":
    sys.exit(main())

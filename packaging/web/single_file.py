"""Writes PAGE/trelvan.html: the page of PAGE as one file that opens from a
disc or an e-mail, without a web server. Qt's loader and the program's script
are set into it, and the program (which carries its faces) gzipped as base64,
which the page compiles itself; the design details' module is imported from a
data address; the address of the manifest and the words on web servers are
left out, and the icon is carried as a data address.

    python3 single_file.py PAGE
"""
import base64
import gzip
import re
import sys
from pathlib import Path

page = Path(sys.argv[1])
html = (page / "index.html").read_text(encoding="utf-8")


def text(name):
    # Inside a script element nothing may close it early.
    return (page / name).read_text(encoding="utf-8").replace("</script", "<\\/script")


def replace(pattern, replacement):
    global html
    html, count = re.subn(pattern, lambda _: replacement, html)
    if count != 1:
        sys.exit(f"single_file.py: {pattern!r} is {count} times in index.html, not once")


program = base64.b64encode(gzip.compress((page / "trelvan.wasm").read_bytes(), 9, mtime=0))
icon = base64.b64encode((page / "icon-192.png").read_bytes()).decode()
replace(r'<link rel="manifest"[^>]*>\n', "")
replace(r'<link rel="icon" href="icon-192.png">',
        f'<link rel="icon" href="data:image/png;base64,{icon}">')
replace(r'<template id="needs-server">.*?</template>\n', "")
replace(r'<script src="qtloader.js"></script>', f"<script>\n{text('qtloader.js')}\n</script>")
replace(r'<script src="trelvan.js"></script>',
        f"<script>\n{text('trelvan.js')}\n</script>\n"
        f'<script type="application/gzip" id="program">{program.decode()}</script>')
details = base64.b64encode((page / "design-details.js").read_bytes()).decode()
replace(r'import\("\./design-details\.js"\)', f'import("data:text/javascript;base64,{details}")')
(page / "trelvan.html").write_text(html, encoding="utf-8")

#!/usr/bin/env python3
"""Checks of the help page that need no Windows: every local link and image it
names exists beside it, and headless Chromium renders it into a screenshot that
is not blank.

    help_page.py PAGE [SCREENSHOT.png]

Exits 1 when a check fails; prints "SKIPPED:" for the rendering when Chromium
is not installed.
"""
import html.parser
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import urllib.parse
import zlib


class References(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.found = []

    def handle_starttag(self, tag, attributes):
        for name, value in attributes:
            if name in ("href", "src") and value:
                self.found.append(value)


def missing_references(page):
    """The page's local targets (links, images, style sheets) that do not exist."""
    parser = References()
    with open(page, encoding="utf-8") as file:
        parser.feed(file.read())
    folder = os.path.dirname(page)
    missing = []
    for reference in parser.found:
        parts = urllib.parse.urlsplit(reference)
        if parts.scheme or parts.netloc or not parts.path:
            continue  # another site, or a place on this page
        target = os.path.normpath(os.path.join(folder, urllib.parse.unquote(parts.path)))
        if not os.path.isfile(target):
            missing.append(reference)
    return missing


def png_colours(path, limit=4096):
    """How many distinct colours an 8-bit RGB or RGBA PNG holds (counted up to limit)."""
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return 0
    position, idat, header = 8, b"", None
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        position += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace:
        return 0
    channels = 3 if colour_type == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    colours = set()
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                estimate = left + up - corner
                pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
                best = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + best) & 255
        for x in range(0, stride, channels * 7):
            colours.add(bytes(row[x:x + 3]))
        if len(colours) >= limit:
            break
        previous = row
    return len(colours)


def render(page, screenshot, width=1000, height=2600):
    """Renders the page with headless Chromium; None when Chromium is missing,
    else (errors reported while loading, distinct colours of the screenshot)."""
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if chromium is None:
        return None
    profile = tempfile.mkdtemp(prefix="chromium-profile-")
    try:
        done = subprocess.run(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--hide-scrollbars", "--enable-logging=stderr", "--v=0",
             f"--user-data-dir={profile}", f"--screenshot={screenshot}",
             f"--window-size={width},{height}", "file://" + os.path.abspath(page)],
            capture_output=True, text=True, errors="replace", timeout=120)
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    errors = [line for line in done.stderr.splitlines()
              if "ERR_FILE_NOT_FOUND" in line or ":CONSOLE" in line]
    if done.returncode != 0 or not os.path.isfile(screenshot):
        errors.append(f"chromium exited with {done.returncode}")
        return errors, 0
    return errors, png_colours(screenshot)


def main():
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    page = sys.argv[1]
    failed = False
    missing = missing_references(page)
    print(("FAILED: missing " + ", ".join(missing)) if missing
          else "ok: every local link and image exists")
    failed |= bool(missing)
    screenshot = sys.argv[2] if len(sys.argv) == 3 else os.path.join(
        tempfile.mkdtemp(prefix="help-page-"), "help-page.png")
    rendered = render(page, screenshot)
    if rendered is None:
        print("SKIPPED: chromium is not installed: the page is not rendered")
    else:
        errors, colours = rendered
        print(("FAILED: " + "; ".join(errors)) if errors else "ok: rendered without errors")
        print(f"{'ok' if colours >= 64 else 'FAILED'}: {colours} distinct colours in {screenshot}")
        failed |= bool(errors) or colours < 64
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks a screenshot of the wait window by its pixels.

Usage: wait_window_pixels.py SCREENSHOT.png PLACES.txt

PLACES.txt (written by wait_window_probe) gives, in screen pixels, the window's
client area and the label as "client X Y W H" and "label X Y W H". The check:
the client area is one light background colour everywhere outside the label,
and the label holds a word of dark text that starts at its left edge.
"""

import subprocess
import sys


def read_ppm(png):
    """Returns (width, height, rgb bytes) of the picture, through ImageMagick."""
    data = subprocess.run(
        ["convert", png, "-depth", "8", "ppm:-"], check=True, capture_output=True
    ).stdout
    fields = []
    pos = 0
    while len(fields) < 4:  # magic, width, height, maximum value
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise SystemExit(f"unexpected picture format {fields}")
    return int(fields[1]), int(fields[2]), data[pos + 1 :]


def read_places(path):
    places = {}
    with open(path) as f:
        for line in f:
            name, *numbers = line.split()
            places[name] = tuple(int(n) for n in numbers)
    return places


def luminance(rgb):
    r, g, b = rgb
    return (299 * r + 587 * g + 114 * b) // 1000


def main():
    png, places_file = sys.argv[1], sys.argv[2]
    width, height, rgb = read_ppm(png)
    places = read_places(places_file)
    cx, cy, cw, ch = places["client"]
    lx, ly, lw, lh = places["label"]

    def pixel(x, y):
        i = 3 * (y * width + x)
        return tuple(rgb[i : i + 3])

    if not (0 <= cx and 0 <= cy and cx + cw <= width and cy + ch <= height):
        raise SystemExit(f"the client area {places['client']} is not all on the {width}x{height} screen")

    def in_label(x, y):
        return lx <= x < lx + lw and ly <= y < ly + lh

    outside = {}
    for y in range(cy, cy + ch):
        for x in range(cx, cx + cw):
            if not in_label(x, y):
                colour = pixel(x, y)
                outside[colour] = outside.get(colour, 0) + 1
    background = max(outside, key=outside.get)
    failures = []
    if len(outside) != 1:
        stray = sum(n for c, n in outside.items() if c != background)
        failures.append(f"{stray} pixels outside the label differ from the background {background}")
    if luminance(background) < 160:
        failures.append(f"the background {background} is not light")

    dark = [
        (x, y)
        for y in range(ly, ly + lh)
        for x in range(lx, lx + lw)
        if luminance(pixel(x, y)) < 96
    ]
    if dark:
        left = min(x for x, _ in dark) - lx
        top = min(y for _, y in dark) - ly
        text_w = max(x for x, _ in dark) - lx - left + 1
        text_h = max(y for _, y in dark) - ly - top + 1
        print(
            f"background {background}; label {lw}x{lh} at ({lx},{ly}); {len(dark)} dark pixels, "
            f"text {text_w}x{text_h} at +{left},+{top} in the label"
        )
        # "Attendere" in 24-point bold: a word about a hundred and more pixels
        # wide and a capital's height high, set at the label's left edge.
        if len(dark) < 300:
            failures.append(f"only {len(dark)} dark pixels in the label: no text")
        if text_w < lw // 2 or text_h < lh // 3:
            failures.append(f"the dark area {text_w}x{text_h} is not a word in 24-point type")
        if left > 8:
            failures.append(f"the text starts {left} pixels into the label, not at its left edge")
    else:
        failures.append("no dark pixel in the label: the text is not painted")
    background_in_label = sum(
        1 for y in range(ly, ly + lh) for x in range(lx, lx + lw) if pixel(x, y) == background
    )
    if background_in_label < lw * lh // 2:
        failures.append("the label is not on the window's background")

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

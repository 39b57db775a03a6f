#!/usr/bin/env python3
"""Checks for the stand-in painter's Wine test.

  painter_check.py canvas CANVAS.ppm WIDTH HEIGHT STROKES
      STROKES is a file of lines "x0 x1 y r g b": the canvas must show
      exactly these horizontal spans (columns x0..x1 inclusive, in order, a
      later span over an earlier one) and white everywhere else, except
      pixels of lines "line X0 Y0 X1 Y1 r g b COUNT RELEASE": a slanted
      stroke, checked by its press pixel, its release pixel (painted when
      the line's last field says so) and its number of pixels of that colour.
  painter_check.py screen SHOT.png GEOMETRY SAMPLE.ppm
      the screenshot (of the whole desktop) must show the bars in their
      exact colours over the reported rectangles and the sample picture,
      pixel for pixel, over the reported sample rectangle.
  painter_check.py pixel SHOT.png X Y
      prints the screenshot's pixel as "r g b".
"""
import subprocess
import sys


def read_ppm(path):
    data = open(path, "rb").read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or fields[3] != b"255":
        raise SystemExit(f"{path}: not a P6 file with maxval 255")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    if len(pixels) != width * height * 3:
        raise SystemExit(f"{path}: {len(pixels)} pixel bytes, not {width * height * 3}")
    return width, height, pixels


def read_png(path):
    # ImageMagick turns the screenshot into a PPM on standard output.
    ppm = subprocess.run(["convert", path, "ppm:-"], check=True, capture_output=True).stdout
    tmp = path + ".ppm"
    open(tmp, "wb").write(ppm)
    return read_ppm(tmp)


def pixel(image, x, y):
    width, _, pixels = image
    i = 3 * (y * width + x)
    return tuple(pixels[i:i + 3])


def check_canvas(path, width, height, strokes_file):
    image = read_ppm(path)
    if image[:2] != (width, height):
        return [f"canvas is {image[0]}x{image[1]}, not {width}x{height}"]
    expected = [[(255, 255, 255)] * width for _ in range(height)]
    lines = []
    for text in open(strokes_file):
        fields = text.split()
        if not fields:
            continue
        if fields[0] == "line":
            lines.append([int(f) for f in fields[1:]])
            continue
        x0, x1, y, r, g, b = (int(f) for f in fields)
        for x in range(x0, x1 + 1):
            expected[y][x] = (r, g, b)
    slanted = set()
    failures = []
    for x0, y0, x1, y1, r, g, b, count, release in lines:
        colour = (r, g, b)
        found = [(x, y) for y in range(height) for x in range(width)
                 if pixel(image, x, y) == colour]
        slanted.update(found)
        if len(found) != count:
            failures.append(f"slanted stroke: {len(found)} pixels of {colour}, not {count}")
        if pixel(image, x0, y0) != colour:
            failures.append(f"slanted stroke: press pixel ({x0},{y0}) not painted")
        if (pixel(image, x1, y1) == colour) != bool(release):
            failures.append(f"slanted stroke: release pixel ({x1},{y1}) "
                            f"{'not ' if release else ''}painted")
        rows = {y for _, y in found}
        if rows != set(range(min(y0, y1), max(y0, y1) + 1)):
            failures.append(f"slanted stroke: rows {sorted(rows)} are not connected")
    wrong = [(x, y) for y in range(height) for x in range(width)
             if (x, y) not in slanted and pixel(image, x, y) != expected[y][x]]
    for x, y in wrong[:10]:
        failures.append(f"canvas ({x},{y}) is {pixel(image, x, y)}, not {expected[y][x]}")
    if len(wrong) > 10:
        failures.append(f"... {len(wrong)} wrong pixels in all")
    return failures


def read_geometry(path):
    values = {}
    for line in open(path):
        key, _, value = line.strip().partition("=")
        values[key] = [int(v) for v in value.split(",")]
    return values


def check_screen(shot, geometry_file, sample_file):
    screen = read_png(shot)
    geometry = read_geometry(geometry_file)
    failures = []
    bars = {"red_bar": (250, 150, 150), "green_bar": (130, 242, 56), "blue_bar": (128, 128, 255)}
    for key, colour in bars.items():
        left, top, right, bottom = geometry[key]
        off = [(x, y) for y in range(top, bottom + 1) for x in range(left, right + 1)
               if pixel(screen, x, y) != colour]
        if off:
            failures.append(f"{key}: {len(off)} pixels not {colour}, first {off[0]}")
        if pixel(screen, right + 1, top) == colour or pixel(screen, left - 1, top) == colour:
            failures.append(f"{key}: the bar's colour goes on past its ends")
    sample = read_ppm(sample_file)
    left, top, right, bottom = geometry["sample"]
    if (right - left + 1, bottom - top + 1) != sample[:2]:
        failures.append("sample rectangle and sample file differ in size")
    else:
        off = [(x, y) for y in range(sample[1]) for x in range(sample[0])
               if pixel(screen, left + x, top + y) != pixel(sample, x, y)]
        if off:
            failures.append(f"sample: {len(off)} screen pixels differ from the file, first {off[0]}")
    return failures


def main(argv):
    if len(argv) == 6 and argv[1] == "canvas":
        failures = check_canvas(argv[2], int(argv[3]), int(argv[4]), argv[5])
    elif len(argv) == 5 and argv[1] == "screen":
        failures = check_screen(argv[2], argv[3], argv[4])
    elif len(argv) == 5 and argv[1] == "pixel":
        print(*pixel(read_png(argv[2]), int(argv[3]), int(argv[4])))
        return 0
    else:
        print(__doc__, file=sys.stderr)
        return 2
    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/env python3
"""Renders assets/Spindlewave.ico: the Earth with a red, a green and a blue line ring around it.

Usage: tools/icon/make_icon.py [OUTPUT.ico] [--png DIR]

The globe comes from NASA's Visible Earth map shipped by Debian's xplanet-images package
(decoded with ImageMagick's convert). The icon holds 48, 32 and 16 pixel images in 32-bit
colour with alpha, and a 32 pixel 256-colour image for displays and code that want one.
The same inputs always give the same bytes.
"""
import math
import struct
import subprocess
import sys
from pathlib import Path

EARTH_MAP = "/usr/share/xplanet/images/earth.jpg"
MAP_W, MAP_H = 720, 360

# Globe: centre and radius in units of the icon's side; the view looks down on Japan.
GLOBE_RADIUS = 0.38
VIEW_LAT = math.radians(25.0)
VIEW_LON = math.radians(138.0)
LIGHT = (-0.55, -0.55, 0.63)  # from the upper left, towards the viewer

# Rings: radius in globe radii, tilt of the ring's plane and its turn on the screen.
RINGS = [
    ((235, 40, 40), 1.2, math.radians(18), math.radians(-28)),
    ((40, 200, 60), 1.2, math.radians(18), math.radians(0)),
    ((60, 110, 255), 1.2, math.radians(18), math.radians(28)),
]

SUPERSAMPLE = 8


def load_map():
    ppm = subprocess.run(
        ["convert", EARTH_MAP, "-resize", f"{MAP_W}x{MAP_H}!", "-depth", "8", "ppm:-"],
        check=True, capture_output=True).stdout
    # P6 header: magic, width, height, maximum, then one whitespace byte.
    fields, pos = [], 0
    while len(fields) < 4:
        while ppm[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not ppm[pos:pos + 1].isspace():
            pos += 1
        fields.append(ppm[start:pos])
    pos += 1
    if fields[0] != b"P6" or int(fields[1]) != MAP_W or int(fields[2]) != MAP_H:
        raise SystemExit("unexpected picture from convert")
    return ppm[pos:pos + MAP_W * MAP_H * 3]


def map_colour(pixels, lat, lon):
    u = (lon / (2 * math.pi) + 0.5) % 1.0 * MAP_W - 0.5
    v = (0.5 - lat / math.pi) * MAP_H - 0.5
    x0, y0 = math.floor(u), math.floor(v)
    fx, fy = u - x0, v - y0
    out = [0.0, 0.0, 0.0]
    for dy, wy in ((0, 1 - fy), (1, fy)):
        y = min(max(y0 + dy, 0), MAP_H - 1)
        for dx, wx in ((0, 1 - fx), (1, fx)):
            x = (x0 + dx) % MAP_W
            i = (y * MAP_W + x) * 3
            for c in range(3):
                out[c] += pixels[i + c] * wx * wy
    return out


def globe_sample(pixels, gx, gy):
    """Colour of the globe at (gx, gy) in globe radii (y down), or None off the disc."""
    r2 = gx * gx + gy * gy
    if r2 >= 1.0:
        return None
    gz = math.sqrt(1.0 - r2)
    # Turn the view point back to latitude and longitude.
    y_up = -gy
    lat = math.asin(y_up * math.cos(VIEW_LAT) + gz * math.sin(VIEW_LAT))
    lon = VIEW_LON + math.atan2(gx, gz * math.cos(VIEW_LAT) - y_up * math.sin(VIEW_LAT))
    colour = map_colour(pixels, lat, lon)
    light = max(0.0, gx * LIGHT[0] + gy * LIGHT[1] + gz * LIGHT[2])
    shade = 0.55 + 0.9 * light
    # A thin blue haze towards the rim, where the atmosphere is seen edge on.
    haze = (1.0 - gz) ** 3 * 0.8
    return [min(255.0, c * shade * (1 - haze) + h * haze)
            for c, h in zip(colour, (110, 160, 255))]


def ring_points(radius, tilt, turn, count):
    """Points of a circle around the globe, projected: (x, y, z) in globe radii, z towards the viewer."""
    points = []
    for k in range(count):
        t = 2 * math.pi * k / count
        x, y, z = radius * math.cos(t), 0.0, radius * math.sin(t)
        y, z = y * math.cos(tilt) - z * math.sin(tilt), y * math.sin(tilt) + z * math.cos(tilt)
        x, y = x * math.cos(turn) - y * math.sin(turn), x * math.sin(turn) + y * math.cos(turn)
        points.append((x, y, z))
    return points


def render(pixels, size):
    """Premultiplied RGBA floats, row-major, top row first."""
    n = size * SUPERSAMPLE
    scale = GLOBE_RADIUS * size * SUPERSAMPLE  # samples per globe radius
    centre = n / 2.0
    # Line width in pixels: at least one pixel, a little more on the larger images.
    half_width = max(1.0, size / 24.0) * SUPERSAMPLE / 2.0

    # Each sample: list of layers (depth, rgb); the globe sits at depth 0.
    back = [None] * (n * n)
    front = [None] * (n * n)
    for colour, radius, tilt, turn in RINGS:
        steps = int(2 * math.pi * radius * scale * 2)
        reach = int(math.ceil(half_width))
        for x, y, z in ring_points(radius, tilt, turn, steps):
            sx, sy = centre + x * scale, centre + y * scale
            layer = front if z >= 0 else back
            for py in range(int(sy) - reach, int(sy) + reach + 1):
                for px in range(int(sx) - reach, int(sx) + reach + 1):
                    if 0 <= px < n and 0 <= py < n:
                        dx, dy = px + 0.5 - sx, py + 0.5 - sy
                        if dx * dx + dy * dy <= half_width * half_width:
                            i = py * n + px
                            held = layer[i]
                            if held is None or abs(z) > held[0]:
                                layer[i] = (abs(z), colour)

    out = []
    for row in range(size):
        for col in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    py, px = row * SUPERSAMPLE + sy, col * SUPERSAMPLE + sx
                    i = py * n + px
                    sample = None
                    if front[i] is not None:
                        sample = front[i][1]
                    else:
                        gx = (px + 0.5 - centre) / scale
                        gy = (py + 0.5 - centre) / scale
                        sample = globe_sample(pixels, gx, gy)
                        if sample is None and back[i] is not None:
                            sample = back[i][1]
                    if sample is not None:
                        for c in range(3):
                            acc[c] += sample[c]
                        acc[3] += 255.0
            k = SUPERSAMPLE * SUPERSAMPLE
            out.append([a / k for a in acc])
    return out


def to_bgra(image):
    """Straight-alpha 8-bit BGRA values."""
    result = []
    for r, g, b, a in image:
        if a <= 0:
            result.append((0, 0, 0, 0))
            continue
        f = 255.0 / a
        result.append((min(255, round(b * f)), min(255, round(g * f)),
                       min(255, round(r * f)), min(255, round(a))))
    return result


def and_mask(bgra, size):
    row_bytes = (size + 31) // 32 * 4
    rows = []
    for row in reversed(range(size)):
        bits = bytearray(row_bytes)
        for col in range(size):
            if bgra[row * size + col][3] < 128:
                bits[col // 8] |= 0x80 >> (col % 8)
        rows.append(bytes(bits))
    return b"".join(rows)


def bitmap_header(size, bit_count, colours_used, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0, image_bytes,
                       0, 0, colours_used, 0)


def image_32bpp(bgra, size):
    xor = b"".join(bytes(bgra[row * size + col]) for row in reversed(range(size))
                   for col in range(size))
    mask = and_mask(bgra, size)
    return bitmap_header(size, 32, 0, len(xor) + len(mask)) + xor + mask


def median_cut(colours, count):
    """A palette of at most `count` colours for the opaque pixels, in a fixed order."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        best, best_range, best_channel = None, 0, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for channel in range(3):
                values = [c[channel] for c in box]
                spread = max(values) - min(values)
                if spread > best_range:
                    best, best_range, best_channel = index, spread, channel
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: (c[best_channel], c))
        middle = len(box) // 2
        boxes[best:best] = [box[:middle], box[middle:]]
    palette = []
    for box in boxes:
        palette.append(tuple(round(sum(c[k] for c in box) / len(box)) for k in range(3)))
    return palette


def image_8bpp(bgra, size):
    opaque = [(p[2], p[1], p[0]) for p in bgra if p[3] >= 128]
    palette = [(0, 0, 0)] + median_cut(opaque, 255)
    palette += [(0, 0, 0)] * (256 - len(palette))

    def nearest(rgb):
        return min(range(1, 256), key=lambda k: (sum((a - b) ** 2 for a, b in zip(rgb, palette[k])), k))

    row_bytes = (size + 3) // 4 * 4
    rows = []
    for row in reversed(range(size)):
        line = bytearray(row_bytes)
        for col in range(size):
            p = bgra[row * size + col]
            line[col] = nearest((p[2], p[1], p[0])) if p[3] >= 128 else 0
        rows.append(bytes(line))
    xor = b"".join(rows)
    mask = and_mask(bgra, size)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return bitmap_header(size, 8, 256, len(xor) + len(mask)) + table + xor + mask


def write_icon(path, images):
    """images: list of (size, colour count byte, bit count, data)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = [], []
    for size, colour_count, bit_count, data in images:
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1,
                                   bit_count, len(data), offset))
        blobs.append(data)
        offset += len(data)
    Path(path).write_bytes(header + b"".join(entries) + b"".join(blobs))


def main(argv):
    root = Path(__file__).resolve().parents[2]
    output = root / "assets" / "Spindlewave.ico"
    png_dir = None
    args = list(argv)
    while args:
        arg = args.pop(0)
        if arg == "--png":
            png_dir = Path(args.pop(0))
        else:
            output = Path(arg)
    pixels = load_map()
    rendered = {size: to_bgra(render(pixels, size)) for size in (48, 32, 16)}
    images = [
        (48, 0, 32, image_32bpp(rendered[48], 48)),
        (32, 0, 32, image_32bpp(rendered[32], 32)),
        (32, 0, 8, image_8bpp(rendered[32], 32)),
        (16, 0, 32, image_32bpp(rendered[16], 16)),
    ]
    output.parent.mkdir(parents=True, exist_ok=True)
    write_icon(output, images)
    if png_dir is not None:
        png_dir.mkdir(parents=True, exist_ok=True)
        subprocess.run(["convert", str(output), str(png_dir / "icon-%d.png")], check=True)
    print(f"wrote {output}")


if __name__ == "__main__":
    main(sys.argv[1:])

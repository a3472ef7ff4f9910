"""Drawing kit shared by Dorvane's artwork generator.

Everything here is deterministic: no clock, no system randomness, no fonts
hinted by the machine's settings, and a PNG writer of our own so that the
same drawing always gives the same bytes.
"""

import math
import random
import struct
import zlib

import cairo

TAU = 2.0 * math.pi

# The design space of every dial: centre at (0, 0), radius 65 units, which is
# one unit per pixel on a 130 x 130 dial. Other dial sizes scale it.
DESIGN_RADIUS = 65.0


def hex_colour(text, alpha=1.0):
    """'#rrggbb' -> (r, g, b, a) with components in 0..1."""
    text = text.lstrip("#")
    r, g, b = (int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))
    return (r, g, b, alpha)


def mix(a, b, t):
    """Linear blend of two colour tuples of the same length."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def with_alpha(colour, alpha):
    return (colour[0], colour[1], colour[2], alpha)


def rgba(colour):
    """Any 3- or 4-tuple colour as a 4-tuple."""
    return tuple(colour) if len(colour) == 4 else (colour[0], colour[1], colour[2], 1.0)


def polar(radius, angle_deg):
    """Point at a clock angle: 0 degrees is 12 o'clock, growing clockwise."""
    a = math.radians(angle_deg)
    return (radius * math.sin(a), -radius * math.cos(a))


# ---------------------------------------------------------------- surfaces

class Canvas:
    """An ARGB32 cairo surface with a context whose user space is the design
    space: origin at the picture's centre, DESIGN_RADIUS units to the edge."""

    def __init__(self, width, height, radius_px=None):
        self.width = width
        self.height = height
        self.surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
        self.ctx = cairo.Context(self.surface)
        if radius_px is None:
            radius_px = min(width, height) / 2.0
        self.scale = radius_px / DESIGN_RADIUS
        self.ctx.translate(width / 2.0, height / 2.0)
        self.ctx.scale(self.scale, self.scale)
        setup_text(self.ctx)

    def to_design(self, px, py):
        return ((px - self.width / 2.0) / self.scale,
                (py - self.height / 2.0) / self.scale)


def setup_text(ctx):
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_NONE)
    options.set_hint_metrics(cairo.HINT_METRICS_OFF)
    ctx.set_font_options(options)


def shader_surface(canvas, fn, supersample=1):
    """A device-sized surface whose every pixel is fn(x, y) -> (r, g, b, a)
    at design coordinates, averaged over supersample^2 points a pixel."""
    w, h = canvas.width, canvas.height
    data = bytearray(w * h * 4)
    n = supersample
    offsets = [(i + 0.5) / n for i in range(n)]
    inv = 1.0 / (n * n)
    for py in range(h):
        for px in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for oy in offsets:
                for ox in offsets:
                    x, y = canvas.to_design(px + ox, py + oy)
                    r, g, b, a = fn(x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            i = (py * w + px) * 4
            data[i] = _byte(acc[2] * inv)
            data[i + 1] = _byte(acc[1] * inv)
            data[i + 2] = _byte(acc[0] * inv)
            data[i + 3] = _byte(acc[3] * inv)
    return cairo.ImageSurface.create_for_data(
        data, cairo.FORMAT_ARGB32, w, h, w * 4)


def _byte(v):
    v = int(v * 255.0 + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


def fill_with_surface(canvas, surface):
    """Fill the current path (built in design space) with a device-space
    surface such as one from shader_surface."""
    ctx = canvas.ctx
    ctx.save()
    ctx.identity_matrix()
    ctx.set_source_surface(surface, 0, 0)
    ctx.fill()
    ctx.restore()


def fill_shaded(canvas, fn, supersample=1):
    fill_with_surface(canvas, shader_surface(canvas, fn, supersample))


def layer(canvas):
    """A blank canvas of the same geometry, for drawing a shape apart."""
    c = Canvas(canvas.width, canvas.height)
    c.scale = canvas.scale
    c.ctx.identity_matrix()
    c.ctx.translate(canvas.width / 2.0, canvas.height / 2.0)
    c.ctx.scale(canvas.scale, canvas.scale)
    return c


def blur_alpha(surface, radius_px):
    """Gaussian-like blur (three box passes) of a surface's alpha channel;
    returns a new surface of black pixels with the blurred alpha."""
    w, h = surface.get_width(), surface.get_height()
    stride = surface.get_stride()
    src = surface.get_data()
    alpha = [float(src[y * stride + x * 4 + 3]) for y in range(h) for x in range(w)]
    r = max(1, int(round(radius_px / 1.7)))
    for _ in range(3):
        alpha = _box_pass(alpha, w, h, r, horizontal=True)
        alpha = _box_pass(alpha, w, h, r, horizontal=False)
    data = bytearray(w * h * 4)
    for i, a in enumerate(alpha):
        data[i * 4 + 3] = min(255, int(a + 0.5))
    return cairo.ImageSurface.create_for_data(data, cairo.FORMAT_ARGB32, w, h, w * 4)


def _box_pass(values, w, h, r, horizontal):
    out = [0.0] * (w * h)
    span = 2 * r + 1
    lines, length = (h, w) if horizontal else (w, h)
    for line in range(lines):
        def at(k):
            if k < 0 or k >= length:
                return 0.0
            return values[line * w + k] if horizontal else values[k * w + line]
        acc = sum(at(k) for k in range(-r, r + 1))
        for k in range(length):
            idx = line * w + k if horizontal else k * w + line
            out[idx] = acc / span
            acc += at(k + r + 1) - at(k - r)
    return out


def draw_shadow(canvas, draw_shape, blur, dx, dy, colour=(0, 0, 0), alpha=0.5, within=None):
    """Paint a soft shadow (or glow) of whatever draw_shape(ctx) fills,
    offset by (dx, dy) design units; with within = r, only inside the circle
    of radius r."""
    shape = layer(canvas)
    draw_shape(shape.ctx)
    blurred = blur_alpha(shape.surface, blur * canvas.scale)
    ctx = canvas.ctx
    ctx.save()
    if within is not None:
        clip_circle(ctx, within)
    ctx.identity_matrix()
    ctx.set_source_rgba(colour[0], colour[1], colour[2], alpha)
    ctx.mask_surface(blurred, dx * canvas.scale, dy * canvas.scale)
    ctx.restore()


# ---------------------------------------------------------------- shapes

def circle(ctx, radius, cx=0.0, cy=0.0):
    ctx.new_sub_path()
    ctx.arc(cx, cy, radius, 0, TAU)


def annulus(ctx, r_inner, r_outer):
    ctx.new_path()
    circle(ctx, r_outer)
    ctx.new_sub_path()
    ctx.arc_negative(0, 0, r_inner, TAU, 0)


def set_colour(ctx, colour):
    if len(colour) == 3:
        ctx.set_source_rgb(*colour)
    else:
        ctx.set_source_rgba(*colour)


def set_paint(ctx, paint):
    """paint is a colour tuple or a cairo pattern."""
    if isinstance(paint, cairo.Pattern):
        ctx.set_source(paint)
    else:
        set_colour(ctx, paint)


def fill_circle(ctx, radius, paint, cx=0.0, cy=0.0):
    ctx.new_path()
    circle(ctx, radius, cx, cy)
    set_paint(ctx, paint)
    ctx.fill()


def stroke_circle(ctx, radius, width, paint, cx=0.0, cy=0.0):
    ctx.new_path()
    circle(ctx, radius, cx, cy)
    ctx.set_line_width(width)
    set_paint(ctx, paint)
    ctx.stroke()


def clip_circle(ctx, radius):
    ctx.new_path()
    circle(ctx, radius)
    ctx.clip()


def radial_gradient(stops, r1, cx=0.0, cy=0.0, r0=0.0, fx=None, fy=None):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    pattern = cairo.RadialGradient(fx, fy, r0, cx, cy, r1)
    for offset, colour in stops:
        pattern.add_color_stop_rgba(offset, *rgba(colour))
    return pattern


def linear_gradient(stops, x0, y0, x1, y1):
    pattern = cairo.LinearGradient(x0, y0, x1, y1)
    for offset, colour in stops:
        pattern.add_color_stop_rgba(offset, *rgba(colour))
    return pattern


def conic(canvas, r_inner, r_outer, colour_at, supersample=2):
    """Fill an annulus with a colour that depends on the angle only:
    colour_at(angle_deg) with 0 at 12 o'clock, clockwise."""
    def fn(x, y):
        return colour_at(math.degrees(math.atan2(x, -y)) % 360.0)
    annulus(canvas.ctx, r_inner, r_outer)
    fill_shaded(canvas, fn, supersample)


def metal_sheen(base, light, dark, angle_deg):
    """Colour of polished metal lit from the upper left, as a function of
    the clock angle: two bright and two dark lobes around the ring."""
    a = math.radians(angle_deg - 315.0)
    t = 0.5 + 0.5 * math.cos(2 * a) * 0.8 + 0.2 * math.cos(a) * 0.5
    t = max(0.0, min(1.0, t))
    if t > 0.5:
        return mix(base, light, (t - 0.5) * 2)
    return mix(dark, base, t * 2)


def tick(ctx, angle_deg, r0, r1, width, cap=cairo.LINE_CAP_BUTT):
    x0, y0 = polar(r0, angle_deg)
    x1, y1 = polar(r1, angle_deg)
    ctx.set_line_width(width)
    ctx.set_line_cap(cap)
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.stroke()


def rounded_rect(ctx, x, y, w, h, r):
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    ctx.close_path()


# ---------------------------------------------------------------- text

# every (family, slant, weight) the drawings asked for, for checking that
# the machine really has those faces rather than a stand-in
FONTS_USED = set()


def select_font(ctx, family, slant, weight):
    FONTS_USED.add((family, slant, weight))
    ctx.select_font_face(family, slant, weight)


def text_path(ctx, text, x, y, size, family="DejaVu Sans",
              weight=cairo.FONT_WEIGHT_NORMAL, slant=cairo.FONT_SLANT_NORMAL,
              tracking=0.0):
    """Add text to the path, centred on (x, y) by its ink box. tracking adds
    that many units between letters."""
    select_font(ctx, family, slant, weight)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    baseline = y - (ext.y_bearing + ext.height / 2.0)
    if not tracking:
        ctx.move_to(x - ext.width / 2.0 - ext.x_bearing, baseline)
        ctx.text_path(text)
        return
    advances = [ctx.text_extents(ch).x_advance for ch in text]
    pen = x - (sum(advances) + tracking * (len(text) - 1)) / 2.0
    for ch, advance in zip(text, advances):
        ctx.move_to(pen, baseline)
        ctx.text_path(ch)
        pen += advance + tracking


def draw_text(ctx, text, x, y, size, colour, **kw):
    ctx.new_path()
    text_path(ctx, text, x, y, size, **kw)
    set_colour(ctx, colour)
    ctx.fill()


def numeral_ring(ctx, labels, radius, size, colour, radial=False, upright=False, **kw):
    """Numerals around the dial. labels[i] sits at i * 360 / len(labels)
    degrees; radial=True turns each one so its foot faces the centre, and
    upright=True turns those of the lower half round so they read upright."""
    n = len(labels)
    for i, label in enumerate(labels):
        if not label:
            continue
        angle = i * 360.0 / n
        if radial:
            flip = upright and 90.0 < angle < 270.0
            ctx.save()
            ctx.rotate(math.radians(angle + (180.0 if flip else 0.0)))
            draw_text(ctx, label, 0, radius if flip else -radius, size, colour, **kw)
            ctx.restore()
        else:
            x, y = polar(radius, angle)
            draw_text(ctx, label, x, y, size, colour, **kw)


# ---------------------------------------------------------------- noise

class ValueNoise:
    """Smooth 2-D value noise on a seeded lattice (deterministic)."""

    def __init__(self, seed, size=64):
        rng = random.Random(seed)
        self.size = size
        self.grid = [rng.random() for _ in range(size * size)]

    def __call__(self, x, y):
        s = self.size
        xi, yi = math.floor(x), math.floor(y)
        fx, fy = x - xi, y - yi
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)

        def g(i, j):
            return self.grid[((j % s) * s + (i % s))]
        top = g(xi, yi) + (g(xi + 1, yi) - g(xi, yi)) * fx
        bottom = g(xi, yi + 1) + (g(xi + 1, yi + 1) - g(xi, yi + 1)) * fx
        return top + (bottom - top) * fy


# ---------------------------------------------------------------- PNG

def straight_rgba(surface):
    """Cairo's premultiplied native ARGB32 -> straight RGBA bytes, with fully
    transparent pixels written as 0,0,0,0."""
    surface.flush()
    w, h = surface.get_width(), surface.get_height()
    stride = surface.get_stride()
    src = bytes(surface.get_data())
    out = bytearray(w * h * 4)
    little = struct.pack("=I", 1)[0] == 1
    for y in range(h):
        row = y * stride
        for x in range(w):
            i = row + x * 4
            if little:
                b, g, r, a = src[i], src[i + 1], src[i + 2], src[i + 3]
            else:
                a, r, g, b = src[i], src[i + 1], src[i + 2], src[i + 3]
            o = (y * w + x) * 4
            if a == 0:
                continue
            half = a // 2
            out[o] = min(255, (r * 255 + half) // a)
            out[o + 1] = min(255, (g * 255 + half) // a)
            out[o + 2] = min(255, (b * 255 + half) // a)
            out[o + 3] = a
    return bytes(out)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_row(kind, row, prev):
    bpp = 4
    out = bytearray(len(row))
    for i, v in enumerate(row):
        left = row[i - bpp] if i >= bpp else 0
        up = prev[i]
        if kind == 0:
            p = 0
        elif kind == 1:
            p = left
        elif kind == 2:
            p = up
        elif kind == 3:
            p = (left + up) >> 1
        else:
            p = _paeth(left, up, prev[i - bpp] if i >= bpp else 0)
        out[i] = (v - p) & 0xFF
    return out


def _cost(filtered):
    return sum(v if v < 128 else 256 - v for v in filtered)


def encode_png(width, height, rgba):
    """8-bit RGBA PNG, straight alpha, no ancillary chunks. Each row takes
    the filter with the smallest sum of absolute differences."""
    stride = width * 4
    prev = bytes(stride)
    raw = bytearray()
    for y in range(height):
        row = rgba[y * stride:(y + 1) * stride]
        candidates = [_filter_row(k, row, prev) for k in range(5)]
        costs = [_cost(c) for c in candidates]
        kind = costs.index(min(costs))
        raw.append(kind)
        raw += candidates[kind]
        prev = row
    return (b"\x89PNG\r\n\x1a\n"
            + _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _chunk(b"IEND", b""))


def _chunk(kind, payload):
    crc = zlib.crc32(kind + payload) & 0xFFFFFFFF
    return struct.pack(">I", len(payload)) + kind + payload + struct.pack(">I", crc)


def decode_png(data):
    """Reads back what encode_png writes (8-bit RGBA, non-interlaced):
    returns (width, height, colour_type, bit_depth, rgba bytes)."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        payload = data[pos + 8:pos + 8 + length]
        crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        assert crc == zlib.crc32(kind + payload) & 0xFFFFFFFF, "bad CRC"
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", payload)
        elif kind == b"IDAT":
            idat += payload
        pos += 12 + length
    width, height, depth, ctype = header[0], header[1], header[2], header[3]
    raw = zlib.decompress(idat)
    stride = width * 4
    out = bytearray()
    prev = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - 4] if i >= 4 else 0
            up = prev[i]
            p = (0, left, up, (left + up) >> 1,
                 _paeth(left, up, prev[i - 4] if i >= 4 else 0))[kind]
            row[i] = (row[i] + p) & 0xFF
        out += row
        prev = row
    return width, height, ctype, depth, bytes(out)

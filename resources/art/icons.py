"""The program icon "MAINICON": Dorvane's own dial in miniature (steel rim,
white face, slate hands at 10:09 and, from 32 pixels up, the red second
hand), drawn afresh for each size so that the small ones stay crisp."""

import cairo

from artkit import (DESIGN_RADIUS, Canvas, circle, conic, draw_shadow, fill_circle, hex_colour,
                    metal_sheen, radial_gradient, set_colour, stroke_circle, tick)
from parts import STEEL

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
SLATE = hex_colour("#2b3440")
RED = hex_colour("#e8262d")

# per size: rim width, mark length and width, hand widths, shadow
ICON_STYLE = {
    16: dict(rim=1.3, marks=4, mark_len=1.6, mark_w=2.0, hour_w=2.0, minute_w=1.6, second=False,
             shadow=False),
    24: dict(rim=2.2, marks=12, mark_len=2.6, mark_w=1.4, hour_w=2.4, minute_w=1.8, second=False,
             shadow=True),
    32: dict(rim=2.8, marks=12, mark_len=3.2, mark_w=1.5, hour_w=3.0, minute_w=2.2, second=True,
             shadow=True),
    48: dict(rim=4.0, marks=12, mark_len=4.6, mark_w=2.0, hour_w=4.0, minute_w=3.0, second=True,
             shadow=True),
    64: dict(rim=5.2, marks=12, mark_len=6.0, mark_w=2.6, hour_w=5.0, minute_w=3.6, second=True,
             shadow=True),
    # the launcher's and the software centre's sizes: the 64-pixel design scaled up
    128: dict(rim=10.4, marks=12, mark_len=12.0, mark_w=5.2, hour_w=10.0, minute_w=7.2, second=True,
              shadow=True),
    256: dict(rim=20.8, marks=12, mark_len=24.0, mark_w=10.4, hour_w=20.0, minute_w=14.4, second=True,
              shadow=True),
}


def pixel_canvas(width, height):
    """A canvas whose user space is pixels, origin at the picture's centre."""
    return Canvas(width, height, radius_px=DESIGN_RADIUS)


def main_icon(size):
    style = ICON_STYLE[size]
    canvas = pixel_canvas(size, size)
    ctx = canvas.ctx
    radius = size / 2.0 - (1.0 if style["shadow"] else 0.3)
    if style["shadow"]:
        def shape(c):
            circle(c, radius)
            set_colour(c, (0, 0, 0, 1))
            c.fill()
        draw_shadow(canvas, shape, blur=size / 48.0, dx=0, dy=size / 64.0, alpha=0.45)
    rim_ring(canvas, radius, style["rim"], size)
    face_radius = radius - style["rim"]
    fill_circle(ctx, face_radius, radial_gradient(
        [(0, hex_colour("#ffffff")), (1, hex_colour("#dde1e6"))], face_radius,
        fx=-face_radius * 0.3, fy=-face_radius * 0.4))
    hour_marks(ctx, face_radius, style)
    hands(ctx, face_radius, style)
    return canvas


def rim_ring(canvas, radius, width, size):
    if size < 24:
        ctx = canvas.ctx
        fill_circle(ctx, radius, hex_colour("#4a5563"))
        return
    base, light, dark = STEEL
    conic(canvas, radius - width, radius, lambda a: metal_sheen(base, light, dark, a), 3)
    ctx = canvas.ctx
    stroke_circle(ctx, radius - 0.5, 1.0, (0.25, 0.28, 0.32, 0.6))


def hour_marks(ctx, face_radius, style):
    set_colour(ctx, SLATE)
    count = style["marks"]
    outer = face_radius - max(1.0, face_radius * 0.08)
    for i in range(count):
        angle = i * 360.0 / count
        quarter = (angle % 90.0) == 0.0
        length = style["mark_len"] * (1.0 if quarter or count == 4 else 0.6)
        width = style["mark_w"] * (1.0 if quarter or count == 4 else 0.7)
        tick(ctx, angle, outer - length, outer, width)


def hands(ctx, face_radius, style):
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    set_colour(ctx, SLATE)
    tick(ctx, 304.75, 0, face_radius * 0.52, style["hour_w"], cairo.LINE_CAP_ROUND)
    tick(ctx, 57.0, 0, face_radius * 0.80, style["minute_w"], cairo.LINE_CAP_ROUND)
    if style["second"]:
        set_colour(ctx, RED)
        width = max(1.0, style["minute_w"] * 0.4)
        tick(ctx, 210.0, -face_radius * 0.18, face_radius * 0.84, width, cairo.LINE_CAP_ROUND)
        circle(ctx, max(1.2, style["hour_w"] * 0.45))
        ctx.fill()
    else:
        circle(ctx, style["hour_w"] * 0.7)
        set_colour(ctx, SLATE)
        ctx.fill()


def main_icons():
    return [(size, main_icon(size)) for size in ICON_SIZES]


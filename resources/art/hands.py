"""The three hands, shared by every dial.

Each hand is drawn on a 196 x 196 picture pointing at 12 with its pivot at
the picture's centre. The clock scales it to the dial (about 130 px), so the
lengths below are in dial units: 65 units from the pivot to the dial's rim.

The hour and minute hands are dark with a light rim and a soft shadow, so
that they read on dark dials (the rim) and on light ones (the body); the
second hand is a slim red needle with a counterweight.
"""

import cairo

from artkit import Canvas, circle, draw_shadow, hex_colour, linear_gradient, set_colour, with_alpha

HAND_SIZE = 196

BODY_LIGHT = hex_colour("#3c424b")
BODY_DARK = hex_colour("#1a1d22")
RIM = hex_colour("#f6f5f0")
LUME = hex_colour("#f1ede0")
SECOND_RED = hex_colour("#e8262d")
SECOND_EDGE = hex_colour("#7a0c10")


def mirrored(half):
    """A closed outline from its right half [(x, y), ...], listed from the
    tail to the tip; the left half is its mirror image."""
    right = list(half)
    left = [(-x, y) for x, y in reversed(half) if x != 0.0]
    return right + left


def outline_path(ctx, points):
    ctx.new_path()
    ctx.move_to(*points[0])
    for p in points[1:]:
        ctx.line_to(*p)
    ctx.close_path()


def hand_canvas(factor=1):
    """The hand's picture, factor times the pixels for high-resolution screens."""
    return Canvas(HAND_SIZE * factor, HAND_SIZE * factor)


def lume_strip(ctx, half, boss_radius):
    """A luminous inlay along the middle of the hand, from just past the
    boss to short of the tip, about a third of the hand's width."""
    tip_y = min(y for _, y in half)
    start = -boss_radius - 1.6
    end = tip_y + 7.0
    width_at = lambda y: _half_width(half, y) * 0.36
    ctx.new_path()
    ctx.move_to(width_at(start), start)
    ctx.line_to(width_at(end), end)
    ctx.line_to(0, end - 2.5)
    ctx.line_to(-width_at(end), end)
    ctx.line_to(-width_at(start), start)
    ctx.close_path()
    set_colour(ctx, LUME)
    ctx.fill()


def _half_width(half, y):
    """The hand's half width at height y, read off its outline."""
    for (x0, y0), (x1, y1) in zip(half, half[1:]):
        if y1 <= y <= y0:
            return x0 + (x1 - x0) * (y - y0) / (y1 - y0)
    return 0.0


def faceted_hand(half, boss_radius, rim=1.3, factor=1):
    """A dark two-faceted hand with a light rim and a round boss."""
    canvas = hand_canvas(factor)
    ctx = canvas.ctx
    points = mirrored(half)

    def shape(c):
        outline_path(c, points)
        circle(c, boss_radius + rim)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
        c.set_line_width(2 * rim + 0.6)
        outline_path(c, points)
        c.stroke()
    draw_shadow(canvas, shape, blur=1.6, dx=0, dy=0, alpha=0.45)

    # light rim: the outline stroked wide under the body
    set_colour(ctx, RIM)
    ctx.set_line_join(cairo.LINE_JOIN_MITER)
    ctx.set_line_width(2 * rim)
    outline_path(ctx, points)
    ctx.stroke_preserve()
    ctx.fill()
    circle(ctx, boss_radius + rim)
    ctx.fill()

    # body: lit facet on the left, shaded facet on the right
    tip_y = min(y for _, y in half)
    ctx.save()
    outline_path(ctx, points)
    ctx.clip()
    set_colour(ctx, BODY_DARK)
    ctx.paint()
    ctx.rectangle(-10, tip_y - 2, 10, 40 - tip_y)
    ctx.set_source(linear_gradient([(0, BODY_LIGHT), (1, BODY_DARK)], 0, tip_y, 0, 20))
    ctx.fill()
    ctx.restore()
    lume_strip(ctx, half, boss_radius)
    ctx.new_path()
    circle(ctx, boss_radius)
    ctx.set_source(linear_gradient([(0, BODY_LIGHT), (1, BODY_DARK)],
                                   -boss_radius, -boss_radius, boss_radius, boss_radius))
    ctx.fill()
    return canvas


def hour_hand(factor=1):
    half = [(1.7, 9.0), (2.7, 3.0), (3.4, -5.0), (3.1, -26.0), (0.0, -34.0)]
    return faceted_hand(half, boss_radius=4.6, factor=factor)


def minute_hand(factor=1):
    half = [(1.3, 12.0), (2.1, 3.0), (2.45, -6.0), (1.9, -47.0), (0.0, -54.0)]
    return faceted_hand(half, boss_radius=3.6, factor=factor)


def second_hand(factor=1):
    canvas = hand_canvas(factor)
    ctx = canvas.ctx
    tip, tail, weight_y = -57.5, 16.0, 11.0

    def needle(c):
        c.new_path()
        c.move_to(-0.55, tip)
        c.line_to(0.55, tip)
        c.line_to(0.95, tail)
        c.line_to(-0.95, tail)
        c.close_path()
        circle(c, 2.7, 0, weight_y)
        circle(c, 2.9)

    def shape(c):
        needle(c)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, shape, blur=1.3, dx=0, dy=0, alpha=0.4)

    needle(ctx)
    ctx.set_line_width(0.9)
    set_colour(ctx, with_alpha(RIM, 0.85))
    ctx.stroke()
    needle(ctx)
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    set_colour(ctx, SECOND_RED)
    ctx.fill_preserve()
    set_colour(ctx, SECOND_EDGE)
    ctx.set_line_width(0.35)
    ctx.stroke()
    # the counterweight is a ring; the pin a small steel cap
    set_colour(ctx, SECOND_EDGE)
    circle(ctx, 1.15, 0, weight_y)
    ctx.fill()
    pin = linear_gradient([(0, hex_colour("#f2f2f2")), (1, hex_colour("#7d8087"))],
                          -1.2, -1.2, 1.2, 1.2)
    ctx.set_source(pin)
    circle(ctx, 1.2)
    ctx.fill()
    return canvas


def all_hands(factor=1):
    """name -> canvas, for the generator; factor times the pixels."""
    return {"hour": hour_hand(factor), "minute": minute_hand(factor), "second": second_hand(factor)}


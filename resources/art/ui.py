"""The small pictures of the other windows, in one style: round glossy
buttons of 19 x 19 pixels carrying a white glyph, their colour telling
their kind (red closes, amber resets, slate moves or opens, blue helps or
snoozes), steel slider knobs, and the pop-up's alarm-clock picture."""

import math

import cairo

from artkit import (TAU, circle, draw_shadow, fill_circle, hex_colour, linear_gradient, mix,
                    radial_gradient, rounded_rect, set_colour)
from icons import pixel_canvas

BUTTON = 19
RED = hex_colour("#d9443c")
AMBER = hex_colour("#e59a17")
SLATE = hex_colour("#56616f")
BLUE = hex_colour("#2f86d6")
INDIGO = hex_colour("#5b5fd1")
WHITE = (1.0, 1.0, 1.0, 1.0)


def button(colour, glyph):
    """A round button: a disc shaded from its lit top, a darker rim, a soft
    highlight, and the glyph in white over a faint shadow."""
    canvas = pixel_canvas(BUTTON, BUTTON)
    ctx = canvas.ctx
    radius = 8.6
    fill_circle(ctx, radius, mix(colour, (0, 0, 0, 1), 0.35))
    circle(ctx, radius - 0.9)
    ctx.set_source(linear_gradient([(0, mix(colour, WHITE, 0.28)),
                                    (1, mix(colour, (0, 0, 0, 1), 0.12))], 0, -radius, 0, radius))
    ctx.fill()
    ctx.save()
    ctx.translate(0, -radius * 0.42)
    ctx.scale(1.0, 0.55)
    circle(ctx, radius * 0.72)
    ctx.restore()
    ctx.set_source(linear_gradient([(0, (1, 1, 1, 0.55)), (1, (1, 1, 1, 0.0))], 0, -radius, 0, 0))
    ctx.fill()

    draw_shadow(canvas, lambda c: glyph(c, (0, 0, 0, 1)), blur=0.6, dx=0, dy=0.6, alpha=0.45)
    glyph(ctx, WHITE)
    return canvas


def stroke_glyph(ctx, colour, width=1.9):
    """Stroke the glyph's path: round ends, round joins."""
    set_colour(ctx, colour)
    ctx.set_line_width(width)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()


def cross_glyph(ctx, colour):
    ctx.new_path()
    for sx in (-1, 1):
        ctx.move_to(-3.2 * sx, -3.2)
        ctx.line_to(3.2 * sx, 3.2)
    stroke_glyph(ctx, colour)


def reset_glyph(ctx, colour):
    """An arrow that rises on the right, turns over the top and comes down
    on the left: go back."""
    cx, cy, radius = 0.9, 0.6, 3.6
    ctx.new_path()
    ctx.move_to(cx + radius, cy + 3.2)
    ctx.line_to(cx + radius, cy)
    ctx.arc_negative(cx, cy, radius, 0, -math.pi * 0.97)
    stroke_glyph(ctx, colour, width=1.7)
    head_x = cx - radius
    ctx.move_to(head_x, cy + 3.6)
    ctx.line_to(head_x - 2.8, cy - 0.3)
    ctx.line_to(head_x + 2.8, cy - 0.3)
    ctx.close_path()
    set_colour(ctx, colour)
    ctx.fill()


def moon_glyph(ctx, colour):
    """A crescent moon with a small z: sleep a while."""
    ctx.new_path()
    ctx.arc(-0.8, 0.8, 4.6, math.radians(30), math.radians(280))
    ctx.arc_negative(1.6, -1.0, 3.6, math.radians(245), math.radians(60))
    ctx.close_path()
    set_colour(ctx, colour)
    ctx.fill()
    ctx.move_to(2.2, -4.6)
    ctx.line_to(4.6, -4.6)
    ctx.line_to(2.2, -1.9)
    ctx.line_to(4.6, -1.9)
    stroke_glyph(ctx, colour, width=1.1)


def question_glyph(ctx, colour):
    ctx.new_path()
    ctx.arc(0, -1.8, 2.6, math.radians(200), math.radians(400))
    ctx.curve_to(1.6, -0.2, 0.0, 0.2, 0.0, 1.6)
    stroke_glyph(ctx, colour)
    circle(ctx, 1.1, 0.0, 4.4)
    ctx.fill()


def gear_glyph(ctx, colour):
    """A gear of eight teeth with a hole."""
    ctx.new_path()
    teeth = 8
    for i in range(teeth * 2):
        a0 = i * TAU / (teeth * 2)
        r = 5.4 if i % 2 == 0 else 4.0
        ctx.arc(0, 0, r, a0 - 0.02, a0 + TAU / (teeth * 2) + 0.02)
    ctx.close_path()
    ctx.new_sub_path()
    ctx.arc_negative(0, 0, 1.8, TAU, 0)
    set_colour(ctx, colour)
    ctx.fill()


def move_glyph(ctx, colour):
    """Four arrows out from the middle: move."""
    ctx.new_path()
    for angle in (0, 90, 180, 270):
        ctx.save()
        ctx.rotate(math.radians(angle))
        ctx.move_to(0, 0)
        ctx.line_to(0, -4.6)
        ctx.move_to(-1.7, -3.0)
        ctx.line_to(0, -4.8)
        ctx.line_to(1.7, -3.0)
        ctx.restore()
    stroke_glyph(ctx, colour, width=1.5)


def chevron_glyph(direction):
    def glyph(ctx, colour):
        ctx.new_path()
        ctx.move_to(-1.2 * direction, -3.6)
        ctx.line_to(1.8 * direction, 0)
        ctx.line_to(-1.2 * direction, 3.6)
        stroke_glyph(ctx, colour, width=2.2)
    return glyph


def knob(width, height):
    """A steel slider knob with grip lines across its long side."""
    canvas = pixel_canvas(width, height)
    ctx = canvas.ctx
    vertical = height > width
    w, h = width - 1.0, height - 1.0

    def body(c):
        c.new_path()
        rounded_rect(c, -w / 2, -h / 2, w, h, 2.6)
    ctx.save()
    body(ctx)
    set_colour(ctx, hex_colour("#4f5660"))
    ctx.fill()
    ctx.restore()
    ctx.new_path()
    rounded_rect(ctx, -w / 2 + 0.9, -h / 2 + 0.9, w - 1.8, h - 1.8, 1.9)
    ctx.set_source(linear_gradient([(0, hex_colour("#ffffff")), (0.5, hex_colour("#d3d7dc")),
                                    (1, hex_colour("#9aa1aa"))], 0, -h / 2, 0, h / 2)
                   if vertical else
                   linear_gradient([(0, hex_colour("#ffffff")), (0.5, hex_colour("#d3d7dc")),
                                    (1, hex_colour("#9aa1aa"))], -w / 2, 0, w / 2, 0))
    ctx.fill()
    for offset in (-2.0, 0.0, 2.0):
        for colour, shift in ((hex_colour("#6b727c"), 0.0), ((1, 1, 1, 0.8), 0.8)):
            set_colour(ctx, colour)
            ctx.set_line_width(0.8)
            ctx.new_path()
            if vertical:
                ctx.move_to(-2.6, offset + shift - 0.4)
                ctx.line_to(2.6, offset + shift - 0.4)
            else:
                ctx.move_to(offset + shift - 0.4, -2.6)
                ctx.line_to(offset + shift - 0.4, 2.6)
            ctx.stroke()
    return canvas


def alarm_clock():
    """The pop-up's picture, 48 x 48: a red twin-bell alarm clock at 10:09."""
    canvas = pixel_canvas(48, 48)
    ctx = canvas.ctx
    for side in (-1, 1):
        ctx.save()
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_width(2.6)
        set_colour(ctx, hex_colour("#3b424c"))
        ctx.move_to(side * 9.5, 15.5)
        ctx.line_to(side * 13.5, 21.5)
        ctx.stroke()
        ctx.restore()
        bell(ctx, side)
    ctx.set_line_width(1.6)
    set_colour(ctx, hex_colour("#3b424c"))
    ctx.move_to(0, -17.0)
    ctx.line_to(0, -21.0)
    ctx.stroke()
    circle(ctx, 2.0, 0, -21.5)
    ctx.fill()

    def body_shape(c):
        circle(c, 16.5, 0, 2.0)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, body_shape, blur=1.4, dx=0.4, dy=1.2, alpha=0.4)
    fill_circle(ctx, 16.5, radial_gradient([(0, mix(RED, WHITE, 0.35)),
                                            (1, mix(RED, (0, 0, 0, 1), 0.25))],
                                           17, cx=0, cy=2, fx=-6, fy=-6), cx=0, cy=2.0)
    circle(ctx, 12.8, 0, 2.0)
    ctx.set_source(radial_gradient([(0, hex_colour("#ffffff")), (1, hex_colour("#e3e6ea"))], 13,
                                   cx=0, cy=2, fx=-4, fy=-3))
    ctx.fill()
    ctx.save()
    ctx.translate(0, 2.0)
    set_colour(ctx, hex_colour("#2b3440"))
    for i in range(12):
        a = math.radians(i * 30)
        inner = 9.6 if i % 3 == 0 else 10.6
        ctx.move_to(inner * math.sin(a), -inner * math.cos(a))
        ctx.line_to(11.8 * math.sin(a), -11.8 * math.cos(a))
        ctx.set_line_width(1.4 if i % 3 == 0 else 0.9)
        ctx.stroke()
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for angle, length, width in ((304.75, 6.0, 2.2), (57.0, 9.0, 1.6)):
        a = math.radians(angle)
        ctx.move_to(0, 0)
        ctx.line_to(length * math.sin(a), -length * math.cos(a))
        ctx.set_line_width(width)
        ctx.stroke()
    set_colour(ctx, RED)
    circle(ctx, 1.4)
    ctx.fill()
    ctx.restore()
    return canvas


def bell(ctx, side):
    """One bell: a steel dome leaning outwards over the clock."""
    ctx.save()
    ctx.translate(side * 11.5, -14.5)
    ctx.rotate(math.radians(side * 38))
    ctx.new_path()
    ctx.arc(0, 2.0, 7.2, math.pi, TAU)
    ctx.close_path()
    ctx.set_source(linear_gradient([(0, hex_colour("#ffffff")), (0.5, hex_colour("#c3c9d1")),
                                    (1, hex_colour("#6e7681"))], -7, -5, 7, 2))
    ctx.fill_preserve()
    set_colour(ctx, hex_colour("#4b535e"))
    ctx.set_line_width(0.8)
    ctx.stroke()
    circle(ctx, 1.3, 0, -5.8)
    ctx.fill()
    ctx.restore()


def pictures():
    """(file name, (width, height), canvas) of every small picture."""
    buttons = [
        ("skin-previous", SLATE, chevron_glyph(-1)),
        ("skin-next", SLATE, chevron_glyph(1)),
        ("help", BLUE, question_glyph),
        ("reset-options", AMBER, reset_glyph),
        ("strip-drag", SLATE, move_glyph),
        ("strip-options", SLATE, gear_glyph),
        ("strip-close", RED, cross_glyph),
        ("popup-close", RED, cross_glyph),
        ("popup-reset", AMBER, reset_glyph),
        ("popup-snooze", INDIGO, moon_glyph),
    ]
    result = [(name, (BUTTON, BUTTON), button(colour, glyph)) for name, colour, glyph in buttons]
    result.append(("knob-opacity", (11, 19), knob(11, 19)))
    result.append(("knob-volume", (19, 11), knob(19, 11)))
    result.append(("popup-alarm", (48, 48), alarm_clock()))
    return result


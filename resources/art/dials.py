"""The dials. Each function draws one dial into a Canvas whose user space
is the design space (centre 0, 0; rim at 65 units)."""

import math

import cairo

from artkit import (annulus, circle, clip_circle, draw_shadow, draw_text, fill_circle, fill_shaded,
                    hex_colour, linear_gradient, mix, numeral_ring, polar, radial_gradient,
                    rounded_rect, set_colour, stroke_circle, text_path, tick, with_alpha)
from parts import (CHROME, DARK_STEEL, GOLD, RIM, STEEL, applied_baton, face,
                   fluted_ring, glass_disc, gloss, inner_shadow, knurled_ring, metal_ring, opaline,
                   minute_track, outer_shadow, polished_dot, railway_track, sunburst, wood_ring)

BOLD = cairo.FONT_WEIGHT_BOLD
BLACK_STEEL = (hex_colour("#2b2e33"), hex_colour("#7c828c"), hex_colour("#0c0d0f"))


def draw_default(canvas):
    """Dorvane's own face: a pearl opaline dial with a fine circular grain,
    a polished steel bezel, slate applied batons and a fine minute track."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    metal_ring(canvas, 57.0, RIM, STEEL)
    opaline(canvas, 57.0, hex_colour("#fdfdfc"), hex_colour("#dde1e6"))
    inner_shadow(canvas, 57.0, depth=2.6, alpha=0.35)
    slate_ink = hex_colour("#3b4552")
    minute_track(ctx, hex_colour("#5b6470"), 55.0, 2.4, 0, 0.55, 0, skip_hours=True)
    slate = (slate_ink, hex_colour("#8a95a3"), hex_colour("#1c232c"))
    for hour in range(12):
        long_mark = hour % 3 == 0
        applied_baton(canvas, hour * 30, 41.5 if long_mark else 45.0, 55.0,
                      3.4 if long_mark else 2.3, slate, shadow=0.35)
    draw_text(ctx, "DORVANE", 0, -25.0, 4.6, slate_ink, weight=BOLD, tracking=0.9)
    draw_text(ctx, "QUARTZ", 0, 26.0, 3.2, hex_colour("#6f7a87"), tracking=0.9)


def draw_black(canvas):
    """An aviator's face: matte black, bold white numerals and a white
    triangle at twelve flanked by two dots."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    metal_ring(canvas, 60.2, RIM, BLACK_STEEL)
    face(canvas, 60.2, hex_colour("#1d1f22"), hex_colour("#0b0c0d"), focus=(-10, -16))
    white = hex_colour("#f4f2ea")
    minute_track(ctx, white, 58.0, 3.0, 0, 0.6, 0, skip_hours=True)
    for hour in range(1, 12):
        if hour % 3 == 0:
            continue
        set_colour(ctx, white)
        tick(ctx, hour * 30, 50.5, 58.0, 2.0)
    numeral_ring(ctx, ["", "", "", "3", "", "", "6", "", "", "9", "", ""], 47.0, 14.5, white,
                 family="DejaVu Sans Condensed", weight=BOLD)
    ctx.new_path()
    ctx.move_to(0, -43.5)
    ctx.line_to(-5.0, -57.5)
    ctx.line_to(5.0, -57.5)
    ctx.close_path()
    set_colour(ctx, white)
    ctx.fill()
    for side in (-1, 1):
        x, y = polar(55.2, side * 7.5)
        circle(ctx, 1.3, x, y)
        ctx.fill()
    draw_text(ctx, "DORVANE", 0, 22.0, 3.6, with_alpha(white, 0.8), tracking=0.9)


def draw_system(canvas):
    """Plain and legible: white, a thin dark rim, every minute marked and
    every hour numbered."""
    ctx = canvas.ctx
    fill_circle(ctx, RIM, hex_colour("#2d2f33"))
    circle(ctx, RIM - 2.0)
    set_colour(ctx, hex_colour("#ffffff"))
    ctx.fill()
    ink = hex_colour("#1e2024")
    minute_track(ctx, ink, 60.0, 2.6, 6.0, 0.7, 2.0)
    labels = [str(h) for h in [12] + list(range(1, 12))]
    numeral_ring(ctx, labels, 46.0, 11.0, ink, weight=BOLD)


def draw_blue(canvas):
    """A dress watch: navy sunray dial, thin polished bezel, silver applied
    batons (doubled at twelve) and a silver minute track."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    metal_ring(canvas, 60.0, RIM, STEEL)
    sunburst(canvas, 60.0, hex_colour("#2456a8"), hex_colour("#0a1d45"), contrast=0.09)
    inner_shadow(canvas, 60.0, depth=2.0, alpha=0.5)
    silver = hex_colour("#e6e9ee")
    minute_track(ctx, with_alpha(silver, 0.85), 58.0, 2.0, 3.2, 0.5, 0.9)
    for hour in range(1, 12):
        applied_baton(canvas, hour * 30, 43.0, 53.5, 3.0 if hour % 3 == 0 else 2.2, STEEL,
                      shadow=0.6)
    for side in (-1, 1):
        applied_baton(canvas, side * 2.9, 41.0, 53.5, 2.4, STEEL, shadow=0.6)
    draw_text(ctx, "DORVANE", 0, -27.0, 4.4, silver, weight=BOLD, tracking=0.9)
    draw_text(ctx, "AUTOMATIC", 0, 27.0, 3.0, with_alpha(silver, 0.8), tracking=0.7)
    gloss(ctx, 60.0, strength=0.10)


def draw_rolex(canvas):
    """A gold dress wristwatch: fluted gold bezel, champagne sunray dial,
    gold batons inlaid in black, a faceted triangle at twelve."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    fluted_ring(canvas, 55.5, RIM, GOLD)
    metal_ring(canvas, 54.0, 55.6, GOLD, bevel=False)
    sunburst(canvas, 54.0, hex_colour("#f3e4bb"), hex_colour("#c9ad72"), contrast=0.07)
    inner_shadow(canvas, 54.0, depth=1.8, alpha=0.5)
    ink = hex_colour("#3a2a10")
    minute_track(ctx, ink, 52.5, 1.6, 2.6, 0.4, 0.8)
    for hour in range(1, 12):
        applied_baton(canvas, hour * 30, 38.5, 49.5, 3.2 if hour % 3 == 0 else 2.6, GOLD,
                      fill=hex_colour("#22190b"), shadow=0.5)
    gold_triangle(canvas, 37.5, 50.0, 4.4)
    draw_text(ctx, "DORVANE", 0, -22.0, 4.0, ink, weight=BOLD, family="DejaVu Serif",
              tracking=0.8)
    draw_text(ctx, "AUTOMATIC", 0, 21.0, 3.0, with_alpha(ink, 0.8), tracking=0.7)
    gloss(ctx, 54.0, strength=0.12)


def gold_triangle(canvas, r0, r1, half_width):
    ctx = canvas.ctx

    def shape(c):
        c.new_path()
        c.move_to(0, -r0)
        c.line_to(-half_width, -r1)
        c.line_to(half_width, -r1)
        c.close_path()
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, shape, blur=0.9, dx=0.45, dy=0.8, alpha=0.5)
    base, light, dark = GOLD
    ctx.new_path()
    ctx.move_to(0, -r0)
    ctx.line_to(-half_width, -r1)
    ctx.line_to(0, -r1)
    ctx.close_path()
    set_colour(ctx, mix(base, light, 0.5))
    ctx.fill()
    ctx.move_to(0, -r0)
    ctx.line_to(half_width, -r1)
    ctx.line_to(0, -r1)
    ctx.close_path()
    set_colour(ctx, mix(base, dark, 0.4))
    ctx.fill()
    ctx.move_to(0, -r0 - 3.2)
    ctx.line_to(-half_width * 0.55, -r1 + 1.0)
    ctx.line_to(half_width * 0.55, -r1 + 1.0)
    ctx.close_path()
    set_colour(ctx, hex_colour("#22190b"))
    ctx.fill()


def draw_wall(canvas):
    """A kitchen wall clock: a turned honey-oak frame, a cream face with big
    black numerals and a glass cover catching the light."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6, blur=1.0, alpha=0.45)
    wood_ring(canvas, 54.5, RIM)
    stroke_circle(ctx, 54.6, 0.9, hex_colour("#3b220c"))
    face(canvas, 54.2, hex_colour("#fffdf6"), hex_colour("#efe6d0"))
    inner_shadow(canvas, 54.2, depth=3.0, alpha=0.5)
    ink = hex_colour("#1b1b1b")
    minute_track(ctx, ink, 52.0, 1.8, 4.0, 0.55, 1.5)
    labels = [str(h) for h in [12] + list(range(1, 12))]
    numeral_ring(ctx, labels, 40.5, 11.5, ink, weight=BOLD, family="DejaVu Sans Condensed")
    draw_text(ctx, "DORVANE", 0, 20.0, 3.0, hex_colour("#b3261e"), weight=BOLD, tracking=0.8)
    gloss(ctx, 54.2, strength=0.32, height=0.5)


def draw_aero(canvas):
    """Glassy blue: a vivid blue bubble lit from below with cyan, a crisp
    glossy highlight over the top half and white glowing marks."""
    ctx = canvas.ctx
    fill_circle(ctx, RIM, radial_gradient(
        [(0, hex_colour("#7fe3ff")), (0.35, hex_colour("#2a9bf0")),
         (0.7, hex_colour("#1258c8")), (1, hex_colour("#0a2f86"))], 95, cx=0, cy=40, fx=0, fy=58))
    for hour in range(12):
        width = 3.0 if hour % 3 == 0 else 1.9
        length = 10.0 if hour % 3 == 0 else 6.5
        glow(canvas, lambda c, h=hour, w=width, l=length: baton_path(c, h * 30, 56.0 - l, 56.0, w),
             hex_colour("#b8f0ff"), 1.8, 0.9)
        baton_path(ctx, hour * 30, 56.0 - length, 56.0, width)
        set_colour(ctx, (1, 1, 1, 1))
        ctx.fill()
    for minute in range(60):
        if minute % 5:
            x, y = polar(56.5, minute * 6)
            circle(ctx, 0.6, x, y)
    set_colour(ctx, (1, 1, 1, 0.8))
    ctx.fill()
    draw_text(ctx, "DORVANE", 0, 26.0, 3.8, (1, 1, 1, 0.85), weight=BOLD, tracking=1.0)
    bubble_highlight(ctx)
    stroke_circle(ctx, RIM - 0.7, 1.4, linear_gradient(
        [(0, (0.9, 0.97, 1.0, 0.95)), (0.5, (0.45, 0.75, 1.0, 0.6)), (1, (0.6, 0.95, 1.0, 0.95))],
        0, -65, 0, 65))


def bubble_highlight(ctx):
    """The glossy cap of a bubble: an ellipse over the top half, bright at
    its top and nearly clear at its lower edge."""
    ctx.save()
    clip_circle(ctx, RIM - 2.0)
    ctx.new_path()
    ctx.save()
    ctx.translate(0, -29.0)
    ctx.scale(1.0, 0.62)
    circle(ctx, 55.0)
    ctx.restore()
    ctx.set_source(linear_gradient([(0, (1, 1, 1, 0.78)), (0.55, (1, 1, 1, 0.22)),
                                    (1, (1, 1, 1, 0.06))], 0, -63, 0, 5))
    ctx.fill()
    ctx.restore()


def baton_path(ctx, angle, r0, r1, width):
    ctx.new_path()
    ctx.save()
    ctx.rotate(math.radians(angle))
    rounded_rect(ctx, -width / 2, -r1, width, r1 - r0, width / 2)
    ctx.restore()


def glow(canvas, draw_path, colour, blur, alpha):
    """A soft light around a shape, as if it shone."""
    def shape(c):
        draw_path(c)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, shape, blur=blur, dx=0, dy=0, colour=colour, alpha=alpha)


def draw_classic(canvas):
    """Classic: ivory enamel, radial Roman numerals, a railway minute track,
    a guilloche centre and a thin gilt bezel."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    metal_ring(canvas, 61.0, RIM, GOLD)
    face(canvas, 61.0, hex_colour("#fffaf0"), hex_colour("#ece2c8"))
    inner_shadow(canvas, 61.0, depth=1.6, alpha=0.4)
    ink = hex_colour("#1d1a16")
    guilloche(ctx, 27.0, with_alpha(hex_colour("#b8a77f"), 0.45))
    railway_track(ctx, ink, 54.5, 58.0, line_width=0.4, tick_width=0.4, hour_width=1.2)
    numerals = ["XII", "I", "II", "III", "IIII", "V", "VI", "VII", "VIII", "IX", "X", "XI"]
    numeral_ring(ctx, numerals, 46.5, 9.6, ink, radial=True, upright=True, family="DejaVu Serif",
                 weight=cairo.FONT_WEIGHT_NORMAL)
    draw_text(ctx, "Dorvane", 0, -30.5, 4.6, ink, family="DejaVu Serif",
              slant=cairo.FONT_SLANT_ITALIC)


def guilloche(ctx, radius, colour):
    """An engine-turned centre: a rosette of offset circles."""
    set_colour(ctx, colour)
    ctx.set_line_width(0.28)
    for i in range(36):
        x, y = polar(radius * 0.42, i * 10)
        ctx.new_path()
        circle(ctx, radius * 0.58, x, y)
        ctx.stroke()
    ctx.new_path()
    circle(ctx, radius)
    ctx.set_line_width(0.5)
    ctx.stroke()


def draw_red(canvas):
    """Racing red: a deep red lacquer face with a black minute ring numbered
    in fives, bold white batons and a black steel bezel."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    metal_ring(canvas, 60.5, RIM, DARK_STEEL)
    ctx.new_path()
    annulus(ctx, 49.0, 60.6)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    set_colour(ctx, hex_colour("#131313"))
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    sunburst(canvas, 49.0, hex_colour("#9c0f19"), hex_colour("#4a0308"), contrast=0.08)
    inner_shadow(canvas, 60.5, depth=2.0, alpha=0.6)
    inner_shadow(canvas, 49.0, depth=1.2, alpha=0.45, dy=0.6)
    white = hex_colour("#f7f5ef")
    minute_track(ctx, white, 59.0, 2.0, 3.2, 0.55, 1.1)
    fives = ["60"] + ["%02d" % (5 * i) for i in range(1, 12)]
    numeral_ring(ctx, fives, 53.3, 4.6, white, radial=True, upright=True, weight=BOLD,
                 family="DejaVu Sans Condensed")
    for hour in range(12):
        width = 4.0 if hour % 3 == 0 else 2.6
        baton_path(ctx, hour * 30, 34.0 if hour % 3 == 0 else 37.0, 47.0, width)
        set_colour(ctx, white)
        ctx.fill()
    draw_text(ctx, "DORVANE", 0, -22.0, 4.2, white, weight=BOLD, tracking=0.8,
              slant=cairo.FONT_SLANT_OBLIQUE)
    draw_text(ctx, "RACING", 0, 22.0, 3.4, with_alpha(white, 0.85), weight=BOLD, tracking=1.0)
    gloss(ctx, 60.5, strength=0.16)


def draw_diner(canvas):
    """A retro chrome diner clock: a fat chrome rim, a black-and-white
    checkerboard ring, a turquoise face with cream numerals and a neon
    sign."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6, alpha=0.45)
    chrome_bands(canvas, 55.0, RIM)
    checkerboard(ctx, 47.5, 55.0, 48)
    face(canvas, 47.6, hex_colour("#5fe0d2"), hex_colour("#109c94"), focus=(-6, -14))
    inner_shadow(canvas, 55.0, depth=2.0, alpha=0.55)
    cream = hex_colour("#fff6df")
    for hour in range(12):
        if hour % 3:
            x, y = polar(41.0, hour * 30)
            circle(ctx, 2.0, x, y)
            set_colour(ctx, cream)
            ctx.fill()
    for text, angle in (("12", 0), ("3", 90), ("6", 180), ("9", 270)):
        x, y = polar(38.0, angle)
        draw_text(ctx, text, x + 0.6, y + 0.8, 13.0, with_alpha(hex_colour("#0a3f3b"), 0.6),
                  weight=BOLD)
        draw_text(ctx, text, x, y, 13.0, cream, weight=BOLD)
    neon_word(canvas, "DINER", 0, -17.0, 8.0)
    draw_text(ctx, "OPEN 24 HOURS", 0, 18.5, 3.3, hex_colour("#083f3b"), weight=BOLD,
              tracking=0.4)
    gloss(ctx, 55.0, strength=0.3)


def chrome_bands(canvas, r_in, r_out):
    """Mirror chrome: sharp light and dark bands, as chrome reflects the
    room around it, rounded over the ring's width."""
    def colour_at(x, y):
        r = math.hypot(x, y)
        across = (r - r_in) / (r_out - r_in)
        angle = math.atan2(x, -y)
        sky = 0.5 + 0.5 * math.cos(angle + 0.8)
        t = 0.5 + 0.5 * math.cos(across * 5.5 + sky * 2.2)
        value = 0.22 + 0.78 * t ** 1.5
        return (value * 0.96, value * 0.98, value, 1.0)
    annulus(canvas.ctx, r_in, r_out)
    fill_shaded(canvas, colour_at, supersample=2)
    ctx = canvas.ctx
    stroke_circle(ctx, r_out - 0.4, 0.8, (0.25, 0.27, 0.3, 0.8))


def checkerboard(ctx, r_in, r_out, count):
    """A ring of alternating black and white squares, two rows deep."""
    mid = (r_in + r_out) / 2.0
    step = 360.0 / count
    for row, (r0, r1) in enumerate(((r_in, mid), (mid, r_out))):
        for i in range(count):
            a0 = math.radians(i * step - 90.0)
            a1 = math.radians((i + 1) * step - 90.0)
            ctx.new_path()
            ctx.arc(0, 0, r1, a0, a1)
            ctx.arc_negative(0, 0, r0, a1, a0)
            ctx.close_path()
            dark = (i + row) % 2 == 0
            set_colour(ctx, hex_colour("#141414") if dark else hex_colour("#f4f1ea"))
            ctx.fill()


def neon_word(canvas, text, x, y, size):
    """A word in pink neon: a wide soft glow, the tube, and its white core."""
    ctx = canvas.ctx
    pink = hex_colour("#ff3d8b")

    def shape(c):
        c.new_path()
        text_path(c, text, x, y, size, weight=BOLD, slant=cairo.FONT_SLANT_OBLIQUE)
        c.set_line_width(1.6)
        set_colour(c, (0, 0, 0, 1))
        c.stroke_preserve()
        c.fill()
    draw_shadow(canvas, shape, blur=2.0, dx=0, dy=0, colour=pink, alpha=0.9)
    ctx.new_path()
    text_path(ctx, text, x, y, size, weight=BOLD, slant=cairo.FONT_SLANT_OBLIQUE)
    set_colour(ctx, pink)
    ctx.set_line_width(0.6)
    ctx.stroke_preserve()
    set_colour(ctx, hex_colour("#ffd6e8"))
    ctx.fill()


NOVELTY_COLOURS = ["#ff5a5f", "#ff8a3d", "#ffc42e", "#9bd13b", "#35c27c", "#23c4c4",
                   "#3aa0ff", "#5a6cff", "#9b5cff", "#d957e6", "#ff5fb1", "#ff6f7f"]


def draw_novelty(canvas):
    """Playful: a glossy bubble-gum rim, a butter-yellow face with polka
    dots and every hour on a candy-coloured button."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6, alpha=0.45)
    fill_circle(ctx, RIM, linear_gradient([(0, hex_colour("#ff8cc6")), (1, hex_colour("#d81b77"))],
                                          -30, -60, 30, 60))
    face(canvas, 56.5, hex_colour("#fffbe3"), hex_colour("#ffe98f"))
    inner_shadow(canvas, 56.5, depth=2.4, alpha=0.4)
    polka_dots(ctx, 56.5)
    for hour in range(12):
        colour = hex_colour(NOVELTY_COLOURS[hour])
        x, y = polar(46.0, hour * 30)
        candy_button(canvas, x, y, 7.2, colour)
        draw_text(ctx, str(hour or 12), x, y, 8.2, (1, 1, 1, 1), weight=BOLD)
    for minute in range(60):
        if minute % 5:
            x, y = polar(54.0, minute * 6)
            circle(ctx, 0.75, x, y)
            set_colour(ctx, hex_colour(NOVELTY_COLOURS[minute // 5]))
            ctx.fill()
    gloss(ctx, RIM - 0.5, strength=0.3, height=0.5)


def polka_dots(ctx, radius):
    ctx.save()
    clip_circle(ctx, radius)
    set_colour(ctx, with_alpha(hex_colour("#ffd23f"), 0.55))
    step = 11.0
    for row in range(-7, 8):
        for col in range(-7, 8):
            x = col * step + (step / 2 if row % 2 else 0.0)
            y = row * step * 0.87
            if math.hypot(x, y) < 36.0:
                circle(ctx, 1.8, x, y)
    ctx.fill()
    ctx.restore()


def candy_button(canvas, x, y, radius, colour):
    ctx = canvas.ctx

    def shape(c):
        circle(c, radius, x, y)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, shape, blur=1.0, dx=0.4, dy=0.9, alpha=0.4)
    fill_circle(ctx, radius, radial_gradient([(0, mix(colour, (1, 1, 1, 1), 0.35)), (1, colour)],
                                             radius, cx=x, cy=y, fx=x - radius * 0.3,
                                             fy=y - radius * 0.4), cx=x, cy=y)
    stroke_circle(ctx, radius - 0.4, 0.5, mix(colour, (0, 0, 0, 1), 0.25), cx=x, cy=y)


LUME = hex_colour("#f4f1dc")


def draw_rolex1(canvas):
    """A luxury diver: emerald sunray dial, a black ceramic turning bezel
    with a gold-filled minute scale, gold-rimmed luminous markers."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    knurled_ring(canvas, 62.4, RIM, STEEL)
    ceramic_bezel(canvas, 50.5, 62.5)
    metal_ring(canvas, 48.6, 50.6, STEEL, bevel=False)
    sunburst(canvas, 48.6, hex_colour("#1f8a58"), hex_colour("#05311d"), contrast=0.08)
    inner_shadow(canvas, 48.6, depth=1.6, alpha=0.6)
    white = hex_colour("#f2f2ec")
    minute_track(ctx, with_alpha(white, 0.9), 47.6, 1.3, 0, 0.4, 0, skip_hours=True)
    for hour in range(1, 12):
        if hour % 3 == 0:
            applied_baton(canvas, hour * 30, 33.5, 45.5, 3.8, GOLD, fill=LUME, shadow=0.55)
        else:
            polished_dot(canvas, hour * 30, 41.5, 3.0, GOLD, fill=LUME, shadow=0.55)
    diver_triangle(canvas)
    draw_text(ctx, "DORVANE", 0, -20.0, 3.8, white, weight=BOLD, tracking=0.7)
    draw_text(ctx, "300 m", 0, 19.0, 3.2, hex_colour("#e2c06a"), weight=BOLD)
    gloss(ctx, 62.5, strength=0.14)


def ceramic_bezel(canvas, r_in, r_out):
    """A glossy black insert with a gold-filled scale: numbers every ten
    minutes, minute marks over the first quarter, a lume pip at zero."""
    ctx = canvas.ctx
    annulus(ctx, r_in, r_out)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.set_source(radial_gradient([(0, hex_colour("#2a2d30")), (1, hex_colour("#060707"))],
                                   r_out, fx=-20, fy=-30))
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    gold = hex_colour("#e6c97a")
    set_colour(ctx, gold)
    for minute in range(1, 60):
        if minute % 10 == 0:
            continue
        if minute < 15:
            tick(ctx, minute * 6, r_out - 4.2, r_out - 1.3, 0.6 if minute % 5 else 1.2)
        elif minute % 5 == 0:
            tick(ctx, minute * 6, r_out - 4.6, r_out - 1.3, 1.8)
    labels = ["", "", "10", "", "20", "", "30", "", "40", "", "50", ""]
    numeral_ring(ctx, labels, (r_in + r_out) / 2.0, 6.2, gold, radial=True, upright=True,
                 weight=BOLD,
                 family="DejaVu Sans Condensed")
    ctx.new_path()
    ctx.move_to(0, -r_in - 2.2)
    ctx.line_to(-3.6, -r_out + 1.0)
    ctx.line_to(3.6, -r_out + 1.0)
    ctx.close_path()
    set_colour(ctx, gold)
    ctx.fill()
    circle(ctx, 1.3, 0, -r_out + 3.4)
    set_colour(ctx, LUME)
    ctx.fill()
    gloss(ctx, r_out, strength=0.18, height=0.4)


def diver_triangle(canvas):
    ctx = canvas.ctx
    for colour, grow in ((GOLD[0], 0.9), (LUME, 0.0)):
        ctx.new_path()
        ctx.move_to(0, -34.5 + grow * 1.2)
        ctx.line_to(-4.6 - grow, -46.0 - grow * 0.5)
        ctx.line_to(4.6 + grow, -46.0 - grow * 0.5)
        ctx.close_path()
        set_colour(ctx, colour)
        ctx.fill()


GLASS_EDGE = 57.0   # the border ring covers the glass dials from here out


def glass_dial(canvas, tint_at, hour_marks):
    """The family of glass faces: a tinted glass disc, thicker at its edge,
    white marks on a soft dark shadow (so they read over any desktop), all
    kept inside GLASS_EDGE so that the border ring, when shown, frames them
    without covering anything. hour_marks(ctx) adds the hour marks' path."""
    ctx = canvas.ctx
    glass_disc(canvas, RIM, tint_at)
    stroke_circle(ctx, GLASS_EDGE - 0.3, 0.6, (1, 1, 1, 0.35))

    def marks(c):
        c.new_path()
        for minute in range(60):
            if minute % 5:
                x, y = polar(53.6, minute * 6)
                circle(c, 0.6, x, y)
        hour_marks(c)
        text_path(c, "DORVANE", 0, -25.0, 3.6, weight=BOLD, tracking=1.0)
    glow(canvas, marks, (0, 0, 0), 0.9, 0.8)
    marks(ctx)
    set_colour(ctx, (1, 1, 1, 0.95))
    ctx.fill()


def baton_marks(ctx):
    for hour in range(12):
        main = hour % 3 == 0
        ctx.save()
        ctx.rotate(math.radians(hour * 30))
        rounded_rect(ctx, -1.6 if main else -1.0, -55.0, 3.2 if main else 2.0,
                     13.0 if main else 9.0, 0.5)
        ctx.restore()


def numeral_marks(ctx):
    for hour in range(12):
        if hour % 3:
            ctx.save()
            ctx.rotate(math.radians(hour * 30))
            rounded_rect(ctx, -1.0, -55.0, 2.0, 8.0, 0.5)
            ctx.restore()
        else:
            x, y = polar(47.5, hour * 30)
            text_path(ctx, str(hour or 12), x, y, 12.0, weight=BOLD)


def dot_marks(ctx):
    for hour in range(12):
        x, y = polar(50.5, hour * 30)
        circle(ctx, 3.4 if hour % 3 == 0 else 2.2, x, y)


def roman_marks(ctx):
    for hour, label in ((0, "XII"), (3, "III"), (6, "VI"), (9, "IX")):
        x, y = polar(47.0, hour * 30)
        text_path(ctx, label, x, y, 10.5, family="DejaVu Serif", weight=BOLD)
    for hour in range(12):
        if hour % 3:
            for side in (-0.9, 0.9):
                ctx.save()
                ctx.rotate(math.radians(hour * 30 + side * 1.3))
                ctx.rectangle(-0.45, -55.0, 0.9, 9.0)
                ctx.restore()


def wedge_marks(ctx):
    for hour in range(12):
        main = hour % 3 == 0
        half, inner = (2.6, 42.0) if main else (1.7, 46.0)
        ctx.save()
        ctx.rotate(math.radians(hour * 30))
        ctx.move_to(0, -inner)
        ctx.line_to(-half, -55.0)
        ctx.line_to(half, -55.0)
        ctx.close_path()
        ctx.restore()


def double_marks(ctx):
    for hour in range(12):
        length = 12.0 if hour % 3 == 0 else 8.0
        for side in (-1, 1):
            ctx.save()
            ctx.rotate(math.radians(hour * 30))
            ctx.rectangle(side * 1.3 - 0.55, -55.0, 1.1, length)
            ctx.restore()


def flat_tint(colour, alpha):
    return lambda x, y: with_alpha(colour, alpha)


def diagonal_tint(start, end, alpha):
    def tint(x, y):
        t = max(0.0, min(1.0, (x + y) / 184.0 + 0.5))
        return with_alpha(mix(start, end, t), alpha)
    return tint


def draw_glass_black(canvas):
    """Smoked glass with white batons."""
    glass_dial(canvas, flat_tint(hex_colour("#0c0e12"), 0.62), baton_marks)


def draw_glass_gradient(canvas):
    """Glass shading from aqua at the top left to deep violet-blue, with
    numerals at the quarters."""
    glass_dial(canvas, diagonal_tint(hex_colour("#20d3d0"), hex_colour("#2b2fb8"), 0.6),
               numeral_marks)


def draw_glass_gradient1(canvas):
    """Glass shading from amber to magenta like a sunset, with dots."""
    glass_dial(canvas, diagonal_tint(hex_colour("#ffb020"), hex_colour("#c4177a"), 0.6),
               dot_marks)


def draw_glass_purple(canvas):
    """Purple glass with Roman quarters and paired lines."""
    glass_dial(canvas, flat_tint(hex_colour("#6a1fa8"), 0.6), roman_marks)


def draw_glass_green(canvas):
    """Green glass with wedge marks pointing in."""
    glass_dial(canvas, flat_tint(hex_colour("#0f8a4a"), 0.6), wedge_marks)


def draw_glass_gold(canvas):
    """Amber-gold glass with twin lines."""
    glass_dial(canvas, flat_tint(hex_colour("#c98a00"), 0.6), double_marks)


def draw_border(canvas):
    """The border ring: a polished steel bezel with engraved hour marks and
    a soft shadow falling inwards. Over a glass dial it frames the glass;
    alone it is a dial of its own, open in the middle."""
    ctx = canvas.ctx
    inner_shadow_ring(canvas, GLASS_EDGE, 5.0, 0.5)
    metal_ring(canvas, GLASS_EDGE, RIM, CHROME)
    for hour in range(12):
        main = hour % 3 == 0
        set_colour(ctx, (0.12, 0.13, 0.15, 0.85))
        tick(ctx, hour * 30, GLASS_EDGE + 1.4, RIM - (1.4 if main else 2.6), 1.5 if main else 0.9)
    stroke_circle(ctx, (GLASS_EDGE + RIM) / 2.0, 0.35, (1, 1, 1, 0.35))


def inner_shadow_ring(canvas, radius, width, alpha):
    """A dark band fading inwards from a ring's inner edge, over whatever
    lies beneath (or over nothing)."""
    ctx = canvas.ctx
    ctx.new_path()
    annulus(ctx, radius - width, radius + 0.5)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.set_source(radial_gradient([(0, (0, 0, 0, 0.0)), (1, (0, 0, 0, alpha))], radius + 0.5,
                                   r0=radius - width))
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)


def draw_brisa(canvas):
    """Fresh and airy: a morning-sky face with drifting clouds, a breeze
    drawn in white ribbons, two birds, and light teal marks."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6, alpha=0.25)
    fill_circle(ctx, RIM, linear_gradient([(0, hex_colour("#ffffff")), (1, hex_colour("#cfe9f5"))],
                                          -30, -60, 30, 60))
    fill_circle(ctx, 60.5, linear_gradient(
        [(0, hex_colour("#9fd8f6")), (0.55, hex_colour("#dff3fc")), (1, hex_colour("#ffffff"))],
        0, -60, 0, 60))
    inner_shadow(canvas, 60.5, depth=2.0, alpha=0.22)
    clouds(canvas)
    breeze(ctx)
    teal = hex_colour("#1f7f93")
    for minute in range(60):
        if minute % 5:
            x, y = polar(56.5, minute * 6)
            circle(ctx, 0.5, x, y)
    set_colour(ctx, with_alpha(teal, 0.55))
    ctx.fill()
    for hour in range(12):
        if hour % 3:
            x, y = polar(54.5, hour * 30)
            circle(ctx, 1.7, x, y)
            set_colour(ctx, teal)
            ctx.fill()
    numeral_ring(ctx, ["12", "", "", "3", "", "", "6", "", "", "9", "", ""], 48.0, 12.5, teal)
    birds(ctx, hex_colour("#2e5668"))
    draw_text(ctx, "brisa", 0, 27.0, 5.0, with_alpha(teal, 0.8), family="DejaVu Sans Light",
              tracking=0.8)


def clouds(canvas):
    def shape(c):
        for x, y, r in ((-30, 26, 9), (-20, 22, 11), (-8, 27, 8), (-36, 31, 7), (-14, 31, 8),
                        (24, -8, 6), (31, -11, 7.5), (38, -7, 5.5), (30, -4, 6)):
            circle(c, r, x, y)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, shape, blur=2.4, dx=0, dy=0, colour=(1, 1, 1), alpha=0.85, within=60.5)


def breeze(ctx):
    """Three ribbons of wind sweeping across the face."""
    ctx.save()
    clip_circle(ctx, 60.5)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for offset, width, alpha in ((0.0, 1.6, 0.9), (7.0, 1.0, 0.75), (13.0, 0.7, 0.6)):
        ctx.new_path()
        ctx.move_to(-62, 16 + offset)
        ctx.curve_to(-30, -4 + offset, -8, 34 + offset, 22, 10 + offset)
        ctx.curve_to(34, 0 + offset, 48, 2 + offset, 62, -6 + offset)
        ctx.set_line_width(width)
        set_colour(ctx, (1, 1, 1, alpha))
        ctx.stroke()
    ctx.restore()


def birds(ctx, colour):
    set_colour(ctx, colour)
    ctx.set_line_width(0.8)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for x, y, s in ((-24.0, -30.0, 3.2), (-17.0, -35.0, 2.4)):
        ctx.new_path()
        ctx.move_to(x - s, y - s * 0.2)
        ctx.curve_to(x - s * 0.6, y - s * 0.7, x - s * 0.2, y - s * 0.5, x, y)
        ctx.curve_to(x + s * 0.2, y - s * 0.5, x + s * 0.6, y - s * 0.7, x + s, y - s * 0.2)
        ctx.stroke()


# tachymeter: speed -> the second (on the dial's minute scale) at which it is read
TACHY_SPEEDS = [500, 400, 300, 250, 200, 150, 120, 100, 90, 80, 70, 60]


def draw_chrono(canvas):
    """A panda chronograph: silver face, three black sub-dials at 3, 6 and 9,
    a black tachymeter bezel and steel batons inlaid in black."""
    ctx = canvas.ctx
    outer_shadow(canvas, RIM - 0.6)
    metal_ring(canvas, 63.0, RIM, STEEL, bevel=False)
    tachymeter(ctx, 55.0, 63.1)
    face(canvas, 55.0, hex_colour("#fbfbfa"), hex_colour("#d6d8db"))
    inner_shadow(canvas, 55.0, depth=1.8, alpha=0.5)
    ink = hex_colour("#16171a")
    minute_track(ctx, ink, 53.8, 1.6, 2.6, 0.4, 0.8)
    for hour in range(12):
        if hour == 0:
            for side in (-1, 1):
                applied_baton(canvas, side * 2.6, 41.5, 51.0, 2.2, STEEL, fill=ink, shadow=0.4)
        else:
            applied_baton(canvas, hour * 30, 43.5 if hour % 3 else 45.5, 51.0, 2.6, STEEL,
                          fill=ink, shadow=0.4)
    sub_dial(canvas, 24.0, 0.0, ["60", "20", "40"], 60)
    sub_dial(canvas, 0.0, 24.0, ["12", "4", "8"], 12)
    sub_dial(canvas, -24.0, 0.0, ["30", "10", "20"], 30)
    draw_text(ctx, "DORVANE", 0, -29.0, 4.2, ink, weight=BOLD, tracking=0.8)
    draw_text(ctx, "CHRONOGRAPH", 0, -23.5, 2.6, hex_colour("#c8202a"), weight=BOLD,
              tracking=0.4)
    gloss(ctx, 55.0, strength=0.1)


def tachymeter(ctx, r_in, r_out):
    annulus(ctx, r_in, r_out)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    set_colour(ctx, hex_colour("#111214"))
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    white = hex_colour("#f2f2f0")
    set_colour(ctx, white)
    for speed in TACHY_SPEEDS:
        angle = (3600.0 / speed) * 6.0
        tick(ctx, angle, r_in + 0.6, r_in + 2.2, 0.6)
        label_radius = (r_in + r_out) / 2.0 + 1.0
        ctx.save()
        ctx.rotate(math.radians(angle))
        flip = 90.0 < angle % 360.0 < 270.0
        if flip:
            ctx.rotate(math.pi)
        draw_text(ctx, str(speed), 0, label_radius if flip else -label_radius, 3.6, white,
                  weight=BOLD, family="DejaVu Sans Condensed")
        ctx.restore()
    stroke_circle(ctx, r_in + 0.2, 0.4, with_alpha(white, 0.5))


def sub_dial(canvas, cx, cy, labels, divisions):
    """A small black counter: its own track and numbers, a steel edge and a
    short white hand resting at zero."""
    ctx = canvas.ctx
    radius = 11.0
    fill_circle(ctx, radius + 0.8, linear_gradient([(0, STEEL[2]), (1, STEEL[1])],
                                                   cx, cy - radius, cx, cy + radius), cx=cx, cy=cy)
    circle(ctx, radius, cx, cy)
    ctx.set_source(radial_gradient([(0, hex_colour("#2a2c30")), (1, hex_colour("#0c0d0f"))],
                                   radius, cx=cx, cy=cy))
    ctx.fill()
    ctx.save()
    ctx.translate(cx, cy)
    for i in range(divisions):
        major = i % (divisions // 3 if divisions != 12 else 3) == 0
        set_colour(ctx, (1, 1, 1, 0.95 if major else 0.6))
        tick(ctx, i * 360.0 / divisions, radius - (2.2 if major else 1.2), radius - 0.4,
             0.5 if major else 0.3)
    for i, label in enumerate(labels):
        x, y = polar(radius - 5.0, i * 120.0)
        draw_text(ctx, label, x, y, 2.9, (1, 1, 1, 0.9), family="DejaVu Sans Condensed")
    set_colour(ctx, hex_colour("#ffffff"))
    tick(ctx, 0, -2.0, radius - 1.0, 0.8)
    circle(ctx, 1.1)
    ctx.fill()
    ctx.restore()


# resource name, file name, width, height, draw function, one-line design
DIALS = [
    ("BACK", "default", 130, 130, draw_default,
     "pearl-white face, polished steel bezel, slate applied batons, fine minute track"),
    ("BLACK", "black", 130, 130, draw_black,
     "matte-black aviator face, bold white 3-6-9, triangle and dots at 12"),
    ("BLUE", "blue", 129, 129, draw_blue,
     "navy sunray dress dial, steel bezel, silver applied batons doubled at 12"),
    ("ROLEX", "rolex", 130, 130, draw_rolex,
     "champagne sunray, fluted gold bezel, gold batons inlaid black, triangle at 12"),
    ("WALL", "wall", 129, 128, draw_wall,
     "kitchen clock: turned oak frame, cream face, big black numerals, glass glare"),
    ("AERO", "aero", 129, 129, draw_aero,
     "domed deep blue with a cyan glow from below, glossy top, glowing white marks"),
    ("CLASSIC", "classic", 130, 130, draw_classic,
     "ivory enamel, radial Roman numerals, railway track, guilloche centre, gilt bezel"),
    ("RED", "red", 130, 130, draw_red,
     "racing red sunray, black minute ring numbered in fives, bold white batons"),
    ("DINER", "diner", 130, 130, draw_diner,
     "fat mirror-chrome rim, checkerboard ring, turquoise face, pink neon DINER"),
    ("NOVELTY", "novelty", 130, 130, draw_novelty,
     "bubble-gum rim, polka-dot yellow face, every hour on a candy-coloured button"),
    ("ROLEX1", "rolex1", 131, 131, draw_rolex1,
     "luxury diver: emerald sunray, black ceramic bezel with gold scale, gold-rimmed lume"),
    ("SYSTEM", "system", 130, 130, draw_system,
     "flat white, thin dark rim, all 60 minute marks, numerals 1-12"),
    ("GLASSBLACK", "glassblack", 130, 130, draw_glass_black,
     "smoked glass, white batons; bright rim and a window's reflection like all glass faces"),
    ("GLASSGRADIENT", "glassgradient", 130, 130, draw_glass_gradient,
     "glass shading aqua to violet-blue, numerals 12-3-6-9"),
    ("GLASSGRADIENT1", "glassgradient1", 130, 130, draw_glass_gradient1,
     "sunset glass shading amber to magenta, round hour dots"),
    ("GLASSPURPLE", "glasspurple", 130, 130, draw_glass_purple,
     "purple glass, serif Roman quarters and paired hour lines"),
    ("GLASSGREEN", "glassgreen", 130, 130, draw_glass_green,
     "green glass, wedge marks pointing in"),
    ("GLASSGOLD", "glassgold", 130, 130, draw_glass_gold, "amber-gold glass, twin hour lines"),
    ("BORDER", "border", 130, 130, draw_border,
     "the border ring: polished steel bezel with engraved hour marks, open centre"),
    ("BRISA", "brisa", 130, 130, draw_brisa,
     "morning-sky face, drifting clouds, white breeze ribbons, two birds, teal marks"),
    ("CHRONO", "chrono", 130, 130, draw_chrono,
     "panda chronograph: silver face, three black sub-dials, black tachymeter bezel"),
]

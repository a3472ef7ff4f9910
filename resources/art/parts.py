"""Pieces that several dials share: metal rings, faces, tracks, indices and
glass effects. All sizes are in dial units (65 units from centre to rim)."""

import math

import cairo

from artkit import (TAU, ValueNoise, annulus, circle, clip_circle, conic, draw_shadow, fill_circle,
                    fill_shaded, hex_colour, linear_gradient, metal_sheen, mix, polar,
                    radial_gradient, set_colour, stroke_circle, tick, with_alpha)

RIM = 64.6          # outer edge of every round dial, just inside the picture

STEEL = (hex_colour("#c9ccd1"), hex_colour("#ffffff"), hex_colour("#6e737b"))
CHROME = (hex_colour("#b8bec6"), hex_colour("#ffffff"), hex_colour("#3d434b"))
GOLD = (hex_colour("#c9a04a"), hex_colour("#fff1c2"), hex_colour("#6f4e12"))
DARK_STEEL = (hex_colour("#3a3e45"), hex_colour("#8a9099"), hex_colour("#15171a"))


def metal_ring(canvas, r_in, r_out, metal, bevel=True):
    """A polished ring: the sheen turns around it as light from the upper
    left would; a bevel darkens its inner edge and lights its outer edge."""
    base, light, dark = metal
    conic(canvas, r_in, r_out, lambda a: metal_sheen(base, light, dark, a))
    if not bevel:
        return
    ctx = canvas.ctx
    width = r_out - r_in
    ctx.set_line_width(min(0.9, width * 0.25))
    circle(ctx, r_out - 0.4)
    ctx.set_source(linear_gradient([(0, with_alpha(light, 0.9)), (1, with_alpha(dark, 0.8))],
                                   -r_out, -r_out, r_out, r_out))
    ctx.stroke()
    stroke_circle(ctx, r_in + 0.35, 0.7, linear_gradient(
        [(0, with_alpha(dark, 0.9)), (1, with_alpha(light, 0.8))], -r_out, -r_out, r_out, r_out))


def fluted_ring(canvas, r_in, r_out, metal, flutes=48):
    """A ring of small ridges, as on a dress watch's bezel."""
    base, light, dark = metal

    def colour_at(angle):
        phase = (angle * flutes / 360.0) % 1.0
        ridge = 0.5 - 0.5 * math.cos(phase * TAU)
        lit = metal_sheen(base, light, dark, angle)
        return mix(mix(dark, base, 0.55), lit, ridge)
    conic(canvas, r_in, r_out, colour_at, supersample=3)
    ctx = canvas.ctx
    stroke_circle(ctx, r_out - 0.3, 0.6, with_alpha(dark, 0.7))


def face(canvas, radius, centre_colour, edge_colour, focus=(-8.0, -12.0)):
    """A flat disc shaded from a light point to the edge colour."""
    ctx = canvas.ctx
    fill_circle(ctx, radius, radial_gradient([(0, centre_colour), (1, edge_colour)], radius,
                                             fx=focus[0], fy=focus[1]))


def inner_shadow(canvas, radius, depth=3.0, alpha=0.45, dy=1.2):
    """The shadow that a raised ring casts onto the face inside it."""
    def shape(c):
        annulus(c, radius, radius + 12)
        c.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, shape, blur=depth, dx=0, dy=dy, alpha=alpha, within=radius)


def outer_shadow(canvas, radius, blur=1.2, alpha=0.35):
    """A faint dark edge just outside a dial, so it stands off a light
    desktop; it stays within the picture."""
    def shape(c):
        circle(c, radius)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    draw_shadow(canvas, shape, blur=blur, dx=0, dy=0.3, alpha=alpha, within=65.0)


def minute_track(ctx, colour, r_out, minute_len, hour_len, minute_width, hour_width,
                 skip_hours=False):
    set_colour(ctx, colour)
    for i in range(60):
        if i % 5 == 0:
            if skip_hours:
                continue
            tick(ctx, i * 6, r_out - hour_len, r_out, hour_width)
        else:
            tick(ctx, i * 6, r_out - minute_len, r_out, minute_width)


def railway_track(ctx, colour, r_in, r_out, line_width=0.45, tick_width=0.45, hour_width=1.1):
    """Two thin circles with every minute crossing them: the railway track
    of classic dials."""
    set_colour(ctx, colour)
    ctx.set_line_width(line_width)
    for r in (r_in, r_out):
        ctx.new_path()
        circle(ctx, r)
        ctx.stroke()
    for i in range(60):
        tick(ctx, i * 6, r_in, r_out, hour_width if i % 5 == 0 else tick_width)


def applied_baton(canvas, angle, r0, r1, width, metal, fill=None, shadow=0.45):
    """A polished index standing on the dial: soft shadow, two lit facets,
    and an optional painted inlay (luminous paint, enamel)."""
    ctx = canvas.ctx
    base, light, dark = metal

    def shape(c):
        c.save()
        c.rotate(math.radians(angle))
        c.rectangle(-width / 2, -r1, width, r1 - r0)
        c.restore()
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    if shadow:
        draw_shadow(canvas, shape, blur=0.9, dx=0.45, dy=0.8, alpha=shadow)
    ctx.save()
    ctx.rotate(math.radians(angle))
    lit = metal_sheen(base, light, dark, angle)
    ctx.rectangle(-width / 2, -r1, width / 2, r1 - r0)
    set_colour(ctx, mix(lit, light, 0.35))
    ctx.fill()
    ctx.rectangle(0, -r1, width / 2, r1 - r0)
    set_colour(ctx, mix(lit, dark, 0.35))
    ctx.fill()
    if fill is not None:
        inset = min(0.55, width * 0.22)
        ctx.rectangle(-width / 2 + inset, -r1 + inset, width - 2 * inset, r1 - r0 - 2 * inset)
        set_colour(ctx, fill)
        ctx.fill()
    ctx.restore()


def polished_dot(canvas, angle, radius_pos, size, metal, fill=None, shadow=0.45):
    ctx = canvas.ctx
    x, y = polar(radius_pos, angle)

    def shape(c):
        circle(c, size, x, y)
        set_colour(c, (0, 0, 0, 1))
        c.fill()
    if shadow:
        draw_shadow(canvas, shape, blur=0.8, dx=0.4, dy=0.7, alpha=shadow)
    base, light, dark = metal
    fill_circle(ctx, size, linear_gradient([(0, light), (0.5, base), (1, dark)],
                                           x - size, y - size, x + size, y + size), cx=x, cy=y)
    if fill is not None:
        circle(ctx, size * 0.72, x, y)
        set_colour(ctx, fill)
        ctx.fill()


def gloss(ctx, radius, strength=0.35, height=0.55):
    """The soft reflection of a window in a domed crystal: a lens-shaped
    highlight over the top part of the dial, fading downwards."""
    ctx.save()
    clip_circle(ctx, radius)
    ctx.new_path()
    ctx.arc(0, -radius * (1 - height) - radius * 0.9, radius * 1.35, 0, TAU)
    ctx.set_source(linear_gradient([(0, (1, 1, 1, strength)), (1, (1, 1, 1, 0.0))],
                                   0, -radius, 0, -radius + 2 * radius * height))
    ctx.fill()
    ctx.restore()


def sunburst(canvas, radius, centre, edge, rays=180, contrast=0.10, seed_phase=0.0):
    """A dial brushed in rays from its centre: the light catches the rays
    on two opposite sides as it would on a real sunray finish."""
    def colour_at(x, y):
        d = math.hypot(x, y) / radius
        angle = math.atan2(x, -y)
        base = mix(centre, edge, min(1.0, d ** 1.6))
        glint = 0.5 + 0.5 * math.cos(2 * (angle - math.radians(-45)))
        fine = 0.5 + 0.5 * math.sin(angle * rays + seed_phase + 3 * math.sin(angle * 7))
        lift = contrast * (glint - 0.5) * 2 + contrast * 0.25 * (fine - 0.5)
        return tuple(max(0.0, min(1.0, c + lift)) for c in base[:3]) + (1.0,)
    ctx = canvas.ctx
    ctx.new_path()
    circle(ctx, radius)
    fill_shaded(canvas, colour_at, supersample=2)


def wood_ring(canvas, r_in, r_out, seed=7):
    """A turned wooden frame: grain running round the ring, warped by noise,
    shaded as a rounded moulding lit from the upper left."""
    noise = ValueNoise(seed)
    light_wood = hex_colour("#d9a468")
    mid_wood = hex_colour("#b47537")
    dark_wood = hex_colour("#6e3f17")
    width = r_out - r_in

    def colour_at(x, y):
        r = math.hypot(x, y)
        angle = math.atan2(x, -y)
        warp = noise(angle * 6.0 + 10, r * 0.15) * 6.0 + noise(angle * 20.0, r * 0.5) * 1.2
        grain = 0.5 + 0.5 * math.sin((r + warp) * 2.1)
        grain = grain ** 2.5
        base = mix(mix(light_wood, mid_wood, noise(angle * 3.0, 3.3)), dark_wood, grain * 0.55)
        # the moulding's profile: a half-round across the ring's width
        across = (r - r_in) / width * 2.0 - 1.0
        normal_x, normal_z = across, math.sqrt(max(0.0, 1.0 - across * across))
        lx, ly = -0.55, -0.65
        facing = (normal_x * (x * lx + y * ly) / max(r, 1e-6)) * 0.8 + normal_z * 0.6
        shade = 0.55 + 0.6 * facing
        return tuple(max(0.0, min(1.0, c * shade)) for c in base[:3]) + (1.0,)
    annulus(canvas.ctx, r_in, r_out)
    fill_shaded(canvas, colour_at, supersample=2)


def knurled_ring(canvas, r_in, r_out, metal, teeth=120):
    """The grip edge of a turning bezel: fine teeth catching the light."""
    base, light, dark = metal

    def colour_at(angle):
        phase = (angle * teeth / 360.0) % 1.0
        lit = metal_sheen(base, light, dark, angle)
        return mix(dark, lit, 0.35 + 0.65 * (1.0 if phase < 0.5 else 0.25))
    conic(canvas, r_in, r_out, colour_at, supersample=3)


def glass_disc(canvas, radius, tint_at, edge_alpha=0.9, gloss_strength=0.42):
    """A disc of tinted glass: the tint is thicker towards the edge, a
    bright line runs round the rim, a window's reflection lies across the top
    and light gathers at the bottom edge. tint_at(x, y) gives the tint."""
    ctx = canvas.ctx

    def colour_at(x, y):
        d = math.hypot(x, y) / radius
        r, g, b, a = tint_at(x, y)
        return (r, g, b, min(1.0, a * (0.78 + 0.34 * d ** 3)))
    ctx.new_path()
    circle(ctx, radius)
    fill_shaded(canvas, colour_at)
    # light caught at the bottom edge, as in a thick lens
    ctx.save()
    clip_circle(ctx, radius)
    fill_circle(ctx, radius * 0.95, radial_gradient(
        [(0, (1, 1, 1, 0.0)), (0.82, (1, 1, 1, 0.0)), (1, (1, 1, 1, 0.22))],
        radius * 0.95, 0, radius * 0.35), cx=0, cy=radius * 0.35)
    ctx.restore()
    gloss(ctx, radius - 1.2, strength=gloss_strength, height=0.48)
    stroke_circle(ctx, radius - 0.5, 0.9, linear_gradient(
        [(0, (1, 1, 1, edge_alpha)), (0.5, (1, 1, 1, edge_alpha * 0.35)),
         (1, (1, 1, 1, edge_alpha * 0.8))], 0, -radius, 0, radius))


def opaline(canvas, radius, centre, edge):
    """A silvered dial with a fine circular grain: faint rings that the
    light picks out more on its lit side."""
    noise = ValueNoise(3)

    def colour_at(x, y):
        r = math.hypot(x, y)
        t = min(1.0, (math.hypot(x + 8, y + 12) / (radius * 1.25)) ** 1.3)
        base = mix(centre, edge, t)
        grain = math.sin(r * 5.0 + noise(x * 0.3, y * 0.3) * 2.0) * 0.012
        return tuple(max(0.0, min(1.0, c + grain)) for c in base[:3]) + (1.0,)
    ctx = canvas.ctx
    ctx.new_path()
    circle(ctx, radius)
    fill_shaded(canvas, colour_at, supersample=2)

#!/usr/bin/python3
"""Shows the written dials as the clock would: each dial with the hands at
10:09:30 (hour 304.75, minute 57, second 180 degrees; hour and minute at
80 % opacity, the second hand at 100 %, the border ring at 80 %).

    /usr/bin/python3 resources/art/preview.py [OUT_DIR]

writes the contact sheet docs/skins-preview.png and, into OUT_DIR (default
/tmp/dorvane-art-preview), a close-up of every dial on light, dark and
busy backgrounds for judging the artwork.
"""

import math
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cairo  # noqa: E402

import dials  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
ANGLES = {"hour": 304.75, "minute": 57.0, "second": 180.0}
OPACITY = {"hour": 0.8, "minute": 0.8, "second": 1.0}
GLASS = {"GLASSBLACK", "GLASSGRADIENT", "GLASSGRADIENT1", "GLASSPURPLE", "GLASSGREEN",
         "GLASSGOLD"}
# the skin text the options window shows for each dial
SKIN_NAMES = {"BACK": "<default>", "BLACK": "Black", "BLUE": "Blue", "ROLEX": "Rolex",
              "WALL": "Wall", "AERO": "Aero", "CLASSIC": "Classic", "RED": "Red",
              "DINER": "DINER", "NOVELTY": "NOVELTY", "ROLEX1": "ROLEX1", "SYSTEM": "System",
              "GLASSBLACK": "GlassBlack", "GLASSGRADIENT": "GlassGradient",
              "GLASSGRADIENT1": "GlassGradient1", "GLASSPURPLE": "GlassPurple",
              "GLASSGREEN": "GlassGreen", "GLASSGOLD": "GlassGold", "BORDER": "Border",
              "BRISA": "BRISA", "CHRONO": "Chrono"}


def load(relative):
    return cairo.ImageSurface.create_from_png(os.path.join(HERE, relative))


def draw_rotated(ctx, picture, width, height, angle, opacity):
    """Scale the picture to width x height and turn it about the centre."""
    ctx.save()
    ctx.translate(width / 2.0, height / 2.0)
    ctx.rotate(math.radians(angle))
    ctx.scale(width / picture.get_width(), height / picture.get_height())
    ctx.translate(-picture.get_width() / 2.0, -picture.get_height() / 2.0)
    ctx.set_source_surface(picture, 0, 0)
    ctx.get_source().set_filter(cairo.FILTER_GOOD)
    ctx.paint_with_alpha(opacity)
    ctx.restore()


def compose(file_name, border):
    """The clock face as one picture: dial, hands, and the ring if asked."""
    dial = load("dials/%s.png" % file_name)
    width, height = dial.get_width(), dial.get_height()
    face = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(face)
    ctx.set_source_surface(dial, 0, 0)
    ctx.paint()
    for hand in ("hour", "minute", "second"):
        draw_rotated(ctx, load("hands/%s.png" % hand), width, height, ANGLES[hand],
                     OPACITY[hand])
    if border:
        draw_rotated(ctx, load("dials/border.png"), width, height, 0.0, 0.8)
    return face


def backdrop(ctx, x, y, width, height, kind):
    ctx.save()
    ctx.rectangle(x, y, width, height)
    ctx.clip()
    if kind == "light":
        ctx.set_source_rgb(0.93, 0.94, 0.95)
        ctx.paint()
    elif kind == "dark":
        ctx.set_source_rgb(0.12, 0.13, 0.15)
        ctx.paint()
    else:
        gradient = cairo.LinearGradient(x, y, x + width, y + height)
        gradient.add_color_stop_rgb(0, 0.85, 0.45, 0.20)
        gradient.add_color_stop_rgb(0.5, 0.20, 0.45, 0.70)
        gradient.add_color_stop_rgb(1, 0.95, 0.95, 0.85)
        ctx.set_source(gradient)
        ctx.paint()
        ctx.set_source_rgb(0.1, 0.1, 0.1)
        for i in range(0, int(width + height), 14):
            ctx.move_to(x + i, y)
            ctx.line_to(x + i - height, y + height)
        ctx.set_line_width(3)
        ctx.stroke()
    ctx.restore()


def close_up(resource, file_name, out_dir):
    """One dial at 1x on three backgrounds, at the default window opacity
    (70 %), and at 3x for the details; glass dials also with the ring."""
    variants = [False, True] if resource in GLASS else [False]
    rows = len(variants)
    sheet = cairo.ImageSurface(cairo.FORMAT_ARGB32, 4 * 150 + 420, rows * 420)
    ctx = cairo.Context(sheet)
    ctx.set_source_rgb(0.5, 0.5, 0.5)
    ctx.paint()
    for row, border in enumerate(variants):
        face = compose(file_name, border)
        top = row * 420
        for col, (kind, alpha) in enumerate([("light", 1.0), ("dark", 1.0), ("busy", 1.0),
                                             ("busy", 179 / 255.0)]):
            backdrop(ctx, col * 150, top, 150, 150, kind)
            ctx.set_source_surface(face, col * 150 + 10, top + 10)
            ctx.paint_with_alpha(alpha)
        ctx.save()
        ctx.translate(600, top)
        ctx.scale(3, 3)
        backdrop(ctx, 0, 0, 140, 140, "light")
        ctx.set_source_surface(face, 5, 5)
        ctx.get_source().set_filter(cairo.FILTER_NEAREST)
        ctx.paint()
        ctx.restore()
    sheet.write_to_png(os.path.join(out_dir, "%s.png" % file_name))


def contact_sheet(path):
    columns, cell_w, cell_h = 7, 160, 178
    rows = (len(dials.DIALS) + columns - 1) // columns
    sheet = cairo.ImageSurface(cairo.FORMAT_ARGB32, columns * cell_w, rows * cell_h + 36)
    ctx = cairo.Context(sheet)
    gradient = cairo.LinearGradient(0, 0, columns * cell_w, rows * cell_h)
    gradient.add_color_stop_rgb(0, 0.20, 0.27, 0.35)
    gradient.add_color_stop_rgb(1, 0.35, 0.47, 0.55)
    ctx.set_source(gradient)
    ctx.paint()
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(15)
    ctx.set_source_rgb(1, 1, 1)
    ctx.move_to(14, 24)
    ctx.show_text("Dorvane skins at 10:09:30")
    ctx.set_font_size(12)
    for index, (resource, file_name, *_rest) in enumerate(dials.DIALS):
        col, row = index % columns, index // columns
        face = compose(file_name, False)
        x = col * cell_w + (cell_w - face.get_width()) / 2.0
        y = 36 + row * cell_h + 8 + (131 - face.get_height()) / 2.0
        ctx.set_source_surface(face, x, y)
        ctx.paint()
        label = SKIN_NAMES[resource]
        if resource in SKIN_NAMES and list(SKIN_NAMES).index(resource) < 20:
            label = "%d  %s" % (list(SKIN_NAMES).index(resource) + 1, label)
        extents = ctx.text_extents(label)
        ctx.move_to(col * cell_w + (cell_w - extents.x_advance) / 2.0, 36 + row * cell_h + 160)
        ctx.set_source_rgb(1, 1, 1)
        ctx.show_text(label)
    sheet.write_to_png(path)


def small_sheet(path):
    """The icon and the small pictures at their size and enlarged six
    times, on the light grey of a dialog window."""
    names = (["icon/" + n for n in sorted(os.listdir(os.path.join(HERE, "icon")))]
             + ["ui/" + n for n in sorted(os.listdir(os.path.join(HERE, "ui")))])
    pictures = [load(name) for name in names]
    sheet = cairo.ImageSurface(cairo.FORMAT_ARGB32, 1400, 1100)
    ctx = cairo.Context(sheet)
    ctx.set_source_rgb(0.94, 0.94, 0.94)
    ctx.paint()
    x = y = row_height = 10
    for picture in pictures:
        w, h = picture.get_width(), picture.get_height()
        if x + 7 * w + 16 > 1400:
            x, y, row_height = 10, y + row_height + 16, 10
        ctx.set_source_surface(picture, x, y)
        ctx.paint()
        ctx.save()
        ctx.translate(x + w + 6, y)
        ctx.scale(6, 6)
        ctx.set_source_surface(picture, 0, 0)
        ctx.get_source().set_filter(cairo.FILTER_NEAREST)
        ctx.paint()
        ctx.restore()
        x += 7 * w + 22
        row_height = max(row_height, 6 * h)
    sheet.write_to_png(path)


def main(argv):
    out_dir = argv[0] if argv else "/tmp/dorvane-art-preview"
    os.makedirs(out_dir, exist_ok=True)
    for resource, file_name, *_rest in dials.DIALS:
        close_up(resource, file_name, out_dir)
    small_sheet(os.path.join(out_dir, "small-pictures.png"))
    contact_sheet(os.path.join(REPO, "docs", "skins-preview.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

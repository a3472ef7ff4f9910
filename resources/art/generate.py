#!/usr/bin/python3
"""Draws every picture of Dorvane and writes the PNGs beside this script.

    /usr/bin/python3 resources/art/generate.py          # draw and write
    /usr/bin/python3 resources/art/generate.py --check  # draw, compare, write nothing

Every picture is checked as it is written: its size, 8-bit RGBA, the
transparent corners of the dials and the centred pivot of the hands. With
--check the script also fails when a committed PNG differs from what it
draws now.
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artkit  # noqa: E402
import checks  # noqa: E402
import dials  # noqa: E402
import hands  # noqa: E402
import icons  # noqa: E402
import ui  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

# The dials, the border ring and the hands are also drawn at twice their size, for screens with
# two or more device pixels to a logical pixel: "<name>-2x.png", compiled in as "<NAME>-2X".
SHARP_FACTOR = 2
FACTORS = ((1, ""), (SHARP_FACTOR, "-2x"))


def dial_pictures():
    for resource, name, width, height, draw, _ in dials.DIALS:
        for factor, ending in FACTORS:
            canvas = artkit.Canvas(width * factor, height * factor)
            draw(canvas)
            yield "dials/%s%s.png" % (name, ending), canvas, checks.dial_checks(resource, factor)


def hand_pictures():
    for factor, ending in FACTORS:
        for name, canvas in hands.all_hands(factor).items():
            yield "hands/%s%s.png" % (name, ending), canvas, checks.hand_checks(name, factor)


def small_pictures():
    for size, canvas in icons.main_icons():
        yield "icon/mainicon-%d.png" % size, canvas, [checks.size_is(size, size)]
    for name, (width, height), canvas in ui.pictures():
        yield "ui/%s.png" % name, canvas, [checks.size_is(width, height)]


def main(argv):
    compare_only = "--check" in argv
    problems = ["the check %s lets a faulty picture through" % name
                for name in checks.self_test()]
    for relative, canvas, picture_checks in (list(dial_pictures()) + list(hand_pictures())
                                            + list(small_pictures())):
        png = artkit.encode_png(canvas.width, canvas.height, artkit.straight_rgba(canvas.surface))
        picture = checks.Picture.decode(relative, png)
        for check in [checks.rgba8] + picture_checks:
            problems += check(picture)
        path = os.path.join(HERE, relative)
        problems += write_or_compare(path, relative, png, compare_only)
    problems += checks.fonts_present(artkit.FONTS_USED)
    for problem in problems:
        print("FAIL:", problem, file=sys.stderr)
    return 1 if problems else 0


def write_or_compare(path, relative, png, compare_only):
    old = None
    if os.path.exists(path):
        with open(path, "rb") as f:
            old = f.read()
    if compare_only:
        return [] if old == png else ["%s differs from what the generator draws" % relative]
    if old != png:
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(png)
        print("wrote", relative, "(%d bytes)" % len(png))
    return []


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

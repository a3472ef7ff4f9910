"""Checks the generator runs on every picture it writes. Each check takes a
Picture and returns a list of problems (empty when the picture is right)."""

import subprocess

import cairo

import artkit

COLOUR_TYPE_RGBA = 6

# resource name -> (width, height) that the clock expects of each dial
DIAL_SIZES = {
    "BACK": (130, 130), "BLACK": (130, 130), "BLUE": (129, 129), "ROLEX": (130, 130),
    "WALL": (129, 128), "AERO": (129, 129), "CLASSIC": (130, 130), "RED": (130, 130),
    "DINER": (130, 130), "NOVELTY": (130, 130), "ROLEX1": (131, 131), "SYSTEM": (130, 130),
    "GLASSBLACK": (130, 130), "GLASSGRADIENT": (130, 130), "GLASSGRADIENT1": (130, 130),
    "GLASSPURPLE": (130, 130), "GLASSGREEN": (130, 130), "GLASSGOLD": (130, 130),
    "BORDER": (130, 130), "BRISA": (130, 130), "CHRONO": (130, 130),
}
HAND_SIZE = 196


class Picture:
    """A written PNG read back: what the clock will load."""

    def __init__(self, name, width, height, colour_type, bit_depth, rgba):
        self.name = name
        self.width = width
        self.height = height
        self.colour_type = colour_type
        self.bit_depth = bit_depth
        self.rgba = rgba

    @classmethod
    def decode(cls, name, png):
        return cls(name, *artkit.decode_png(png))

    def alpha(self, x, y):
        return self.rgba[(y * self.width + x) * 4 + 3]


def rgba8(picture):
    if picture.colour_type == COLOUR_TYPE_RGBA and picture.bit_depth == 8:
        return []
    return ["%s: colour type %d, depth %d; want 8-bit RGBA"
            % (picture.name, picture.colour_type, picture.bit_depth)]


def size_is(width, height):
    def check(picture):
        if (picture.width, picture.height) == (width, height):
            return []
        return ["%s: %dx%d, want %dx%d" % (picture.name, picture.width, picture.height,
                                          width, height)]
    return check


def transparent_outside_disc(picture):
    """Every pixel lying wholly outside the dial's inscribed ellipse, the
    four corners among them, must be fully transparent."""
    rx, ry = picture.width / 2.0, picture.height / 2.0
    bad = []
    for y in range(picture.height):
        for x in range(picture.width):
            nearest_x = max(x - rx, 0.0, rx - (x + 1))
            nearest_y = max(y - ry, 0.0, ry - (y + 1))
            if (nearest_x / rx) ** 2 + (nearest_y / ry) ** 2 > 1.0 and picture.alpha(x, y):
                bad.append((x, y))
    corners = [(0, 0), (picture.width - 1, 0), (0, picture.height - 1),
               (picture.width - 1, picture.height - 1)]
    bad += [c for c in corners if picture.alpha(*c)]
    if not bad:
        return []
    return ["%s: %d pixels outside the dial are not transparent, first %s"
            % (picture.name, len(bad), bad[0])]


def dial_checks(resource, factor=1):
    """The checks of a dial drawn at factor times its pixels."""
    width, height = DIAL_SIZES[resource]
    return [size_is(width * factor, height * factor), transparent_outside_disc]


def opaque_box(picture, threshold):
    xs, ys = [], []
    for y in range(picture.height):
        for x in range(picture.width):
            if picture.alpha(x, y) >= threshold:
                xs.append(x)
                ys.append(y)
    return min(xs), min(ys), max(xs), max(ys)


def pivot_centred(picture):
    """The hand turns about the picture's centre: its ink is centred on the
    centre column (at every alpha level), the pivot pixels are solid, and it
    reaches further up (towards 12) than down."""
    problems = []
    centre = picture.width / 2.0
    for threshold in (1, 128, 255):
        left, top, right, bottom = opaque_box(picture, threshold)
        if left + right + 1 != picture.width:
            problems.append("%s: ink at alpha >= %d spans x %d..%d, not centred on %.1f"
                            % (picture.name, threshold, left, right, centre))
    c = picture.width // 2
    if min(picture.alpha(x, y) for x in (c - 1, c) for y in (c - 1, c)) < 255:
        problems.append("%s: the pivot pixels are not solid" % picture.name)
    left, top, right, bottom = opaque_box(picture, 1)
    if not centre - top > bottom + 1 - centre:
        problems.append("%s: does not point at 12" % picture.name)
    return problems


def hand_checks(name, factor=1):
    del name
    return [size_is(HAND_SIZE * factor, HAND_SIZE * factor), pivot_centred]


def self_test():
    """The checks must catch what they are for: an opaque corner on a dial,
    a hand whose pivot is a pixel off centre, a picture of the wrong size.
    Returns the list of checks that failed to notice."""
    missed = []
    w = h = 130
    rgba = bytearray(w * h * 4)
    rgba[3] = 255                                   # pixel (0, 0) opaque
    corner = Picture("corner", w, h, COLOUR_TYPE_RGBA, 8, bytes(rgba))
    if not transparent_outside_disc(corner):
        missed.append("transparent_outside_disc")
    if not size_is(129, 128)(corner):
        missed.append("size_is")
    rgba = bytearray(HAND_SIZE * HAND_SIZE * 4)
    for y in range(40, 110):                        # a bar 4 px wide, at x 97..100
        for x in range(97, 101):
            rgba[(y * HAND_SIZE + x) * 4 + 3] = 255
    shifted = Picture("shifted", HAND_SIZE, HAND_SIZE, COLOUR_TYPE_RGBA, 8, bytes(rgba))
    if not pivot_centred(shifted):
        missed.append("pivot_centred")
    if not rgba8(Picture("grey", 1, 1, 0, 8, b"\0")):
        missed.append("rgba8")
    return missed


def fonts_present(fonts_used):
    """Each face the drawings used must resolve to that very DejaVu face,
    not to a stand-in that fontconfig picked because it was missing."""
    problems = []
    for family, slant, weight in sorted(fonts_used):
        bold = weight == cairo.FONT_WEIGHT_BOLD
        slant_name = {cairo.FONT_SLANT_ITALIC: "Italic",
                      cairo.FONT_SLANT_OBLIQUE: "Oblique"}.get(slant)
        pattern = family + (":weight=bold" if bold else "")
        if slant_name:
            pattern += ":slant=" + slant_name.lower()
        found = subprocess.run(["fc-match", "--format=%{family}|%{style}", pattern],
                               capture_output=True, text=True, check=False).stdout
        families, _, style = found.partition("|")
        wanted = (["Bold"] if bold else []) + ([slant_name] if slant_name else [])
        if family not in families.split(",") or not all(w in style for w in wanted):
            problems.append("font %r resolves to %r: install fonts-dejavu-core and "
                            "fonts-dejavu-extra" % (pattern, found))
    return problems

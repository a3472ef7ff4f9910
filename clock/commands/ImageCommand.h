#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace dorvane {

// "dorvane image decode IN OUT" loads IN the way the clock loads a picture file and writes the
// surface as a raw dump: width and height as little-endian 32-bit integers, then the pixels as
// stored (blue, green, red, alpha, premultiplied), top row first. "dorvane image info IN" prints
// the picture's width, height, ImageType and Alpha. "dorvane image convert IN OUT.png [--size WxH]
// [--angle DEG] [--opacity P] [--hq on|off]" loads IN, renders it as the clock draws its hands
// (scaled onto a blank surface of the given size, default IN's, turned by the angle, default 0, at
// the opacity, default 100, with high-quality interpolation unless --hq off) and saves that surface
// as PNG. None needs a display. args are the words after "image"; the result is the exit status:
// 0 when a picture was made, 1 when none was (with a one-line reason on err), 2 for a wrong
// command line.
int RunImageCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// The command's usage lines, as `dorvane --help` lists them after the other commands'.
extern const char* const kImageCommandUsage;

} // namespace dorvane

#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace dorvane {

// "dorvane image decode IN OUT" loads IN the way the clock loads a picture file and writes the
// surface as a raw dump: width and height as little-endian 32-bit integers, then the pixels as
// stored (blue, green, red, alpha, premultiplied), top row first. "dorvane image info IN" prints
// the picture's width, height, ImageType and Alpha. Both need no display. args are the words after
// "image"; the result is the exit status: 0 when a picture was made, 1 when none was (with a
// one-line reason on err), 2 for a wrong command line.
int RunImageCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace dorvane

#!/usr/bin/env python3
"""Joins square PNG pictures into one Windows icon file (.ico), each picture kept as PNG:
    make-icon.py OUT.ico IN-16.png IN-32.png ...
The installer's own icon is the program's, made from the same pictures as the program's icon."""
import struct
import sys


def png_size(data):
    if data[:8] != b'\x89PNG\r\n\x1a\n' or data[12:16] != b'IHDR':
        raise ValueError('not a PNG')
    return struct.unpack('>II', data[16:24])


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    pictures = []
    for path in sys.argv[2:]:
        with open(path, 'rb') as source:
            data = source.read()
        width, height = png_size(data)
        if width != height or not 1 <= width <= 256:
            sys.exit(f'{path}: not a square picture of 1 to 256 pixels')
        pictures.append((width, data))
    header = struct.pack('<HHH', 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    directory, images = b'', b''
    for width, data in pictures:
        # width and height (256 as 0), colours, reserved, planes, bits per pixel, bytes, offset
        directory += struct.pack('<BBBBHHII', width % 256, width % 256, 0, 0, 1, 32, len(data), offset + len(images))
        images += data
    with open(sys.argv[1], 'wb') as out:
        out.write(header + directory + images)


main()

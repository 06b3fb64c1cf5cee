"""Reads X window dumps (xwd) and writes them as PNG, with the standard library only.

Usage as a tool: xwd.py DUMP.xwd OUT.png
"""

import struct
import sys
import zlib

# The header is 25 big-endian 32-bit fields, then the window name, then the colour map.
HEADER_FIELDS = 25
COLOR_ENTRY_BYTES = 12


class Image:
    """A dump in RGB, packed 3 bytes a pixel, row after row."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    @classmethod
    def from_xwd(cls, data):
        header = struct.unpack(">%dI" % HEADER_FIELDS, data[: HEADER_FIELDS * 4])
        header_size, width, height = header[0], header[4], header[5]
        bytes_per_pixel = header[11] // 8
        bytes_per_line = header[12]
        color_count = header[19]
        if bytes_per_pixel < 3:
            raise ValueError("only 24- or 32-bit true-colour dumps are read")
        start = header_size + color_count * COLOR_ENTRY_BYTES
        rgb = bytearray(width * height * 3)
        for y in range(height):
            line = data[start + y * bytes_per_line : start + (y + 1) * bytes_per_line]
            # Pixels are stored blue, green, red in the low bytes of each slot.
            row = y * width * 3
            rgb[row + 0 : row + width * 3 : 3] = line[2 : width * bytes_per_pixel : bytes_per_pixel]
            rgb[row + 1 : row + width * 3 : 3] = line[1 : width * bytes_per_pixel : bytes_per_pixel]
            rgb[row + 2 : row + width * 3 : 3] = line[0 : width * bytes_per_pixel : bytes_per_pixel]
        return cls(width, height, rgb)

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.rgb[at : at + 3])

    def paste(self, other, left, top):
        """Draws `other` with its top-left corner at (left, top), clipped to this image."""
        for y in range(max(0, -top), min(other.height, self.height - top)):
            first = max(0, -left)
            last = min(other.width, self.width - left)
            if first >= last:
                continue
            target = ((top + y) * self.width + left + first) * 3
            source = (y * other.width + first) * 3
            self.rgb[target : target + (last - first) * 3] = other.rgb[
                source : source + (last - first) * 3
            ]

    def png(self):
        stride = self.width * 3
        raw = b"".join(
            b"\x00" + bytes(self.rgb[y * stride : (y + 1) * stride]) for y in range(self.height)
        )

        def chunk(kind, body):
            crc = zlib.crc32(kind + body) & 0xFFFFFFFF
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)

        return (
            b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b"")
        )

    def save_png(self, path):
        with open(path, "wb") as out:
            out.write(self.png())


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "rb") as dump:
        Image.from_xwd(dump.read()).save_png(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

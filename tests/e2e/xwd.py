"""Reads X window dumps (xwd) of 24- or 32-bit true colour, with the standard library only."""

import struct

# The header is 25 big-endian 32-bit fields, then the window name, then the colour map.
HEADER_FIELDS = 25
COLOR_ENTRY_BYTES = 12


class Image:
    """A dump whose pixels are read as (red, green, blue)."""

    def __init__(self, data):
        header = struct.unpack(">%dI" % HEADER_FIELDS, data[: HEADER_FIELDS * 4])
        self.width, self.height = header[4], header[5]
        self.bytes_per_pixel = header[11] // 8
        self.bytes_per_line = header[12]
        if self.bytes_per_pixel < 3:
            raise ValueError("only 24- or 32-bit true-colour dumps are read")
        self.start = header[0] + header[19] * COLOR_ENTRY_BYTES
        self.data = data

    def pixel(self, x, y):
        # Pixels are stored blue, green, red in the low bytes of each slot.
        at = self.start + y * self.bytes_per_line + x * self.bytes_per_pixel
        blue, green, red = self.data[at : at + 3]
        return red, green, blue

#!/usr/bin/env python3
"""screenshot.py WINDOW-ID OUT.png [X Y WIDTH HEIGHT]: saves an X window's contents as a PNG
(through libX11). With an area, fails when the area is not wholly inside the window or its pixels
are all one colour (nothing is drawn there)."""
import ctypes
import ctypes.util
import struct
import sys
import zlib


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


def capture(window):
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("screenshot: cannot open the display")
    root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
    width, height, border, depth = (ctypes.c_uint() for _ in range(4))
    if not x11.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                            ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                            ctypes.byref(depth)):
        sys.exit("screenshot: no such window")
    image = x11.XGetImage(display, window, 0, 0, width.value, height.value, 0xFFFFFFFF, 2)
    if not image or image.contents.bits_per_pixel != 32:
        sys.exit("screenshot: only 32-bit TrueColor images are supported")
    info = image.contents
    raw = ctypes.string_at(info.data, info.bytes_per_line * info.height)
    shifts = [(m & -m).bit_length() - 1 for m in (info.red_mask, info.green_mask, info.blue_mask)]
    order = "<" if info.byte_order == 0 else ">"
    rows = bytearray()
    for row in range(info.height):
        rows.append(0)
        line = raw[row * info.bytes_per_line:row * info.bytes_per_line + info.width * 4]
        for (value,) in struct.iter_unpack(order + "I", line):
            rows += bytes((value >> s) & 0xFF for s in shifts)
    return info.width, info.height, bytes(rows)


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        out.write(chunk(b"IEND", b""))


def area_is_drawn(width, height, rows, x, y, area_width, area_height):
    """Whether the pixels of the area (rows as write_png takes them) have more than one colour."""
    if x < 0 or y < 0 or area_width < 1 or area_height < 1 or x + area_width > width or \
            y + area_height > height:
        sys.exit("screenshot: the area is not inside the window")
    stride = 1 + width * 3
    colours = set()
    for row in range(y, y + area_height):
        start = row * stride + 1 + x * 3
        line = rows[start:start + area_width * 3]
        colours.update(line[i:i + 3] for i in range(0, len(line), 3))
        if len(colours) > 1:
            return True
    return False


if __name__ == "__main__":
    if len(sys.argv) not in (3, 7):
        sys.exit(__doc__)
    shot = capture(int(sys.argv[1], 0))
    write_png(sys.argv[2], *shot)
    if len(sys.argv) == 7 and not area_is_drawn(*shot, *map(int, sys.argv[3:7])):
        sys.exit("screenshot: the area is all one colour")

#!/usr/bin/env python3
"""Converts uncompressed 24- or 32-bit BMP pictures to PNG files.

Usage: bmp_to_png.py IN.bmp OUT.png [IN.bmp OUT.png ...]

The help file's pictures are captured as BMP under Wine; PNG keeps them small
inside the compiled help without needing an image tool on the build machine.
"""
import struct
import sys
import zlib


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if planes != 1 or bits not in (24, 32) or compression not in (0, 3):
        raise ValueError(f"{path}: only uncompressed 24- and 32-bit BMP files are read")
    top_down = height < 0
    height = abs(height)
    step = bits // 8
    stride = (width * step + 3) & ~3
    if offset + stride * height > len(data):
        raise ValueError(f"{path}: truncated pixel data")
    rows = []
    for y in range(height):
        source_row = y if top_down else height - 1 - y
        start = offset + source_row * stride
        row = bytearray(width * 3)
        pixels = data[start:start + width * step]
        row[0::3] = pixels[2::step]  # red
        row[1::3] = pixels[1::step]  # green
        row[2::3] = pixels[0::step]  # blue
        rows.append(bytes(row))
    return width, height, rows


def png_chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def write_png(path, width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(png_chunk(b"IHDR", header))
        f.write(png_chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(png_chunk(b"IEND", b""))


def main(args):
    if not args or len(args) % 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    for source, target in zip(args[0::2], args[1::2]):
        try:
            write_png(target, *read_bmp(source))
        except (OSError, ValueError) as error:
            print(f"bmp_to_png: {error}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

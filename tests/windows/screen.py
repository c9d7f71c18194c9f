#!/usr/bin/env python3
"""The screen of a virtual X server (Xvfb -fbdir keeps it in an XWD file):
  screen.py png SCREEN OUT.png        saves it as a PNG
  screen.py diff SCREEN_A SCREEN_B    prints the share of 16 x 16 blocks whose
                                      mean colours differ by more than 24
  screen.py plain SCREEN              prints the share of blocks of one colour
"""
import struct
import sys
import zlib


def read(path):
    """(width, height, rows of RGB bytes) of a 32-bit XWD file."""
    b = open(path, 'rb').read()
    word = lambda i: struct.unpack('>I', b[i * 4:i * 4 + 4])[0]
    header, width, height, bpl, colours = word(0), word(4), word(5), word(12), word(19)
    if word(1) != 7 or word(11) != 32:
        sys.exit(f'{path}: not a 32-bit XWD screen')
    start = header + colours * 12
    rows = []
    for y in range(height):
        line = b[start + y * bpl:start + y * bpl + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows.append(bytes(rgb))
    return width, height, rows


def blocks(screen):
    width, height, rows = screen
    means = []
    for by in range(0, height - 15, 16):
        for bx in range(0, width - 15, 16):
            sums = [0, 0, 0]
            for y in range(by, by + 16):
                row = rows[y]
                for c in range(3):
                    sums[c] += sum(row[bx * 3 + c:(bx + 16) * 3:3])
            means.append(tuple(s / 256 for s in sums))
    return means


def save_png(screen, out):
    width, height, rows = screen
    chunk = lambda t, d: struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d))
    data = zlib.compress(b''.join(b'\0' + r for r in rows))
    with open(out, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
                chunk(b'IDAT', data) + chunk(b'IEND', b''))


def main():
    what = sys.argv[1]
    if what == 'png':
        save_png(read(sys.argv[2]), sys.argv[3])
    elif what == 'diff':
        a, b = blocks(read(sys.argv[2])), blocks(read(sys.argv[3]))
        differing = sum(1 for x, y in zip(a, b) if max(abs(p - q) for p, q in zip(x, y)) > 24)
        print(f'{differing / len(a):.3f}' if len(a) == len(b) else '1.000')
    elif what == 'plain':
        a = blocks(read(sys.argv[2]))
        print(f'{sum(1 for m in a if max(m) - min(m) < 2 and m == a[0]) / len(a):.3f}')
    else:
        sys.exit(__doc__)


main()

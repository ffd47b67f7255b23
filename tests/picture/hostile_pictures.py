#!/usr/bin/python3
"""Hostile and ordinary pictures through the helper program: each must get one of the protocol's
answers, with exit status 0, well within the game's patience. Run: hostile_pictures.py HELPER"""
import io
import random
import re
import struct
import subprocess
import sys
import zlib

from PIL import Image, ImageDraw, ImageFont

helper = sys.argv[1]
ANSWER = re.compile(r"(cells [1-9.?]{81}\nconfidence( (\d|[1-9]\d|100)){81}\n|nogrid\n|refused [^\n]+\.\n)")


def png_claiming(width, height):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)
    # A little real data that inflates to far less than the header claims.
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"\0" * 65536, 9)) + chunk(b"IEND", b""))


def gif_bomb(width, height, frames):
    out = b"GIF89a" + struct.pack("<HHBBB", width, height, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff"
    out += b"!\xff\x0bNETSCAPE2.0\x03\x01\0\0\0"
    for _ in range(frames):
        # Each frame claims the whole screen but carries a single code: clear, then end.
        out += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x02\x02\x44\x01\x00"
    return out + b";"


def encoded(image, kind, **options):
    buffer = io.BytesIO()
    image.save(buffer, kind, **options)
    return buffer.getvalue()


def drawn_grid(cell=40, dark=False):
    """A grid with DejaVu digits, and its 81 truth characters."""
    rng = random.Random(11)
    margin = cell
    side = 9 * cell + 2 * margin
    paper, ink = ((25, 25, 30), (235, 235, 235)) if dark else ((255, 255, 255), (0, 0, 0))
    image = Image.new("RGB", (side + 200, side), paper)
    draw = ImageDraw.Draw(image)
    font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", int(cell * 0.7))
    for k in range(10):
        width = 3 if k % 3 == 0 else 1
        at = margin + k * cell
        draw.line([(at, margin), (at, margin + 9 * cell)], fill=ink, width=width)
        draw.line([(margin, at), (margin + 9 * cell, at)], fill=ink, width=width)
    truth = ""
    for i in range(81):
        digit = rng.randint(1, 9) if rng.random() < 0.4 else 0
        truth += str(digit) if digit else "."
        if digit:
            x = margin + (i % 9) * cell + cell // 2
            y = margin + (i // 9) * cell + cell // 2
            draw.text((x, y), str(digit), fill=ink, font=font, anchor="mm")
    draw.text((side + 10, 40), "Puzzle 12", fill=ink, font=font)
    return image, truth


def run(data):
    done = subprocess.run([helper], input=data, capture_output=True, timeout=60)
    return done.returncode, done.stdout.decode("utf-8", "replace")


def lines_only():
    image = Image.new("L", (900, 900), 255)
    draw = ImageDraw.Draw(image)
    for at in range(0, 900, 9):
        draw.line([(at, 0), (at, 899)], fill=0)
        draw.line([(0, at), (899, at)], fill=0)
    return image


grid, truth = drawn_grid()
dark_grid, dark_truth = drawn_grid(cell=24, dark=True)
with open("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "rb") as f:
    font_bytes = f.read(200000)
cases = [
    # name, bytes, the answer it must start with (None: any answer of the protocol)
    ("empty input", b"", "refused"),
    ("PNG claiming 100000 x 100000", png_claiming(100000, 100000), "refused The picture is larger than 50 megapixels."),
    # The largest picture allowed must fit the helper's own memory limit.
    ("white PNG of 7071 x 7071, just under the limit",
     encoded(Image.new("RGB", (7071, 7071), "white"), "PNG"), "nogrid"),
    ("truncated JPEG", encoded(grid, "JPEG", quality=90)[:5000], None),
    ("GIF bomb: huge screen", gif_bomb(65535, 65535, 1), "refused"),
    ("GIF bomb: many frames", gif_bomb(3000, 3000, 20000), None),
    ("1 x 1 picture", encoded(Image.new("L", (1, 1), 0), "PNG"), "nogrid"),
    ("all grid lines", encoded(lines_only(), "PNG"), None),
    ("not a picture", font_bytes, "refused"),
    ("more than 40 MiB", b"\0" * (40 * 1024 * 1024 + 1), "refused The picture is larger than 40 MiB."),
    ("a white page", encoded(Image.new("RGB", (1920, 1080), "white"), "PNG"), "nogrid"),
    ("drawn grid", encoded(grid, "PNG"), "cells"),
    ("drawn grid as JPEG", encoded(grid, "JPEG", quality=80), "cells"),
    ("drawn grid, dark, small cells", encoded(dark_grid, "PNG"), "cells"),
]
failures = 0
for name, data, expected in cases:
    status, out = run(data)
    problem = None
    if status != 0:
        problem = f"exit status {status}"
    elif not ANSWER.fullmatch(out):
        problem = f"not an answer of the protocol: {out!r}"
    elif expected and not out.startswith(expected):
        problem = f"expected {expected!r}, got {out!r}"
    elif out.startswith("cells"):
        want = dark_truth if "dark" in name else truth
        got = out.split("\n")[0][6:]
        wrong = [i for i in range(81) if got[i] not in ("?", want[i])]
        unread = sum(1 for i in range(81) if want[i] != "." and got[i] != want[i])
        if wrong:
            problem = f"cells {wrong} read wrong: {got} for {want}"
        elif unread > 3:
            problem = f"{unread} digits not read: {got} for {want}"
    print(("FAIL " if problem else "ok   ") + name + (": " + problem if problem else ""),
          "|", out.split("\n")[0][:90])
    failures += problem is not None
sys.exit(1 if failures else 0)

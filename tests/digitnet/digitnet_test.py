#!/usr/bin/python3
"""The committed cell network, loaded the way the reader loads it: OpenCV's dnn, no torch.

Cells are drawn here independently of the training script, so a model trained on inverted or
mis-scaled crops, with its classes out of order or with its batch pinned to one, fails here.
Usage: digitnet_test.py path/to/digitnet.onnx
"""

import os
import sys

import cv2
import numpy as np
from PIL import Image, ImageDraw, ImageFont

SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
SERIF_BOLD = "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf"


def draw(marks, lines=1):
    """A 32x32 crop: paper, half grid lines at the edges and (text, font, px, x, y) marks."""
    img = Image.new("L", (32, 32), 245)
    d = ImageDraw.Draw(img)
    for x0, y0, x1, y1 in [(0, 0, 31, lines - 1), (0, 32 - lines, 31, 31), (0, 0, lines - 1, 31), (32 - lines, 0, 31, 31)][: 4 if lines else 0]:
        d.rectangle((x0, y0, x1, y1), fill=20)
    for text, font, px, x, y in marks:
        d.text((x, y), text, fill=15, font=ImageFont.truetype(font, px), anchor="mm")
    return np.asarray(img)


def main():
    path = sys.argv[1]
    failures = []
    size = os.path.getsize(path)
    if size >= 1 << 20:
        failures.append(f"size: have {size} bytes, want under 1 MiB")
    net = cv2.dnn.readNetFromONNX(path)

    pencil = [(str(d), SANS, 8, 7 + 9 * ((d - 1) % 3), 7 + 9 * ((d - 1) // 3)) for d in (1, 2, 4, 7, 9)]
    cases = [(f"{d} sans", draw([(str(d), SANS, 24, 16, 16)]), d) for d in range(1, 10)]
    cases += [(f"{d} serif bold", draw([(str(d), SERIF_BOLD, 22, 16, 17)], lines=3), d) for d in range(1, 10)]
    cases += [
        ("blank", draw([], lines=0), 0),
        ("grid lines only", draw([], lines=4), 0),
        ("pencil marks", draw(pencil), 0),
        ("one pencil mark in a corner", draw([("6", SANS, 8, 7, 7)]), 0),
    ]
    cells = np.stack([c for _, c, _ in cases])
    x = ((255.0 - cells.astype(np.float32)) / 255.0)[:, None]
    net.setInput(x)
    logits = net.forward()
    if logits.shape != (len(cases), 10):
        failures.append(f"batch of {len(cases)}: have shape {logits.shape}, want ({len(cases)}, 10)")
    else:
        for (name, _, want), row in zip(cases, logits):
            if int(row.argmax()) != want:
                failures.append(f"{name}: have class {int(row.argmax())}, want {want}")
    # The reader sends all 81 cells at once; one alone must give the same answer.
    net.setInput(x[-1:])
    single = net.forward()
    if single.shape != (1, 10) or not np.allclose(single[0], logits[-1], atol=1e-4):
        failures.append(f"one cell alone: have {single.ravel()}, want {logits[-1]}")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

"""Real cell crops: the reader's normalised 288x288 grids cut into the 81 crops it reads.

Needs numpy and cv2 only (the tests import it without torch).
"""

import glob
import os
import re
import sys

import cv2
import numpy as np

PHOTOS = "/work/shared/picture-train"


def photo_number(path):
    return int(re.sub(r"\D", "", os.path.basename(path).split(".")[0]) or -1)


def held_out_photos(folder=PHOTOS):
    """Numbers of the photos that are never trained on: every fourth in numeric order."""
    nums = sorted(photo_number(p) for p in glob.glob(os.path.join(folder, "image*.jpg")))
    return {n for i, n in enumerate(nums) if i % 4 == 3}


def read_truth(path):
    lines = [l.split() for l in open(path, encoding="utf-8").read().splitlines()[2:11]]
    grid = np.array([[int(v) for v in row] for row in lines], dtype=np.int64)
    if grid.shape != (9, 9):
        raise ValueError(f"{path}: truth is not 9x9")
    return grid


def load_grids(folder, refuse=()):
    """(name, 288x288 grid, 9x9 truth) for each grid picture with its truth."""
    out = []
    for png in sorted(glob.glob(os.path.join(folder, "*.png"))):
        stem = os.path.splitext(png)[0]
        if not os.path.exists(stem + ".dat"):
            continue
        if photo_number(png) in refuse:
            sys.exit(f"{png} is a held-out photo; it must not be trained on")
        g = cv2.imread(png, cv2.IMREAD_GRAYSCALE)
        if g is None or g.shape != (288, 288):
            print(f"skipping {png}: not a 288x288 grey grid", file=sys.stderr)
            continue
        out.append((os.path.basename(stem), g, read_truth(stem + ".dat")))
    return out


def cut(grid, dx=0, dy=0):
    """The 81 crops, optionally taken a few px off their place as an imperfect warp does."""
    pad = cv2.copyMakeBorder(grid, 4, 4, 4, 4, cv2.BORDER_REPLICATE)
    return np.stack([pad[4 + 32 * r + dy : 36 + 32 * r + dy, 4 + 32 * c + dx : 36 + 32 * c + dx] for r in range(9) for c in range(9)])


def augment_real(crop, rng):
    """Camera-like damage on a real crop, lighter than the synthetic one: it already has its own."""
    out = crop.astype(np.float32)
    if rng.random() < 0.5:
        ang = rng.uniform(-5, 5)
        sc = rng.uniform(0.9, 1.1)
        m = cv2.getRotationMatrix2D((16, 16), ang, sc)
        out = cv2.warpAffine(out, m, (32, 32), borderMode=cv2.BORDER_REPLICATE)
    if rng.random() < 0.25:
        s = int(rng.integers(14, 25))
        out = cv2.resize(cv2.resize(out, (s, s), interpolation=cv2.INTER_AREA), (32, 32), interpolation=cv2.INTER_LINEAR)
    if rng.random() < 0.3:
        out = cv2.GaussianBlur(out, (0, 0), rng.uniform(0.3, 1.0))
    lo, hi = rng.uniform(0, 40), rng.uniform(215, 255)
    out = lo + out * (hi - lo) / 255.0
    if rng.random() < 0.5:
        out = out + rng.normal(0, rng.uniform(1, 8), out.shape)
    out = np.clip(out, 0, 255).astype(np.uint8)
    if rng.random() < 0.3:
        _, buf = cv2.imencode(".jpg", out, [cv2.IMWRITE_JPEG_QUALITY, int(rng.integers(20, 80))])
        out = cv2.imdecode(buf, cv2.IMREAD_GRAYSCALE)
    return out


def real_training_set(grids, rng, copies, keep=None):
    """`copies` shifted and damaged versions of every crop whose keep mask is true."""
    cells, labels = [], []
    for k in range(copies):
        for i, (_, g, truth) in enumerate(grids):
            dx, dy = (0, 0) if k == 0 else (int(rng.integers(-3, 4)), int(rng.integers(-3, 4)))
            crops = cut(g, dx, dy)
            for j in range(81):
                if keep is not None and not keep[i][j]:
                    continue
                cells.append(crops[j] if k == 0 else augment_real(crops[j], rng))
                labels.append(truth.flat[j])
    if not cells:
        return np.zeros((0, 32, 32), np.uint8), np.zeros(0, np.int64)
    return np.stack(cells), np.array(labels, np.int64)


def plain_cells(grids):
    if not grids:
        return np.zeros((0, 32, 32), np.uint8), np.zeros(0, np.int64)
    return np.concatenate([cut(g) for _, g, _ in grids]), np.concatenate([t.reshape(-1) for _, _, t in grids])

"""Synthetic cell crops in the reader's format: 32x32 grey, light paper, dark ink.

Everything here draws from the numpy Generator it is handed, so a seed fixes the data.
Needs numpy, PIL and cv2 only (the tests import it without torch).
"""

import glob
import os

import cv2
import numpy as np
from PIL import Image, ImageDraw, ImageFont

CELL = 32
HI = 96  # drawn at three times the cell size, then reduced, for anti-aliased edges
SCALE = HI // CELL

FONT_GLOBS = [
    "/usr/share/fonts/truetype/dejavu/*.ttf",
    "/usr/share/fonts/truetype/liberation/*.ttf",
    "/usr/share/fonts/truetype/freefont/*.ttf",
    "/usr/share/fonts/truetype/crosextra/*.ttf",
    "/usr/share/fonts/opentype/urw-base35/*.otf",
    "/usr/share/fonts/truetype/noto/NotoSans-*.ttf",
    "/usr/share/fonts/truetype/noto/NotoSerif-*.ttf",
    "/usr/share/fonts/truetype/noto/NotoSansDisplay-*.ttf",
    "/usr/share/fonts/truetype/noto/NotoSerifDisplay-*.ttf",
    "/usr/share/fonts/truetype/noto/NotoSansMono-*.ttf",
    "/usr/share/fonts/truetype/noto/NotoMono-*.ttf",
]
# Symbol faces draw pictures where the digits should be.
FONT_SKIP = ("StandardSymbols", "D050000L")
# Slanted script-like faces stand in for digits a player writes in by hand.
HAND_HINTS = ("Z003", "Italic", "Oblique", "BdIta")


def font_files():
    files = sorted({f for g in FONT_GLOBS for f in glob.glob(g)})
    return [f for f in files if not any(s in f for s in FONT_SKIP)]


def _glyph_mask(font, text):
    """Ink coverage (0..1 float) of `text`, cropped to its ink box; None when nothing is drawn."""
    left, top, right, bottom = font.getbbox(text)
    img = Image.new("L", (right - left + 8, bottom - top + 8), 0)
    ImageDraw.Draw(img).text((4 - left, 4 - top), text, fill=255, font=font)
    a = np.asarray(img, dtype=np.float32) / 255.0
    ys, xs = np.nonzero(a > 0.1)
    if len(ys) == 0:
        return None
    return a[ys.min() : ys.max() + 1, xs.min() : xs.max() + 1]


class Glyphs:
    """High-resolution masks of the digits 1-9 of every usable installed face."""

    def __init__(self, files=None, size=120):
        self.masks = []  # list over faces of [9 masks]
        self.names = []
        self.hand = []  # indices of faces that look hand-drawn enough
        for f in files if files is not None else font_files():
            try:
                font = ImageFont.truetype(f, size)
            except OSError:
                continue
            digits = [_glyph_mask(font, str(d)) for d in range(1, 10)]
            missing = _glyph_mask(font, "\ue000")
            if any(m is None for m in digits):
                continue
            # A face without digits draws one replacement box for all of them.
            if missing is not None and any(
                m.shape == missing.shape and np.abs(m - missing).mean() < 0.02 for m in digits
            ):
                continue
            if len({m.tobytes() for m in digits}) < 9:
                continue
            name = os.path.basename(f)
            if any(h in name for h in HAND_HINTS):
                self.hand.append(len(self.masks))
            self.masks.append(digits)
            self.names.append(name)

    def __len__(self):
        return len(self.masks)


def _resize_mask(m, h, w):
    return cv2.resize(m, (max(1, int(round(w))), max(1, int(round(h)))), interpolation=cv2.INTER_AREA)


def _paste(layer, m, cx, cy):
    """Max-blend mask m into layer centred at (cx, cy), clipped at the borders."""
    h, w = m.shape
    x0, y0 = int(round(cx - w / 2)), int(round(cy - h / 2))
    lx0, ly0 = max(0, x0), max(0, y0)
    lx1, ly1 = min(layer.shape[1], x0 + w), min(layer.shape[0], y0 + h)
    if lx1 <= lx0 or ly1 <= ly0:
        return
    sub = m[ly0 - y0 : ly1 - y0, lx0 - x0 : lx1 - x0]
    np.maximum(layer[ly0:ly1, lx0:lx1], sub, out=layer[ly0:ly1, lx0:lx1])


def _stroke(m, rng, hi_res_px):
    """Thinner or bolder strokes, as printers and cameras spread or starve the ink."""
    r = rng.random()
    k = max(1, int(round(hi_res_px)))
    kernel = cv2.getStructuringElement(cv2.MORPH_ELLIPSE, (2 * k + 1, 2 * k + 1))
    if r < 0.2:
        return cv2.erode(m, kernel)
    if r < 0.45:
        return cv2.dilate(m, kernel)
    return m


def _digit_mask(glyphs, rng, face, digit, height_frac):
    m = glyphs.masks[face][digit - 1]
    h = height_frac * HI
    aspect = m.shape[1] / m.shape[0] * rng.uniform(0.85, 1.15)
    m = _resize_mask(m, h, h * aspect)
    return _stroke(m, rng, rng.uniform(0.5, 0.06 * h))


def _warp(layer, rng, max_deg, max_persp):
    """Small rotation, shear and perspective around the cell's centre."""
    c = HI / 2
    pts = np.float32([[0, 0], [HI, 0], [HI, HI], [0, HI]])
    ang = np.deg2rad(rng.uniform(-max_deg, max_deg))
    rot = np.array([[np.cos(ang), -np.sin(ang)], [np.sin(ang), np.cos(ang)]])
    dst = (pts - c) @ rot.T + c + rng.uniform(-max_persp, max_persp, (4, 2)) * HI
    mat = cv2.getPerspectiveTransform(pts, dst.astype(np.float32))
    return cv2.warpPerspective(layer, mat, (HI, HI), flags=cv2.INTER_LINEAR)


def _background(rng):
    """Paper level, a light gradient and sometimes faint show-through from the back."""
    r = rng.random()
    level = rng.uniform(225, 255) if r < 0.6 else rng.uniform(150, 230)
    yy, xx = np.mgrid[0:HI, 0:HI].astype(np.float32) / HI - 0.5
    ang = rng.uniform(0, 2 * np.pi)
    grad = (np.cos(ang) * xx + np.sin(ang) * yy) * rng.uniform(0, 50) * (rng.random() < 0.5)
    return np.full((HI, HI), level, np.float32) + grad, level


def _lines(rng):
    """Remnants of the grid lines around the cell (coverage 0..1) and their ink level."""
    layer = np.zeros((HI, HI), np.float32)
    if rng.random() < 0.15:
        return layer
    dark = rng.random() < 0.7
    for side in range(4):
        if rng.random() < 0.25:
            continue
        t = rng.uniform(0.5, 6.0) * SCALE
        # Half of a centred line lies inside the crop; an imperfect warp moves it a few px.
        centre = rng.uniform(-3.0, 4.0) * SCALE
        slope = rng.uniform(-0.05, 0.05)
        pos = np.arange(HI, dtype=np.float32)
        edge = centre + slope * (pos - HI / 2)
        depth = np.arange(HI, dtype=np.float32)[:, None]
        cov = np.clip(t / 2 - np.abs(depth - edge[None, :]) + 0.5, 0, 1)
        cov = cov * (rng.uniform(0.35, 0.7) if not dark else rng.uniform(0.8, 1.0))
        if side == 1:
            cov = cov[::-1, :]
        elif side == 2:
            cov = cov.T
        elif side == 3:
            cov = cov.T[:, ::-1]
        np.maximum(layer, cov, out=layer)
    return layer


def _clutter(rng, glyphs):
    """Things that are not a digit: specks, stray strokes, faint show-through."""
    layer = np.zeros((HI, HI), np.float32)
    for _ in range(rng.integers(0, 6) if rng.random() < 0.4 else 0):
        r = int(rng.uniform(1, 4) * SCALE / 2)
        c = tuple(int(v) for v in rng.uniform(0, HI, 2))
        cv2.circle(layer, c, max(1, r), float(rng.uniform(0.3, 1.0)), -1)
    for _ in range(rng.integers(1, 3) if rng.random() < 0.2 else 0):
        p = rng.uniform(0, HI, 2)
        q = p + rng.uniform(-0.35, 0.35, 2) * HI
        cv2.line(layer, tuple(int(v) for v in p), tuple(int(v) for v in q), float(rng.uniform(0.3, 1.0)), int(rng.integers(1, 5)))
    if rng.random() < 0.15:
        # Print from the other side of the page, mirrored and faint.
        face = rng.integers(len(glyphs))
        m = _digit_mask(glyphs, rng, face, int(rng.integers(1, 10)), rng.uniform(0.3, 0.9))[:, ::-1]
        m = m * rng.uniform(0.08, 0.25)
        _paste(layer, m, rng.uniform(0, HI), rng.uniform(0, HI))
    return layer


def _pencil_marks(rng, glyphs):
    layer = np.zeros((HI, HI), np.float32)
    face = int(rng.integers(len(glyphs)))
    # Apps that fill each empty cell with its candidates write them up to a third of the cell.
    h = rng.uniform(0.12, 0.33) * HI
    mode = rng.random()
    if mode < 0.45:
        digits = [d for d in range(1, 10) if rng.random() < rng.uniform(0.2, 0.9)] or [int(rng.integers(1, 10))]
        margin = rng.uniform(0.06, 0.22) * HI
        if len(digits) == 1:
            h = min(h, 0.28 * HI)
        step = (HI - 2 * margin) / 2
        for d in digits:
            cy = margin + ((d - 1) // 3) * step + rng.uniform(-1, 1) * SCALE
            cx = margin + ((d - 1) % 3) * step + rng.uniform(-1, 1) * SCALE
            _paste(layer, _digit_mask(glyphs, rng, face, d, h / HI), cx, cy)
    elif mode < 0.65:
        # A row or two of candidates across the cell, as "4 5" or "1 2 3 6", or one alone in
        # the middle, kept well below the smallest printed givens.
        rows = 1 if rng.random() < 0.7 else 2
        counts = [int(rng.integers(1, 6)) for _ in range(rows)]
        h = min(h, 0.4 * HI / rows, (0.26 if min(counts) == 1 else 1) * HI)
        top = HI / 2 - (rows - 1) * h * 0.6 + rng.uniform(-0.15, 0.15) * HI
        for row in range(rows):
            digits = sorted(rng.choice(np.arange(1, 10), counts[row], replace=False))
            pitch = min(h * rng.uniform(0.7, 1.1), 0.85 * HI / len(digits))
            left = HI / 2 - pitch * (len(digits) - 1) / 2
            for i, d in enumerate(digits):
                _paste(layer, _digit_mask(glyphs, rng, face, int(d), h / HI), left + i * pitch, top + row * h * 1.2)
    elif mode < 0.85:
        # Kept below the smallest printed givens: one of these may sit in the middle.
        h = min(h, 0.28 * HI)
        for _ in range(rng.integers(1, 6)):
            d = int(rng.integers(1, 10))
            _paste(layer, _digit_mask(glyphs, rng, face, d, h / HI), rng.uniform(0.15, 0.85) * HI, rng.uniform(0.15, 0.85) * HI)
    else:
        d = int(rng.integers(1, 10))
        cx = rng.choice([0.2, 0.8]) * HI + rng.uniform(-2, 2) * SCALE
        cy = rng.choice([0.2, 0.8]) * HI + rng.uniform(-2, 2) * SCALE
        _paste(layer, _digit_mask(glyphs, rng, face, d, min(h, 0.28 * HI) / HI), cx, cy)
    return layer


def _finish(img, rng):
    """Camera and codec damage at the cell's own resolution."""
    out = cv2.resize(img, (CELL, CELL), interpolation=cv2.INTER_AREA)
    if rng.random() < 0.3:
        # A small cell blown up to the crop size.
        s = int(rng.integers(12, 25))
        out = cv2.resize(cv2.resize(out, (s, s), interpolation=cv2.INTER_AREA), (CELL, CELL), interpolation=cv2.INTER_LINEAR)
    if rng.random() < 0.5:
        out = cv2.GaussianBlur(out, (0, 0), rng.uniform(0.3, 1.2))
    # Contrast and brightness, as a reader's normalisation leaves them.
    lo = rng.uniform(0, 60) if rng.random() < 0.5 else 0.0
    hi = rng.uniform(200, 255) if rng.random() < 0.5 else 255.0
    out = lo + out * (hi - lo) / 255.0
    if rng.random() < 0.6:
        out = out + rng.normal(0, rng.uniform(1, 12), out.shape)
    out = np.clip(out, 0, 255).astype(np.uint8)
    if rng.random() < 0.4:
        ok, buf = cv2.imencode(".jpg", out, [cv2.IMWRITE_JPEG_QUALITY, int(rng.integers(10, 70))])
        out = cv2.imdecode(buf, cv2.IMREAD_GRAYSCALE)
    return out


def cell(rng, glyphs, label):
    """One crop of class `label` (0 = empty, 1-9 = that digit at normal size)."""
    bg, paper = _background(rng)
    ink_level = min(rng.uniform(0, 70), paper - 90)
    digit_ink = ink_level
    fg = np.zeros((HI, HI), np.float32)
    if label == 0:
        kind = rng.random()
        if kind < 0.45:
            fg = _pencil_marks(rng, glyphs)
            digit_ink = min(rng.uniform(0, 150), paper - 60)
    else:
        hand = glyphs.hand and rng.random() < 0.2
        face = int(rng.choice(glyphs.hand)) if hand else int(rng.integers(len(glyphs)))
        if hand or rng.random() < 0.1:
            digit_ink = min(rng.uniform(60, 150), paper - 80)  # another colour, seen in grey
        # Some newspapers print their givens small, at little more than a third of the cell.
        height = rng.uniform(0.35, 0.45) if rng.random() < 0.15 else rng.uniform(0.45, 0.85)
        m = _digit_mask(glyphs, rng, face, label, height)
        cx = HI / 2 + rng.uniform(-0.1, 0.1) * HI
        cy = HI / 2 + rng.uniform(-0.08, 0.08) * HI
        _paste(fg, m, cx, cy)
    if fg.any():
        fg = _warp(fg, rng, 8, 0.04)
    clutter = _clutter(rng, glyphs)
    lines = _lines(rng)
    img = bg
    img = img * (1 - clutter) + rng.uniform(0, 120) * clutter
    img = img * (1 - fg) + digit_ink * fg
    img = img * (1 - lines) + ink_level * lines
    return _finish(img, rng)


def batch(rng, glyphs, n, p_empty=0.25):
    """n crops with labels; a quarter empty, the rest spread over the digits."""
    labels = np.where(rng.random(n) < p_empty, 0, rng.integers(1, 10, n))
    cells = np.stack([cell(rng, glyphs, int(l)) for l in labels])
    return cells, labels.astype(np.int64)

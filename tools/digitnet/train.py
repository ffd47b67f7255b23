#!/usr/bin/python3
"""Train the cell network of the picture reader and export it as ONNX.

Run by hand with Debian's python3 (python3-torch, python3-opencv, python3-pil); see README.md.
Fixed seeds, fixed thread count and data drawn in a fixed order make the same file again.
"""

import argparse
import os
import random
import sys
import time
import zlib

import cv2
import numpy as np
import torch
from torch import nn

from realcells import cut, held_out_photos, load_grids, plain_cells, real_training_set
import synth

CLASSES = 10


class DigitNet(nn.Module):
    """About 0.9 M multiply-adds a cell, so 81 cells cost a few milliseconds."""

    def __init__(self):
        super().__init__()

        def block(cin, cout):
            return [nn.Conv2d(cin, cout, 3, padding=1, bias=False), nn.BatchNorm2d(cout), nn.ReLU(), nn.MaxPool2d(2)]

        self.net = nn.Sequential(
            *block(1, 8),
            *block(8, 16),
            *block(16, 32),
            nn.Conv2d(32, 48, 3, padding=1, bias=False),
            nn.BatchNorm2d(48),
            nn.ReLU(),
            # Flatten keeps the batch axis free in the exported graph; a view would pin it to one.
            nn.Flatten(),
            nn.Dropout(0.3),
            nn.Linear(48 * 4 * 4, 64),
            nn.ReLU(),
            nn.Dropout(0.2),
            nn.Linear(64, CLASSES),
        )

    def forward(self, x):
        return self.net(x)


def to_input(cells):
    """uint8 crops (N, 32, 32) to the network's input: ink near 1, paper near 0."""
    return torch.from_numpy((255.0 - cells.astype(np.float32)) / 255.0).unsqueeze(1)


# ---------------------------------------------------------------- training


def probabilities(model, cells):
    model.eval()
    out = []
    with torch.no_grad():
        for i in range(0, len(cells), 1024):
            out.append(torch.softmax(model(to_input(cells[i : i + 1024])), 1).numpy())
    return np.concatenate(out) if out else np.zeros((0, CLASSES), np.float32)


def train(model, cells, labels, epochs, lr, seed, log):
    gen = torch.Generator().manual_seed(seed)
    x_all, y_all = to_input(cells), torch.from_numpy(labels)
    opt = torch.optim.AdamW(model.parameters(), lr=lr, weight_decay=1e-4)
    steps = epochs * ((len(cells) + 127) // 128)
    sched = torch.optim.lr_scheduler.OneCycleLR(opt, max_lr=lr, total_steps=steps, pct_start=0.15)
    loss_fn = nn.CrossEntropyLoss()
    for ep in range(epochs):
        model.train()
        order = torch.randperm(len(cells), generator=gen)
        total, t0 = 0.0, time.time()
        for i in range(0, len(cells), 128):
            idx = order[i : i + 128]
            opt.zero_grad()
            loss = loss_fn(model(x_all[idx]), y_all[idx])
            loss.backward()
            opt.step()
            sched.step()
            total += loss.item() * len(idx)
        log(f"epoch {ep + 1}/{epochs}: loss {total / len(cells):.4f} ({time.time() - t0:.0f} s)")


# ---------------------------------------------------------------- figures


def verdicts(probs, threshold):
    """What the reader makes of each cell: the class, or -1 for '?'."""
    pred = probs.argmax(1)
    return np.where(probs.max(1) >= threshold, pred, -1)


def rates(probs, labels, threshold):
    v = verdicts(probs, threshold)
    n = max(1, len(labels))
    wrong_digit = np.sum((v > 0) & (v != labels))  # a digit shown that is not there
    missed = np.sum((v == 0) & (labels > 0))  # a given left out without a '?'
    unsure = np.sum(v == -1)
    return wrong_digit / n, missed / n, unsure / n


def report(name, probs, labels, thresholds, log):
    if len(labels) == 0:
        return
    pred = probs.argmax(1)
    per = " ".join(f"{c}:{np.mean(pred[labels == c] == c) * 100:.1f}" for c in range(CLASSES) if np.any(labels == c))
    log(f"{name}: {len(labels)} cells, accuracy {np.mean(pred == labels) * 100:.2f} %; per class {per}")
    for t in thresholds:
        w, m, u = rates(probs, labels, t)
        log(f"  threshold {t:.2f}: wrong digit {w * 100:.3f} %, digit read empty {m * 100:.3f} %, '?' {u * 100:.2f} %")


# ---------------------------------------------------------------- export


def export(model, path, check_cells):
    model.eval()
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    dummy = to_input(check_cells[:1])
    torch.onnx.export(
        model, dummy, path, opset_version=11, input_names=["cells"], output_names=["logits"],
        dynamic_axes={"cells": {0: "n"}, "logits": {0: "n"}}, do_constant_folding=True,
    )
    net = cv2.dnn.readNetFromONNX(path)
    x = to_input(check_cells)
    net.setInput(x.numpy())
    got = net.forward()
    with torch.no_grad():
        want = model(x).numpy()
    diff = float(np.abs(got - want).max())
    if got.shape != want.shape or diff > 1e-3:
        sys.exit(f"OpenCV disagrees with torch on the exported network: max difference {diff}")
    size = os.path.getsize(path)
    if size >= 1 << 20:
        sys.exit(f"{path} is {size} bytes, over the 1 MiB limit")
    return size, diff


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "../../picture/digitnet.onnx"))
    ap.add_argument("--synthetic", type=int, default=60000, help="synthetic training cells")
    ap.add_argument("--epochs", type=int, default=3, help="epochs on synthetic cells alone")
    ap.add_argument("--synthetic-mixed", type=int, default=30000, help="synthetic cells kept beside the real ones")
    ap.add_argument("--real-epochs", type=int, default=3, help="further epochs with the real cells mixed in")
    ap.add_argument("--photos", default="/work/exchange/cells/photos", help="grids of non-held-out photos")
    ap.add_argument("--shots", default="/work/exchange/cells/shots", help="grids of training screenshots")
    ap.add_argument("--photo-copies", type=int, default=5, help="augmented copies of each real photo cell")
    ap.add_argument("--log", default=None, help="append the figures to this file too")
    args = ap.parse_args()

    torch.manual_seed(23)
    np.random.seed(23)
    random.seed(23)
    torch.set_num_threads(2)

    lines = []

    def log(msg):
        print(msg, flush=True)
        lines.append(msg)

    start = time.time()
    glyphs = synth.Glyphs()
    log(f"{len(glyphs)} faces")
    rng = np.random.default_rng(23)
    syn_x, syn_y = synth.batch(rng, glyphs, args.synthetic)
    val_x, val_y = synth.batch(np.random.default_rng(2323), glyphs, 10000)
    log(f"synthetic data made in {time.time() - start:.0f} s")

    # A fifth of the grids is kept back to measure on, chosen by the puzzle, because several
    # photos show the same newspaper page.
    held = held_out_photos()
    photos = load_grids(args.photos, refuse=held) if os.path.isdir(args.photos) else []
    shots = load_grids(args.shots) if os.path.isdir(args.shots) else []

    def kept_back(g):
        return zlib.crc32(g[2].tobytes()) % 5 == 4

    photo_train = [g for g in photos if not kept_back(g)]
    photo_val = [g for g in photos if kept_back(g)]
    shot_train = [g for g in shots if not kept_back(g)]
    shot_val = [g for g in shots if kept_back(g)]
    log(f"real grids: photos {len(photo_train)} train / {len(photo_val)} validation, shots {len(shot_train)} / {len(shot_val)}")

    model = DigitNet()
    log(f"{sum(p.numel() for p in model.parameters())} parameters")
    train(model, syn_x, syn_y, args.epochs, 3e-3, 1, log)

    if photo_train or shot_train:
        # A photo's truth lists printed givens only, so an empty cell may hold a digit a player
        # wrote in. Where the network is already sure of one digit there, the label cannot be
        # trusted; merely doubtful empty cells (specks, line ends) stay in as useful negatives.
        keep = []
        dropped = 0
        for _, g, truth in photo_train:
            p = probabilities(model, cut(g))
            bad = (truth.reshape(-1) == 0) & (p[:, 1:].max(1) >= 0.95)
            dropped += int(bad.sum())
            keep.append(~bad)
        log(f"photo cells left out as likely hand-written: {dropped}")
        rrng = np.random.default_rng(2324)
        px, py = real_training_set(photo_train, rrng, args.photo_copies, keep)
        sx, sy = real_training_set(shot_train, rrng, 2)
        mix_rng = np.random.default_rng(2325)
        pick = mix_rng.choice(len(syn_x), size=min(len(syn_x), args.synthetic_mixed), replace=False)
        x = np.concatenate([syn_x[pick], px, sx])
        y = np.concatenate([syn_y[pick], py, sy])
        log(f"mixed set: {len(pick)} synthetic, {len(px)} photo, {len(sx)} screenshot cells")
        train(model, x, y, args.real_epochs, 1e-3, 2, log)

    thresholds = [0.5, 0.7, 0.8, 0.9, 0.95, 0.98, 0.99]
    report("synthetic validation", probabilities(model, val_x), val_y, thresholds, log)
    for name, grids in (("photo validation", photo_val), ("screenshot validation", shot_val)):
        vx, vy = plain_cells(grids)
        report(name, probabilities(model, vx), vy, thresholds, log)

    size, diff = export(model, args.out, val_x[:81])
    log(f"exported {args.out}: {size} bytes, OpenCV matches torch within {diff:.1e}; {time.time() - start:.0f} s in all")
    if args.log:
        with open(args.log, "a", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()

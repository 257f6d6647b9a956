#!/usr/bin/env python3
"""Writes the bundled cooling-series example: a run list and one processing log per run.

Run from the repository root: python3 scripts/make_cooling_example.py
The generated files are committed; the script only has to be run again to change them.
"""

import math
import os
import random

OUT = os.path.join(os.path.dirname(__file__), "..", "examples", "cooling_series")
TEMPERATURES = [300, 280, 260, 240, 220, 200, 180, 160, 150, 140, 120, 100]
# Below 170 K the processing program indexed the crystal with a and b exchanged and all three
# axes reversed;
# the run list's matrix brings those runs back to the common setting.
REINDEXED_BELOW = 170
MATRIX = "0 -1 0  -1 0 0   0 0 -1"


def cell_at(t):
    """Centre of the refined cell at temperature t (monoclinic, gentle thermal expansion)."""
    x = t - 100.0
    a = 10.1020 + 1.15e-4 * x + 8.0e-8 * x * x
    b = 11.4710 + 0.62e-4 * x + 5.0e-8 * x * x
    c = 12.2380 + 1.48e-4 * x + 1.1e-7 * x * x
    beta = 101.084 + 2.1e-4 * x
    return a, b, c, 90.0, beta, 90.0


def spread_at(t):
    """Half-widths of the refined ranges, growing slowly with temperature."""
    f = 1.0 + (t - 100.0) / 400.0
    return 0.0085 * f, 0.0092 * f, 0.0110 * f, 0.018 * f, 0.021 * f, 0.016 * f


def log_text(t, rng):
    a, b, c, al, be, ga = cell_at(t)
    da, db, dc, dal, dbe, dga = spread_at(t)
    if t < REINDEXED_BELOW:
        # The setting the processing program chose: (b, a, c, beta, alpha, gamma).
        a, b, da, db = b, a, db, da
        al, be = be, al
        dal, dbe = dbe, dal
    mosa = 0.31 + 0.0006 * (t - 100.0)
    dmosa = 0.035 + 0.00005 * (t - 100.0)
    chi = [0.93 + 0.0004 * (t - 100.0), 0.97 + 0.0003 * (t - 100.0), 1.02 + 0.0005 * (t - 100.0)]
    frames = 720
    lines = []
    add = lines.append
    add(" " + "*" * 78)
    add("  QUAVELON  --  integration and cell refinement                version 3.7.2")
    add(" " + "*" * 78)
    add("")
    add(f"  Date : 2024-03-14   Time : {9 + (300 - t) // 20:02d}:{(t * 7) % 60:02d}:{(t * 13) % 60:02d}")
    add(f"  Data set : TK_{t}K         Frames : 1 - {frames}     Oscillation (deg) : 0.50")
    add("  Wavelength (A) :   0.71073      Detector distance (mm) :  60.00")
    add(f"  Cryostream set point (K) : {t:7.2f}      Stability (K) : {0.05 + rng.random() * 0.05:5.3f}")
    add("")
    add(" ---- Spot search " + "-" * 61)
    found = 18000 + rng.randint(0, 900) + (300 - t) * 4
    indexed = int(found * (0.925 + rng.random() * 0.02))
    add(f"  Spots found        : {found:8d}")
    add(f"  Spots indexed      : {indexed:8d}   ({100.0 * indexed / found:4.1f} %)")
    add("  Lattice            : monoclinic P      Bravais search score : 0.9981")
    add("")
    add(" ---- Refinement, pass 1 (all frames, unit weights) " + "-" * 27)
    p1 = 0.004
    add(f"  A axis length (min, max)        :  {a - da - p1:9.4f} {a + da + p1:9.4f}")
    add(f"  B axis length (min, max)        :  {b - db - p1:9.4f} {b + db + p1:9.4f}")
    add(f"  C axis length (min, max)        :  {c - dc - p1:9.4f} {c + dc + p1:9.4f}")
    add("  Residual (pixels) :  0.612   Rejected reflections :  1843")
    add("")
    add(" ---- Batch refinement " + "-" * 56)
    add("  Batch   Frames       a         b         c       alpha     beta    gamma   Mosaic")
    nbatch = 6
    for i in range(nbatch):
        w = math.cos(math.pi * i / (nbatch - 1)) * (0.8 + 0.2 * rng.random())
        add(
            f"  {i + 1:5d} {i * 120 + 1:4d}-{(i + 1) * 120:<4d} {a + w * da:9.4f} {b - w * db:9.4f} "
            f"{c + w * dc:9.4f} {al + w * dal:8.3f} {be - w * dbe:8.3f} {ga + w * dga:8.3f} "
            f"{mosa + w * dmosa:7.3f}"
        )
    add("")
    add(" ---- Refined parameters, final pass (min, max over batches) " + "-" * 18)
    add(f"  A axis length (min, max)        :  {a - da:9.4f} {a + da:9.4f}")
    add(f"  B axis length (min, max)        :  {b - db:9.4f} {b + db:9.4f}")
    add(f"  C axis length (min, max)        :  {c - dc:9.4f} {c + dc:9.4f}")
    add(f"  alpha cell angle (deg)          :  {al - dal:9.3f} {al + dal:9.3f}")
    add(f"  beta cell angle (deg)           :  {be - dbe:9.3f} {be + dbe:9.3f}")
    add(f"  gamma cell angle (deg)          :  {ga - dga:9.3f} {ga + dga:9.3f}")
    add(f"  mosaicity (deg)                 :  {mosa - dmosa:9.4f} {mosa + dmosa:9.4f}")
    add("")
    add(" ---- Post refinement statistics " + "-" * 46)
    for label, value in zip(("x", "y", "rotation"), chi):
        pad = " " * (24 - len(label))
        lo = value - 0.06 - rng.random() * 0.03
        hi = value + 0.11 + rng.random() * 0.05
        add(f"  chi**2 {label}{pad} :  {lo:9.3f} {hi:9.3f}   (target 1.0)")
    add(f"  Profile fit correlation : {0.955 + rng.random() * 0.02:6.4f}")
    add("")
    add(" ---- Integration summary " + "-" * 53)
    add("  Resolution shell (A)     N(obs)   I/sigma   Rmerge   Completeness")
    shells = [(99.0, 2.40), (2.40, 1.60), (1.60, 1.20), (1.20, 0.95), (0.95, 0.80)]
    for k, (lo_d, hi_d) in enumerate(shells):
        n = 1800 + rng.randint(0, 400) + k * 650
        isig = 42.0 / (1.0 + 0.9 * k) * (1.0 - (t - 100) / 800.0)
        rmerge = 0.021 * (1.0 + 0.8 * k) * (1.0 + (t - 100) / 600.0)
        add(f"  {lo_d:6.2f} - {hi_d:5.2f}           {n:6d}   {isig:7.2f}   {rmerge:6.3f}     {97.5 + rng.random() * 2.4:5.1f} %")
    add(f"  Overall I/sigma : {14.0 + rng.random() * 2.0:6.2f}     Overall Rmerge : {0.041 + (t - 100) / 9000.0:6.3f}")
    add("")
    add(f"  Elapsed time : {3 + rng.randint(0, 2)} min {rng.randint(0, 59):02d} s")
    add("  Normal termination.")
    return "\n".join(lines) + "\n"


def main():
    rng = random.Random(20240314)
    os.makedirs(OUT, exist_ok=True)
    run_lines = [
        "! Cooling series, crystal 3 (300 K to 100 K, 20 K steps, reindexed below 170 K)",
        "log file                   T(K)    matrix by rows (optional)",
    ]
    for t in TEMPERATURES:
        name = f"TK_quavelon_{t}K.out"
        with open(os.path.join(OUT, name), "w", newline="\n") as f:
            f.write(log_text(t, rng))
        row = f"{name:<26} {t:6.1f}"
        if t < REINDEXED_BELOW:
            row += "    " + MATRIX
        run_lines.append(row)
    with open(os.path.join(OUT, "cooling_series.txt"), "w", newline="\n") as f:
        f.write("\n".join(run_lines) + "\n")


if __name__ == "__main__":
    main()

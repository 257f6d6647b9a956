#!/usr/bin/env python3
"""Writes a long triclinic temperature series as a tk_expansion column file.

    python3 scripts/make_expansion_series.py 20000 > series.txt

Rows "T sigmaT a b c alpha beta gamma" from 10 K upwards in steps of 0.01 K, each cell
parameter a smooth function of T plus a small deterministic ripple, sigmaT between 0.5 and 2 K.
"""
import math
import sys


def main() -> None:
    rows = int(sys.argv[1]) if len(sys.argv) > 1 else 20000
    print("# T sigmaT a b c alpha beta gamma")
    for n in range(rows):
        t = 10.0 + 0.01 * n
        d = t - 10.0
        ripple = 1e-5 * math.sin(0.7 * n)
        print(
            f"{t:.2f} {0.5 + 1.5 * ((n * 7919) % 100) / 99:.3f}"
            f" {8.1 + 4.0e-4 * d + 2e-7 * d * d + ripple:.6f}"
            f" {10.5 + 1.0e-4 * d - ripple:.6f}"
            f" {12.2 + 6.0e-4 * d + 0.5 * ripple:.6f}"
            f" {88.0 + 2.0e-3 * d:.4f} {101.5 - 1.5e-3 * d:.4f} {92.0 - 5.0e-4 * d:.4f}"
        )


if __name__ == "__main__":
    main()

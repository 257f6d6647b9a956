#!/usr/bin/env python3
"""Prints the binary digits of 2/pi as the 64-bit words of src/numerics/two_over_pi.hpp.

pi comes from Machin's formula, pi = 16 atan(1/5) - 4 atan(1/239), summed in integer
arithmetic with guard bits; only Python's integers are used.
"""

WORDS = 21  # 1,344 bits: enough to reduce any finite double
GUARD = 64


def atan_inverse(n, bits):
    """atan(1/n) * 2**bits, rounded down, for an integer n > 1."""
    total = 0
    power = (1 << bits) // n  # (1/n)**(2k+1) * 2**bits
    k = 0
    while power:
        term = power // (2 * k + 1)
        total += -term if k % 2 else term
        power //= n * n
        k += 1
    return total


def main():
    bits = WORDS * 64 + GUARD
    pi_scaled = 16 * atan_inverse(5, bits) - 4 * atan_inverse(239, bits)  # pi * 2**bits
    # 2/pi * 2**(64 * WORDS): the first WORDS * 64 bits after the binary point.
    digits = (2 << (bits + WORDS * 64)) // pi_scaled
    assert digits >> (WORDS * 64) == 0  # 2/pi < 1
    words = [(digits >> (64 * (WORDS - 1 - i))) & ((1 << 64) - 1) for i in range(WORDS)]
    for i in range(0, WORDS, 4):
        print("    " + " ".join(f"0x{w:016X}," for w in words[i:i + 4]))


if __name__ == "__main__":
    main()

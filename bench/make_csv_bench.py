#!/usr/bin/python3
"""Writes the CSV reading benchmark's file: 100,000 rows of 10 comma-separated fields (1,000,000
cells): plain and quoted texts, quoted commas, doubled quotes, amounts and dates, UTF-8 letters.
Usage: make_csv_bench.py OUTPUT.csv [ROWS]
"""
import random
import sys

ROWS = int(sys.argv[2]) if len(sys.argv) > 2 else 100_000
random.seed(1)
with open(sys.argv[1], "w", encoding="utf-8", newline="") as out:
    for r in range(ROWS):
        fields = [
            "FA2024/%06d" % r,
            '"Partner %d s.r.o., Žilina"' % random.randrange(2000),
            "SK20%08d" % random.randrange(2000),
            "2024-%02d-%02d" % (1 + r % 12, 1 + r % 28),
            "%.2f" % random.uniform(1, 100000),
            "%.2f" % random.uniform(1, 20000),
            '"say ""%d"""' % r,
            "%.4f" % random.random(),
            str(random.choice((10, 20, 23))),
            "poznámka %d" % random.randrange(ROWS),
        ]
        out.write(",".join(fields) + "\r\n")

#!/usr/bin/python3
"""Writes the CSV reading benchmark's file: 100,000 rows of 10 comma-separated fields (1,000,000
cells): plain and quoted texts, quoted commas, doubled quotes, amounts and dates, UTF-8 letters.
With --semicolon the fields are separated by ";" (the list separator "CSV for Excel" reads .csv
files with), otherwise by ",".
Usage: make_csv_bench.py [--semicolon] OUTPUT.csv [ROWS]
"""
import random
import sys

SEPARATOR = ";" if "--semicolon" in sys.argv else ","
ARGS = [a for a in sys.argv[1:] if a != "--semicolon"]
ROWS = int(ARGS[1]) if len(ARGS) > 1 else 100_000
random.seed(1)
with open(ARGS[0], "w", encoding="utf-8", newline="") as out:
    for r in range(ROWS):
        fields = [
            "FA2024/%06d" % r,
            '"Partner %d s.r.o.%s Žilina"' % (random.randrange(2000), SEPARATOR),
            "SK20%08d" % random.randrange(2000),
            "2024-%02d-%02d" % (1 + r % 12, 1 + r % 28),
            "%.2f" % random.uniform(1, 100000),
            "%.2f" % random.uniform(1, 20000),
            '"say ""%d"""' % r,
            "%.4f" % random.random(),
            str(random.choice((10, 20, 23))),
            "poznámka %d" % random.randrange(ROWS),
        ]
        out.write(SEPARATOR.join(fields) + "\r\n")

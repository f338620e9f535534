#!/bin/sh
# Writes the same 1,000,000 cells (100,000 rows x 10 columns: texts from 5,000 distinct values,
# numbers with 2 decimals, dates) with our XLSX writer (the model built whole, and rows added by
# event) and with libxlsxwriter (Debian package libxlsxwriter-dev; in memory and in its
# constant-memory mode), RUNS times each, one after the other in one run.
# Usage: bench/xlsx_write_compare.sh BUILD_DIR [RUNS]
set -eu
BUILD_DIR="$1"
RUNS="${2:-3}"
OUT="${TMPDIR:-/tmp}/bench_libxlsxwriter.xlsx"
i=0
while [ "$i" -lt "$RUNS" ]; do
  "$BUILD_DIR/bench/bench_xlsx_write"
  "$BUILD_DIR/bench/bench_xlsx_write_by_event"
  "$BUILD_DIR/bench/bench_libxlsxwriter_write" "$OUT"
  "$BUILD_DIR/bench/bench_libxlsxwriter_write" "$OUT" constant
  i=$((i + 1))
done
rm -f "$OUT"

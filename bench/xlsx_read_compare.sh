#!/bin/sh
# Times loading the XLSX benchmark workbook (make_xlsx_bench.py) with our reader (wbdump --count),
# with liborcus (orcus-xlsx; Debian package liborcus-bin, installed for this comparison only) and
# with openpyxl in read-only mode: best wall time of RUNS runs and the largest peak memory.
# Usage: bench/xlsx_read_compare.sh BUILD_DIR [RUNS]
set -eu
BUILD_DIR="$1"
RUNS="${2:-5}"
HERE="$(cd "$(dirname "$0")" && pwd)"
FILE="${TMPDIR:-/tmp}/bench_xlsx_100k.xlsx"
[ -f "$FILE" ] || /usr/bin/python3 "$HERE/make_xlsx_bench.py" "$FILE"

measure() {
  name="$1"
  shift
  best=""
  peak=0
  i=0
  while [ "$i" -lt "$RUNS" ]; do
    # orcus-xlsx ends with status 1 even after a complete load, so statuses are not checked.
    /usr/bin/time -f "%e %M" -o /tmp/bench_xlsx_time.txt "$@" > /dev/null || true
    read -r seconds kbytes <<EOT
$(tail -n 1 /tmp/bench_xlsx_time.txt)
EOT
    if [ -z "$best" ] || [ "$(echo "$seconds < $best" | bc)" = 1 ]; then best="$seconds"; fi
    if [ "$kbytes" -gt "$peak" ]; then peak="$kbytes"; fi
    i=$((i + 1))
  done
  echo "$name: best ${best} s, peak $((peak / 1024)) MB"
}

measure "wbdump --count" "$BUILD_DIR/tools/wbdump" --count "$FILE"
if command -v orcus-xlsx > /dev/null; then
  measure "orcus-xlsx -f none" orcus-xlsx -f none "$FILE"
fi
measure "openpyxl read-only" /usr/bin/python3 -W ignore -c "
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
print(sum(1 for sheet in book.worksheets for row in sheet.iter_rows(values_only=True) for v in row))
" "$FILE"

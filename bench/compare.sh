#!/bin/sh
# Reads (and writes) 1,000,000-cell files with our library and with independent peers in one run,
# side by side: best wall time of RUNS runs and the largest peak memory (/usr/bin/time), also per
# million cells, with the peer's time divided by ours; then the whole comparison as one table
# against the targets. The peers are installed here if missing (bench only): liborcus-bin
# (orcus-xlsx, orcus-ods, orcus-csv), python3-xlrd, python3-xlwt, python3-openpyxl,
# libxlsxwriter-dev.
# Usage: bench/compare.sh BUILD_DIR [RUNS] [ROWS]   (BUILD_DIR: a Release build with tools and
# bench; ROWS: rows of 10 cells in the files read, 100,000 unless given, so that growth from
# 100,000 to 1,000,000 cells can be seen)
set -eu
BUILD_DIR="$(cd "$1" && pwd)"
RUNS="${2:-3}"
ROWS="${3:-100000}"
CELLS="$((ROWS * 10))"
HERE="$(cd "$(dirname "$0")" && pwd)"
WORK="${TMPDIR:-/tmp}/kvdph-bench"
[ "$ROWS" = 100000 ] || WORK="$WORK/rows-$ROWS"
mkdir -p "$WORK"

missing=""
for package in liborcus-bin python3-xlrd python3-xlwt python3-openpyxl libxlsxwriter-dev time bc \
  gcc; do
  dpkg -s "$package" > /dev/null 2>&1 || missing="$missing $package"
done
if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -q && $SUDO apt-get install -y -q $missing
fi

# The files, made once and kept in $WORK.
[ -f "$WORK/strings.xlsx" ] || /usr/bin/python3 "$HERE/make_xlsx_bench.py" "$WORK/strings.xlsx" "$ROWS"
[ -f "$WORK/numbers.xlsx" ] || /usr/bin/python3 "$HERE/make_xlsx_bench.py" --numbers "$WORK/numbers.xlsx" "$ROWS"
[ -f "$WORK/bench.xls" ] || /usr/bin/python3 "$HERE/make_xls_bench.py" "$WORK/bench.xls" "$((ROWS / 2))"
[ -f "$WORK/long_string.xlsx" ] || /usr/bin/python3 "$HERE/make_long_string_bench.py" "$WORK/long_string.xlsx"
[ -f "$WORK/bench.csv" ] || /usr/bin/python3 "$HERE/make_csv_bench.py" "$WORK/bench.csv" "$ROWS"
# The same rows with ";", as "CSV for Excel" (the handler of .csv files) separates them.
[ -f "$WORK/semicolon.csv" ] || /usr/bin/python3 "$HERE/make_csv_bench.py" --semicolon "$WORK/semicolon.csv" "$ROWS"
if [ ! -f "$WORK/strings.ods" ]; then
  soffice -env:UserInstallation="file://$WORK/lo-profile" --headless --convert-to ods \
    --outdir "$WORK" "$WORK/strings.xlsx" > /dev/null 2>&1
fi
[ -x "$WORK/libxlsxwriter_write" ] ||
  cc -O2 -o "$WORK/libxlsxwriter_write" "$HERE/xlsx_write_libxlsxwriter.c" -lxlsxwriter

# measure NAME CELLS COMMAND...: sets SECONDS_BEST, MB_PEAK (whole MB) and MB_PER_M and prints a
# line with the peak per million cells (- when CELLS is 0: too few cells for the figure to mean
# anything).
measure() {
  name="$1"
  cells="$2"
  shift 2
  SECONDS_BEST=""
  peak=0
  i=0
  while [ "$i" -lt "$RUNS" ]; do
    # orcus ends with status 1 even after a complete load, so statuses are not checked.
    /usr/bin/time -f "%e %M" -o "$WORK/time.txt" "$@" > /dev/null 2>&1 || true
    seconds="$(tail -n 1 "$WORK/time.txt" | cut -d' ' -f1)"
    kbytes="$(tail -n 1 "$WORK/time.txt" | cut -d' ' -f2)"
    if [ -z "$SECONDS_BEST" ] || [ "$(echo "$seconds < $SECONDS_BEST" | bc)" = 1 ]; then
      SECONDS_BEST="$seconds"
    fi
    [ "$kbytes" -gt "$peak" ] && peak="$kbytes"
    i=$((i + 1))
  done
  MB_PEAK=$((peak / 1024))
  MB_PER_M=-
  [ "$cells" = 0 ] || MB_PER_M=$((peak * 1000 / 1024 * 1000 / cells))
  printf "  %-36s %6s s %6s MB %6s MB/M cells" "$name" "$SECONDS_BEST" "$MB_PEAK" "$MB_PER_M"
}

# ratio OUR_SECONDS: the peer's time over ours (RATIO), ending the peer's line.
ratio() {
  RATIO="-"
  if [ "$(echo "$1 > 0" | bc)" = 1 ]; then
    RATIO="$(echo "scale=2; $SECONDS_BEST / $1" | bc)"
    printf "   peer/ours %s\n" "$RATIO"
  else
    printf "\n"
  fi
}

# ours NAME CELLS COMMAND...: our line; keeps its figures for the table.
ours() {
  measure "$@"
  echo
  OURS_S="$SECONDS_BEST"
  OURS_MB="$MB_PER_M"
}

# peer NAME CELLS COMMAND...: a peer's line, against the last of ours.
peer() {
  measure "$@"
  ratio "$OURS_S"
  PEER_MB="$MB_PER_M"
}

# target MIN_RATIO MAX_MB_PER_M: the target and whether it is met: the peer takes at least
# MIN_RATIO times our time (- for no time target) and we peak at MAX_MB_PER_M or less.
target() {
  met=1
  if [ "$1" != - ]; then
    printf "%sx the peer, " "$1"
    [ "$RATIO" != - ] && [ "$(echo "$RATIO >= $1" | bc)" = 1 ] || met=0
  fi
  printf "at most %s MB: " "$2"
  [ "$OURS_MB" -le "$2" ] || met=0
  [ "$met" = 1 ] && echo met || echo missed
}

# table_row OPERATION PEER MIN_RATIO MAX_MB_PER_M: one row of the closing table.
TABLE=""
table_row() {
  line="| $1 | $2 $RATIO | $OURS_S s, $OURS_MB | $PEER_MB | $(target "$3" "$4") |"
  TABLE="$TABLE$line
"
}

WBDUMP="$BUILD_DIR/tools/wbdump"
WRITTEN=1000000

echo "XLSX with shared strings ($CELLS cells and a header row)"
ours "ours (wbdump --count)" "$CELLS" "$WBDUMP" --count "$WORK/strings.xlsx"
peer "openpyxl read-only" "$CELLS" /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/strings.xlsx"
peer "orcus-xlsx -f none" "$CELLS" orcus-xlsx -f none "$WORK/strings.xlsx"
table_row "XLSX read, shared strings" orcus 2 80

echo "XLSX: one 1,000,000-character shared string in 12,000 cells"
ours "ours (wbdump --count)" 0 "$WBDUMP" --count "$WORK/long_string.xlsx"
peer "openpyxl read-only" 0 /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/long_string.xlsx"

echo "XLSX numbers only ($CELLS cells and a header row)"
ours "ours (wbdump --count)" "$CELLS" "$WBDUMP" --count "$WORK/numbers.xlsx"
peer "openpyxl read-only" "$CELLS" /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/numbers.xlsx"
peer "orcus-xlsx -f none" "$CELLS" orcus-xlsx -f none "$WORK/numbers.xlsx"
table_row "XLSX read, numbers only" orcus 2 70

echo "XLS ($CELLS cells)"
ours "ours (wbdump --count)" "$CELLS" "$WBDUMP" --count "$WORK/bench.xls"
peer "xlrd" "$CELLS" /usr/bin/python3 "$HERE/xls_read_xlrd.py" "$WORK/bench.xls"
table_row "XLS read" xlrd 8 70

echo "ODS as LibreOffice writes it ($CELLS cells and a header row)"
ours "ours (wbdump --count)" "$CELLS" "$WBDUMP" --count "$WORK/strings.ods"
peer "orcus-ods -f none" "$CELLS" orcus-ods -f none "$WORK/strings.ods"
table_row "ODS read (LibreOffice-written)" orcus-ods 5 80

echo "CSV ($CELLS cells)"
ours "ours (wbdump --count, ; file)" "$CELLS" "$WBDUMP" --count "$WORK/semicolon.csv"
peer "orcus-csv -f none" "$CELLS" orcus-csv -f none "$WORK/bench.csv"
table_row "CSV read" orcus-csv 2 60

echo "XLSX writing (1,000,000 cells, whole process: cells made, then written)"
ours "ours (bench_xlsx_write)" "$WRITTEN" "$BUILD_DIR/bench/bench_xlsx_write"
peer "libxlsxwriter" "$WRITTEN" "$WORK/libxlsxwriter_write" "$WORK/xlsxwriter.xlsx"

echo "Writing by event: each row made when the writer asks for it (1,000,000 cells, to a file)"
ours "ours, XLSX" "$WRITTEN" "$BUILD_DIR/bench/bench_write_by_event" xlsx "$WORK/by_event.xlsx"
peer "libxlsxwriter, constant memory" "$WRITTEN" "$WORK/libxlsxwriter_write" \
  "$WORK/xlsxwriter.xlsx" constant
table_row "XLSX write by event" "libxlsxwriter constant_memory" - 40
ours "ours, XLS" "$WRITTEN" "$BUILD_DIR/bench/bench_write_by_event" xls "$WORK/by_event.xls"
# xlwt keeps the whole sheet (it has no streaming mode) and writes into memory.
peer "xlwt" "$WRITTEN" /usr/bin/python3 "$HERE/xls_write_xlwt.py"
table_row "XLS write by event" xlwt - 40
ours "ours, ODS" "$WRITTEN" "$BUILD_DIR/bench/bench_write_by_event" ods "$WORK/by_event.ods"
RATIO="-"
PEER_MB="-"
table_row "ODS write by event" "none" - 40

echo
echo "| operation | peer time / ours | ours: time, MB per M cells | peer MB per M cells | target |"
echo "|---|---|---|---|---|"
printf "%s" "$TABLE"

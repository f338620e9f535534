#!/bin/sh
# Reads (and writes) 1,000,000-cell files with our library and with independent peers in one run,
# side by side: best wall time of RUNS runs and the largest peak memory (/usr/bin/time), with the
# peer's time divided by ours. The peers are installed here if missing (bench only): liborcus-bin
# (orcus-xlsx, orcus-ods, orcus-csv), python3-xlrd, python3-openpyxl, libxlsxwriter-dev.
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
for package in liborcus-bin python3-xlrd python3-openpyxl libxlsxwriter-dev time bc gcc; do
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

# measure NAME COMMAND...: sets SECONDS_BEST and MB_PEAK and prints a line.
measure() {
  name="$1"
  shift
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
  printf "  %-36s %6s s %6s MB" "$name" "$SECONDS_BEST" "$MB_PEAK"
}

# ratio OUR_SECONDS: the peer's time over ours, ending the peer's line.
ratio() {
  if [ "$(echo "$1 > 0" | bc)" = 1 ]; then
    printf "   peer/ours %s\n" "$(echo "scale=2; $SECONDS_BEST / $1" | bc)"
  else
    printf "\n"
  fi
}

WBDUMP="$BUILD_DIR/tools/wbdump"

echo "XLSX with shared strings ($CELLS cells and a header row)"
measure "ours (wbdump --count)" "$WBDUMP" --count "$WORK/strings.xlsx"; echo; ours="$SECONDS_BEST"
measure "orcus-xlsx -f none" orcus-xlsx -f none "$WORK/strings.xlsx"; ratio "$ours"
measure "openpyxl read-only" /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/strings.xlsx"; ratio "$ours"

echo "XLSX: one 1,000,000-character shared string in 12,000 cells"
measure "ours (wbdump --count)" "$WBDUMP" --count "$WORK/long_string.xlsx"; echo; ours="$SECONDS_BEST"
measure "openpyxl read-only" /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/long_string.xlsx"; ratio "$ours"

echo "XLSX numbers only ($CELLS cells and a header row)"
measure "ours (wbdump --count)" "$WBDUMP" --count "$WORK/numbers.xlsx"; echo; ours="$SECONDS_BEST"
measure "orcus-xlsx -f none" orcus-xlsx -f none "$WORK/numbers.xlsx"; ratio "$ours"
measure "openpyxl read-only" /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/numbers.xlsx"; ratio "$ours"

echo "XLS ($CELLS cells)"
measure "ours (wbdump --count)" "$WBDUMP" --count "$WORK/bench.xls"; echo; ours="$SECONDS_BEST"
measure "xlrd" /usr/bin/python3 "$HERE/xls_read_xlrd.py" "$WORK/bench.xls"; ratio "$ours"

echo "ODS as LibreOffice writes it ($CELLS cells and a header row)"
measure "ours (wbdump --count)" "$WBDUMP" --count "$WORK/strings.ods"; echo; ours="$SECONDS_BEST"
measure "orcus-ods -f none" orcus-ods -f none "$WORK/strings.ods"; ratio "$ours"

echo "CSV ($CELLS cells)"
measure "ours (wbdump --count, ; file)" "$WBDUMP" --count "$WORK/semicolon.csv"; echo; ours="$SECONDS_BEST"
measure "orcus-csv -f none" orcus-csv -f none "$WORK/bench.csv"; ratio "$ours"

echo "XLSX writing (1,000,000 cells, whole process: cells made, then written)"
measure "ours (bench_xlsx_write)" "$BUILD_DIR/bench/bench_xlsx_write"; echo; ours="$SECONDS_BEST"
measure "libxlsxwriter" "$WORK/libxlsxwriter_write" "$WORK/xlsxwriter.xlsx"; ratio "$ours"

echo "XLSX writing, each row made when the writer asks for it (1,000,000 cells)"
measure "ours (bench_xlsx_write_by_event)" "$BUILD_DIR/bench/bench_xlsx_write_by_event"; echo
ours="$SECONDS_BEST"
measure "libxlsxwriter, constant memory" "$WORK/libxlsxwriter_write" "$WORK/xlsxwriter.xlsx" \
  constant; ratio "$ours"

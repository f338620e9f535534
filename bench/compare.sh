#!/bin/bash
# Reads (and writes) 1,000,000-cell files with our library and with independent peers in one run,
# side by side: best wall time of RUNS runs (to the millisecond) and the largest peak memory
# (/usr/bin/time), also per million cells, with the peer's time divided by ours; then the whole
# comparison as one table against the targets. Ours and the peers' runs take turns (ours, each
# peer, ours again ...), so a change in the machine's load falls on all alike. A run counts only
# when it read what the file holds: every reader's cell count is checked against the file's, and
# every program's exit status (orcus, which ends with status 1 even after a complete load and
# prints nothing with -f none, is checked by one untimed run that dumps the cells, and its timed
# runs by their status against that run's); a writer's file is counted once written. A program
# that fails is reported as failed, with what went wrong, and given no time. The peers are
# installed here if missing (bench only): liborcus-bin (orcus-xlsx, orcus-ods, orcus-csv),
# python3-xlrd, python3-xlwt, python3-openpyxl, libxlsxwriter-dev.
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

WBDUMP="$BUILD_DIR/tools/wbdump"
WRITTEN=1000000

# The cells a run read, from what it printed in $WORK/out.txt, by the kind of program: wbdump
# --count ("sheets S rows R cells C"), xlrd ("sheets S cells C"), a count alone (openpyxl).
cells_read() {
  case "$1" in
    wbdump) sed -n 's/^sheets [0-9]* rows [0-9]* cells \([0-9]*\)$/\1/p' "$WORK/out.txt" ;;
    xlrd) sed -n 's/^sheets [0-9]* cells \([0-9]*\)$/\1/p' "$WORK/out.txt" ;;
    count) tail -n 1 "$WORK/out.txt" | grep -x '[0-9]*' || true ;;
  esac
}

# The cells of a written file, as our reader counts them.
cells_written() {
  "$WBDUMP" --count "$1" 2> /dev/null | sed -n 's/^sheets [0-9]* rows [0-9]* cells \([0-9]*\)$/\1/p'
}

# A group: ours first, then the peers, each added with
#   contestant NAME CELLS CHECK COMMAND...
# where CELLS is what the file holds (for the figures per million cells) and CHECK says how a run
# is checked: wbdump, xlrd or count (the cells it printed), orcus (the cells of one dumping run,
# then each timed run's status against that run's), file:PATH (a writer: the cells of the file it
# wrote), status (the exit status alone).
G_NAMES=()
G_CELLS=()
G_CHECKS=()
G_COMMANDS=()
contestant() {
  G_NAMES+=("$1")
  G_CELLS+=("$2")
  G_CHECKS+=("$3")
  shift 3
  G_COMMANDS+=("$(printf '%q ' "$@")")
}

# timed_run COMMAND...: one run; its wall time in RUN_SECONDS (from the shell's clock, to the
# microsecond), its peak memory in RUN_KB, its status in RUN_STATUS, its output in $WORK/out.txt.
timed_run() {
  local start end
  RUN_STATUS=0
  start="$EPOCHREALTIME"
  /usr/bin/time -f "%M" -o "$WORK/time.txt" "$@" > "$WORK/out.txt" 2> "$WORK/err.txt" ||
    RUN_STATUS=$?
  end="$EPOCHREALTIME"
  RUN_SECONDS="$(echo "$end - $start" | bc)"
  RUN_KB="$(tail -n 1 "$WORK/time.txt")"
}

# check_run INDEX: what is wrong with the run just made by contestant INDEX; nothing when it read
# or wrote the cells it should.
check_run() {
  local check="${G_CHECKS[$1]}" expected="${G_CELLS[$1]}" got
  case "$check" in
    orcus)
      [ "$RUN_STATUS" = "${ORCUS_STATUS[$1]}" ] ||
        echo "exit status $RUN_STATUS, not ${ORCUS_STATUS[$1]} as after a complete load"
      return
      ;;
    file:*) got="$(cells_written "${check#file:}")" ;;
    status) got="$expected" ;;
    *) got="$(cells_read "$check")" ;;
  esac
  if [ "$RUN_STATUS" != 0 ]; then
    echo "exit status $RUN_STATUS: $(head -c 200 "$WORK/err.txt" | tr '\n' ' ')"
  elif [ "$got" != "$expected" ]; then
    echo "${got:-no} cells read, not $expected"
  fi
}

# orcus_check INDEX: orcus run once, untimed, dumping the cells (-f check, a line per cell);
# sets ORCUS_STATUS[INDEX] to its status, and ORCUS_FAILED to what is wrong when it did not read
# them all.
ORCUS_STATUS=()
orcus_check() {
  local -a command
  eval "command=(${G_COMMANDS[$1]})"
  local status=0 got
  "${command[0]}" -f check "${command[-1]}" > "$WORK/out.txt" 2> /dev/null || status=$?
  ORCUS_STATUS[$1]="$status"
  got="$(grep -c '^[^/]*/[0-9]*/[0-9]*:' "$WORK/out.txt" || true)"
  ORCUS_FAILED=""
  [ "$got" = "${G_CELLS[$1]}" ] || ORCUS_FAILED="$got cells read, not ${G_CELLS[$1]}"
}

# measure_group TITLE: runs the group RUNS times, taking turns, and prints a line per contestant:
# best time, largest peak, peak per million cells (- when CELLS is 0: too few cells for the figure
# to mean anything) and, for a peer, its time over ours; or why it failed. Keeps ours in OURS_S and
# OURS_MB, and the last peer's in RATIO and PEER_MB, for the table; empties the group.
measure_group() {
  [ -z "$1" ] || echo "$1"
  local count="${#G_NAMES[@]}" i r
  local -a best peak failed
  for ((i = 0; i < count; i++)); do
    best[i]=""
    peak[i]=0
    failed[i]=""
    if [ "${G_CHECKS[i]}" = orcus ]; then
      orcus_check "$i"
      failed[i]="$ORCUS_FAILED"
    fi
  done
  for ((r = 0; r < RUNS; r++)); do
    for ((i = 0; i < count; i++)); do
      [ -z "${failed[i]}" ] || continue
      # A writer's file from an earlier run must not pass for this run's.
      [[ "${G_CHECKS[i]}" != file:* ]] || rm -f "${G_CHECKS[i]#file:}"
      eval "timed_run ${G_COMMANDS[i]}"
      failed[i]="$(check_run "$i")"
      if [ -z "${best[i]}" ] || [ "$(echo "$RUN_SECONDS < ${best[i]}" | bc)" = 1 ]; then
        best[i]="$RUN_SECONDS"
      fi
      [ "$RUN_KB" -gt "${peak[i]}" ] && peak[i]="$RUN_KB"
    done
  done
  for ((i = 0; i < count; i++)); do
    local name="${G_NAMES[i]}" cells="${G_CELLS[i]}" seconds mb perM
    if [ -n "${failed[i]}" ]; then
      printf "  %-36s failed: %s\n" "$name" "${failed[i]}"
      seconds="-"
      perM="-"
    else
      seconds="$(printf "%.3f" "${best[i]}")"
      mb=$((peak[i] / 1024))
      perM=-
      [ "$cells" = 0 ] || perM=$((peak[i] * 1000 / 1024 * 1000 / cells))
      printf "  %-36s %7s s %6s MB %6s MB/M cells" "$name" "$seconds" "$mb" "$perM"
    fi
    if [ "$i" = 0 ]; then
      OURS_S="$seconds"
      OURS_MB="$perM"
      [ -n "${failed[i]}" ] || echo
      continue
    fi
    RATIO="-"
    PEER_MB="$perM"
    if [ -z "${failed[i]}" ]; then
      if [ "$OURS_S" != - ] && [ "$(echo "$OURS_S > 0" | bc)" = 1 ]; then
        RATIO="$(echo "scale=2; $seconds / $OURS_S" | bc)"
        printf "   peer/ours %s" "$RATIO"
      fi
      echo
    fi
  done
  G_NAMES=()
  G_CELLS=()
  G_CHECKS=()
  G_COMMANDS=()
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
  [ "$OURS_MB" != - ] && [ "$OURS_MB" -le "$2" ] || met=0
  [ "$met" = 1 ] && echo met || echo missed
}

# table_row OPERATION PEER MIN_RATIO MAX_MB_PER_M: one row of the closing table.
TABLE=""
table_row() {
  line="| $1 | $2 $RATIO | $OURS_S s, $OURS_MB | $PEER_MB | $(target "$3" "$4") |"
  TABLE="$TABLE$line
"
}

contestant "ours (wbdump --count)" "$((CELLS + 10))" wbdump "$WBDUMP" --count "$WORK/strings.xlsx"
contestant "openpyxl read-only" "$((CELLS + 10))" count \
  /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/strings.xlsx"
contestant "orcus-xlsx -f none" "$((CELLS + 10))" orcus orcus-xlsx -f none "$WORK/strings.xlsx"
measure_group "XLSX with shared strings ($CELLS cells and a header row)"
table_row "XLSX read, shared strings" orcus 2 80

contestant "ours (wbdump --count)" 12000 wbdump "$WBDUMP" --count "$WORK/long_string.xlsx"
contestant "openpyxl read-only" 12000 count \
  /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/long_string.xlsx"
measure_group "XLSX: one 1,000,000-character shared string in 12,000 cells"

contestant "ours (wbdump --count)" "$((CELLS + 10))" wbdump "$WBDUMP" --count "$WORK/numbers.xlsx"
contestant "openpyxl read-only" "$((CELLS + 10))" count \
  /usr/bin/python3 -W ignore "$HERE/read_openpyxl.py" "$WORK/numbers.xlsx"
contestant "orcus-xlsx -f none" "$((CELLS + 10))" orcus orcus-xlsx -f none "$WORK/numbers.xlsx"
measure_group "XLSX numbers only ($CELLS cells and a header row)"
table_row "XLSX read, numbers only" orcus 2 70

contestant "ours (wbdump --count)" "$CELLS" wbdump "$WBDUMP" --count "$WORK/bench.xls"
contestant "xlrd" "$CELLS" xlrd /usr/bin/python3 "$HERE/xls_read_xlrd.py" "$WORK/bench.xls"
measure_group "XLS ($CELLS cells)"
table_row "XLS read" xlrd 8 70

contestant "ours (wbdump --count)" "$((CELLS + 10))" wbdump "$WBDUMP" --count "$WORK/strings.ods"
contestant "orcus-ods -f none" "$((CELLS + 10))" orcus orcus-ods -f none "$WORK/strings.ods"
measure_group "ODS as LibreOffice writes it ($CELLS cells and a header row)"
table_row "ODS read (LibreOffice-written)" orcus-ods 5 80

contestant "ours (wbdump --count, ; file)" "$CELLS" wbdump "$WBDUMP" --count "$WORK/semicolon.csv"
contestant "orcus-csv -f none" "$CELLS" orcus orcus-csv -f none "$WORK/bench.csv"
measure_group "CSV ($CELLS cells)"
table_row "CSV read" orcus-csv 2 60

contestant "ours (bench_xlsx_write)" "$WRITTEN" status "$BUILD_DIR/bench/bench_xlsx_write"
contestant "libxlsxwriter" "$WRITTEN" "file:$WORK/xlsxwriter.xlsx" \
  "$WORK/libxlsxwriter_write" "$WORK/xlsxwriter.xlsx"
measure_group "XLSX writing (1,000,000 cells, whole process: cells made, then written)"

contestant "ours, XLSX" "$WRITTEN" "file:$WORK/by_event.xlsx" \
  "$BUILD_DIR/bench/bench_write_by_event" xlsx "$WORK/by_event.xlsx"
contestant "libxlsxwriter, constant memory" "$WRITTEN" "file:$WORK/xlsxwriter.xlsx" \
  "$WORK/libxlsxwriter_write" "$WORK/xlsxwriter.xlsx" constant
measure_group "Writing by event: each row made when the writer asks for it (1,000,000 cells, to a file)"
table_row "XLSX write by event" "libxlsxwriter constant_memory" - 40
contestant "ours, XLS" "$WRITTEN" "file:$WORK/by_event.xls" \
  "$BUILD_DIR/bench/bench_write_by_event" xls "$WORK/by_event.xls"
# xlwt keeps the whole sheet (it has no streaming mode) and writes into memory.
contestant "xlwt" "$WRITTEN" status /usr/bin/python3 "$HERE/xls_write_xlwt.py"
measure_group ""
table_row "XLS write by event" xlwt - 40
contestant "ours, ODS" "$WRITTEN" "file:$WORK/by_event.ods" \
  "$BUILD_DIR/bench/bench_write_by_event" ods "$WORK/by_event.ods"
measure_group ""
RATIO="-"
PEER_MB="-"
table_row "ODS write by event" "none" - 40
# The same with 200,000 distinct texts: the XLSX and XLS tables hold each until they are written.
for format in xlsx xls ods; do
  contestant "ours, ${format^^}, 200,000 texts" "$WRITTEN" "file:$WORK/by_event_texts.$format" \
    "$BUILD_DIR/bench/bench_write_by_event" "$format" "$WORK/by_event_texts.$format" 200000
  measure_group "$([ "$format" = xlsx ] && echo "Writing by event with 200,000 distinct texts")"
  RATIO="-"
  PEER_MB="-"
  table_row "${format^^} write by event, 200,000 texts" "none" - 40
done

echo
echo "| operation | peer time / ours | ours: time, MB per M cells | peer MB per M cells | target |"
echo "|---|---|---|---|---|"
printf "%s" "$TABLE"

#!/bin/sh
# Writes the same 1,000,000 cells as .xls and .xlsx with our library and as .xls with
# python3-xlwt, one after the other. Usage: bench/xls_write_compare.sh BUILD_DIR
set -e
build=${1:?usage: $0 BUILD_DIR}
here=$(dirname "$0")
"$build/bench_xls_write"
/usr/bin/python3 "$here/xls_write_xlwt.py"

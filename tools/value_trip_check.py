"""Checks that a trip through each writer keeps the values of every workbook in a folder.

Usage: value_trip_check.py BUILD_DIR FOLDER [WRITER ...]

Every .xls, .xlsx, .xlsm and .ods file below FOLDER is loaded and dumped with wbdump (the cells'
value texts), converted with wbconvert to each writer's format (xlsx, xls, ods by default), and
the converted file is dumped again. Per writer it prints the files whose dump differs, with the
first differing cells, and a summary: files checked, files our reader refuses, files the writer
refuses (with the reason), files whose values changed, cells changed.
"""
import os
import subprocess
import sys
import tempfile

EXTENSIONS = (".xls", ".xlsx", ".xlsm", ".ods")


def run(tool, *args):
    result = subprocess.run([tool, *args], capture_output=True, timeout=300)
    return result.returncode, result.stdout.decode("utf-8", "replace"), result.stderr.decode(
        "utf-8", "replace").strip()


def cells(dump):
    """(sheet number, row, column) -> value text; sheet names as (sheet, -1, -1)."""
    table = {}
    sheet = 0
    row = 0
    for line in dump.split("\n"):
        if line.startswith("# sheet "):
            sheet += 1
            row = 0
            table[(sheet, -1, -1)] = line.split(" ", 3)[3] if line.count(" ") >= 3 else ""
            continue
        for col, text in enumerate(line.split("\t")):
            if text != "":
                table[(sheet, row, col)] = text
        row += 1
    return table


def main():
    build, folder = sys.argv[1], sys.argv[2]
    writers = sys.argv[3:] or ["xlsx", "xls", "ods"]
    dump = os.path.join(build, "tools", "wbdump")
    convert = os.path.join(build, "tools", "wbconvert")
    files = sorted(
        os.path.join(root, name)
        for root, _, names in os.walk(folder)
        for name in names
        if name.lower().endswith(EXTENSIONS))
    summary = {w: {"checked": 0, "refused": [], "changed": 0, "cells": 0} for w in writers}
    unreadable = []
    with tempfile.TemporaryDirectory() as scratch:
        for path in files:
            status, original, error = run(dump, path)
            if status != 0:
                unreadable.append((path, error))
                continue
            before = cells(original)
            for writer in writers:
                target = os.path.join(scratch, "trip." + writer)
                status, _, error = run(convert, path, target)
                if status != 0:
                    summary[writer]["refused"].append((path, error))
                    continue
                summary[writer]["checked"] += 1
                status, converted, error = run(dump, target)
                if status != 0:
                    summary[writer]["refused"].append((path, "reading back: " + error))
                    continue
                after = cells(converted)
                changed = sorted(k for k in set(before) | set(after) if before.get(k) != after.get(k))
                if changed:
                    summary[writer]["changed"] += 1
                    summary[writer]["cells"] += len(changed)
                    print("%s %s: %d cells" % (writer, os.path.relpath(path, folder), len(changed)))
                    for key in changed[:3]:
                        print("   sheet %d row %d col %d: %r -> %r" %
                              (key[0], key[1] + 1, key[2] + 1, before.get(key), after.get(key)))
                os.remove(target)
    print()
    print("files %d, our reader refuses %d" % (len(files), len(unreadable)))
    for writer in writers:
        s = summary[writer]
        print("%s: checked %d, refused %d, changed %d files (%d cells)" %
              (writer, s["checked"], len(s["refused"]), s["changed"], s["cells"]))
        for path, error in s["refused"]:
            print("   refused %s: %s" % (os.path.relpath(path, folder), error.splitlines()[-1:]))


main()

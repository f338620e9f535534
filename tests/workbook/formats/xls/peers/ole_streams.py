"""Independent view of compound files for the storage tests, through Debian's python3-olefile.

Usage: ole_streams.py OUTDIR FILE...
For each FILE (numbered from 0) prints one line "FILE-INDEX<TAB>open" or "FILE-INDEX<TAB>error",
then per stream directly under the root storage a line
"FILE-INDEX<TAB>stream<TAB>UTF-16LE-NAME-IN-HEX<TAB>DECLARED-SIZE<TAB>complete|short" and writes
the bytes olefile reads to OUTDIR/FILE-INDEX_STREAM-INDEX.bin.
"""
import os
import sys

import olefile


outdir = sys.argv[1]
for index, path in enumerate(sys.argv[2:]):
    try:
        ole = olefile.OleFileIO(path)
        entries = [e for e in ole.listdir(streams=True, storages=False) if len(e) == 1]
    except Exception:
        print(f"{index}\terror")
        continue
    print(f"{index}\topen")
    for k, (name,) in enumerate(entries):
        size = ole.get_size(name)
        try:
            data = ole.openstream(name).read()
        except Exception:
            data = b""
        with open(os.path.join(outdir, f"{index}_{k}.bin"), "wb") as out:
            out.write(data)
        state = "complete" if len(data) == size else "short"
        print(f"{index}\tstream\t{name.encode('utf-16-le').hex()}\t{size}\t{state}")

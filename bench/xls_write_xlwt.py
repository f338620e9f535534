# The cells bench_xls_write writes (62,500 rows x 16 columns: shared texts, numbers with two
# decimals, dates), written by python3-xlwt into memory.
import io
import resource
import time

import xlwt

start = time.monotonic()
book = xlwt.Workbook()
sheet = book.add_sheet('Data')
number = xlwt.easyxf(num_format_str='0.00')
date = xlwt.easyxf(num_format_str='dd.mm.yyyy')
for r in range(62500):
    row = sheet.row(r)
    for c in range(16):
        kind = c % 3
        if kind == 0:
            row.write(c, 'Partner %d' % ((r * 16 + c) % 5000))
        elif kind == 1:
            row.write(c, r * 1.25 + c, number)
        else:
            row.write(c, 40000 + r % 3000, date)
out = io.BytesIO()
book.save(out)
print('xlwt: built and written in %.2f s, %.1f MB file, peak %.1f MB' %
      (time.monotonic() - start, len(out.getvalue()) / 1048576.0,
       resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0))

/* The XLSX writing rival of bench_xlsx_write: libxlsxwriter writes the same sheet (100,000 rows x
 * 10 columns: texts from 5,000 distinct values, numbers with 2 decimals, dates) to FILE.
 * Built and run by compare.sh: cc xlsxwriter_write.c -lxlsxwriter */
#include <stdio.h>
#include <xlsxwriter.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fputs("usage: xlsxwriter_write FILE.xlsx\n", stderr);
    return 2;
  }
  lxw_workbook* book = workbook_new(argv[1]);
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Data");
  lxw_format* amount = workbook_add_format(book);
  format_set_num_format(amount, "0.00");
  lxw_format* date = workbook_add_format(book);
  format_set_num_format(date, "dd.mm.yyyy");
  char text[32];
  for (int r = 0; r < 100000; ++r) {
    for (int c = 0; c < 10; ++c) {
      switch (c % 3) {
        case 0:
          snprintf(text, sizeof text, "Partner %d", (r * 10 + c) % 5000);
          worksheet_write_string(sheet, r, c, text, NULL);
          break;
        case 1:
          worksheet_write_number(sheet, r, c, r * 1.25 + c, amount);
          break;
        default:
          worksheet_write_number(sheet, r, c, 40000 + r % 3000, date);
      }
    }
  }
  return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}

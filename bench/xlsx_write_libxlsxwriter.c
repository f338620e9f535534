/* The cells bench_xlsx_write writes (100,000 rows x 10 columns: texts from 5,000 distinct values,
 * numbers with 2 decimals, dates), written by libxlsxwriter into an .xlsx file, for comparing the
 * two writers side by side (bench/compare.sh). ARGV[1]: the output file; with a second
 * argument "constant" libxlsxwriter streams rows (its constant_memory mode, inline strings). */
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <xlsxwriter.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fputs("usage: bench_libxlsxwriter_write OUT.xlsx [constant]\n", stderr);
    return 1;
  }
  const int rows = 100000, cols = 10;
  lxw_workbook_options options = {0};
  options.constant_memory = argc > 2 && strcmp(argv[2], "constant") == 0;
  const double start = Now();
  lxw_workbook* book = workbook_new_opt(argv[1], &options);
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Data");
  lxw_format* number = workbook_add_format(book);
  format_set_num_format(number, "0.00");
  lxw_format* date = workbook_add_format(book);
  format_set_num_format(date, "dd.mm.yyyy");
  char text[32];
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      switch (c % 3) {
        case 0:
          snprintf(text, sizeof text, "Partner %d", (r * cols + c) % 5000);
          worksheet_write_string(sheet, r, c, text, NULL);
          break;
        case 1:
          worksheet_write_number(sheet, r, c, r * 1.25 + c, number);
          break;
        default:
          worksheet_write_number(sheet, r, c, 40000 + r % 3000, date);
      }
    }
  }
  const lxw_error error = workbook_close(book);
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  printf("libxlsxwriter%s: %d cells built and written in %.2f s, peak %.1f MB\n",
         options.constant_memory ? " (constant memory)" : "", rows * cols, Now() - start,
         usage.ru_maxrss / 1024.0);
  return error == LXW_NO_ERROR ? 0 : 2;
}

#include "workbook/formats/xlsx/xlsx_exporter.h"

#pragma once
// The XLSX, XLS and ODS handlers of a windowing program: they differ from the library's only in
// measuring wrapped cell heights with the real fonts.
#include "workbook/formats/ods/ods_exporter.h"
#include "workbook/formats/xls/xls_exporter.h"
#include "workbook/formats/xlsx/xlsx_exporter.h"
#include "workbook/gui/text_measuring.h"

namespace workbook::gui {

class TExporterXLSX : public TCustomExporterXLSX {
 public:
  double GetCellAutoHeight(TExportCell& cell, double width) override {
    return CalcCellTextHeight(*this, cell, width);
  }
};

class TExporterXLS : public TCustomExporterXLS {
 public:
  double GetCellAutoHeight(TExportCell& cell, double width) override {
    return CalcCellTextHeight(*this, cell, width);
  }
};

class TExporterODS : public TCustomExporterODS {
 public:
  double GetCellAutoHeight(TExportCell& cell, double width) override {
    return CalcODSCellTextHeight(*this, cell, width);
  }
};

}  // namespace workbook::gui

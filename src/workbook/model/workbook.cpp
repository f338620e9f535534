#include "workbook/model/workbook.h"

#include <string>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/invariant_texts.h"
#include "workbook/core/library_texts.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/measuring_hooks.h"

namespace workbook {

std::u16string WorkbookDateFormat;
std::u16string WorkbookTimeFormat;

namespace {

const char16_t kMissingFormatsMessage[] =
    u"You have not specified global variables for Workbook date/time cells!\r\n"
    u"\r\n"
    u"Please define WorkbookDateFormat and WorkbookTimeFormat as you wish.\r\n"
    u"Set both once when the program starts, before the first workbook is created.\r\n"
    u"\r\n"
    u"EXAMPLES:\r\n"
    u"1) Use system date/time formats:\r\n"
    u"  workbook::WorkbookDateFormat = u\"%sysdate%\";\r\n"
    u"  workbook::WorkbookTimeFormat = u\"%systime%\";\r\n"
    u"\r\n"
    u"2) Use system-independent formats:\r\n"
    u"  workbook::WorkbookDateFormat = u\"dd.mm.yyyy\";\r\n"
    u"  workbook::WorkbookTimeFormat = u\"hh:mm:ss\";\r\n"
    u"\r\n"
    u"See documentation for more information: "
    u"https://help.workbook.invalid/workbook-help/global-variables/";

}  // namespace

TWorkbook::TWorkbook() : WorkSheets(this), NamedCells(this) {
  if (WorkbookDateFormat.empty() || WorkbookTimeFormat.empty())
    throw EWorkbookException(kMissingFormatsMessage);
  AddDefaultFont();
  FormulaNames = &NamedCells.FormulaSource();
  WorkSheets.OnNotify = [this](TOwnedList&, TOwnedListObject* item, TListNotification action) {
    WorkSheetsNotify(item, action);
  };
}

TWorkbook::~TWorkbook() {
  destroying_ = true;
  CellBlocks.Disown();
  WorkSheets.Clear();
}

void TWorkbook::WorkSheetsNotify(TOwnedListObject* item, TListNotification action) {
  if (action == TListNotification::Added) return;
  if (item == activeWorkSheet_) activeWorkSheet_ = nullptr;
  // A name must not outlive the sheet it refers to.
  if (!destroying_) NamedCells.DeleteSheetNames(static_cast<TExportWorkSheet*>(item));
}

TExportWorkSheet* TWorkbook::AddWorkSheet(const std::u16string& name, int index) {
  TExportWorkSheet* sheet = WorkSheets.AddSheet(index);
  if (!name.empty()) sheet->SetName(name);
  activeWorkSheet_ = sheet;
  return sheet;
}

TExportWorkSheet* TWorkbook::GetActiveWorkSheet() {
  if (!activeWorkSheet_) {
    if (WorkSheets.Count() == 0) WorkSheets.AddSheet();
    activeWorkSheet_ = WorkSheets.GetItem(WorkSheets.Count() - 1);
  }
  return activeWorkSheet_;
}

void TWorkbook::SetActiveWorkSheet(TExportWorkSheet* sheet) {
  if (WorkSheets.IndexOf(sheet) >= 0) activeWorkSheet_ = sheet;
}

int TWorkbook::GetDefaultCharWidth() const {
  return CharWidthHook ? CharWidthHook(GetDefaultFont()) : 0;
}

void TWorkbook::LoadFromFile(const std::u16string& fileName) {
  TCustomExporter* exporter = nullptr;
  if (!FindExporterForFileHook || !FindExporterForFileHook(fileName, exporter))
    throw EWorkbookFileNameException(FormatLibraryText(WorkbookLng_FileNotProcessed, fileName));
  LoadFromFileWith(fileName, *exporter);
}

void TWorkbook::LoadFromFileWith(const std::u16string& fileName, TCustomExporter& exporter) {
  TFileStream stream(platform::Utf16ToUtf8(fileName), TFileMode::OpenRead);
  stream.SetPosition(0);
  LoadFromStream(stream, exporter);
}

void TWorkbook::LoadFromStream(TStream& stream, TCustomExporter& exporter) {
  const TProgressDlgWrapperFactory& factory = GetProgressDlgWrapperClass();
  if (factory && ShowProgress && !OnProgress) ProgressDlg = factory();
  struct DialogGuard {
    TWorkbook& workbook;
    ~DialogGuard() { workbook.ProgressDlg.reset(); }
  } guard{*this};
  TWorkbookLoadBudget budget(LoadLimits);
  exporter.ImportFromStream(stream, *this);
}

void TWorkbook::DoProgress(int stage, long long position, long long max,
                           const std::u16string& text) {
  if (!ShowProgress) return;
  if (OnProgress) {
    OnProgress(*this, stage, position, max);
    return;
  }
  if (!ProgressDlg || stage < 0 || stage >= 8) return;
  TWorkbookProgressDlgWrapper& dlg = *ProgressDlg;
  switch (stage) {
    case wpsStart:
      dlg.SetCaption(text);
      dlg.SetProgress(0, 1);
      break;
    case wpsSharedStrings:
      dlg.SetCaption(WorkbookLng_SharedStrings);
      dlg.SetProgress(position, max);
      break;
    case wpsWorkSheet:
      if (position < max) {
        std::u16string caption =
            WorkbookLng_Worksheet + u" " + ISOIntToStr(position + 1) + u"/" + ISOIntToStr(max);
        if (!text.empty()) caption += u": " + text;
        dlg.SetCaption(caption);
        dlg.SetProgress(0, 1);
      }
      break;
    case wpsRows:
      dlg.SetSheetText(text.empty() ? std::u16string()
                                    : FormatLibraryText(WorkbookLng_ExportedRows, text));
      dlg.SetProgress(position, max);
      break;
    case wpsSaving:
      dlg.SetCaption(WorkbookLng_Saving);
      dlg.SetProgress(position, max);
      break;
    case wpsLoading:
      dlg.SetCaption(WorkbookLng_Loading);
      dlg.SetProgress(position, max);
      break;
    case wpsCompressing:
      dlg.SetCaption(WorkbookLng_Compressing);
      dlg.SetProgress(position, max);
      break;
    default:
      dlg.SetCaption(std::u16string());
      dlg.SetProgress(position, max);
      break;
  }
}

void TWorkbook::DoBeforeWorkSheetRead(TExportWorkSheet& sheet, bool& read) {
  read = true;
  if (ReadRowsByEvent && OnBeforeWorkSheetRead) OnBeforeWorkSheetRead(*this, sheet, read);
}

void TWorkbook::DoAfterRowRead(TExportWorkSheet& sheet, TExportRow& row) {
  // The row's cells are done, whichever row was made last (XLS writers put the ROW records of up
  // to 32 rows before their cells): its cell list needs no room to grow.
  row.Cells.Compact();
  if (!ReadRowsByEvent || !OnRowRead) return;
  // Only the row just read keeps its cells: the caller has taken the earlier ones.
  for (int i = row.GetIndex() - 1; i >= 0; --i) {
    if (!sheet.Rows.RowHasCells(i)) break;
    sheet.Rows.PeekItem(i)->Cells.Clear();
  }
  OnRowRead(*this, sheet, row);
}

void TWorkbook::AssignTo(TPersistent& target) const {
  auto* book = dynamic_cast<TWorkbook*>(&target);
  if (!book) return TPersistent::AssignTo(target);
  if (book == this) return;
  TWorkbook& dest = *book;
  dest.DefaultFontName = DefaultFontName;
  dest.WorkSheets.Assign(WorkSheets);
  dest.Creator = Creator;
  dest.ApplicationName = ApplicationName;
  dest.Date1904 = Date1904;
  dest.WriteRowsByEvent = WriteRowsByEvent;
  dest.ReadRowsByEvent = ReadRowsByEvent;
  dest.OnBeforeWorkSheetRead = OnBeforeWorkSheetRead;
  dest.OnRowRead = OnRowRead;
  dest.activeWorkSheet_ = nullptr;
}

}  // namespace workbook

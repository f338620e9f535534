#pragma once
// The workbook in memory: sheets, a few document properties and the registries they share, plus
// progress reporting and row hooks, so a long load can show progress or stream its rows.
#include <functional>
#include <memory>
#include <string>

#include "workbook/core/stream.h"
#include "workbook/model/drawing.h"
#include "workbook/model/load_budget.h"
#include "workbook/model/named_cells.h"
#include "workbook/model/progress_dlg_wrapper.h"
#include "workbook/model/workbook_registries.h"
#include "workbook/model/worksheet.h"

namespace workbook {

class TCustomExporter;

// The date and time format codes every new worksheet copies; "%sysdate%" and "%systime%" stand for
// the system formats. Both must be set before a workbook is created.
extern std::u16string WorkbookDateFormat;
extern std::u16string WorkbookTimeFormat;

// Progress stages of DoProgress.
enum TWorkbookProgressStage {
  wpsStart = 0,
  wpsSharedStrings = 1,
  wpsWorkSheet = 2,
  wpsRows = 3,
  wpsSaving = 4,
  wpsLoading = 5,
  wpsCompressing = 6,
  wpsDone = 7,
};

// The font and border registries (entry 0 of the fonts is Arial 10) come from
// TWorkbookRegistries, so the workbook is the parent of every cell style.
class IRPNNameSource;

class TWorkbook : public TPersistent, public TWorkbookRegistries {
 public:
  using TProgressEvent =
      std::function<void(TWorkbook&, int stage, long long position, long long max)>;
  using TBeforeWorkSheetReadEvent = std::function<void(TWorkbook&, TExportWorkSheet&, bool& read)>;
  using TRowReadEvent = std::function<void(TWorkbook&, TExportWorkSheet&, TExportRow&)>;

  // EWorkbookException while WorkbookDateFormat or WorkbookTimeFormat is empty.
  TWorkbook();
  ~TWorkbook() override;
  TWorkbook(const TWorkbook&) = delete;
  TWorkbook& operator=(const TWorkbook&) = delete;

  std::u16string DefaultFontName = u"Arial";
  // Where the workbook's cells live; declared first, so it goes last.
  TItemBlocks CellBlocks;
  TExportWorkSheets WorkSheets;
  // Pictures shown by cell drawings; one that no cell shows any more frees itself.
  TExportDrawings Drawings{this};
  TExportNamedCells NamedCells;
  std::u16string Creator;
  std::u16string ApplicationName;
  bool Date1904 = false;
  // The defined names formulas look up (set by the workbook's name list); null: none.
  const IRPNNameSource* FormulaNames = nullptr;
  bool ShowProgress = true;
  TProgressEvent OnProgress;
  std::unique_ptr<TWorkbookProgressDlgWrapper> ProgressDlg;  // only while a load runs
  bool WriteRowsByEvent = false;
  bool ReadRowsByEvent = false;
  TBeforeWorkSheetReadEvent OnBeforeWorkSheetRead;
  TRowReadEvent OnRowRead;
  // The most cells and text one load may make; a file that needs more fails to load.
  TWorkbookLoadLimits LoadLimits;

  bool Destroying() const { return destroying_; }

  // The width in pixels of a digit of the default font, through the measuring hook; 0 while the
  // hook is unset.
  int GetDefaultCharWidth() const;

  // Inserts at index (clamped) or appends (index < 0); a non-empty name goes through SetName.
  // The new sheet becomes the active one.
  TExportWorkSheet* AddWorkSheet(const std::u16string& name = std::u16string(), int index = -1);
  // The active sheet; a workbook without sheets gets one, and without an active sheet the last
  // one becomes active.
  TExportWorkSheet* GetActiveWorkSheet();
  TExportWorkSheet* ActiveWorkSheet() const { return activeWorkSheet_; }
  // Only a sheet of this workbook becomes active.
  void SetActiveWorkSheet(TExportWorkSheet* sheet);

  // Picks the handler by the file's extension (EWorkbookFileNameException when none claims it).
  void LoadFromFile(const std::u16string& fileName);
  void LoadFromFileWith(const std::u16string& fileName, TCustomExporter& exporter);
  void LoadFromStream(TStream& stream, TCustomExporter& exporter);

  // The one progress entry of all readers and writers.
  void DoProgress(int stage, long long position, long long max, const std::u16string& text);
  // Readers ask before reading a sheet's content, and report every row read.
  void DoBeforeWorkSheetRead(TExportWorkSheet& sheet, bool& read);
  void DoAfterRowRead(TExportWorkSheet& sheet, TExportRow& row);

  // Into a workbook dest: font name, copies of the sheets, properties, flags and read handlers;
  // dest then has no active sheet.
  void AssignTo(TPersistent& dest) const override;

 private:
  void WorkSheetsNotify(TOwnedListObject* item, TListNotification action);

  TExportWorkSheet* activeWorkSheet_ = nullptr;
  bool destroying_ = false;
};

}  // namespace workbook

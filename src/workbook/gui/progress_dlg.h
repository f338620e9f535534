#pragma once
// The small borderless window the library shows while a workbook loads: a centred caption line
// over one or more progress bars. While it is up the program's other windows are disabled, so
// the events it pumps cannot start a second command; hiding or freeing it enables them again.
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/disabled_windows.h"

namespace workbook {

class TCustomProgressDlg;

// The process-wide settings of the progress window (ProgressDlgProperties).
class TProgressDlgProperties {
 public:
  using TDialogClass = std::function<std::unique_ptr<TCustomProgressDlg>()>;

  QColor FontColor = Qt::black;
  TDialogClass DialogClass;  // TBasicProgressDlg unless replaced
  bool Enabled = true;

  void SetEnabled(bool value) { Enabled = value; }
};

// Made with its defaults on the first call.
TProgressDlgProperties& ProgressDlgProperties();
// Frees the settings (the program's end); the next call makes them afresh.
void FreeProgressDlgProperties();

class TCustomProgressDlg : public QWidget {
 public:
  TCustomProgressDlg();
  ~TCustomProgressDlg() override;

  const std::u16string& GetCaption() const { return caption_; }
  void SetCaption(const std::u16string& text);
  int GetBarCount() const { return static_cast<int>(ProgressBars.size()); }
  // The bar at index; std::out_of_range outside the list.
  QProgressBar* GetBar(int index) const { return ProgressBars.at(static_cast<std::size_t>(index)); }

  virtual int GetMax(int index) const = 0;
  virtual void SetMax(int index, int value) = 0;
  virtual int GetPosition(int index) const = 0;
  virtual void SetPosition(int index, int value) = 0;
  virtual void AddProgressBar() = 0;
  virtual void DeleteProgressBar() = 0;

  // Maximum first, so the position is never clipped by the old maximum; then the waiting paint
  // events are handled. Values beyond the bar's range are scaled into it.
  void SetBarProgress(int index, long long position, long long max);
  void PrepareBars(const std::u16string& caption, int max);
  void CenterOnMonitor();
  void DisableOtherWindows();
  void RestoreOtherWindows();
  // Whether DisableOtherWindows has disabled windows that are not yet enabled again.
  bool HasDisabledWindows() const { return disabledWindows_.Active(); }

  QLabel* CaptionLabel = nullptr;
  std::vector<QProgressBar*> ProgressBars;  // owned by the window as children

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::u16string caption_;
  platform::TDisabledWindows disabledWindows_;
  QPointer<QWidget> prevActiveWindow_;
};

class TBasicProgressDlg : public TCustomProgressDlg {
 public:
  int GetMax(int index) const override { return GetBar(index)->maximum(); }
  void SetMax(int index, int value) override;
  int GetPosition(int index) const override { return GetBar(index)->value(); }
  void SetPosition(int index, int value) override { GetBar(index)->setValue(value); }
  void AddProgressBar() override;
  // Throws std::out_of_range without bars.
  void DeleteProgressBar() override;
};

// The height every bar keeps (the platform's scroll-bar arrow height).
int ProgressBarHeight();

// The top-left corner that centres size in area, or in full when area is empty.
QPoint CenteredOnArea(const QRect& area, const QRect& full, const QSize& size);

// A window of dialogClass with barCount bars, shown at once unless progress windows are
// switched off. The caller owns it.
std::unique_ptr<TCustomProgressDlg> CreateProgressDlg(
    const TProgressDlgProperties::TDialogClass& dialogClass, const std::u16string& caption,
    int barCount, int max);
std::unique_ptr<TCustomProgressDlg> CreateProgressDlg(const std::u16string& caption, int barCount,
                                                      int max);
std::unique_ptr<TCustomProgressDlg> CreateProgressDlg(const std::u16string& caption, int max);
// Nothing while progress windows are switched off. Otherwise prepares caption and bars (unless
// both are empty), shows the window and lets it paint before the caller goes on.
void ShowProgressDlg(TCustomProgressDlg& window, const std::u16string& caption, int max);
// Handles waiting window events except user input, which waits until the work is done.
void ProcessProgressEvents();

}  // namespace workbook

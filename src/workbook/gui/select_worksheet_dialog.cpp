#include "workbook/gui/select_worksheet_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "workbook/core/library_texts.h"
#include "workbook/model/workbook.h"

namespace workbook {

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 180;

QString Shown(const std::u16string& text) {
  QString result = QString::fromStdU16String(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

// Centred on the work area of the monitor under the mouse, rounding down also below zero.
QPoint DialogPosition() {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect area = screen->availableGeometry();
  const double right = area.left() + area.width();
  const double bottom = area.top() + area.height();
  return {static_cast<int>(std::floor((area.left() + right - kWidth) / 2.0)),
          static_cast<int>(std::floor((area.top() + bottom - kHeight) / 2.0))};
}

}  // namespace

bool SelectWorksheetDialog(TWorkbook& workbook) {
  const int sheetCount = workbook.WorkSheets.Count();
  if (sheetCount < 2) return true;

  QDialog form(QApplication::activeWindow(), Qt::Dialog | Qt::CustomizeWindowHint |
                                                 Qt::WindowTitleHint |
                                                 Qt::MSWindowsFixedSizeDialogHint);
  form.setObjectName(QStringLiteral("FormExporterSelectWorksheet"));
  form.setFixedSize(kWidth, kHeight);
  form.move(DialogPosition());
  form.setWindowTitle(Shown(WorkbookLng_SelectWorksheet));
  const int clientWidth = form.width();

  auto* label = new QLabel(Shown(WorkbookLng_SelectWorksheetPrompt), &form);
  label->setGeometry(20, 20, clientWidth - 40, 40);

  auto* sheets = new QComboBox(&form);
  sheets->setEditable(false);
  for (int i = 0; i < sheetCount; ++i)
    sheets->addItem(QString::fromStdU16String(workbook.WorkSheets[i]->Name));
  sheets->setCurrentIndex(0);
  sheets->setGeometry(20, label->geometry().bottom() + 1 + 10, clientWidth - 40,
                      sheets->sizeHint().height());

  auto* button = new QPushButton(Shown(WorkbookLng_Export), &form);
  button->setGeometry(clientWidth - 20 - 75, form.height() - 20 - 25, 75, 25);
  button->setDefault(true);
  QObject::connect(button, &QPushButton::clicked, &form, &QDialog::accept);

  const bool chosen = form.exec() == QDialog::Accepted && sheets->currentIndex() >= 0;
  // The sheet list may have changed while the dialog ran its own event loop.
  const int index = sheets->currentIndex();
  if (!chosen || index >= workbook.WorkSheets.Count()) return false;
  workbook.SetActiveWorkSheet(workbook.WorkSheets[index]);
  return true;
}

}  // namespace workbook

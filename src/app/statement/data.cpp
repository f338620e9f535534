#include "app/statement/data.h"

namespace app {

TData Data;
TKVDPH KVDPH;

void TData::ClearRows() {
  RowsA1.clear();
  RowsA2.clear();
  RowsB1.clear();
  RowsB2.clear();
  RowsB31.clear();
  RowsB32.clear();
  RowsC1.clear();
  RowsC2.clear();
  RowsD1.clear();
  RowsD2.clear();
  RowsSV1.clear();
  RowsSV2.clear();
  ErrorRows.fill(0);
}

}  // namespace app

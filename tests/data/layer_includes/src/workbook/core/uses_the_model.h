#include "workbook/model/cell.h"

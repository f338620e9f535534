#include "workbook/core/stream.h"

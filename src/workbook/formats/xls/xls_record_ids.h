#pragma once
// Ids of the BIFF8 records the XLS reader and writer use.
#include <cstddef>
#include <cstdint>

namespace workbook::xls_record {

constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kEof = 0x000A;
// The BIFF4 id of FORMULA, which some writers still put into BIFF8 sheets in the BIFF8 layout.
constexpr std::uint16_t kFormula4 = 0x0406;
constexpr std::uint16_t kExternSheet = 0x0017;
constexpr std::uint16_t kName = 0x0018;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kPalette = 0x0092;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kMulBlank = 0x00BE;
constexpr std::uint16_t kRString = 0x00D6;
constexpr std::uint16_t kXF = 0x00E0;
constexpr std::uint16_t kMergedCells = 0x00E5;
constexpr std::uint16_t kSST = 0x00FC;
constexpr std::uint16_t kLabelSST = 0x00FD;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kBlank = 0x0201;
constexpr std::uint16_t kOldBlank = 0x0202;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kString = 0x0207;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kDefaultRowHeight = 0x0225;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kXFExt = 0x087D;
// Worksheet records the model reads.
constexpr std::uint16_t kProtect = 0x0012;
constexpr std::uint16_t kPassword = 0x0013;
constexpr std::uint16_t kPane = 0x0041;
constexpr std::uint16_t kDefColWidth = 0x0055;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kWsBool = 0x0081;
constexpr std::uint16_t kScl = 0x00A0;
constexpr std::uint16_t kWindow2 = 0x023E;
constexpr std::uint16_t kSheetLayout = 0x0862;
constexpr std::uint16_t kSelection = 0x001D;
constexpr std::uint16_t kCondFmt = 0x01B0;
constexpr std::uint16_t kCF = 0x01B1;
constexpr std::uint16_t kHLink = 0x01B8;
constexpr std::uint16_t kFeatHeader = 0x0867;
// Records of the page setup.
constexpr std::uint16_t kHeader = 0x0014;
constexpr std::uint16_t kFooter = 0x0015;
constexpr std::uint16_t kVerticalPageBreaks = 0x001A;
constexpr std::uint16_t kHorizontalPageBreaks = 0x001B;
constexpr std::uint16_t kLeftMargin = 0x0026;
constexpr std::uint16_t kRightMargin = 0x0027;
constexpr std::uint16_t kTopMargin = 0x0028;
constexpr std::uint16_t kBottomMargin = 0x0029;
constexpr std::uint16_t kPrintHeaders = 0x002A;
constexpr std::uint16_t kPrintGridLines = 0x002B;
constexpr std::uint16_t kGuts = 0x0080;
constexpr std::uint16_t kHCenter = 0x0083;
constexpr std::uint16_t kVCenter = 0x0084;
constexpr std::uint16_t kSetup = 0x00A1;
// What carries on a record too long for one.
constexpr std::uint16_t kContinue = 0x003C;
// Records only the writer puts out.
constexpr std::uint16_t kExtSST = 0x00FF;
constexpr std::uint16_t kTemplate = 0x0060;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kSupBook = 0x01AE;
constexpr std::uint16_t kIndex = 0x020B;
// BOF records of the older BIFF versions (2, 3, 4).
constexpr std::uint16_t kBof2 = 0x0009;
constexpr std::uint16_t kBof3 = 0x0209;
constexpr std::uint16_t kBof4 = 0x0409;

// NAME records: the option flag of a built-in name, the built-in names the library reads and
// writes, and the token that heads a formula listing several areas.
constexpr std::uint16_t kNameBuiltIn = 0x0020;
constexpr std::uint8_t kBuiltInPrintArea = 0x06;
constexpr std::uint8_t kBuiltInPrintTitles = 0x07;
constexpr std::uint8_t kPtgMemFunc = 0x29;

// BOF version and substream types.
constexpr std::uint16_t kBiff8Version = 0x0600;
constexpr std::uint16_t kBofWorkbookGlobals = 0x0005;
constexpr std::uint16_t kBofWorksheet = 0x0010;

// A FORMULA's cached result whose last word is 0xFFFF is no number; its first byte says what it is
// and, for a Boolean or an error, its third byte holds the value.
constexpr std::uint16_t kNonNumericResult = 0xFFFF;
constexpr std::uint8_t kResultString = 0;
constexpr std::uint8_t kResultBoolean = 1;
constexpr std::uint8_t kResultError = 2;
constexpr std::uint8_t kResultEmptyString = 3;

// The most data bytes one record holds; longer content goes on in CONTINUE records.
constexpr std::size_t kMaxRecordData = 8224;

// The largest row and column index a BIFF8 sheet has.
constexpr int kMaxRow = 65535;
constexpr int kMaxColumn = 255;
constexpr int kRowCount = kMaxRow + 1;
constexpr int kColumnCount = kMaxColumn + 1;

}  // namespace workbook::xls_record

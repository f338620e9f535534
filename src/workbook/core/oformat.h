#pragma once
// Value texts of the XML formats: ISO date-times and durations (ODS), HTML colour texts, and
// entity encoding and decoding of text.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace workbook::OFormat {

using platform::TDateTime;

// "yyyy-mm-dd" and "yyyy-mm-ddThh:nn:ss"; a value outside the years 1 to 9999 gives zeros.
std::u16string ISODateToStr(TDateTime value);
std::u16string ISODateTimeToStr(TDateTime value);
// Stored date-times have one fixed layout, so the parts are read by position; 0 when they make
// no valid moment.
TDateTime ISOStrToDateTime(std::u16string_view text);

// "PThhHnnMssS": the time of day of value as an ODS time value.
std::u16string ISOTimeToDuration(TDateTime value);
// An ISO 8601 duration as ODS time values hold it: optional "-", "P", days, then after "T"
// hours, minutes and seconds (each optional, fractions allowed; years and months only as
// zero), in days. Hours beyond a day are kept ("PT36H00M00S" is 1.5). 0 when invalid.
TDateTime ISODurationToTime(std::u16string_view text);

// True when the first character is "T", "t" or "1".
bool StrToBool(std::u16string_view text);

// The RGB value of a colour: no colour (0x1FFFFFFF) is black, a system colour (negative) is
// resolved through the platform.
std::int32_t ColorToRGB(std::int32_t color);
// Optional "#", then red, green and blue as two upper-case hexadecimal digits each.
std::u16string ColorToHTMLHex(std::int32_t color, bool addHash);
// "#RGB"/"RGB" (each digit times 17) or "#RRGGBB"/"RRGGBB"; a part that is no hexadecimal
// number gives 0 for its component; any other length gives no colour (0x1FFFFFFF).
std::int32_t HTMLHexToColor(std::u16string_view text);

// "&", "<", ">", "'" and the double quote as entities; with encodeLineBreaks CR and LF as
// "&#xD;" and "&#xA;"; with nbspAtEdges a blank at the start and at the end as "&#160;", so
// that readers that trim do not lose it.
std::u16string EncodeXMLEntities(std::u16string_view text, bool nbspAtEdges, bool encodeLineBreaks);
// Letter case ignored: "&nbsp;", "&sp;", "&#160;" and "&#xA0;" give a blank; "&lt;" "<";
// "&gt;" and "&rt;" ">"; "&apos;" "'"; "&quot;" the double quote; "&br;", "&#xD;" and "&#13;"
// CR LF (together with a following "&#xA;" or "&#10;" too); "&#xA;" and "&#10;" alone LF;
// "&amp;" "&". Each entity is decoded once, so "&amp;lt;" gives "&lt;"; anything else is kept.
std::u16string DecodeXMLEntities(std::u16string_view text);

// Every occurrence of Old replaced by New, letter case ignored; an empty Old replaces nothing.
std::u16string ReplaceAllIgnoreCase(std::u16string_view text, std::u16string_view oldText,
                                    std::u16string_view newText);

}  // namespace workbook::OFormat

#include "workbook/formats/text/field_stops.h"

#include <gtest/gtest.h>

#include <string>

namespace workbook {
namespace {

// A stop is found wherever it stands: in the first group of eight, in a later one, in the
// characters after the last whole group, or not at all; with a few stops and with more than are
// compared eight at a time.
TEST(FieldStopsTest, SpanEndsAtTheFirstStopWhereverItStands) {
  const struct {
    const char* name;
    std::u16string stops;
    char16_t stop;  // the one placed in the text
  } kSets[] = {
      {"separator", u",\r\n\u2028", u','},
      {"line separator", u",\r\n\u2028", u'\u2028'},
      {"nul", std::u16string(1, u'\0'), u'\0'},
      {"ten stops", u"abcdefghij", u'j'},
      {"ten with a wide one", u"\u20ACbcdefghij", u'\u20AC'},
  };
  const std::u16string filler = u"xyz0123456789XYZ\u010D\u0161\u017E";
  for (const auto& set : kSets) {
    TFieldStops stops;
    for (char16_t c : set.stops) stops.Add(c);
    stops.Add(set.stops[0]);  // a second time changes nothing
    EXPECT_EQ(stops.Span(filler), filler.size()) << set.name;
    EXPECT_EQ(stops.Span(u""), 0u) << set.name;
    for (std::size_t at = 0; at < filler.size(); ++at) {
      std::u16string text = filler;
      text[at] = set.stop;
      EXPECT_EQ(stops.Span(text), at) << set.name << " at " << at;
    }
  }
}

}  // namespace
}  // namespace workbook

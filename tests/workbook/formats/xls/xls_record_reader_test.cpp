// The BIFF record reader and what reads strings through it: the shared-string table over
// CONTINUE records, wide characters.
#include "workbook/formats/xls/xls_record_reader.h"

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/xls/xls_shared_strings.h"
#include "workbook/formats/xls/xls_strings.h"

using namespace workbook;
using namespace xls_test;

namespace {

Bytes Sst(std::uint32_t uniqueCount, const Bytes& data) {
  return Record(0x00FC, Join({DWord(uniqueCount), DWord(uniqueCount), data}));
}

std::vector<std::u16string> Load(const Bytes& bytes, TXLSSharedStrings_Import& table) {
  TMemoryStream stream(bytes);
  TOleStreamReader records(stream);
  table.LoadFromStream(records, 0);
  std::vector<std::u16string> texts;
  for (std::size_t i = 0; i < table.Count(); ++i) texts.push_back(table.GetString(i));
  return texts;
}

std::vector<std::u16string> Load(const Bytes& bytes) {
  TXLSSharedStrings_Import table;
  return Load(bytes, table);
}

const Bytes kEof = Record(0x000A, {});

}  // namespace

TEST(XlsSharedStrings, AStringEndingWithItsRecordLetsTheNextStartTheContinue) {
  // No option byte stands at the start of the CONTINUE record: it begins a new string.
  EXPECT_EQ(Load(Join({Sst(2, Join({Word(3), Bytes{0}, Chars(u"abc", false)})),
                       Continue(Join({Word(2), Bytes{1}, Chars(u"dž", true)})), kEof})),
            (std::vector<std::u16string>{u"abc", u"dž"}));
}

TEST(XlsSharedStrings, ReadsAnEmptyString) {
  EXPECT_EQ(Load(Join({Sst(1, Join({Word(0), Bytes{0}})), kEof})),
            (std::vector<std::u16string>{u""}));
}

TEST(XlsSharedStrings, JoinsAStringSplitWithAnotherCharacterWidth) {
  EXPECT_EQ(
      Load(Join(
          {Sst(2, Join({Word(5), Bytes{1}, Chars(u"čš", true)})),
           Continue(Join({Bytes{0}, Chars(u"abc", false), Word(1), Bytes{0}, Chars(u"z", false)})),
           kEof})),
      (std::vector<std::u16string>{u"čšabc", u"z"}));
}

TEST(XlsSharedStrings, KeepsRunsSplitOverRecords) {
  TXLSSharedStrings_Import table;
  Load(Join({Sst(2, Join({Word(4), Bytes{0x08}, Word(2), Chars(u"ab", false)})),
             Continue(Join({Bytes{0}, Chars(u"cd", false), Word(0), Word(1), Word(2)})),
             Continue(Join({Word(7), Word(1), Bytes{0}, Chars(u"e", false)})), kEof}),
       table);
  ASSERT_EQ(table.Count(), 2u);
  EXPECT_EQ(table.GetString(0), u"abcd");
  EXPECT_EQ(table.GetEntry(0)->Runs(), (std::vector<TXLSRichTextRun>{{0, 1}, {2, 7}}));
  EXPECT_EQ(table.GetString(1), u"e");
  EXPECT_TRUE(table.GetEntry(1)->Runs().empty());
}

TEST(XlsSharedStrings, PassesOverPhoneticDataThatCrossesARecord) {
  EXPECT_EQ(
      Load(
          Join({Sst(2, Join({Word(1), Bytes{0x05}, DWord(12), Chars(u"漢", true), Bytes(4, 0xEE)})),
                Continue(Join({Bytes(8, 0xEE), Word(2), Bytes{0}, Chars(u"ok", false)})), kEof})),
      (std::vector<std::u16string>{u"漢", u"ok"}));
}

TEST(XlsSharedStrings, KeepsTheStringsThereWhenTheCountIsOverstated) {
  // The declared count is believed only as far as the records hold strings.
  for (std::uint32_t declared : {3u, 0xFFFFFFFFu}) {
    EXPECT_EQ(Load(Join({Sst(declared, Join({Word(1), Bytes{0}, Chars(u"a", false)})),
                         Continue(Join({Word(1), Bytes{0}, Chars(u"b", false)})), kEof})),
              (std::vector<std::u16string>{u"a", u"b"}));
  }
}

TEST(XlsSharedStrings, AStringCutShortFailsAndKeepsTheEarlierOnes) {
  TXLSSharedStrings_Import table;
  try {
    Load(Join({Sst(2, Join({Word(1), Bytes{0}, Chars(u"a", false), Word(10), Bytes{0},
                            Chars(u"bcd", false)})),
               kEof}),
         table);
    FAIL() << "no exception";
  } catch (const EXLSSharedStrings& e) {
    EXPECT_EQ(e.Message(), u"Expected CONTINUE not found.");
  }
  ASSERT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.GetString(0), u"a");
}

// Cells share an entry's text: as it is, or, when it holds a lone CR or LF, a copy with CR LF
// pairs made once for all of them; the text itself stays as the file has it.
TEST(XlsSharedStrings, GivesCellsTheTextWithItsLineBreaksAsCellsKeepThem) {
  TXLSSharedStrings_Import table;
  Load(Join({Sst(3, Join({Word(3), Bytes{0}, Chars(u"a\nb", false), Word(4), Bytes{0},
                          Chars(u"a\r\nb", false), Word(2), Bytes{0x08}, Word(1),
                          Chars(u"x\r", false), Word(0), Word(3)})),
             kEof}),
       table);
  ASSERT_EQ(table.Count(), 3u);
  const TXLSSharedStrings_ImportEntry& lone = *table.GetEntry(0);
  EXPECT_EQ(lone.Text().ToString(), u"a\nb");
  EXPECT_EQ(lone.SharedText().ToString(), u"a\r\nb");
  EXPECT_EQ(&lone.SharedText(), &table.GetEntry(0)->SharedText());
  const TXLSSharedStrings_ImportEntry& paired = *table.GetEntry(1);
  EXPECT_EQ(paired.SharedText().Identity(), paired.Text().Identity());
  EXPECT_EQ(table.GetEntry(2)->Runs(), (std::vector<TXLSRichTextRun>{{0, 3}}));
  EXPECT_EQ(table.GetEntry(2)->Text().ToString(), u"x\r");
  EXPECT_EQ(table.GetEntry(3), nullptr);
  EXPECT_EQ(table.GetString(3), u"");
}

TEST(XlsSharedStrings, AnEntryOwnsItsObjectAndFreesTheOneItReplaces) {
  struct TCounted : TXLSSharedStrings_ImportObject {
    explicit TCounted(int& alive) : alive_(alive) { ++alive_; }
    ~TCounted() override { --alive_; }
    int& alive_;
  };
  int alive = 0;
  {
    TXLSSharedStrings_Import table;
    table.AddString(u"a");
    TXLSSharedStrings_ImportEntry& entry = *table.GetEntry(0);
    EXPECT_EQ(entry.Object(), nullptr);
    entry.SetObject(std::make_unique<TCounted>(alive));
    auto second = std::make_unique<TCounted>(alive);
    const TXLSSharedStrings_ImportObject* kept = second.get();
    entry.SetObject(std::move(second));
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(entry.Object(), kept);
    EXPECT_EQ(entry.Text().ToString(), u"a");
    EXPECT_TRUE(entry.Runs().empty());
  }
  EXPECT_EQ(alive, 0);
}

TEST(XlsRecordReader, StaysInsideTheDeclaredSizeAndSkipsWhatWasLeftUnread) {
  TMemoryStream stream(Join({Record(0x0809, Join({Word(0x0600), Word(5)})), Record(0x0022, Word(1)),
                             Record(0x000A, {}), Bytes{0x01, 0x02}}));
  TOleStreamReader bytes(stream);
  TXLSRecordReader reader(bytes);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.ReadWord(), 0x0600);
  EXPECT_THROW(reader.ReadDWord(), EWorkbookFileException);  // two bytes left
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x0022);
  EXPECT_EQ(reader.Position(), 8);
  EXPECT_EQ(reader.ReadWord(), 1);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.Id(), 0x000A);
  EXPECT_FALSE(reader.Next());  // two stray bytes make no header
}

TEST(XlsStrings, ADamagedWideCharacterCountFailsAtTheRecordsEnd) {
  TMemoryStream stream(Record(0x01B8, Chars(u"ab", true)));
  TOleStreamReader bytes(stream);
  TXLSRecordReader reader(bytes);
  ASSERT_TRUE(reader.Next());
  // rather than reserving memory for the count
  EXPECT_THROW(XLSReadWideChars(reader, 0x7FFFFFFF, false), EWorkbookFileException);
}

// The dictionary grammar, lookups, paths, field references, bracket expansion and
// structures.
#include <string>
#include <vector>

#include "core/scratch.h"
#include "core/text.h"
#include "data/dict.h"
#include "data/expand.h"
#include "data/state.h"
#include "data_fixture.h"

namespace orv {
namespace {

using DictTest = DataTest;

std::string Parts(uint16_t file, int key) {
  const KeyDef* k;
  if (DictKey(file, key, &k)) return "<none>";
  std::string out;
  for (const KeyPart& p : k->parts)
    out += (out.empty() ? "" : ",") + std::to_string(p.offset) + "+" + std::to_string(p.length);
  return out;
}

TEST_F(DictTest, FilesFieldsAndKeysFromTheirLines) {
  ASSERT_EQ(Load(Lines({"01*sub\\dir  *07Clients  ", FieldLine(1, 6, 'N', "CODE"),
                        FieldLine(1, 30, 'A', "NAME   "), FieldLine(1, 8, 'D', "SINCE"),
                        "31 by code <0001006", "31 by name <00070300001006 ", "02**00Items",
                        FieldLine(2, 10, 'A', "CODE"), "92 anything at all",
                        "61 relations:1R1K1=CODE{}", "61 more:2R1K1=X{}"})),
            0);
  ASSERT_EQ(DictFileCount(), 2);
  const FileDef& f = DictFile(1);
  EXPECT_EQ(f.name, "clients");  // lower-cased
  EXPECT_EQ(f.folder, "sub\\dir");
  EXPECT_EQ(f.record_length, 44u);
  ASSERT_EQ(f.fields.size(), 3u);
  EXPECT_EQ(f.fields[1].name, "NAME");
  EXPECT_EQ(f.fields[1].offset, 6);
  EXPECT_EQ(f.fields[2].type, 'D');
  EXPECT_EQ(Parts(1, 1), "0+6");
  EXPECT_EQ(Parts(1, 2), "6+30,0+6");
  EXPECT_EQ(DictKeyLength(1, 2, 1), 30);
  EXPECT_EQ(DictKeyLength(1, 2, 0), 36);
  EXPECT_EQ(DictFile(1).relations, "1R1K1=CODE{}:2R1K1=X{}");
  // The dictionary ended with a relation line: file 2 still gets its default key.
  EXPECT_EQ(Parts(2, 1), "0+10");
  EXPECT_EQ(S(DictFileNames()), "clients,items");
}

TEST_F(DictTest, DefaultKeysEndAtNLineOrTheFirstField) {
  ASSERT_EQ(Load(Lines({"01**00docs", FieldLine(1, 8, 'N', "NUMBER"), FieldLine(1, 4, 'N', "N_LINE"),
                        FieldLine(1, 20, 'A', "TEXT"), "02**00plain", FieldLine(2, 5, 'A', "A"),
                        FieldLine(2, 9, 'A', "B"), "32<0006009"})),
            0);
  // File 1 had no key when file 2 received its first one.
  EXPECT_EQ(Parts(1, 1), "0+12");
  EXPECT_EQ(Parts(2, 1), "5+9");
  EXPECT_EQ(DictKeyCount(2), 1);
  ASSERT_EQ(Load(Lines({"01**00plain", FieldLine(1, 5, 'A', "A"), FieldLine(1, 9, 'A', "B")})), 0);
  EXPECT_EQ(Parts(1, 1), "0+5");
}

TEST_F(DictTest, KeyGroupsAndLineNumberRanges) {
  std::vector<std::string> lines;
  for (int n = 1; n <= 30; ++n) {
    lines.push_back("01**00f" + std::to_string(n));
    lines.push_back(FieldLine(1, 20, 'A', "X"));
  }
  lines.push_back("31<00010050012008");
  lines.push_back("60<0002003");
  lines.push_back("61:first");
  lines.push_back("90:last");
  lines.push_back("91<0001001");
  ASSERT_EQ(Load(Lines(lines)), 0) << S(ErrDetail());
  EXPECT_EQ(Parts(1, 1), "0+5,11+8");
  EXPECT_EQ(Parts(30, 1), "1+3");
  EXPECT_EQ(DictFile(1).relations, "first");
  EXPECT_EQ(DictFile(30).relations, "last");
  // The 30th file takes fields like any other.
  EXPECT_EQ(DictRecordLength(30), 20u);
}

TEST_F(DictTest, IncludesNumberTheirFilesFromOne) {
  Put("ABDICC.DAT", Lines({"01**00shared", FieldLine(1, 4, 'A', "K"), "02**00other",
                           FieldLine(2, 6, 'A', "K"), "32<0002002"}));
  Put("ABREL.DAT", Lines({"61:from ab"}));
  ASSERT_EQ(Load(Lines({"01*$*00AB", "02**00own", FieldLine(2, 3, 'A', "Z"), FieldLine(2, 7, 'A', "Y"),
                        "32<0004007", "62:own relation"})),
            0)
      << S(ErrDetail());
  ASSERT_EQ(DictFileCount(), 3);
  EXPECT_EQ(DictFile(1).name, "shared");
  EXPECT_EQ(DictFile(3).name, "own");
  EXPECT_EQ(Parts(1, 1), "0+4");
  EXPECT_EQ(Parts(2, 1), "1+2");
  EXPECT_EQ(DictFile(1).relations, "from ab");
  // Line 32 after the include belongs to file (files included) + 1.
  EXPECT_EQ(Parts(3, 1), "3+7");
  EXPECT_EQ(DictFile(3).relations, "own relation");
}

TEST_F(DictTest, SecondIncludeNumbersItsOwnFiles) {
  Put("AADICC.DAT", Lines({"01**00a1", FieldLine(1, 4, 'A', "K")}));
  Put("BBDICC.DAT", Lines({"01**00b1", FieldLine(1, 6, 'A', "K"), "31<0002003"}));
  ASSERT_EQ(Load(Lines({"01*$*00AA", "01*$*00BB"})), 0) << S(ErrDetail());
  ASSERT_EQ(DictFileCount(), 2);
  EXPECT_EQ(Parts(1, 1), "0+4");
  EXPECT_EQ(Parts(2, 1), "1+3");
}

TEST_F(DictTest, BadLinesStopWithTheirStatus) {
  struct Case {
    std::vector<std::string> lines;
    Status status;
    int files_kept;
  };
  std::vector<std::string> thirty_one;
  for (int n = 1; n <= 31; ++n) thirty_one.push_back("01**00f" + std::to_string(n));
  const Case cases[] = {
      {{"01**00a", "x1 not a number"}, kSyntaxError, 1},
      {{"01**00a", "00 zero"}, kSyntaxError, 1},
      {{FieldLine(1, 4, 'A', "EARLY")}, kFileOutBound, 0},
      {thirty_one, kFileOutBound, 30},
      {{"01**00a", "32<0001001"}, kDataError, 1},
      {{"01**00a", "62:rel"}, kBadFileNumber, 1},
      {{"01**00a", FieldLine(1, 4, 'A', "K"), "31<00010"}, kSyntaxError, 1},
      {{"01**00a", FieldLine(1, 4, 'A', "K"), "31<0000004"}, kSyntaxError, 1},
      {{"01**00a", "01 short"}, kSyntaxError, 1},
      {{"01**00a", "01       0x4 ANAME"}, kSyntaxError, 1},
      {{"01**00a", "01" + std::string(600, ' ')}, kStringTooLong, 1},
      {{"01*$*00ZZ"}, kFileNotFound, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.back().substr(0, 40));
    EXPECT_EQ(Load(Lines(c.lines)), c.status);
    EXPECT_EQ(DictFileCount(), c.files_kept);
    if (c.status != kFileNotFound) {
      EXPECT_NE(S(ErrDetail()).find("TTDICC.DAT line "), std::string::npos) << S(ErrDetail());
    }
  }
}

TEST_F(DictTest, MissingFilesAndIncludeLoops) {
  EXPECT_EQ(DictLoad("nowhere,either"_v, "QQ"_v, ""_v), kFileNotFound);
  EXPECT_NE(S(ErrDetail()).find("QQDICC.DAT (folders: nowhere,either)"), std::string::npos);
  // A missing REL.DAT file is no error; definitions are found in the folder list.
  Put("defs/ZZDICC.DAT", Lines({"01**00z", FieldLine(1, 2, 'A', "K")}));
  EXPECT_EQ(DictLoad("missing,defs"_v, "ZZ"_v, ""_v), 0);
  EXPECT_EQ(DictFileCount(), 1);
  Put("L1DICC.DAT", Lines({"01*$*00L2"}));
  Put("L2DICC.DAT", Lines({"01*$*00L1"}));
  EXPECT_EQ(DictLoad(""_v, "L1"_v, ""_v), kDataError);
}

TEST_F(DictTest, NamesKeepTheirCaseWithAuxStatBit8) {
  g_data.sys[sysvar::kAuxStat] = 8;
  ASSERT_EQ(Load(Lines({"01**00MixedCase", FieldLine(1, 2, 'A', "K")})), 0);
  EXPECT_EQ(DictFile(1).name, "MixedCase");
  EXPECT_EQ(DictFileByName("MixedCase"_v), 1);
  EXPECT_EQ(DictFileByName("mixedcase"_v), 0);
  g_data.sys[sysvar::kAuxStat] = 0;
  ASSERT_EQ(Load(Lines({"01**00MixedCase", FieldLine(1, 2, 'A', "K")})), 0);
  EXPECT_EQ(DictFileByName("MIXEDCASE"_v), 1);
}

TEST_F(DictTest, Lookups) {
  ASSERT_EQ(Load(Lines({"01**00docs", FieldLine(1, 8, 'D', "DATE"), FieldLine(1, 4, 'N', "N_LINE"),
                        FieldLine(1, 20, 'A', "TEXT"), "31<0001012", "31<0013005", "31<0003010"})),
            0);
  EXPECT_EQ(DictFieldByName(1, "TEXT"_v), 3);
  EXPECT_EQ(DictFieldByName(1, "text"_v), -1);
  EXPECT_EQ(S(DictFieldName(1, 2)), "N_LINE");
  EXPECT_EQ(S(DictFieldRef(1, 3)), "TEXT{1}");
  const FieldDef* fd;
  EXPECT_EQ(DictField(1, 4, &fd), kDataOutBound);
  EXPECT_EQ(S(ErrDetail()), "(File:1, Field:4)");
  EXPECT_EQ(DictField(2, 1, &fd), kDataOutBound);
  EXPECT_EQ(DictCheckField(1, -1), 0);
  EXPECT_EQ(DictCheckField(1, 0), kDataOutBound);
  std::vector<uint16_t> fields;
  ASSERT_EQ(DictKeyFields(1, 3, &fields), 0);
  EXPECT_EQ(fields, std::vector<uint16_t>{1});  // byte 2 lies in DATE
  ASSERT_EQ(DictKeyFields(1, 2, &fields), 0);
  EXPECT_EQ(fields, std::vector<uint16_t>{3});
  EXPECT_EQ(DictKeyByFirstField(1, 3), 2);
  EXPECT_EQ(DictKeyByFirstField(1, 2), 0);
  EXPECT_EQ(DictDateKey(1), 1);
  const KeyDef* kd;
  EXPECT_EQ(DictKey(1, 0, &kd), kDataOutBound);
  EXPECT_EQ(DictKey(1, 4, &kd), kDataOutBound);
}

TEST_F(DictTest, CompanionFilePaths) {
  ASSERT_EQ(Load(Lines({"01**00customers", FieldLine(1, 2, 'A', "K"), "02*d:\\data\\*00items",
                        FieldLine(2, 2, 'A', "K")})),
            0);
  g_data.dict.default_folder = "base";
  ScratchScope scope;
  EXPECT_EQ(S(DictFilePath(1, kPathLock)), "customers");
  EXPECT_EQ(S(DictFilePath(1, kPathData)), "base\\customers.FD");
  EXPECT_EQ(S(DictFilePath(1, kPathIndex)), "base\\customers.DIR");
  EXPECT_EQ(S(DictFilePath(1, kPathWork)), "base\\customers.TMP");
  EXPECT_EQ(S(DictFilePath(1, kPathText)), "base\\customers.TXT");
  EXPECT_EQ(S(DictFilePath(2, kPathData)), "d:\\data\\items.FD");
  g_data.sys[sysvar::kCompat] = 2 | 8;
  EXPECT_EQ(S(DictFilePath(1, kPathIndex)), "base\\customer.NDX");
  g_data.sys[sysvar::kCompat] = 0;
  g_data.dict.default_folder.clear();
  EXPECT_EQ(S(DictFilePath(1, kPathData)), "customers.FD");
}

TEST_F(DictTest, FieldReferences) {
  ASSERT_EQ(Load(Lines({"01**00one", FieldLine(1, 2, 'A', "A"), "02**00two", FieldLine(2, 2, 'A', "A"),
                        FieldLine(2, 2, 'A', "B"), FieldLine(2, 2, 'A', "7")})),
            0);
  g_data.sys[sysvar::kCurFil] = 2;
  struct Case {
    const char* ref;
    Status status;
    uint16_t file, field;
  };
  const Case cases[] = {
      {"B{2}", 0, 2, 2},       {"B{two}", 0, 2, 2},   {"B{}", 0, 2, 2},
      {"1{1}", 0, 1, 1},       {"7{2}", 0, 2, 3},     {"3{two}", 0, 2, 3},
      {"A{one}", 0, 1, 1},          {"B", kSyntaxError, 0, 0},      {"B{2}x", kSyntaxError, 0, 0},
      {"0{2}", kSyntaxError, 0, 0},  {"{2}", kSyntaxError, 0, 0},   {"B{3}", kFileOutBound, 0, 0},
      {"B{0}", kFileOutBound, 0, 0}, {"B{zz}", kFileOutBound, 0, 0}, {"9{2}", kDataOutBound, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ref);
    uint16_t file = 0, field = 0;
    EXPECT_EQ(ParseFieldRef(ValFromCStr(c.ref), &file, &field), c.status);
    if (c.status == 0) {
      EXPECT_EQ(file, c.file);
      EXPECT_EQ(field, c.field);
    } else if (c.status == kSyntaxError) {
      EXPECT_EQ(S(ErrDetail()), std::string("Field:") + c.ref);
    }
  }
}

// A stand-in evaluator: sums of integers are numbers, A is the text "[B]", B is "b",
// ERR fails with 147, anything else is itself as a text.
Status FakeEval(Val text, Val* value, bool* numeric) {
  std::string t = text.str();
  *numeric = false;
  if (t == "ERR") return kSyntaxError;
  if (t == "A") {
    *value = "[B]"_v;
    return kOk;
  }
  if (t == "B") {
    *value = "b"_v;
    return kOk;
  }
  if (t == "NIL") {
    *numeric = true;
    *value = Val();
    return kOk;
  }
  if (!t.empty() && t.find_first_not_of("0123456789+ ") == std::string::npos) {
    long sum = 0;
    size_t at = 0;
    while (at < t.size()) {
      sum += std::stol(t.substr(at));
      at = t.find('+', at);
      if (at == std::string::npos) break;
      ++at;
    }
    *numeric = true;
    *value = ValFormat(32, "%ld", sum);
    return kOk;
  }
  *value = text;
  return kOk;
}

Val Opt(Val name) { return name.sv() == "MODE" ? "batch"_v : Val(); }

TEST_F(DictTest, BracketExpansion) {
  g_data.hooks.evaluate = FakeEval;
  g_data.hooks.option = Opt;
  struct Case {
    const char* text;
    int flags;
    const char* names;
    const char* want;
  };
  const Case cases[] = {
      {"Total [2+3] kg", 0, "", "Total 5 kg"},
      {"[A]", 0, "", "[B]"},
      {"[[A]]", 0, "", "[[B]]"},
      {"[[A]]", kExpandRescan, "", "b"},
      {"[50%] off", 0, "", "50% off"},
      {"'[2+3]' [2+3]", 0, "", "'[2+3]' 5"},
      {"'[2+3]'", kExpandPlainBrackets, "", "'5'"},
      {"[ x ]", 0, "", "x"},
      {"[ x ]", kExpandKeepBlanks, "", " x "},
      {"[x]", kExpandQuote, "", "'x'"},
      {"[x]", kExpandQuote | kExpandDoubleQuote, "", "\"x\""},
      {"[NIL]", 0, "", "0"},
      {"[NIL]", kExpandEmptyNumber, "", ""},
      {"[who] [mode] [1+1]", 0x15, "who=me:x=1", "me batch 2"},
      {"[nobody%]", 0x15, "", ""},
      {"\\{not\\} [1]", kExpandEscapes, "", "[not] 1"},
      {"no brackets ] [", 0, "", "no brackets ] ["},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ScratchScope scope;
    EXPECT_EQ(S(TextExpand(ValFromCStr(c.text), c.flags, ValFromCStr(c.names))), c.want);
  }
  ScratchScope scope;
  EXPECT_EQ(S(TextExpand("a [ERR] b"_v, 0, ""_v)), "<error 147>");
  // A value that brings its own brackets back makes a rescan loop: stopped, not endless.
  g_data.hooks.evaluate = [](Val, Val* v, bool* n) -> Status { return *n = false, *v = "[again]"_v, kOk; };
  EXPECT_EQ(S(TextExpand("[x]"_v, kExpandRescan, ""_v)), "<error 129>");
  EXPECT_EQ(S(TextExpandMarker("Open [$] now [$]"_v, "file"_v)), "Open file now file");
}

TEST_F(DictTest, StructuresStackAndRestore) {
  g_data.hooks.evaluate = FakeEval;
  ASSERT_EQ(Load(Lines({"01**00base", FieldLine(1, 4, 'A', "K")})), 0);
  g_data.sys[sysvar::kCurFil] = 1;
  ASSERT_EQ(DictStructDefine("Totals"_v, "KEY;4+2;A,AMOUNT;10;2, ;;"_v, "<0001006,0007010"_v), 0);
  ASSERT_EQ(DictFileCount(), 2);
  EXPECT_EQ(DictFile(2).name, "totals");
  EXPECT_EQ(DictRecordLength(2), 16u);
  EXPECT_EQ(DictFile(2).fields[1].type, '2');
  EXPECT_EQ(Parts(2, 1), "0+6");
  EXPECT_EQ(Parts(2, 2), "6+10");
  EXPECT_EQ(DataSys(sysvar::kCurFil), 2);
  ASSERT_EQ(DictStructDefine("nokeys"_v, "A;3;A"_v, ""_v), 0);
  EXPECT_EQ(Parts(3, 1), "0+3");
  EXPECT_EQ(DictStructDepth(), 2);
  ASSERT_EQ(DictStructDefine("RESTORE"_v, ""_v, ""_v), 0);
  EXPECT_EQ(DictFileCount(), 2);
  EXPECT_EQ(DataSys(sysvar::kCurFil), 2);
  ASSERT_EQ(DictStructTrim(0), 0);
  EXPECT_EQ(DictFileCount(), 1);
  EXPECT_EQ(DataSys(sysvar::kCurFil), 1);
  for (int i = 0; i < kMaxStructLevels; ++i) ASSERT_EQ(DictStructDefine("s"_v, "A;1;A"_v, ""_v), 0);
  EXPECT_EQ(DictStructDefine("s"_v, "A;1;A"_v, ""_v), kDataOutBound);
  EXPECT_EQ(DictStructDefine("bad"_v, "A;1;A"_v, "<00x"_v), kDataOutBound);
  ASSERT_EQ(DictStructTrim(0), 0);
  EXPECT_EQ(DictStructDefine("bad"_v, "A;1;A"_v, "<00x"_v), kSyntaxError);
  EXPECT_EQ(DictFileCount(), 1);
  // RESTORE with nothing pushed empties the dictionary.
  ASSERT_EQ(DictStructDefine("RESTORE"_v, ""_v, ""_v), 0);
  EXPECT_EQ(DictFileCount(), 0);
}

}  // namespace
}  // namespace orv

// The functions over data files: without a data layer they answer its "not open" status;
// with a recording stand-in they pass the right operations, flags and defaults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/datalink.h"
#include "expr/sysvars.h"
#include "expr_fixture.h"

namespace orv {
namespace {

TEST_F(ExprTest, WithoutDataLayer) {
  const struct {
    const char* expr;
    const char* want;
  } cases[] = {
      {"FILEFIND('K')", "E 169 FILENOTINIT"},       {"FILEFIND('K';1;1;8)", "E 169 FILENOTINIT"},
      {"FILEREL(1;2;1)", "E 169 FILENOTINIT"},      {"FILELOCATE()", "N 169"},
      {"FILESEL('1,2;3')", "E 169 FILENOTINIT"},    {"FN$FLDS(NAME{CLIENTES})", "E 169 FILENOTINIT"},
      {"KEY$()", "T "},                             {"IER()", "E 169 FILENOTINIT"},
      {"MACRO$('a[1+1]')", "E 148 FEATUREREMOVED"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.expr), c.want) << c.expr;
}

// What the stand-in data layer was asked, one line per call.
std::vector<std::string> g_calls;
Status g_find_result = 0;

void Record(const std::string& s) { g_calls.push_back(s); }
uint16_t FileNumber(Val name) { return name.sv() == "CLIENTES" ? 4 : 0; }
Status Count(uint16_t file, uint32_t* n) {
  Record("count " + std::to_string(file));
  *n = 1234;
  return 0;
}
Status Find(uint16_t file, uint16_t key, Val value, int flags) {
  Record("find " + std::to_string(file) + " " + std::to_string(key) + " " + value.str() + " " +
         std::to_string(flags));
  return g_find_result;
}
Status StoreKey(uint16_t file, uint16_t key, Val value) {
  Record("store " + std::to_string(file) + " " + std::to_string(key) + " " + value.str());
  return 0;
}
Status Insert(uint16_t file) {
  Record("insert " + std::to_string(file));
  return 0;
}
Status Move(uint16_t file, int flags) {
  Record("move " + std::to_string(file) + " " + std::to_string(flags));
  return 0;
}
Status Scan(uint16_t file, int flags, Val condition, Val last) {
  Record("scan " + std::to_string(file) + " " + std::to_string(flags) + " " + condition.str() +
         " [" + last.str() + "]");
  return 1;
}
Status Command(uint16_t file, Val name) {
  Record("command " + std::to_string(file) + " " + name.str());
  return 2;
}
Status Relation(uint16_t file, uint16_t target, uint16_t relation, int flags, Val assignments) {
  Record("relation " + std::to_string(file) + " " + std::to_string(target) + " " +
         std::to_string(relation) + " " + std::to_string(flags) + " " + assignments.str());
  return 0;
}
Status FileSet(Val list) {
  Record("fileset " + list.str());
  return 0;
}
Val ReadField(Val ref, int which) {
  Record("field " + ref.str() + " " + std::to_string(which));
  return "  raw "_v;
}
Val KeyValue(uint16_t file, uint16_t key, int which, int fields) {
  Record("key " + std::to_string(file) + " " + std::to_string(key) + " " +
         std::to_string(which) + " " + std::to_string(fields));
  return file == 9 ? ValError(kDataOutBound) : ValCopy("K001"_v);
}
Status LastStatus(uint16_t file, Status* out) {
  Record("ier " + std::to_string(file));
  *out = 6;
  return 0;
}
Val Expand(Val text, int flags, Val names) {
  Record("expand " + text.str() + " " + std::to_string(flags) + " " + names.str());
  return ValCopy(" 1+2 "_v);
}

class DataFunctions : public ExprTest {
 protected:
  void SetUp() override {
    ExprTest::SetUp();
    DataLinkInstall(DataLink{FileNumber, Count, Find, StoreKey, Insert, Move, Scan, Command,
                             Relation, FileSet, ReadField, KeyValue, LastStatus, Expand});
    g_calls.clear();
    g_find_result = 0;
  }
  // The expression's line, then the calls it made, joined by " | ".
  std::string Run(const std::string& expr) {
    g_calls.clear();
    std::string out = Eval(expr);
    for (const auto& c : g_calls) out += " | " + c;
    return out;
  }
};

TEST_F(DataFunctions, FindsAndInserts) {
  EXPECT_EQ(Run("FILEFIND('K1')"), "N 0 | find 0 0 K1 0");
  EXPECT_EQ(Run("FILEFIND('K1';3;2;3)"), "N 0 | find 3 2 K1 3");
  // Flag 4 inserts what is not found, whether or not a greater key follows.
  for (Status result : {1, 2}) {
    g_find_result = result;
    EXPECT_EQ(Run("FILEFIND('K1';3;2;5)"),
              "N 0 | find 3 2 K1 1 | store 3 2 K1 | insert 3");
  }
  EXPECT_EQ(Run("FILEFIND(' ';3;2;4)"), "N 2 | find 3 2   0");
  g_find_result = 0;
  EXPECT_EQ(Run("FILEFIND('K1';3;2;4)"), "N 0 | find 3 2 K1 0");
  EXPECT_EQ(Run("FILEFIND('X>1';3;0;8)"), "N 1 | move 3 36 | scan 3 16 X>1 []");
  g_find_result = 169;
  EXPECT_EQ(Run("FILEFIND('K1')"), "E 169 FILENOTINIT | find 0 0 K1 0");
  EXPECT_EQ(Run("FILEFIND(5)"), "E 128 Tipos Incompatibles");
}

TEST_F(DataFunctions, RelationsMovesAndSelections) {
  EXPECT_EQ(Run("FILEREL(1;2;3)"), "N 0 | relation 1 2 3 1 ");
  EXPECT_EQ(Run("FILEREL(1;2;3;6)"), "N 0 | relation 1 2 3 5 ");
  EXPECT_EQ(Run("FILEREL(1;2;3;18;A{2}=B{1};C=1)"), "N 0 | relation 1 2 3 19 A{2}=B{1};C=1");
  EXPECT_EQ(Run("_LASTKEY=23;FILEREL(1;2;3;2)"), "N 0 | relation 1 2 3 3 ");
  EXPECT_EQ(Run("FILEREL(1;2)"), "E 147 SINTAXERROR");
  EXPECT_EQ(Run("FILELOCATE()"), "N 2 | command 0 NXT");
  EXPECT_EQ(Run("FILELOCATE('TOP';2)"), "N 2 | command 2 TOP");
  EXPECT_EQ(Run("FILELOCATE(;2)"), "N 2 | command 2 NXT");
  EXPECT_EQ(Run("FILESEL('1;8,3')"), "N 0 | fileset 1;8,3");
  EXPECT_EQ(Run("FILESEL('RESTORE')"), "N 0 | fileset RESTORE");
}

TEST_F(DataFunctions, FieldsKeysAndStatus) {
  EXPECT_EQ(Run("FN$FLDS(NAME{CLIENTES})"), "T   raw  | field NAME{CLIENTES} 1");
  EXPECT_EQ(Run("FN$FLDS(3{2};2)"), "T   raw  | field 3{2} 2");
  EXPECT_EQ(Run("KEY$()"), "T K001 | key 0 0 1 0");
  EXPECT_EQ(Run("KEY$(2;1;2;-1)"), "T K001 | key 2 1 2 -1");
  EXPECT_EQ(Run("KEY$(9)"), "T  | key 9 0 1 0");
  EXPECT_EQ(Run("IER(3)"), "N 6 | ier 3");
  EXPECT_EQ(Run("FN#FLEN('CLIENTES')"), "N 1234 | count 4");
  EXPECT_EQ(Run("FN#FLEN('nothing.here')"), "N 0");
}

TEST_F(DataFunctions, BracketExpansion) {
  EXPECT_EQ(Run("MACRO$('t[x]')"), "T  1+2  | expand t[x] 0 ");
  EXPECT_EQ(Run("MACRO$('t[x]';4;'x=1')"), "T  1+2  | expand t[x] 21 x=1");
  EXPECT_EQ(Run("MACRO$('t[x]';8)"), "T 3 | expand t[x] 8 ");
  EXPECT_EQ(Run("MACRO$('t[x]';12;'x=1')"), "T 3 | expand t[x] 21 x=1");
}

}  // namespace
}  // namespace orv

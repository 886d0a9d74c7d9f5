// Open-files lists on the demo application: the modes they give, their stack, "RESTORE".
#include <string>
#include <vector>

#include "data/fileset.h"
#include "demo_fixture.h"

namespace orv {
namespace {

class FileSetTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    DataFilesDrop(0);
  }
  // The mode of each file: "customers items invoices", 0 when closed.
  static std::string Modes() {
    std::string out;
    for (uint16_t f = 1; f <= 3; ++f) {
      Status st;
      DataFile* d = DataFileOpened(f, &st);
      out += (out.empty() ? "" : " ") + std::to_string(d ? d->mode : 0);
    }
    return out;
  }
};

TEST_F(FileSetTest, ListsAndRestore) {
  struct Step {
    const char* list;
    Status status;
    const char* modes;
    int16_t current;
    uint16_t depth;
    const char* detail;
  };
  const std::vector<Step> steps = {
      // Listed files read-only, the last one current and for update, the rest closed.
      {"customers,invoices", 0, "1 0 8", 3, 1, ""},
      {"2;1, 1;2", 0, "10 1 0", 1, 2, ""},
      {" items ", 0, "0 8 0", 2, 3, ""},
      {"RESTORE", 0, "10 1 0", 1, 2, ""},
      {"RESTORE", 0, "1 0 8", 3, 1, ""},
      {"nope,items", kFileOpenError, "1 0 8", 3, 1, "nope"},
      {"items;300", kFileOpenError, "1 0 8", 3, 1, "items;300"},
      {"4", kFileOpenError, "1 0 8", 3, 1, "4"},
      {",", kDataError, "1 0 8", 3, 1, ""},
      {"RESTORE", 0, "0 0 0", 3, 0, ""},
      {"RESTORE", kInternal, "0 0 0", 3, 0, "RESTORE"},
  };
  for (const Step& s : steps) {
    ScratchScope scope;
    EXPECT_EQ(FileSetApply(ValOf(s.list)), s.status) << s.list;
    EXPECT_EQ(Modes(), s.modes) << s.list;
    EXPECT_EQ(DataSys(sysvar::kCurFil), s.current) << s.list;
    EXPECT_EQ(FileSetDepth(), s.depth) << s.list;
    if (*s.detail) {
      EXPECT_EQ(S(ErrDetail()), s.detail) << s.list;
    }
  }
}

TEST_F(FileSetTest, TrimmingUndoesTheListsOfAProcedure) {
  ASSERT_EQ(FileSetApply("customers"_v), 0);
  // A procedure applies two lists, one of them exclusive, and ends.
  ASSERT_EQ(FileSetApply("items"_v), 0);
  ASSERT_EQ(FileSetApply("invoices;2"_v), 0);
  EXPECT_EQ(Modes(), "0 0 10");
  EXPECT_EQ(Get("datas/invoices.lock"), " ");
  ASSERT_EQ(FileSetTrim(1), 0);
  EXPECT_EQ(Modes(), "8 0 0");
  EXPECT_EQ(Get("datas/invoices.lock"), "<missing>");
  EXPECT_EQ(FileSetDepth(), 1);
}

}  // namespace
}  // namespace orv

// The maintenance screen generated for a data file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/status.h"
#include "shell/dictview.h"
#include "shell/maintscreen.h"
#include "shell_fixture.h"

namespace orv {
namespace {

class FakeDictionary : public DictionaryView {
 public:
  uint16_t FileCount() const override { return uint16_t(files.size()); }
  Val FileName(uint16_t file) const override { return ValOf(files[file - 1].first); }
  uint16_t FieldCount(uint16_t file) const override {
    return uint16_t(files[file - 1].second.size());
  }
  DictFieldInfo Field(uint16_t file, uint16_t field) const override {
    const Column& c = files[file - 1].second[field - 1];
    return {ValOf(c.name), c.width, c.type};
  }
  struct Column {
    std::string name;
    uint16_t width;
    char type;
  };
  std::vector<std::pair<std::string, std::vector<Column>>> files;
};

using MaintScreenTest = ShellTest;

TEST_F(MaintScreenTest, LayoutListsEveryFieldUnderItsName) {
  FakeDictionary dict;
  dict.files = {{"ARTICULOS", {}},
                {"CLIENTES", {{"CODIGO", 6, 'N'}, {"NOMBRE", 40, 'A'}, {"NUL", 120, 'A'}}}};
  g_shell.dict = &dict;
  Val screen = MaintenanceScreenMake(2);
  ASSERT_TRUE(screen.ok()) << screen.len;
  std::string s = screen.str();
  std::string name = s.substr(0, s.find(','));
  EXPECT_EQ(name.rfind("ORVGEN_", 0), 0u);
  EXPECT_EQ(s.substr(name.size()), ",1,55,5,2");  // NUL counts neither for names nor widths
  EXPECT_EQ(Get(name + ".PAN"),
            "\" 10 1 1<?>CLIENTES\"\r\n"
            "\" 10 2 1CODIGO:\"\r\n"
            "\" 11 2 9 2 1 6N\"\r\n"
            "\" 10 3 1NOMBRE:\"\r\n"
            "\" 11 3 9 2 240A\"\r\n"
            "\" 10 4 1   NUL:\"\r\n"
            "\" 11 4 9 2 399A\"\r\n");
}

TEST_F(MaintScreenTest, WindowWidthFollowsTheScreen) {
  FakeDictionary dict;
  std::vector<FakeDictionary::Column> many;
  for (int i = 1; i <= 30; ++i) many.push_back({"CAMPO" + std::to_string(i), 90, 'A'});
  dict.files = {{"GRANDE", many}};
  g_shell.dict = &dict;
  std::string s = MaintenanceScreenMake(1).str();
  EXPECT_EQ(s.substr(s.find(',')), ",1,78,32,1");  // 80 columns, 2 less: 30 + 2 rows > 24
}

TEST_F(MaintScreenTest, Refusals) {
  FakeDictionary dict;
  std::vector<FakeDictionary::Column> too_many;
  for (int i = 1; i <= 100; ++i) too_many.push_back({"C" + std::to_string(i), 1, 'A'});
  dict.files = {{"UNO", {{"A", 1, 'A'}}}, {"MUCHOS", too_many}};
  EXPECT_EQ(MaintenanceScreenMake(1).len, kDataError);  // no dictionary
  g_shell.dict = &dict;
  EXPECT_EQ(MaintenanceScreenMake(0).len, kDataError);
  EXPECT_EQ(MaintenanceScreenMake(3).len, kDataError);
  EXPECT_FALSE(MaintenanceScreenMake(2).ok());
  EXPECT_EQ(MaintenanceScreenMake(2).len, kDataOutBound);  // rows beyond two columns
  EXPECT_EQ(Names(), std::vector<std::string>{});          // nothing written for a refusal
}

}  // namespace
}  // namespace orv

// Record commands: names, aliases and codes, and what each does to the demo's items.
#include <string>
#include <vector>

#include "demo_fixture.h"

namespace orv {
namespace {

class CommandsTest : public DemoTest {};

TEST_F(CommandsTest, NamesAliasesAndCodes) {
  struct Case {
    const char* name;
    uint16_t number, code;
  };
  const std::vector<Case> cases = {
      {"NEW", 1, 0x0F01},  {"TOP", 2, 0x0F24},      {"PRV", 3, 0x0F16},  {"RLD", 4, 0x0000},
      {"NXT", 5, 0x0F12},  {"BOT", 6, 0x0F20},      {"FND", 7, 0x0040},  {"SVE", 8, 0x0F00},
      {"INS", 9, 0x0D00},  {"DEL", 10, 0x0642},     {"LST", 11, 0x0042}, {"NLS", 12, 0x00FF},
      {"BLS", 13, 0x0046}, {"TSL", 18, 0x00FF},     {"nxt", 5, 0x0F12},  {"NEXT", 5, 0x0F12},
      {"PREVIOUS", 3, 0x0F16}, {"BOTTOM", 6, 0x0F20},
      // Aliases are exact names: "next" is no command and prepares a blank record.
      {"next", 0, 0x00FF}, {"NEXTT", 0, 0x00FF}, {"", 0, 0x0F12},
  };
  for (const Case& c : cases) {
    ScratchScope scope;
    EXPECT_EQ(RecordCommandNumber(ValOf(c.name)), c.number) << c.name;
    EXPECT_EQ(RecordCommandCode(ValOf(c.name)), c.code) << c.name;
  }
}

TEST_F(CommandsTest, CommandsMoveThroughTheFile) {
  Catalogue();
  struct Step {
    const char* name;
    Status status;
    const char* code;  // the item in the buffer; "" for a blank record
  };
  const std::vector<Step> steps = {
      {"TOP", 0, "A1"},  {"NXT", 0, "B2"}, {"NEXT", 2, ""},   {"BOT", 0, "B2"},
      {"PRV", 0, "A1"},  {"PRV", 1, "A1"},  // before the first: the first is read again
      {"RLD", 0, "A1"},  {"FND", 0, "A1"}, {"SVE", 0, "A1"},  {"NEW", 3, ""},
      {"NEXTT", 3, ""},  {"TOP", 0, "A1"}, {"DEL", 0, "\x1b" "1"},  // the deleted mark
      {"TOP", 0, "B2"},
  };
  for (const Step& s : steps) {
    ScratchScope scope;
    EXPECT_EQ(RecordCommand(kItems, ValOf(s.name)), s.status) << s.name;
    EXPECT_EQ(Field(kItems, "CODE"), s.code) << s.name;
  }
  // DEL deleted the record for good, without relation updates or a new position.
  EXPECT_EQ(Find(kItems, Pad("A1", 10)), kNotFound);
}

}  // namespace
}  // namespace orv

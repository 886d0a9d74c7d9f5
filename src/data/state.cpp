// The data layer's state, its default hooks and DataReset.
#include "data/state.h"

#include "core/scratch.h"
#include "core/status.h"
#include "core/text.h"
#include "data/datafile.h"
#include "data/fields.h"

namespace orv {

DataState g_data;

namespace {

// Lines kept by the default log.
constexpr size_t kLogKeep = 256;

Status NoEvaluator(Val text) { return text.empty() ? 1 : kBadExpression; }

Status TextAsValue(Val text, Val* value, bool* numeric) {
  *value = text;
  *numeric = false;
  return kOk;
}

int16_t TableGet(uint16_t number) { return number < sysvar::kCount ? g_data.sys[number] : 0; }

Status TableSet(uint16_t number, int64_t value) {
  if (number >= sysvar::kCount) return kVarHandleError;
  if (value < INT16_MIN || value > INT16_MAX) return kExpCalcError;
  g_data.sys[number] = int16_t(value);
  return kOk;
}

Val NoOption(Val) { return Val(); }

void KeepLine(Val line) {
  if (g_data.log.size() >= kLogKeep) g_data.log.erase(g_data.log.begin());
  g_data.log.push_back(line.str());
}

void DefaultSystemVariables() {
  std::fill(std::begin(g_data.sys), std::end(g_data.sys), int16_t(0));
  g_data.sys[sysvar::kUpStat] = 1;
  g_data.sys[sysvar::kBYear] = 2000;
  g_data.sys[sysvar::kBKYear] = 80;
}

}  // namespace

DataHooks DataDefaultHooks() {
  return DataHooks{NoEvaluator, TextAsValue, TableGet, TableSet, NoOption, FieldFit, KeepLine};
}

DataState::DataState() : hooks(DataDefaultHooks()) { DefaultSystemVariables(); }
DataState::~DataState() = default;

void DataReset() {
  DataFilesDrop(0);
  DictClear();
  g_data.hooks = DataDefaultHooks();
  DefaultSystemVariables();
  g_data.log.clear();
  g_data.temp_names.clear();
  g_data.relup.clear();
  std::fill(std::begin(g_data.relup_of), std::end(g_data.relup_of), DataState::RelupSpan());
  g_data.filesets.clear();
  g_data.journal = nullptr;
}

int16_t DataSys(uint16_t number) { return g_data.hooks.sys_get(number); }
Status DataSysSet(uint16_t number, int64_t value) { return g_data.hooks.sys_set(number, value); }
void DataLog(Val line) { g_data.hooks.log(line); }

Status DataExecute(Val text) {
  ScratchScope scope;
  Val value;
  bool numeric = false;
  Status st = g_data.hooks.evaluate(text, &value, &numeric);
  return st >= kCancelled ? st : kOk;
}

}  // namespace orv

// The binding of the data layer and the expression language.
#include "data/exprbind.h"

#include "core/scratch.h"
#include "core/status.h"
#include "data/fields.h"
#include "data/state.h"
#include "expr/eval.h"
#include "expr/execute.h"
#include "expr/fixed.h"
#include "expr/numtext.h"
#include "expr/state.h"
#include "expr/sysvars.h"

namespace orv {

// The data layer addresses the system integers by the numbers of the variable store.
static_assert(sysvar::kAuxStat == kSysAuxStat && sysvar::kRelRes == kSysRelRes &&
              sysvar::kCurFil == kSysCurFil && sysvar::kLastKey == kSysLastKey &&
              sysvar::kSgn == kSysSgn && sysvar::kUpStat == kSysUpStat &&
              sysvar::kCompat == kSysCompat && sysvar::kScrStat == kSysScrStat &&
              sysvar::kBYear == kSysBYear && sysvar::kBKYear == kSysBKYear &&
              sysvar::kCount == kSysIntCount);

Status DataEvaluate(Val text, Val* value, bool* numeric) {
  *numeric = false;
  Status st = Evaluate(text);
  if (st >= kCancelled) {
    *value = Val();
    return st;
  }
  *numeric = st == kResultNumber;
  *value = *numeric ? NumberToText(NumberOf(ScratchTop()), g_expr.precis) : ScratchTop();
  return ValCheck(*value);
}

void DataBindExpression() {
  FieldHooksInstall({DataFieldResolve, DataFieldRead, DataFieldWrite});
  g_data.hooks.sys_get = SysGet;
  g_data.hooks.sys_set = SysSet;
  g_data.hooks.condition = EvalCondition;
  g_data.hooks.evaluate = DataEvaluate;
  DataLinkBind();
}

}  // namespace orv

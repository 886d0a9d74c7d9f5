// Throughput of the formatting layer: numeric and text masks, date texts, date arithmetic
// and sorted lists, each directly and through an expression. Prints one line per
// measurement.
#include <chrono>
#include <cstdio>

#include "core/runtime.h"
#include "core/scratch.h"
#include "expr/dates.h"
#include "expr/descriptor.h"
#include "expr/eval.h"
#include "expr/masks.h"
#include "expr/state.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs `body` n times and prints the time per run.
template <class Body>
void Measure(const char* what, int n, Body body) {
  auto t0 = Clock::now();
  for (int i = 0; i < n; ++i) {
    orv::ScratchScope scope;
    body(i);
  }
  double ns = std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / n;
  printf("%-44s %8.0f ns\n", what, ns);
}

}  // namespace

int main() {
  using namespace orv;
  RuntimeSizes(512, 0, kDefaultBlockCapacity);
  if (RuntimeInit() || ExprInit()) return 2;
  ExprSetToday("20240601"_v);
  const FormatDescriptor& dsc = DescriptorCurrent();
  constexpr int n = 200000;
  Measure("numeric mask ###,##0.00 of 1234.5", n,
          [&](int) { NumericMask("###,##0.00"_v, "1234.5"_v, dsc); });
  Measure("numeric mask that gives up decimals", n,
          [&](int) { NumericMask("###,##0.00"_v, "12345678.916"_v, dsc); });
  Measure("text mask \\\\-\\\\", n, [&](int) { TextMask("\\\\-\\\\"_v, "12345"_v); });
  Measure("date text, style 4", n, [&](int) { DateToText("20240305"_v, 4); });
  Measure("text to date 31/12/99", n, [&](int) { TextToDate("12/31/99"_v); });
  Measure("date plus 13 months", n, [&](int i) {
    int64_t out;
    DateCalc(DatePartsOf("20240131"_v), 'M', true, 13 + i % 7, &out);
  });
  Measure("FN$MASK('###,##0.00';1234.5) evaluated", n,
          [&](int) { Evaluate("FN$MASK('###,##0.00';1234.5)"_v); });
  Measure("FN#VALN('20250101';'D';'20240101') evaluated", n,
          [&](int) { Evaluate("FN#VALN('20250101';'D';'20240101')"_v); });
  Measure("SORT$ of 20 items evaluated", n / 10, [&](int) {
    Evaluate("SORT$('t,q,b,x,a,m,c,z,k,e,r,y,f,o,h,w,g,s,d,u')"_v);
  });
  ExprShutdown();
  RuntimeFreeAll();
  return 0;
}

// How long composing a statement takes: the worked lookup, and every member
// of the two builders on the stand-in host.
#include <benchmark/benchmark.h>

#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/standin.h"

using namespace veldrane;

namespace {

void operatori(benchmark::State& state) {
  auto host = std::make_shared<standin::host_platform>(nullptr);
  lookup lk(host);
  std::vector<value> args{value::missing()};
  for (auto _ : state) {
    invoke_by_ref(lookup::info(), lk, "Operatori", member_kind::method, args);
    benchmark::DoNotOptimize(lk.stringa_sql);
  }
}
BENCHMARK(operatori);

// Every method once per iteration, with its required arguments given.
template <class C>
void every_member(benchmark::State& state) {
  auto host = std::make_shared<standin::host_platform>(standin::default_profile());
  C obj(host);
  obj.set_active_interface(host->active_interface());
  std::vector<std::pair<std::string_view, std::vector<value>>> calls;
  for (const auto& m : C::info().members) {
    if (m.kind != member_kind::method) continue;
    std::vector<value> args;
    for (const auto& p : m.parameters())
      args.push_back(p.optional ? value::missing() : p.type == param_type::variant ? value(std::int32_t{1}) : value("1"));
    calls.emplace_back(m.name, std::move(args));
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (auto& [name, args] : calls) {
      std::vector<value> a = args;
      try {
        invoke_by_ref(C::info(), obj, name, member_kind::method, a);
      } catch (const automation_error&) {
      }
      if (obj.stringa_sql.is_string()) bytes += obj.stringa_sql.as_string().size();
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["members"] = static_cast<double>(calls.size());
}
BENCHMARK(every_member<lookup>);
BENCHMARK(every_member<decode>);

}  // namespace

BENCHMARK_MAIN();

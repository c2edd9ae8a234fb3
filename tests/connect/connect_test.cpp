#include <gtest/gtest.h>

#include "connect/connect.h"
#include "standin/scenario.h"
#include "standin/standin.h"
#include "support/automation_assert.h"

using namespace veldrane;
using standin::json;

namespace {

json run(const json& scenario) {
  json s = scenario;
  s["class"] = "CLSMG_CONNECT";
  return standin::run_scenario(s);
}

TEST(connect_member_table_test, interface_shape) {
  const auto& ci = connect::info();
  ASSERT_EQ(ci.members.size(), 207u);
  EXPECT_EQ(ci.members[0].name, "ActiveInterface");
  EXPECT_EQ(ci.members[21].name, "AskDitta");
  EXPECT_EQ(ci.members[21].dispid(), 0x4003000A);
  EXPECT_EQ(find_member(ci, "TransferData", member_kind::method)->dispid(), 0x60030002);
  EXPECT_EQ(find_member(ci, "StampaFamSfaGruSgr", member_kind::method)->dispid(), 0x60030082);
  EXPECT_EQ(find_member(ci, "FormClose", member_kind::method)->dispid(), 0x6003008D);
  EXPECT_EQ(find_member(ci, "TrasformazioneDocumentiExt", member_kind::method)->dispid(), 0x6003010A);
  EXPECT_EQ(find_member(ci, "Flag_AperturaAutomatica", member_kind::let)->dispid(), 0x400300D4);
  EXPECT_TRUE(find_member(ci, "Agenti", member_kind::method)->hidden);
  EXPECT_TRUE(find_member(ci, "TipologiaAgente", member_kind::method)->hidden);
  EXPECT_EQ(find_member(ci, "InterrogazioneUltimiPrezziRitroso", member_kind::method)->param_count, 18);
  // Past the fields, dispatch numbers grow along the interface order.
  for (std::size_t i = 23; i < ci.members.size(); ++i)
    EXPECT_GE(ci.members[i].dispid() & 0xFFFF, ci.members[i - 1].dispid() & 0xFFFF) << ci.members[i].name;
  EXPECT_EQ(called_programs().size(), 141u);
  EXPECT_EQ(called_programs().back().name, "vxTrasformazioneDocumentiExt");
  EXPECT_EQ(called_programs().back().number, 432);
}

// A sibling kept by the facade, seen from inside the process.
struct facade {
  std::shared_ptr<standin::host_platform> host = std::make_shared<standin::host_platform>(nullptr);
  std::shared_ptr<connect> c = std::make_shared<connect>(host);
  bool call(std::string_view member, std::vector<value> args = {}) {
    return invoke(connect::info(), *c, member, member_kind::method, std::move(args)).as_bool();
  }
};

TEST(connect_sibling_test, modal_requests_release_the_sibling_non_modal_ones_keep_it) {
  facade f;
  EXPECT_TRUE(f.call("Operatori"));
  EXPECT_EQ(f.c->sibling(), nullptr);

  f.c->window_modal = false;
  EXPECT_TRUE(f.call("Operatori"));
  object_ptr first = f.c->sibling();
  ASSERT_NE(first, nullptr);
  // The sibling was handed the facade itself.
  EXPECT_EQ(first->call("ClsConnect", object::call_kind::get, {}).as_object(), f.c);
  EXPECT_TRUE(f.call("Porto"));
  EXPECT_EQ(f.c->sibling(), first);

  invoke(connect::info(), *f.c, "TerminateConnect", member_kind::method, {});
  EXPECT_EQ(f.c->sibling(), nullptr);
  EXPECT_TRUE(first->call("ClsConnect", object::call_kind::get, {}).is_nothing());
  EXPECT_TRUE(f.call("Porto"));
  EXPECT_NE(f.c->sibling(), first);
  f.c->terminate_connect();
  f.c->terminate_connect();  // without a sibling: nothing happens, nothing shown
  EXPECT_TRUE(f.host->messages().empty());
}

TEST(connect_sibling_test, a_sibling_already_bound_keeps_its_back_reference) {
  facade f;
  f.c->window_modal = false;
  f.call("Operatori");
  value other{object_ptr(std::make_shared<object>())};
  f.c->sibling()->call("ClsConnect", object::call_kind::set, {&other});
  f.call("Porto");
  EXPECT_EQ(f.c->sibling()->call("ClsConnect", object::call_kind::get, {}), other);
  f.c->terminate_connect();
}

struct cancelling_sink final : connect_events {
  std::vector<std::int32_t> closed;
  void data_transfer(bool& cancel, const value&, std::int32_t) override { cancel = true; }
  void close_form(std::int32_t p) override { closed.push_back(p); }
};

TEST(connect_callbacks_test, events_or_the_bound_control) {
  facade f;
  auto sink = std::make_shared<cancelling_sink>();
  f.c->advise(sink);
  // Through the member table, as a client calls them.
  std::vector<value> args{value(false), value("x"), value(std::int32_t{12})};
  invoke_by_ref(connect::info(), *f.c, "TransferData", member_kind::method, args);
  EXPECT_EQ(args[0], value(true));  // the handler's change reaches the caller
  invoke(connect::info(), *f.c, "FormClose", member_kind::method, {value(std::int32_t{12})});
  EXPECT_EQ(sink->closed, std::vector<std::int32_t>{12});
}

TEST(connect_lifecycle_test, trace_and_defaults) {
  json r = run({{"calls", {{{"member", "WindowModal"}}}}});
  EXPECT_EQ(r["calls"][0]["return"], true);
  const json& p = r["calls"][0]["properties"];
  EXPECT_EQ(p["ProgramMode"], 2);
  EXPECT_EQ(p["ShowMethod"], true);
  EXPECT_EQ(p["RichiestaDitta"], false);
  ASSERT_EQ(r["trace"].size(), 2u);
  EXPECT_EQ(r["trace"][1].get<std::string>().substr(38), "|TER|VELDRANE|CLSMG_CONNECT");
}

}  // namespace

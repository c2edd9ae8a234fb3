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

TEST(connect_forward_test, conversions_reach_the_sibling) {
  json r = run({{"calls",
                 {{{"member", "Operatori"}},
                  {{"member", "Operatori"}, {"args", {nullptr}}},
                  {{"member", "MacroAree"}},
                  {{"member", "AgentiByID"}, {"args", {"12"}}},
                  {{"member", "StampaPorto"}},
                  {{"member", "ElencoCliXGiri"}, {"args", {"G1  "}}},
                  {{"member", "Documenti"}, {"args", {"D  ", json{{"$empty", true}}}}},
                  {{"member", "RiferimentiGraficiEXT"}, {"args", {1, "H", "R-1"}}}}}});
  EXPECT_EQ(r["sibling"], json::parse(R"([
    {"member": "Operatori", "args": [""]},
    {"member": "Operatori", "args": [""]},
    {"member": "MacroAree", "args": [{"$decimal": "0"}, ""]},
    {"member": "AgentiByID", "args": [{"$decimal": "12"}]},
    {"member": "StampaPorto", "args": []},
    {"member": "ElencoClientiXGiri", "args": ["G1  "]},
    {"member": "Documenti", "args": ["D  ", {"$empty": true}]},
    {"member": "RiferimentiGraficiEXT", "args": [1, "H", "R-1", {"$integer": 0}, {"$integer": 0}, false]}])"));
  for (const json& c : r["calls"]) EXPECT_EQ(c["return"], true) << c["member"];
  EXPECT_TRUE(r["messages"].empty());
}

TEST(connect_forward_test, calendar_is_the_extended_calendar_without_a_deposit) {
  json r = run({{"calls",
                 {{{"member", "CalendarioDisponibilita"}, {"args", {"A", "O", "D1", "D2"}}},
                  {{"member", "CalendarioDisponibilitaEXT"}, {"args", {"A", "O", "D1", "D2", ""}}}}}});
  ASSERT_EQ(r["sibling"].size(), 2u);
  EXPECT_EQ(r["sibling"][0], r["sibling"][1]);
  EXPECT_EQ(r["sibling"][0]["member"], "CalendarioDisponibilitaEXT");
}

TEST(connect_forward_test, failures_show_the_message_box_and_answer_false) {
  json absent = run({{"host", {{"sibling", {{"absent", true}}}}}, {"calls", {{{"member", "Vettori"}}}}});
  EXPECT_EQ(absent["calls"][0]["return"], false);
  EXPECT_TRUE(absent["calls"][0]["error"].is_null());  // nothing reaches the caller
  EXPECT_EQ(absent["messages"], json::parse(R"([
    "Errore n° :429 ActiveX component can't create object\rIn : VELDRANE\rFunzione : IstanziaClasseConnect",
    "Errore n° :91 Object variable or With block variable not set\rIn : VELDRANE\rFunzione : Vettori"])"));

  // A failed call keeps the sibling although the window is modal: the next
  // request reuses it, then lets it go.
  json failing = run({{"host", {{"sibling", {{"fail", {"Vettori"}}}}}},
                      {"calls", {{{"member", "Vettori"}, {"args", {"V"}}}, {{"member", "Porto"}}}}});
  EXPECT_EQ(failing["calls"][0]["return"], false);
  EXPECT_EQ(failing["calls"][1]["return"], true);
  ASSERT_EQ(failing["messages"].size(), 1u);
  const std::string box = failing["messages"][0];
  EXPECT_EQ(std::count(box.begin(), box.end(), '\r'), 2);
  EXPECT_EQ(box.find('\n'), std::string::npos);
  EXPECT_EQ(box.rfind("Errore n° :-2147220991 Stand-in sibling: Vettori failed", 0), 0u) << box;

  json mismatch = run({{"calls", {{{"member", "MacroAree"}, {"args", {"abc"}}}}}});
  EXPECT_EQ(mismatch["calls"][0]["return"], false);
  EXPECT_TRUE(mismatch["sibling"].empty());  // the conversion failed before the call
  EXPECT_EQ(mismatch["messages"][0], "Errore n° :13 Type mismatch\rIn : VELDRANE\rFunzione : MacroAree");
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

  f.c->terminate_connect();
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
  bool cancel = false;
  f.c->transfer_data(cancel, value("x"), 12);
  EXPECT_TRUE(cancel);  // the handler's change reaches the caller
  f.c->form_close(12);
  EXPECT_EQ(sink->closed, std::vector<std::int32_t>{12});

  // With a bound control the data goes to its Text and no event is raised.
  json r = run({{"set", {{"ConnectField", {{"$object", "Campo"}}}}},
                {"calls",
                 {{{"member", "TransferData"}, {"args", {false, "scalar", 1}}},
                  {{"member", "TransferData"}, {"args", {false, {{"$array", {"first", "second"}}, {"$lbound", {0}}}, 1}}},
                  {{"member", "TransferData"}, {"args", {false, {{"$array", {"one"}}, {"$lbound", {1}}}, 1}}}}}});
  EXPECT_EQ(r["objects"], json::parse(R"([
    {"object": "Campo", "member": "Text", "kind": "let", "args": ["scalar"]},
    {"object": "Campo", "member": "Text", "kind": "let", "args": ["first"]}])"));
  EXPECT_TRUE(r["events"].empty());
  EXPECT_EQ(r["messages"], json::parse(R"(["Errore n° :9 Subscript out of range\rIn : VELDRANE\rFunzione : TransferData"])"));
}

TEST(connect_byref_test, what_reaches_the_caller) {
  json r = run({{"host", {{"sibling", {{"set", {{"ConfiguraVariantiArticolo", {{"0", "NEW"}}},
                                                {"Documenti", {{"0", "CHANGED"}}},
                                                {"TrasformazioneDocumenti", {{"9", true}}}}}}}}},
                {"calls",
                 {{{"member", "ConfiguraVariantiArticolo"}, {"args", {"OLD"}}},
                  {{"member", "Documenti"}, {"args", {"D"}}},
                  {{"member", "TrasformazioneDocumenti"}}}}});
  EXPECT_EQ(r["calls"][0]["byref"]["TipoVarArt"], "NEW");
  EXPECT_FALSE(r["calls"][1].contains("byref"));
  EXPECT_EQ(r["calls"][2]["properties"]["Flag_AperturaAutomatica"], true);
  EXPECT_EQ(r["sibling"][2]["args"].size(), 10u);
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

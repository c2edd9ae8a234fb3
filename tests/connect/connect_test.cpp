#include <gtest/gtest.h>

#include "connect/connect.h"
#include "standin/standin.h"
#include "support/automation_assert.h"

using namespace veldrane;
using standin::json;

namespace {

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
  const object_ptr first = f.c->sibling();
  ASSERT_NE(first, nullptr);
  // The sibling was handed the facade itself.
  EXPECT_EQ(first->call("ClsConnect", member_kind::get, {}).as_object(), f.c);
  EXPECT_TRUE(f.call("Porto"));
  EXPECT_EQ(f.c->sibling(), first);

  invoke(connect::info(), *f.c, "TerminateConnect", member_kind::method, {});
  EXPECT_EQ(f.c->sibling(), nullptr);
  EXPECT_TRUE(first->call("ClsConnect", member_kind::get, {}).is_nothing());
  EXPECT_TRUE(f.call("Porto"));
  EXPECT_NE(f.c->sibling(), first);
  f.c->terminate_connect();
  f.c->terminate_connect();  // without a sibling: nothing happens, nothing shown
  EXPECT_TRUE(f.host->messages().empty());
  // A sibling already bound to another facade keeps its back reference.
  f.call("Operatori");
  value other{object_ptr(std::make_shared<object>())};
  f.c->sibling()->call("ClsConnect", member_kind::set, {&other});
  f.call("Porto");
  EXPECT_EQ(f.c->sibling()->call("ClsConnect", member_kind::get, {}), other);
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
  // Late-bound, as an opened program calls back through ClsConnect: the
  // handler's change of Cancel reaches the caller's variable; the program,
  // by value, stays as the caller gave it.
  value cancel(false), data("x"), program("12");
  f.c->call("TransferData", member_kind::method, {&cancel, &data, &program});
  EXPECT_EQ(cancel, value(true));
  EXPECT_EQ(program, value("12"));
  invoke(connect::info(), *f.c, "FormClose", member_kind::method, {value(std::int32_t{12})});
  EXPECT_EQ(sink->closed, std::vector<std::int32_t>{12});
}

// Late-bound: only a by-reference argument that is present takes what the
// member left; a by-value one (bound to its default inside) and a missing
// one (no variable at all) do not.
TEST(connect_late_bound_test, writes_back_only_into_present_by_reference_arguments) {
  auto host = std::make_shared<standin::host_platform>(
      json{{"sibling", {{"set", {{"ConfiguraVariantiArticolo", {{"0", "V2"}}}}}}}});
  auto c = std::make_shared<connect>(host);
  value tipo("V1"), variante = value::missing();
  EXPECT_EQ(c->call("ConfiguraVariantiArticolo", member_kind::method, {&tipo, &variante, nullptr}), value(true));
  EXPECT_EQ(tipo, value("V2"));
  EXPECT_TRUE(variante.is_missing());
  EXPECT_EQ(c->call("LogTrasformazione", member_kind::method, {nullptr}), value(true));  // no variable to write
  // Properties by kind.
  value three(std::int32_t{3});
  c->call("ProgramMode", member_kind::let, {&three});
  EXPECT_EQ(c->call("ProgramMode", member_kind::get, {}), three);
  value control{object_ptr(std::make_shared<object>())};
  c->call("ConnectField", member_kind::set, {&control});
  EXPECT_EQ(c->connect_field, control.as_object());
}

// What a catch shows: a handler that fails in CloseForm, a sibling that
// refuses to drop its back reference in TerminateConnect.
TEST(connect_callbacks_test, failures_show_the_message_box_of_their_member) {
  struct failing_sink final : connect_events {
    void data_transfer(bool&, const value&, std::int32_t) override {}
    void close_form(std::int32_t) override { raise(err::object_not_set, "Sink"); }
  };
  struct clinging_sibling final : object {
    value call(std::string_view, member_kind kind, std::vector<value*> args) override {
      if (kind == member_kind::set && args[0]->is_nothing()) raise(err::action_not_supported, "Sibling");
      return {};
    }
  };
  struct sibling_platform final : platform {
    std::vector<std::string> boxes;
    object_ptr create_object(std::string_view) override { return std::make_shared<clinging_sibling>(); }
    void message_box(std::string_view prompt, int) override { boxes.emplace_back(prompt); }
  };
  auto p = std::make_shared<sibling_platform>();
  auto c = std::make_shared<connect>(p);
  c->advise(std::make_shared<failing_sink>());
  c->form_close(3);
  c->window_modal = false;
  EXPECT_TRUE(c->forward("Porto", {}));
  c->terminate_connect();
  ASSERT_EQ(p->boxes.size(), 2u);
  EXPECT_TRUE(p->boxes[0].ends_with("Funzione : FormClose")) << p->boxes[0];
  EXPECT_TRUE(p->boxes[1].ends_with("Funzione : TerminateConnect")) << p->boxes[1];
}

}  // namespace

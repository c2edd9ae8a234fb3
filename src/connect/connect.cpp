#include "connect/connect.h"

#include "convert/converters.h"

namespace veldrane {

namespace {
constexpr std::string_view kClsConnect = "ClsConnect";
}

std::string error_prompt(const automation_error& e, std::string_view function) {
  std::string p = "Errore n° :";
  p += std::to_string(e.number());
  p += ' ';
  p += e.description();
  p += '\r';
  p += "In : ";
  p += e.source();
  p += '\r';
  p += "Funzione : ";
  p += function;
  return p;
}

connect::connect(std::shared_ptr<platform> p) : component(std::move(p), "CLSMG_CONNECT") {
  write_trace("INI");
  // The public fields start at their declared defaults.
}

connect::~connect() {
  write_trace("TER");
  // Releasing the sibling does not clear its ClsConnect: that is what
  // TerminateConnect is for.
  sibling_.reset();
  connect_field.reset();
  active_.reset();
}

void connect::advise(std::shared_ptr<connect_events> sink) { sinks_.push_back(std::move(sink)); }

void connect::show_error(const automation_error& e, std::string_view function) {
  system().message_box(error_prompt(e, function), 16);  // critical stop, OK only
}

void connect::ensure_sibling() {
  try {
    if (!sibling_) sibling_ = system().create_object(kSiblingProgId);
    // The back reference is set only when the sibling has none; one that is
    // already set is left alone.
    value current = sibling_->call(kClsConnect, member_kind::get, {});
    if (current.is_nothing()) {
      value self{object_ptr(shared_from_this())};
      sibling_->call(kClsConnect, member_kind::set, {&self});
    }
  } catch (const automation_error& e) {
    show_error(e, "IstanziaClasseConnect");
    sibling_.reset();
  }
}

bool connect::forward(std::string_view member, std::span<value> args, const forward_plan& plan) {
  try {
    ensure_sibling();
    const member_info<connect>* m = find_member(info(), member, member_kind::method);
    const auto params = m ? m->parameters() : std::span<const param_info>{};
    // Converted values and the facade's own copies go by reference to
    // locals, so what the sibling does to them stays here; the caller's
    // by-reference parameters go as the caller's variables.
    std::vector<value> locals(args.size());
    std::vector<value*> handed;
    for (std::size_t i = 0; i < args.size(); ++i) {
      const conversion conv = i < params.size() ? params[i].convert : conversion::none;
      const bool by_ref = i < params.size() && params[i].by_ref;
      switch (conv) {
        case conversion::text: locals[i] = value(TextOrEmpty(args[i])); break;
        case conversion::decimal: locals[i] = DecimalOrZero(args[i]); break;
        case conversion::none:
          if (by_ref && !plan.references_as_values) {
            handed.push_back(&args[i]);
            continue;
          }
          locals[i] = args[i];
          break;
      }
      handed.push_back(&locals[i]);
    }
    if (plan.extra) handed.push_back(plan.extra);
    if (!sibling_) raise(err::object_not_set, kComponentSource);
    sibling_->call(plan.sibling_member.empty() ? member : plan.sibling_member, member_kind::method, handed);
    if (window_modal) sibling_.reset();
    return true;
  } catch (const automation_error& e) {
    // The sibling is kept after a failure, modal or not.
    show_error(e, member);
    return false;
  }
}

void connect::transfer_data(bool& cancel, const value& data, std::int32_t called_program) {
  try {
    value local = data;
    if (!connect_field) {
      // A handler may advise another sink while it runs: walk a copy.
      auto sinks = sinks_;
      for (const auto& s : sinks) s->data_transfer(cancel, local, called_program);
      return;
    }
    // An array hands on its element 0, whatever its lower bound.
    value text = local.is_array() ? local.as_array().at({0}) : local;
    connect_field->call("Text", member_kind::let, {&text});
  } catch (const automation_error& e) {
    show_error(e, "TransferData");
  }
}

void connect::form_close(std::int32_t called_program) {
  try {
    auto sinks = sinks_;
    for (const auto& s : sinks) s->close_form(called_program);
  } catch (const automation_error& e) {
    show_error(e, "FormClose");
  }
}

void connect::terminate_connect() {
  try {
    if (!sibling_) return;
    value nothing = value::nothing();
    sibling_->call(kClsConnect, member_kind::set, {&nothing});
    sibling_.reset();
  } catch (const automation_error& e) {
    show_error(e, "TerminateConnect");
  }
}

value connect::call(std::string_view member, member_kind k, std::vector<value*> args) {
  std::vector<value> values;
  values.reserve(args.size());
  for (value* a : args) values.push_back(a ? *a : value::missing());
  value result = invoke_by_ref(info(), *this, member, k, values);
  // What the member left in its by-reference parameters reaches the caller.
  if (const member_info<connect>* m = find_member(info(), member, k)) {
    for (std::size_t i = 0; i < args.size() && i < m->param_count; ++i)
      if (m->params[i].by_ref && args[i]) *args[i] = values[i];
  }
  return result;
}

}  // namespace veldrane

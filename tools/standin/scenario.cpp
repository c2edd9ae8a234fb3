#include "standin/scenario.h"

#include "connect/connect.h"
#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/json_value.h"
#include "standin/standin.h"

namespace veldrane::standin {


json resolve_host(const json& host) {
  if (host.is_null()) return nullptr;
  if (host.is_string()) {
    if (host.get<std::string>() == "default") return default_profile();
    throw scenario_error("unknown host profile \"" + host.get<std::string>() + "\" (use null, \"default\" or an object)");
  }
  if (!host.is_object()) throw scenario_error("\"host\" must be null, \"default\" or a profile object");
  return host;
}

namespace {

json error_json(const automation_error& e) {
  return {{"number", e.number()}, {"description", e.description()}, {"source", e.source()}};
}

// Records the connector's events as a client's handler would see them.
class event_recorder final : public connect_events {
 public:
  json events = json::array();
  void data_transfer(bool& cancel, const value& data, std::int32_t called_program) override {
    events.push_back({{"event", "DataTransfer"}, {"args", {cancel, to_json(data), called_program}}});
  }
  void close_form(std::int32_t called_program) override {
    events.push_back({{"event", "CloseForm"}, {"args", {called_program}}});
  }
};

template <class C>
class runner {
 public:
  runner(const class_info<C>& ci, C& obj, host_platform& host) : ci_(ci), obj_(obj), host_(host) {}

  // The readable properties whose value is not an object.
  json properties() {
    json out = json::object();
    for (const auto& m : ci_.members) {
      if (m.kind != member_kind::get || m.returns == param_type::object) continue;
      try {
        out[std::string(m.name)] = to_json(m.entry(obj_, {}));
      } catch (const automation_error& e) {
        out[std::string(m.name)] = {{"$error", error_json(e)}};
      }
    }
    return out;
  }

  value read_value(const json& j, const std::string& where) {
    try {
      return from_json(j, [this](const std::string& name) { return host_.make_object(name); });
    } catch (const bad_value& e) {
      throw scenario_error(where + ": " + e.what());
    }
  }

  void set(const std::string& name, const json& j) {
    value v = read_value(j, "set " + name);
    member_kind kind = v.is_object() ? member_kind::set : member_kind::let;
    const member_info<C>* m = find_member(ci_, name, kind);
    if (!m) throw scenario_error("set: " + std::string(ci_.name) + " has no property " + name);
    try {
      invoke(ci_, obj_, name, kind, {std::move(v)});
    } catch (const automation_error& e) {
      const param_type t = m->param_count ? m->params[0].type : param_type::variant;
      const char* expected = t == param_type::long_     ? "a Long (an integer)"
                             : t == param_type::boolean ? "a Boolean (true or false)"
                             : t == param_type::object  ? "an object"
                                                        : "a value the property accepts";
      throw scenario_error("set " + name + ": " + e.description() + " (" + std::to_string(e.number()) + "); expected " +
                           expected);
    }
  }

  json call(const json& c) {
    if (!c.is_object() || !c.contains("member") || !c["member"].is_string())
      throw scenario_error("\"calls\": each call is an object with a \"member\" name, got " + c.dump());
    const std::string name = c["member"].get<std::string>();
    std::vector<value> args;
    if (c.contains("args")) {
      if (!c["args"].is_array()) throw scenario_error(name + ": \"args\" must be a list, got " + c["args"].dump());
      for (const json& a : c["args"])
        args.push_back(read_value(a, name + ", argument " + std::to_string(args.size() + 1)));
    }
    json result = {{"member", name}, {"error", nullptr}};
    // A property name reads the property, or assigns it when given a value.
    member_kind kind = member_kind::method;
    if (!find_member(ci_, name, member_kind::method) && has_member(ci_, name)) {
      kind = args.empty() ? member_kind::get : (args[0].is_object() ? member_kind::set : member_kind::let);
    }
    const member_info<C>* m = find_member(ci_, name, kind);
    try {
      value ret = invoke_by_ref(ci_, obj_, name, kind, args);
      if (m && m->returns != param_type::none) result["return"] = to_json(ret);
      // What the member left in its by-reference parameters.
      json refs = json::object();
      for (std::size_t i = 0; m && i < m->param_count && i < args.size(); ++i)
        if (m->params[i].by_ref) refs[std::string(m->params[i].name)] = to_json(args[i]);
      if (!refs.empty()) result["byref"] = refs;
    } catch (const automation_error& e) {
      result["error"] = error_json(e);
    }
    result["properties"] = properties();
    return result;
  }

 private:
  const class_info<C>& ci_;
  C& obj_;
  host_platform& host_;
};

// Creates the object, sets its properties, runs the calls and releases the
// object (which then writes its last trace line).
template <class C>
json run_on(const json& scenario, const std::shared_ptr<host_platform>& host, json& result) {
  json calls = json::array();
  // Whatever way this ends, a sibling still holding the facade lets it go,
  // as at the end of its process; declared first, it runs after the object
  // is released.
  struct release_siblings_at_exit {
    host_platform& h;
    ~release_siblings_at_exit() { h.release_siblings(); }
  } release{*host};
  auto obj = std::make_shared<C>(host);
  std::shared_ptr<event_recorder> events;
  if constexpr (std::is_same_v<C, connect>) {
    events = std::make_shared<event_recorder>();
    obj->advise(events);
  }
  if (auto ai = host->active_interface()) obj->set_active_interface(ai);
  runner<C> r(C::info(), *obj, *host);
  if (scenario.contains("set")) {
    if (!scenario["set"].is_object()) throw scenario_error("\"set\": expected an object of property: value");
    for (const auto& [name, v] : scenario["set"].items()) r.set(name, v);
  }
  if (scenario.contains("calls")) {
    if (!scenario["calls"].is_array()) throw scenario_error("\"calls\": expected a list of calls");
    for (const json& c : scenario["calls"]) calls.push_back(r.call(c));
  }
  obj.reset();
  // A sibling still holding the facade lets it go, as at the end of its
  // process.
  host->release_siblings();
  if (events) result["events"] = events->events;
  return calls;
}

}  // namespace

json run_scenario(const json& scenario) {
  if (!scenario.is_object()) throw scenario_error("a scenario: expected a JSON object with \"class\", \"host\", \"set\" and \"calls\"");
  if (scenario.contains("class") && !scenario["class"].is_string())
    throw scenario_error("\"class\": expected CLSMG_LOOKUP, CLSMG_DECODE or CLSMG_CONNECT, got " +
                         scenario["class"].dump());
  const std::string cls = scenario.value("class", std::string("CLSMG_LOOKUP"));
  if (cls != "CLSMG_LOOKUP" && cls != "CLSMG_DECODE" && cls != "CLSMG_CONNECT")
    throw scenario_error("unknown class " + cls + " (use CLSMG_LOOKUP, CLSMG_DECODE or CLSMG_CONNECT)");

  json profile = resolve_host(scenario.contains("host") ? scenario["host"] : json());
  std::shared_ptr<host_platform> host;
  try {
    host = std::make_shared<host_platform>(profile);
  } catch (const std::exception& e) {
    throw scenario_error(std::string("host profile: ") + e.what());
  }
  json result = json::object();
  json extra = json::object();
  json calls = cls == "CLSMG_DECODE"    ? run_on<decode>(scenario, host, extra)
               : cls == "CLSMG_CONNECT" ? run_on<connect>(scenario, host, extra)
                                        : run_on<lookup>(scenario, host, extra);
  result["calls"] = calls;
  result["trace"] = host->trace_lines();
  result["messages"] = host->messages();
  result["sibling"] = host->sibling_calls();
  if (extra.contains("events")) result["events"] = extra["events"];
  if (!host->object_calls().empty()) result["objects"] = host->object_calls();
  // On request, what the host's objects were asked and every statement run
  // on its connection.
  if (scenario.contains("log") && scenario["log"] == true) {
    result["host_log"] = host->host_log();
    result["executed"] = host->executed();
  }
  return result;
}

}  // namespace veldrane::standin

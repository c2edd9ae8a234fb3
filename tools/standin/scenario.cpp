#include "standin/scenario.h"

#include <algorithm>

#include "connect/connect.h"
#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/json_value.h"
#include "standin/standin.h"

namespace veldrane::standin {

namespace {

// The keys of a scenario and of one of its calls. Anything else is refused
// rather than ignored: a misspelt key would quietly run another scenario.
constexpr std::string_view kScenarioKeys[] = {"class", "host", "set", "log", "calls"};
constexpr std::string_view kCallKeys[] = {"member", "args"};

template <std::size_t N>
void check_keys(const json& object, const std::string_view (&known)[N], const std::string& where) {
  for (const auto& [key, v] : object.items()) {
    if (std::find(std::begin(known), std::end(known), key) != std::end(known)) continue;
    std::string list;
    for (auto k : known) list += (list.empty() ? "" : ", ") + std::string(k);
    throw scenario_error(where + "unknown key \"" + key + "\" (known keys: " + list + ")");
  }
}

// The calls' shapes, all before the first runs: a scenario is refused as a
// whole or run as a whole.
void check_calls(const json& calls) {
  if (!calls.is_array()) throw scenario_error("\"calls\": expected a list of calls, got " + calls.dump());
  std::size_t number = 0;
  for (const json& c : calls) {
    const std::string where = "\"calls\", call " + std::to_string(++number) + ": ";
    if (!c.is_object() || !c.contains("member") || !c["member"].is_string())
      throw scenario_error(where + "expected an object with a \"member\" name, got " + c.dump());
    check_keys(c, kCallKeys, where);
    if (c.contains("args") && !c["args"].is_array())
      throw scenario_error(where + "\"args\": expected a list, got " + c["args"].dump());
  }
}

}  // namespace

std::optional<guid> parse_instance_id(std::string_view text) {
  if (text.size() != 32) return std::nullopt;
  std::uint8_t digits[32];
  for (std::size_t i = 0; i < 32; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') digits[i] = static_cast<std::uint8_t>(c - '0');
    else if (c >= 'A' && c <= 'F') digits[i] = static_cast<std::uint8_t>(c - 'A' + 10);
    else if (c >= 'a' && c <= 'f') digits[i] = static_cast<std::uint8_t>(c - 'a' + 10);
    else return std::nullopt;
  }
  auto take = [&](std::size_t from, std::size_t count) {
    std::uint32_t v = 0;
    for (std::size_t i = from; i < from + count; ++i) v = v << 4 | digits[i];
    return v;
  };
  guid g;
  g.data1 = take(0, 8);
  g.data2 = static_cast<std::uint16_t>(take(8, 4));
  g.data3 = static_cast<std::uint16_t>(take(12, 4));
  for (std::size_t b = 0; b < 8; ++b) g.data4[b] = static_cast<std::uint8_t>(take(16 + 2 * b, 2));
  return g;
}

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

  // A call whose shape check_calls accepted.
  json call(const json& c) {
    const std::string name = c["member"].get<std::string>();
    std::vector<value> args;
    if (c.contains("args")) {
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
  for (const json& c : scenario["calls"]) calls.push_back(r.call(c));
  obj.reset();
  // A sibling still holding the facade lets it go, as at the end of its
  // process.
  host->release_siblings();
  if (events) result["events"] = events->events;
  return calls;
}

}  // namespace

json run_scenario(const json& scenario, const run_options& options) {
  if (!scenario.is_object()) throw scenario_error("a scenario: expected a JSON object with \"class\", \"host\", \"set\" and \"calls\"");
  check_keys(scenario, kScenarioKeys, "");
  if (scenario.contains("log") && !scenario["log"].is_boolean())
    throw scenario_error("\"log\": expected true or false, got " + scenario["log"].dump());
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
  // An empty object is a mistake (an empty file, the wrong file), not a
  // request to run nothing: the calls are always said, [] included. They
  // are all checked before the first runs.
  if (!scenario.contains("calls"))
    throw scenario_error("a scenario needs \"calls\": a list of calls ([] only creates and releases the object)");
  check_calls(scenario["calls"]);
  if (options.instance) host->guid_source = [g = *options.instance](guid& out) {
    out = g;
    return true;
  };
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
  if (scenario.value("log", false)) {
    result["host_log"] = host->host_log();
    result["executed"] = host->executed();
  }
  return result;
}

}  // namespace veldrane::standin

#include "standin/scenario.h"

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

std::vector<value> read_args(const json& call) {
  std::vector<value> args;
  if (!call.contains("args")) return args;
  if (!call["args"].is_array()) throw scenario_error("\"args\" must be a list");
  for (const json& a : call["args"]) {
    try {
      args.push_back(from_json(a));
    } catch (const bad_value& e) {
      throw scenario_error(std::string("bad argument: ") + e.what());
    }
  }
  return args;
}

template <class C>
class runner {
 public:
  runner(const class_info<C>& ci, C& obj) : ci_(ci), obj_(obj) {}

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

  void set(const std::string& name, const json& j) {
    value v;
    try {
      v = from_json(j);
    } catch (const bad_value& e) {
      throw scenario_error("set " + name + ": " + e.what());
    }
    member_kind kind = v.is_object() ? member_kind::set : member_kind::let;
    if (!find_member(ci_, name, kind)) throw scenario_error("set: " + std::string(ci_.name) + " has no property " + name);
    try {
      invoke(ci_, obj_, name, kind, {std::move(v)});
    } catch (const automation_error& e) {
      throw scenario_error("set " + name + ": " + e.description() + " (" + std::to_string(e.number()) + ")");
    }
  }

  json call(const json& c) {
    if (!c.is_object() || !c.contains("member") || !c["member"].is_string())
      throw scenario_error("each call needs a \"member\" name");
    const std::string name = c["member"].get<std::string>();
    std::vector<value> args = read_args(c);
    json result = {{"member", name}, {"error", nullptr}};
    // A property name reads the property, or assigns it when given a value.
    member_kind kind = member_kind::method;
    if (!find_member(ci_, name, member_kind::method) && has_member(ci_, name)) {
      kind = args.empty() ? member_kind::get : (args[0].is_object() ? member_kind::set : member_kind::let);
    }
    const member_info<C>* m = find_member(ci_, name, kind);
    try {
      value ret = invoke(ci_, obj_, name, kind, std::move(args));
      if (m && m->returns != param_type::none) result["return"] = to_json(ret);
    } catch (const automation_error& e) {
      result["error"] = error_json(e);
    }
    result["properties"] = properties();
    return result;
  }

 private:
  const class_info<C>& ci_;
  C& obj_;
};

// Creates the object, sets its properties, runs the calls, destroys it.
template <class C>
json run_on(const json& scenario, const std::shared_ptr<host_platform>& host) {
  json calls = json::array();
  C obj(host);
  if (auto ai = host->active_interface()) obj.set_active_interface(ai);
  runner<C> r(C::info(), obj);
  if (scenario.contains("set")) {
    if (!scenario["set"].is_object()) throw scenario_error("\"set\" must be an object");
    for (const auto& [name, v] : scenario["set"].items()) r.set(name, v);
  }
  if (scenario.contains("calls")) {
    if (!scenario["calls"].is_array()) throw scenario_error("\"calls\" must be a list");
    for (const json& c : scenario["calls"]) calls.push_back(r.call(c));
  }
  return calls;
}

}  // namespace

json run_scenario(const json& scenario) {
  if (!scenario.is_object()) throw scenario_error("a scenario is a JSON object");
  const std::string cls = scenario.value("class", std::string("CLSMG_LOOKUP"));
  if (cls != "CLSMG_LOOKUP" && cls != "CLSMG_DECODE")
    throw scenario_error("class " + cls + " is not available in this build (available: CLSMG_LOOKUP, CLSMG_DECODE)");

  json profile = resolve_host(scenario.contains("host") ? scenario["host"] : json());
  std::shared_ptr<host_platform> host;
  try {
    host = std::make_shared<host_platform>(profile);
  } catch (const std::exception& e) {
    throw scenario_error(std::string("host profile: ") + e.what());
  }
  json calls = cls == "CLSMG_DECODE" ? run_on<decode>(scenario, host) : run_on<lookup>(scenario, host);
  return {{"calls", calls}, {"trace", host->trace_lines()}, {"messages", json::array()}, {"sibling", json::array()}};
}

}  // namespace veldrane::standin

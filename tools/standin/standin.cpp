#include "standin/standin.h"

#include <sqlite3.h>

#include <algorithm>
#include <regex>

#include "frame/members.h"
#include "standin/json_value.h"

namespace veldrane::standin {


json default_profile() {
  return {
      {"company", 1},
      {"language", "ITA "},
      {"transferCheck", 0},
      {"hierarchicalCoding", 0},
      {"userText1", "ADMIN"},
      {"userText4", "ADMIN"},
      {"userLanguage", "ITA "},
      {"userId", 1},
      {"agent", 0},
      {"filtersApply", false},
      {"productionColumns", 0},
      {"translations", json::object()},
      {"filterClause", ""},
      {"filterClause2", ""},
      {"extensions", {{"first", json::object()}, {"second", json::object()}}},
      {"database", {{"MG50_PARMAGAZ", json::array({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", false}}})}}},
  };
}

namespace {

// The keys a host profile may have. The plain ones are the values host
// members answer (any value the tool reads); the others have a shape of
// their own, checked below.
constexpr std::string_view kValueKeys[] = {
    "company", "language", "transferCheck", "hierarchicalCoding", "userText1", "userText4", "userLanguage",
    "userId", "agent", "filtersApply", "productionColumns", "filterClause", "filterClause2"};
constexpr std::string_view kShapedKeys[] = {"translations", "extensions", "database", "fail",
                                             "converter",    "sibling",    "activeInterface"};

[[noreturn]] void refuse(const std::string& where, const std::string& expected) {
  throw std::invalid_argument(where + ": expected " + expected);
}

void check_value(const json& j, const std::string& where) {
  try {
    from_json(j);
  } catch (const bad_value& e) {
    throw std::invalid_argument(where + ": " + e.what());
  }
}

void check_strings(const json& j, const std::string& where) {
  if (!j.is_array() || !std::all_of(j.begin(), j.end(), [](const json& e) { return e.is_string(); }))
    refuse(where, "a list of strings");
}

// Refuses, naming the key, a profile the stand-in would misread: an unknown
// key (a typo would quietly change the scenario) or a value of the wrong
// shape.
void check_profile(const json& p) {
  for (const auto& [key, v] : p.items()) {
    const std::string where = "key \"" + key + "\"";
    if (std::find(std::begin(kValueKeys), std::end(kValueKeys), key) != std::end(kValueKeys)) {
      check_value(v, where);
      continue;
    }
    if (key == "translations") {
      if (!v.is_object()) refuse(where, "an object of label: translation");
      for (const auto& [label, t] : v.items()) check_value(t, where + ", label \"" + label + "\"");
    } else if (key == "extensions") {
      if (!v.is_object()) refuse(where, "{\"first\": {...}, \"second\": {...}}");
      for (const auto& [which, entities] : v.items()) {
        const std::string w = where + ", \"" + which + "\"";
        if ((which != "first" && which != "second") || !entities.is_object())
          refuse(w, "\"first\" or \"second\" with an object of entity: extension");
        for (const auto& [entity, ext] : entities.items()) {
          const std::string e = w + ", entity \"" + entity + "\"";
          if (!ext.is_object()) refuse(e, "{\"captions\": [...], \"select\": \"...\", \"from\": \"...\"}");
          for (const auto& [field, f] : ext.items()) {
            if (field == "captions") check_strings(f, e + ", \"captions\"");
            else if ((field == "select" || field == "from") && f.is_string()) continue;
            else refuse(e + ", \"" + field + "\"", "\"captions\" (a list of strings), \"select\" or \"from\" (strings)");
          }
        }
      }
    } else if (key == "database") {
      if (!v.is_object()) refuse(where, "an object of table: [row, ...]");
      for (const auto& [table, rows] : v.items()) {
        const std::string t = where + ", table \"" + table + "\"";
        if (!rows.is_array()) refuse(t, "a list of row objects");
        for (const json& row : rows) {
          if (!row.is_object()) refuse(t, "a list of row objects");
          for (const auto& [col, c] : row.items())
            if (!c.is_boolean()) check_value(c, t + ", column \"" + col + "\"");
        }
      }
    } else if (key == "fail") {
      check_strings(v, where);
    } else if (key == "activeInterface") {
      if (!v.is_boolean()) refuse(where, "true or false");
    } else if (key == "converter") {
      if (!v.is_object()) refuse(where, "{\"status\": value, \"output\": value}");
      for (const auto& [field, f] : v.items()) {
        if (field != "status" && field != "output") refuse(where + ", \"" + field + "\"", "\"status\" or \"output\"");
        check_value(f, where + ", \"" + field + "\"");
      }
    } else if (key == "sibling") {
      if (!v.is_object()) refuse(where, "{\"absent\": true}, {\"fail\": [...]} or {\"set\": {...}}");
      for (const auto& [field, f] : v.items()) {
        const std::string w = where + ", \"" + field + "\"";
        if (field == "absent") {
          if (!f.is_boolean()) refuse(w, "true or false");
        } else if (field == "fail") {
          check_strings(f, w);
        } else if (field == "set") {
          if (!f.is_object()) refuse(w, "an object of member: {\"<argument index>\": value}");
          for (const auto& [member, writes] : f.items()) {
            if (!writes.is_object()) refuse(w + ", \"" + member + "\"", "an object of \"<argument index>\": value");
            for (const auto& [index, x] : writes.items()) {
              const std::string i = w + ", \"" + member + "\", \"" + index + "\"";
              if (index.empty() || index.size() > 4 || index.find_first_not_of("0123456789") != std::string::npos)
                refuse(i, "an argument index (digits)");
              check_value(x, i);
            }
          }
        } else {
          refuse(w, "\"absent\", \"fail\" or \"set\"");
        }
      }
    } else {
      std::string known;
      for (auto k : kValueKeys) known += (known.empty() ? "" : ", ") + std::string(k);
      for (auto k : kShapedKeys) known += ", " + std::string(k);
      throw std::invalid_argument("unknown key \"" + key + "\" (known keys: " + known + ")");
    }
  }
}

}  // namespace

// What the host's objects share: the profile, the log and the database.
struct host_state {
  bool present = false;  // false: no host, only the sibling connector
  json profile;
  std::vector<std::string> log;
  std::vector<std::string> executed;
  json sibling_calls = json::array();
  json object_calls = json::array();
  std::vector<std::string> messages;
  std::vector<std::weak_ptr<object>> siblings;
  sqlite3* db = nullptr;

  ~host_state() {
    if (db) sqlite3_close(db);
  }

  bool fails(std::string_view name) const {
    auto it = profile.find("fail");
    if (it == profile.end() || !it->is_array()) return false;
    return std::any_of(it->begin(), it->end(), [&](const json& n) { return n.is_string() && n.get<std::string>() == name; });
  }
  void check(std::string_view name) const {
    if (fails(name)) {
      std::string n(name);
      throw automation_error(kHostFailure, "Stand-in host: " + n + " failed", "QUENTARO");
    }
  }
  /// A host member's value: Empty when its key is absent.
  value get(std::string_view key) const {
    check(key);
    auto it = profile.find(std::string(key));
    return it == profile.end() ? value() : from_json(*it);
  }
};

namespace {

using state_ptr = std::shared_ptr<host_state>;

std::string text_of(const value& v) {
  try {
    return concat_text(v);
  } catch (const automation_error&) {
    return std::string(v.type_name());
  }
}

// --- Database ---------------------------------------------------------------

class recordset_impl final : public host::recordset {
 public:
  std::vector<std::vector<value>> rows;
  std::size_t current = 0;
  bool eof() override { return current >= rows.size(); }
  bool bof() override { return rows.empty(); }
  value field(std::int32_t index) override {
    if (eof()) throw automation_error(3021, "Either BOF or EOF is True, or the current record has been deleted.", "ADODB.Field");
    const auto& row = rows[current];
    if (index < 0 || static_cast<std::size_t>(index) >= row.size())
      throw automation_error(3265, "Item cannot be found in the collection corresponding to the requested name or ordinal.",
                             "ADODB.Fields");
    return row[static_cast<std::size_t>(index)];
  }
};

void exec_or_throw(sqlite3* db, const std::string& sql) {
  char* msg = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg) != SQLITE_OK) {
    std::string m = msg ? msg : "error";
    sqlite3_free(msg);
    throw std::runtime_error("database: " + m);
  }
}

std::string quote_name(const std::string& n) {
  std::string out = "\"";
  for (char c : n) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void bind(sqlite3_stmt* st, int i, const json& j) {
  value v = j.is_boolean() ? value(std::int32_t{j.get<bool>() ? 1 : 0}) : from_json(j);
  switch (v.kind()) {
    case value_kind::null:
    case value_kind::empty: sqlite3_bind_null(st, i); break;
    case value_kind::boolean: sqlite3_bind_int(st, i, v.as_bool() ? 1 : 0); break;
    case value_kind::integer: sqlite3_bind_int(st, i, v.as_integer()); break;
    case value_kind::long_: sqlite3_bind_int(st, i, v.as_long()); break;
    case value_kind::double_: sqlite3_bind_double(st, i, v.as_double()); break;
    case value_kind::decimal: sqlite3_bind_double(st, i, v.as_decimal().to_double()); break;
    default: {
      std::string t = v.kind() == value_kind::date ? to_json(v)["$date"].get<std::string>() : text_of(v);
      sqlite3_bind_text(st, i, t.c_str(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
    }
  }
}

// Loads the profile's "database" rows: one table per key, its columns the
// union of the rows' keys.
sqlite3* open_database(const json& tables) {
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open(":memory:", &raw);
  // Closed on every way out until it is handed over.
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(raw, sqlite3_close);
  if (opened != SQLITE_OK) throw std::runtime_error("database: cannot open");
  sqlite3* db = raw;
  if (!tables.is_object()) return owner.release();
  for (const auto& [table, rows] : tables.items()) {
    std::vector<std::string> cols;
    for (const json& row : rows)
      for (const auto& [col, _] : row.items())
        if (std::find(cols.begin(), cols.end(), col) == cols.end()) cols.push_back(col);
    if (cols.empty()) continue;
    std::string create = "CREATE TABLE " + quote_name(table) + " (";
    for (std::size_t i = 0; i < cols.size(); ++i) create += (i ? ", " : "") + quote_name(cols[i]);
    exec_or_throw(db, create + ")");
    for (const json& row : rows) {
      std::string ins = "INSERT INTO " + quote_name(table) + " (", vals;
      std::vector<const json*> bound;
      for (const auto& [col, v] : row.items()) {
        ins += (bound.empty() ? "" : ", ") + quote_name(col);
        vals += bound.empty() ? "?" : ", ?";
        bound.push_back(&v);
      }
      sqlite3_stmt* st = nullptr;
      if (sqlite3_prepare_v2(db, (ins + ") VALUES (" + vals + ")").c_str(), -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("database: ") + sqlite3_errmsg(db));
      for (std::size_t i = 0; i < bound.size(); ++i) bind(st, static_cast<int>(i + 1), *bound[i]);
      int rc = sqlite3_step(st);
      sqlite3_finalize(st);
      if (rc != SQLITE_DONE) throw std::runtime_error(std::string("database: ") + sqlite3_errmsg(db));
    }
  }
  return owner.release();
}

class connection_impl final : public host::connection {
 public:
  explicit connection_impl(state_ptr s) : s_(std::move(s)) {}

  std::shared_ptr<host::recordset> execute(std::string_view command_text, value& records_affected,
                                           std::int32_t) override {
    s_->check("connection");
    std::string sql(command_text);
    s_->executed.push_back(sql);
    // Table hints are the one T-SQL construct the engine behind the stand-in
    // does not speak.
    static const std::regex hint(R"(\s*WITH\s*\(\s*NOLOCK\s*\))", std::regex::icase);
    sql = std::regex_replace(sql, hint, "");
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(s_->db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
      throw automation_error(-2147217900, std::string(sqlite3_errmsg(s_->db)), "Microsoft OLE DB Provider for SQL Server");
    auto rs = std::make_shared<recordset_impl>();
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
      std::vector<value> row;
      for (int c = 0; c < sqlite3_column_count(st); ++c) {
        switch (sqlite3_column_type(st, c)) {
          case SQLITE_INTEGER: {
            sqlite3_int64 i = sqlite3_column_int64(st, c);
            row.push_back(i >= INT32_MIN && i <= INT32_MAX ? value(static_cast<std::int32_t>(i))
                                                           : value(static_cast<double>(i)));
            break;
          }
          case SQLITE_FLOAT: row.push_back(value(sqlite3_column_double(st, c))); break;
          case SQLITE_NULL: row.push_back(value::null()); break;
          default: row.push_back(value(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, c))))); break;
        }
      }
      rs->rows.push_back(std::move(row));
    }
    std::string err = rc == SQLITE_DONE ? "" : sqlite3_errmsg(s_->db);
    sqlite3_finalize(st);
    if (!err.empty()) throw automation_error(-2147217900, err, "Microsoft OLE DB Provider for SQL Server");
    records_affected = value(std::int32_t{-1});
    return rs;
  }
  std::string connection_string() override {
    s_->check("connection");
    return "Provider=StandIn;Data Source=:memory:";
  }

 private:
  state_ptr s_;
};

// --- The framework's objects ------------------------------------------------

class translator_impl final : public host::translator {
 public:
  explicit translator_impl(state_ptr s) : s_(std::move(s)) {}
  void translate(const std::string& label, value& translation) override {
    s_->check("translations");
    const json& t = s_->profile.contains("translations") ? s_->profile["translations"] : json::object();
    auto it = t.find(label);
    translation = it == t.end() ? value(label) : from_json(*it);
  }

 private:
  state_ptr s_;
};

class coding_impl final : public host::coding_parameters {
 public:
  explicit coding_impl(state_ptr s) : s_(std::move(s)) {}
  value hierarchical_coding() override { return s_->get("hierarchicalCoding"); }

 private:
  state_ptr s_;
};

class company_impl final : public host::company_context {
 public:
  explicit company_impl(state_ptr s) : s_(std::move(s)) {}
  value company_code() override { return s_->get("company"); }
  value language() override { return s_->get("language"); }
  value transfer_check() override { return s_->get("transferCheck"); }
  std::shared_ptr<host::coding_parameters> coding() override { return std::make_shared<coding_impl>(s_); }

 private:
  state_ptr s_;
};

class user_impl final : public host::user_context {
 public:
  explicit user_impl(state_ptr s) : s_(std::move(s)) {}
  value text1() override { return s_->get("userText1"); }
  value text4() override { return s_->get("userText4"); }
  value description_language() override { return s_->get("userLanguage"); }
  value user_id() override { return s_->get("userId"); }
  value agent() override { return s_->get("agent"); }

 private:
  state_ptr s_;
};

class environment_impl final : public host::environment {
 public:
  explicit environment_impl(state_ptr s) : s_(std::move(s)) {}
  std::shared_ptr<host::company_context> company() override { return std::make_shared<company_impl>(s_); }
  std::shared_ptr<host::user_context> user() override { return std::make_shared<user_impl>(s_); }
  value filters_apply() override { return s_->get("filtersApply"); }
  std::shared_ptr<host::translator> translation() override { return std::make_shared<translator_impl>(s_); }
  value production_columns() override { return s_->get("productionColumns"); }

 private:
  state_ptr s_;
};

class active_impl final : public host::active_interface {
 public:
  explicit active_impl(state_ptr s) : s_(std::move(s)), conn_(std::make_shared<connection_impl>(s_)) {}
  std::shared_ptr<host::environment> environment_object() override {
    s_->check("environment");
    return std::make_shared<environment_impl>(s_);
  }
  std::shared_ptr<host::connection> database_connection() override {
    s_->check("connection");
    return conn_;
  }

 private:
  state_ptr s_;
  std::shared_ptr<connection_impl> conn_;
};

// --- The classes the component creates ---------------------------------------

class filter_builder_impl final : public host::filter_builder {
 public:
  explicit filter_builder_impl(state_ptr s) : s_(std::move(s)) { s_->log.push_back("FilterBuilder created"); }
  ~filter_builder_impl() override { s_->log.push_back("FilterBuilder released"); }
  void set_connection(std::shared_ptr<host::connection> c) override {
    s_->log.push_back(c ? "FilterBuilder.Connection=Connection" : "FilterBuilder.Connection=Nothing");
  }
  void set_connection_text(const std::string& t) override { s_->log.push_back("FilterBuilder.ConnectionText=" + t); }
  void set_text7(const std::string& t) override { s_->log.push_back("FilterBuilder.Text7=" + t); }
  void set_text9(const std::string& t) override { s_->log.push_back("FilterBuilder.Text9=" + t); }
  void set_text11(const std::string& t) override { s_->log.push_back("FilterBuilder.Text11=" + t); }
  void set_flag14(bool f) override { s_->log.push_back(std::string("FilterBuilder.Flag14=") + (f ? "True" : "False")); }
  void set_company(std::int32_t c) override { s_->log.push_back("FilterBuilder.Company=" + std::to_string(c)); }
  value filter_clause(const std::string& field, std::int32_t a, std::int32_t b) override {
    s_->log.push_back("FilterBuilder.Clause(" + field + ", " + std::to_string(a) + ", " + std::to_string(b) + ")");
    return s_->get("filterClause");
  }
  value filter_clause2(std::int32_t a) override {
    s_->log.push_back("FilterBuilder.Clause2(" + std::to_string(a) + ")");
    return s_->get("filterClause2");
  }

 private:
  state_ptr s_;
};

// Appends an extension's captions to the column array and its texts to the
// select list and the from clause.
void append_extension(const json& ext, value& columns, std::string& select_list, std::string& from_clause) {
  std::vector<std::string> captions;
  if (ext.contains("captions"))
    for (const json& c : ext["captions"]) captions.push_back(c.get<std::string>());
  if (!captions.empty()) {
    std::uint32_t old_rows = 0;
    if (columns.is_array() && columns.as_array().dimensions() == 2) old_rows = columns.as_array().bounds()[0].count;
    safe_array grown({{0, old_rows + static_cast<std::uint32_t>(captions.size())}, {0, 2}});
    for (std::uint32_t r = 0; r < old_rows; ++r) {
      const auto& src = columns.as_array();
      // Two attributes per column; fewer is out of range (and l1 + 1 could
      // pass the top of the 32-bit range).
      if (src.bounds()[1].count < 2) raise(err::subscript_out_of_range, "VELDRANE");
      const std::int32_t l0 = src.lbound(0), l1 = src.lbound(1);
      const auto i = static_cast<std::int32_t>(r);
      grown.at({i, 0}) = src.at({l0 + i, l1});
      grown.at({i, 1}) = src.at({l0 + i, l1 + 1});
    }
    for (std::size_t c = 0; c < captions.size(); ++c) {
      const auto i = static_cast<std::int32_t>(old_rows + c);
      grown.at({i, 0}) = value(captions[c]);
      grown.at({i, 1}) = value("");
    }
    columns = value(std::move(grown));
  }
  if (ext.contains("select")) select_list += ext["select"].get<std::string>();
  if (ext.contains("from")) from_clause += ext["from"].get<std::string>();
}

const json* extension_for(const host_state& s, const char* which, int entity) {
  auto e = s.profile.find("extensions");
  if (e == s.profile.end() || !e->contains(which)) return nullptr;
  const json& w = (*e)[which];
  auto it = w.find(std::to_string(entity));
  return it == w.end() ? nullptr : &*it;
}

class first_extension_impl final : public host::first_extension {
 public:
  explicit first_extension_impl(state_ptr s) : s_(std::move(s)) { s_->log.push_back("FirstExtension created"); }
  ~first_extension_impl() override { s_->log.push_back("FirstExtension released"); }
  void set_entity(std::int16_t e) override {
    entity_ = e;
    s_->log.push_back("FirstExtension.Entity=" + std::to_string(e));
  }
  void set_connection(std::shared_ptr<host::connection> c) override {
    s_->log.push_back(c ? "FirstExtension.Connection=Connection" : "FirstExtension.Connection=Nothing");
  }
  object_ptr extender() override {
    s_->check("extensions");
    return extension_for(*s_, "first", entity_) ? std::make_shared<object>() : nullptr;
  }
  void extend(value& columns, std::string& select_list, std::string& from_clause) override {
    s_->log.push_back("FirstExtension.Extend");
    if (const json* ext = extension_for(*s_, "first", entity_)) append_extension(*ext, columns, select_list, from_clause);
  }

 private:
  state_ptr s_;
  int entity_ = 0;
};

class second_extension_impl final : public host::second_extension {
 public:
  explicit second_extension_impl(state_ptr s) : s_(std::move(s)) { s_->log.push_back("SecondExtension created"); }
  ~second_extension_impl() override { s_->log.push_back("SecondExtension released"); }
  void set_entity(std::int16_t& e) override {
    entity_ = e;
    s_->log.push_back("SecondExtension.Entity=" + std::to_string(e));
  }
  void set_active_interface(std::shared_ptr<host::active_interface> ai) override {
    s_->log.push_back(ai ? "SecondExtension.ActiveInterface=ActiveInterface" : "SecondExtension.ActiveInterface=Nothing");
  }
  void extend(value& columns, std::string& select_list, std::string& from_clause) override {
    s_->check("extensions");
    s_->log.push_back("SecondExtension.Extend");
    if (const json* ext = extension_for(*s_, "second", entity_)) append_extension(*ext, columns, select_list, from_clause);
  }
  void close() override { s_->log.push_back("SecondExtension.Close"); }

 private:
  state_ptr s_;
  int entity_ = 0;
};

class converter_impl final : public host::converter {
 public:
  explicit converter_impl(state_ptr s) : s_(std::move(s)) {}
  void put_value(const value& v) override { s_->log.push_back("Converter.Value=" + text_of(v)); }
  value status() override { return from_json(s_->profile["converter"].value("status", json(0))); }
  value output() override { return from_json(s_->profile["converter"].value("output", json::object({{"$empty", true}}))); }

 private:
  state_ptr s_;
};

// --- The sibling connector and plain objects -------------------------------

json args_json(const std::vector<value*>& args) {
  json out = json::array();
  for (const value* a : args) out.push_back(a ? to_json(*a) : json{{"$missing", true}});
  return out;
}

const char* kind_name(member_kind k) {
  switch (k) {
    case member_kind::method: return "method";
    case member_kind::get: return "get";
    case member_kind::let: return "let";
    case member_kind::set: return "set";
  }
  return "?";
}

// Records every request; a member named in the profile's sibling "fail"
// list raises after being recorded, and "set" writes values into the
// arguments it receives by reference ({"Member": {"<index>": value}}).
class sibling_impl final : public object {
 public:
  explicit sibling_impl(state_ptr s) : s_(std::move(s)) {}

  value call(std::string_view member, member_kind kind, std::vector<value*> args) override {
    if (iequal(member, "ClsConnect")) {
      if (kind == member_kind::get) return value(cls_connect_);
      cls_connect_ = args.empty() || !args[0] || !args[0]->is_object() ? nullptr : args[0]->as_object();
      return {};
    }
    const std::string name(member);
    s_->sibling_calls.push_back({{"member", name}, {"args", args_json(args)}});
    const json sib = s_->profile.is_object() ? s_->profile.value("sibling", json::object()) : json::object();
    if (sib.contains("set") && sib["set"].contains(name)) {
      for (const auto& [index, v] : sib["set"][name].items()) {
        std::size_t i = std::stoul(index);
        if (i < args.size() && args[i]) *args[i] = from_json(v);
      }
    }
    if (sib.contains("fail"))
      for (const json& f : sib["fail"])
        if (f.is_string() && iequal(f.get<std::string>(), name))
          throw automation_error(kHostFailure, "Stand-in sibling: " + name + " failed", "TARNELL.CLSMG_CONNECT");
    return {};
  }
  std::string type_name() const override { return "TARNELL.CLSMG_CONNECT"; }
  /// Drops the back reference, as the sibling's process would at its end.
  void forget() { cls_connect_.reset(); }

 private:
  state_ptr s_;
  object_ptr cls_connect_;
};

// A plain object (a bound control, say) that records what is done to it.
class recorder_object final : public object {
 public:
  recorder_object(state_ptr s, std::string name) : s_(std::move(s)), name_(std::move(name)) {}
  value call(std::string_view member, member_kind kind, std::vector<value*> args) override {
    s_->object_calls.push_back(
        {{"object", name_}, {"member", std::string(member)}, {"kind", kind_name(kind)}, {"args", args_json(args)}});
    return {};
  }
  std::string type_name() const override { return name_; }

 private:
  state_ptr s_;
  std::string name_;
};

class factory_impl final : public host::class_factory {
 public:
  explicit factory_impl(state_ptr s) : s_(std::move(s)) {}
  std::shared_ptr<host::filter_builder> create_filter_builder() override {
    available("filterBuilder");
    return std::make_shared<filter_builder_impl>(s_);
  }
  std::shared_ptr<host::first_extension> create_first_extension() override {
    available("extensions");
    return std::make_shared<first_extension_impl>(s_);
  }
  std::shared_ptr<host::second_extension> create_second_extension() override {
    available("extensions");
    return std::make_shared<second_extension_impl>(s_);
  }
  std::shared_ptr<host::converter> create_converter() override {
    if (!s_->present || !s_->profile.contains("converter")) raise(err::cannot_create_object, "VELDRANE");
    available("converter");
    return std::make_shared<converter_impl>(s_);
  }

 private:
  // Without a host nothing of the framework is installed.
  void available(std::string_view name) const {
    if (!s_->present || s_->fails(name)) raise(err::cannot_create_object, "VELDRANE");
  }
  state_ptr s_;
};

}  // namespace

host_platform::host_platform(json profile) : state_(std::make_shared<host_state>()) {
  if (!profile.is_null()) {
    if (!profile.is_object()) throw std::invalid_argument("a host profile is a JSON object");
    check_profile(profile);
    state_->present = true;
    state_->profile = std::move(profile);
    state_->db = open_database(state_->profile.value("database", json::object()));
    // "activeInterface": false installs the framework without handing the
    // caller an active interface, as for a script that never sets one.
    if (state_->profile.value("activeInterface", true)) active_ = std::make_shared<active_impl>(state_);
  }
  classes_ = std::make_unique<factory_impl>(state_);
}

host_platform::~host_platform() { release_siblings(); }

object_ptr host_platform::create_object(std::string_view progid) {
  const json sib = state_->profile.is_object() ? state_->profile.value("sibling", json::object()) : json::object();
  if (progid != "TARNELL.CLSMG_CONNECT" || sib.value("absent", false)) raise(err::cannot_create_object, "VELDRANE");
  auto s = std::make_shared<sibling_impl>(state_);
  state_->siblings.push_back(s);
  return s;
}

void host_platform::message_box(std::string_view prompt, int) { state_->messages.emplace_back(prompt); }

object_ptr host_platform::make_object(const std::string& name) { return std::make_shared<recorder_object>(state_, name); }

void host_platform::release_siblings() {
  for (auto& w : state_->siblings)
    if (auto s = w.lock()) std::static_pointer_cast<sibling_impl>(s)->forget();
  state_->siblings.clear();
}

const std::vector<std::string>& host_platform::messages() const { return state_->messages; }
const json& host_platform::sibling_calls() const { return state_->sibling_calls; }
const json& host_platform::object_calls() const { return state_->object_calls; }

std::shared_ptr<host::active_interface> host_platform::active_interface() const { return active_; }

bool host_platform::create_guid(guid& out) { return guid_source ? guid_source(out) : platform::create_guid(out); }

void host_platform::trace(std::string_view line) { trace_.emplace_back(line); }

host::class_factory& host_platform::framework_classes() { return *classes_; }

const std::vector<std::string>& host_platform::host_log() const { return state_->log; }

const std::vector<std::string>& host_platform::executed() const { return state_->executed; }

}  // namespace veldrane::standin

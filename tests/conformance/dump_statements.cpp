// Walks the member tables of CLSMG_LOOKUP and CLSMG_DECODE and calls every method with
// representative arguments on each of several stand-in hosts, so that every
// host-dependent branch runs. Writes one JSON record per composed statement
// (member, host, arguments, statement, column count) for the independent
// parser check, and fails when a statement outgrows the reserved buffer.
#include <fstream>
#include <iostream>

#include "decode/decode.h"
#include "lookup/lookup.h"
#include "standin/json_value.h"
#include "standin/scenario.h"
#include "standin/standin.h"

using namespace veldrane;
using standin::json;

namespace {

// The stand-in hosts, by name.
std::vector<std::pair<const char*, json>> host_variants() {
  json filtered = standin::default_profile();
  filtered["filtersApply"] = true;
  filtered["filterClause"] = " AND MG58_CODDEP IN ('01', '02')";
  filtered["filterClause2"] = " AND MG66_CODART IN (SELECT MG66_CODART FROM MG66_ANAGART)";

  json rich = standin::default_profile();
  rich["language"] = "ENG ";
  rich["userLanguage"] = "ENG ";
  rich["agent"] = 7;
  rich["userId"] = 12;
  rich["transferCheck"] = 1;
  rich["hierarchicalCoding"] = 1;
  rich["productionColumns"] = 2;
  rich["translations"] = {{"Carico", "Load"}, {"Scarico", "Unload"}};
  rich["database"]["MG50_PARMAGAZ"] = json::array({{{"MG50_DITTA_CG18", 1}, {"MG50_INDCODPGER", true}}});
  // Each extension adds one column under its own alias, carrying its own
  // blanks as a real extension does.
  auto extension = [](const std::string& alias) {
    json ext = json::object();
    for (const char* entity : {"1", "2", "3", "5", "6"})
      ext[entity] = {{"captions", {"Estensione " + alias}},
                     {"select", ", " + alias + ".EXT_COL "},
                     {"from", " LEFT JOIN EXT_TAB AS " + alias + " ON 1 = 1 "}};
    return ext;
  };
  rich["extensions"] = {{"first", extension("EXT1")}, {"second", extension("EXT2")}};

  return {{"none", nullptr}, {"default", standin::default_profile()}, {"filtered", filtered}, {"rich", rich}};
}

bool is_type_parameter(std::string_view name) {
  return name.find("TipoCf") != std::string_view::npos || name.find("TipoCliFor") != std::string_view::npos ||
         name.find("Segno") != std::string_view::npos || name == "StandardPersonalizzato" ||
         name == "VenditeAcquisti" || name == "IndTipoTesto" || name == "Opzione" ||
         name == "ProgressivoSubcodice" || name == "IdFornitore" || name == "IdAgente" || name == "IDCategoria" ||
         name == "CodiceClienteFornitore" || name == "NumeroListino" || name == "CodiceCausale";
}

// Two argument sets: the first gives every required argument and leaves the
// optional ones out; the second gives everything, with the other sign or
// kind and an explicit sort column (a position, which every operation takes,
// also those that append their own direction).
template <class C>
std::vector<std::vector<value>> argument_sets(const member_info<C>& m) {
  std::vector<std::vector<value>> sets(2);
  for (const auto& p : m.parameters()) {
    const bool sort = p.name == "CampoOrdinamento";
    if (is_type_parameter(p.name)) {
      sets[0].push_back(p.type == param_type::integer ? value(std::int16_t{1}) : value(std::int32_t{0}));
      sets[1].push_back(p.type == param_type::integer ? value(std::int16_t{-1}) : value(std::int32_t{1}));
    } else if (sort) {
      sets[0].push_back(value::missing());
      sets[1].push_back(value("2"));
    } else {
      sets[0].push_back(p.optional ? value::missing() : value("A01"));
      sets[1].push_back(value("B02"));
    }
  }
  return sets;
}

// Decodes that select more columns than the fields they list: the code
// comes back beside the description the caller reads.
constexpr std::string_view kSelectsTheCodeToo[] = {"ParametriSottoscortaDecode", "ParametriRitardiDecode"};

int members = 0, too_long = 0;

template <class C>
void walk(json& out) {
  const auto& ci = C::info();
  for (const auto& m : ci.members) {
    if (m.kind != member_kind::method) continue;
    ++members;
    for (const auto& [host_name, profile] : host_variants()) {
      for (auto& args : argument_sets(m)) {
        json record = {{"class", ci.name}, {"member", m.name}, {"host", host_name}, {"args", json::array()}};
        for (const auto& a : args) record["args"].push_back(standin::to_json(a));
        const json calls = {{{"member", m.name}, {"args", record["args"]}}};
        const json call = standin::run_scenario({{"class", ci.name}, {"host", profile}, {"calls", calls}})["calls"][0];
        // Some operations need a host: their failure is part of their
        // contract, and there is no statement to check.
        if (const json& e = call["error"]; !e.is_null()) {
          record["error"] = {{"number", e["number"]}, {"description", e["description"]}};
          out.push_back(record);
          continue;
        }
        const json& sql = call["properties"]["StringaSQL"];
        if (!sql.is_string() || sql.get<std::string>().empty()) continue;  // the statement left as it was
        if (sql.get<std::string>().size() > statement::kReserve) {
          std::cerr << ci.name << "." << m.name << " (" << host_name << "): " << sql.get<std::string>().size()
                    << " characters outgrow the reserved " << statement::kReserve << "\n";
          ++too_long;
        }
        const json& fields = call["properties"]["ArrayFields"];
        std::uint32_t columns = fields.is_object() && fields.contains("$array") ? fields["$array"].size() : 0;
        for (std::string_view extra : kSelectsTheCodeToo)
          if (m.name == extra) ++columns;
        record["sql"] = sql;
        record["columns"] = columns;
        out.push_back(record);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: dump_statements OUT.json\n";
    return 2;
  }
  json out = json::array();
  walk<lookup>(out);
  walk<decode>(out);
  std::ofstream(argv[1]) << out.dump(1);
  std::cout << members << " members, " << out.size() << " calls\n";
  return too_long ? 1 : 0;
}

#include "library.h"

#include <array>

#include "decode/decode.h"
#include "lookup/lookup.h"

namespace comgen {

namespace {

constexpr library_info kLibrary{
    "VELDRANE", "{E54CA00C-4A7F-11D3-A7CA-00400519B149}", 3, 67, 0x0409,
    "Talvern BO Lookup e Decodifiche Modulo Magazzino"};

// Earlier identifiers of _CLSMG_LOOKUP, oldest first. The series runs to
// CLSMG_LOOKUP___v37; rows are added here as their identifiers are known.
constexpr std::array kLookupLegacy = {
    legacy_interface{"CLSMG_LOOKUP___v0", "{94842239-4BD2-11D3-A7CC-00400519B149}"},
};

// Earlier identifiers of _CLSMG_DECODE; the series runs to CLSMG_DECODE___v34.
constexpr std::array kDecodeLegacy = {
    legacy_interface{"CLSMG_DECODE___v0", "{9484223B-4BD2-11D3-A7CC-00400519B149}"},
};

template <class C>
std::vector<member_row> rows_of(const veldrane::class_info<C>& ci) {
  std::vector<member_row> out;
  out.reserve(ci.members.size());
  for (const auto& m : ci.members) out.push_back({m.name, m.kind, m.dispid(), m.parameters(), m.returns, m.hidden});
  return out;
}

}  // namespace

const library_info& library() { return kLibrary; }

std::vector<class_entry> classes() {
  const auto& lk = veldrane::lookup::info();
  const auto& dc = veldrane::decode::info();
  return {
      {"lookup", "veldrane::lookup", "lookup/lookup.h", lk.name, lk.interface_name, lk.clsid, lk.iid, rows_of(lk),
       kLookupLegacy},
      {"decode", "veldrane::decode", "decode/decode.h", dc.name, dc.interface_name, dc.clsid, dc.iid, rows_of(dc),
       kDecodeLegacy},
  };
}

}  // namespace comgen

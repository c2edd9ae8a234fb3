#include "library.h"

#include <array>

#include "connect/connect.h"
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

// Earlier identifiers of _CLSMG_CONNECT; the series runs to CLSMG_CONNECT___v34.
constexpr std::array kConnectLegacy = {
    legacy_interface{"CLSMG_CONNECT___v0", "{17C3FA15-58A6-11D4-A8E4-00400519B149}"},
};

// The called program travels as a Long in the member table; clients see
// the enumeration's type.
constexpr std::string_view kCalledProgramEnum = "vxEnumCalledProgramMagazzino";
constexpr std::array kConnectTyped = {
    typed_parameter{"vxCalledProgram", kCalledProgramEnum},
};

// What the connector raises when an opened program reports back: the
// caller of TransferData sees a sink's change of Cancel.
source_interface connect_events() {
  using veldrane::param_info;
  using veldrane::param_type;
  const param_info called{.name = "vxCalledProgram", .type = param_type::long_};
  return {"__CLSMG_CONNECT",
          "{EF3C91B3-ABA9-4E0C-804E-623BD440BE95}",
          {
              {"DataTransfer", 1, {{.name = "Cancel", .type = param_type::boolean, .by_ref = true}, {.name = "Data"}, called}},
              {"CloseForm", 2, {called}},
          }};
}

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
  const auto& cn = veldrane::connect::info();
  return {
      {"lookup", "veldrane::lookup", "lookup/lookup.h", lk.name, lk.interface_name, lk.clsid, lk.iid, rows_of(lk),
       kLookupLegacy},
      {"decode", "veldrane::decode", "decode/decode.h", dc.name, dc.interface_name, dc.clsid, dc.iid, rows_of(dc),
       kDecodeLegacy},
      {"connect", "veldrane::connect", "connect/connect.h", cn.name, cn.interface_name, cn.clsid, cn.iid, rows_of(cn),
       kConnectLegacy, kConnectTyped, connect_events()},
  };
}

std::vector<library_enum> enums() {
  library_enum called{kCalledProgramEnum, "{17C3FA17-58A6-11D4-A8E4-00400519B149}", {}};
  for (const auto& p : veldrane::called_programs()) called.values.push_back({p.name, p.number});
  return {called};
}

}  // namespace comgen

// IDispatch answered from the member table: GetIDsOfNames finds a name
// (ignoring case) through a hash index built once per class, and Invoke
// reaches the member's row by dispatch id through a second one, so that a
// late-bound call costs the same whatever the member's place in the
// interface. The dispatch ids are the table's, which are those the type
// library holds. Arguments go to the core as they are: the member's binding
// (dispatch_call) applies the core's own conversions, so that a call gives
// the same result and the same error as through the portable tool, whatever
// the machine's locale.
#pragma once

#include "frame/members.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "com/dispatch.h"

namespace veldrane::com {

/// The members of one class by name and by dispatch id: one entry per name
/// (the accessors of a property share it), holding the row of each kind.
class name_index {
 public:
  struct entry {
    std::string_view name;
    DISPID dispid;
    std::int16_t row[4];  // by member_kind; -1 when the member has no such accessor
    std::int16_t first;   // the first row of the name: the one whose parameters are named
  };

  template <class C>
  explicit name_index(std::span<const member_info<C>> members) {
    for (std::size_t i = 0; i < members.size(); ++i) add(members[i].name, members[i].dispid(), members[i].kind, i);
    build();
  }

  const entry* find(const wchar_t* name) const;
  const entry* find(DISPID id) const;

 private:
  void add(std::string_view name, DISPID id, member_kind kind, std::size_t row);
  void build();

  std::vector<entry> entries_;
  std::vector<std::int16_t> by_name_, by_id_;  // open addressing: entry index + 1, 0 for a free slot
  std::size_t mask_ = 0;
};

/// The positional index of a parameter named `name` (ignoring case), or -1.
DISPID parameter_id(std::span<const param_info> params, const wchar_t* name);

/// The arguments of a late-bound call in parameter order: positional ones
/// (DISPPARAMS holds them last first), then named ones at their parameter's
/// index, the assigned value of a property put last; gaps stay missing.
/// By-reference parameters keep the caller's variable when it passed one.
/// Returns S_OK, DISP_E_PARAMNOTFOUND (with *arg_err) for a named argument
/// that names no parameter, or DISP_E_BADPARAMCOUNT for more arguments than
/// parameters.
HRESULT gather_arguments(std::span<const param_info> params, const DISPPARAMS* dp, std::vector<raw_arg>& out,
                         UINT* arg_err);

/// The row among a name's accessors that a call with these DISPATCH_ flags
/// reaches, or -1.
int row_for(const name_index::entry& e, WORD flags);

/// A failed call's HRESULT and the thread's error object as the caller's
/// EXCEPINFO, as the automation runtime hands member errors over.
HRESULT as_exception(HRESULT hr, EXCEPINFO* info);

/// Records the core's "wrong number of arguments" error (450) as the
/// thread's error object and returns its HRESULT.
HRESULT report_bad_param_count(const char* source, const IID& iid) noexcept;

template <class C>
HRESULT late_bound_ids(const name_index& index, std::span<const member_info<C>> members, LPOLESTR* names,
                       UINT count, DISPID* ids) noexcept {
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  const name_index::entry* e = index.find(names[0]);
  ids[0] = e ? e->dispid : DISPID_UNKNOWN;
  bool all = e != nullptr;
  for (UINT i = 1; i < count; ++i) {
    ids[i] = e ? parameter_id(members[static_cast<std::size_t>(e->first)].parameters(), names[i]) : DISPID_UNKNOWN;
    all = all && ids[i] != DISPID_UNKNOWN;
  }
  return all ? S_OK : DISP_E_UNKNOWNNAME;
}

template <class C>
HRESULT late_bound_invoke(C& core, const name_index& index, std::span<const member_info<C>> members, DISPID id,
                          WORD flags, DISPPARAMS* dp, VARIANT* result, EXCEPINFO* info, UINT* arg_err,
                          const char* source, const IID& iid) noexcept {
  const name_index::entry* e = index.find(id);
  const int row = e ? row_for(*e, flags) : -1;
  if (row < 0) return DISP_E_MEMBERNOTFOUND;
  const member_info<C>& m = members[static_cast<std::size_t>(row)];
  std::vector<raw_arg> args;
  HRESULT hr;
  try {
    hr = gather_arguments(m.parameters(), dp, args, arg_err);
  } catch (...) {
    hr = E_OUTOFMEMORY;
  }
  // Too many arguments: the core's error 450, with its text and source, in
  // the EXCEPINFO; DISP_E_BADPARAMCOUNT itself to a caller that gave none.
  if (hr == DISP_E_BADPARAMCOUNT) return info ? as_exception(report_bad_param_count(source, iid), info) : hr;
  if (FAILED(hr)) return hr;
  if (result) VariantInit(result);
  const raw_result out = result && m.returns != param_type::none ? raw_result::variant(result) : raw_result::none();
  std::size_t bad = args.size();
  hr = dispatch_call(core, m, args, out, source, iid, &bad);
  if (hr == DISP_E_TYPEMISMATCH) {
    // Named by its place in rgvarg, where the caller put it.
    if (arg_err && bad < args.size() && args[bad].v) *arg_err = static_cast<UINT>(args[bad].v - dp->rgvarg);
    return hr;
  }
  return FAILED(hr) ? as_exception(hr, info) : hr;
}

}  // namespace veldrane::com

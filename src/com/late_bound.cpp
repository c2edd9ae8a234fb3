#include "com/late_bound.h"

#include <stdexcept>

#include "com/errors.h"

namespace veldrane::com {

namespace {

constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
constexpr wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

// FNV-1a over the upper-cased name; the member names are ASCII.
std::uint32_t hash_name(std::string_view name) {
  std::uint32_t h = 2166136261u;
  for (char c : name) h = (h ^ static_cast<unsigned char>(upper(c))) * 16777619u;
  return h;
}

std::uint32_t hash_id(DISPID id) { return static_cast<std::uint32_t>(id) * 2654435761u; }

/// The name's hash and length, or false when it holds a character no
/// member name has.
bool hash_wide(const wchar_t* name, std::uint32_t& h, std::size_t& length) {
  h = 2166136261u;
  length = 0;
  for (; name[length]; ++length) {
    const wchar_t c = upper(name[length]);
    if (c > 0x7F) return false;
    h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  return true;
}

bool same_name(std::string_view a, const wchar_t* b, std::size_t length) {
  if (a.size() != length) return false;
  for (std::size_t i = 0; i < length; ++i)
    if (static_cast<wchar_t>(static_cast<unsigned char>(upper(a[i]))) != upper(b[i])) return false;
  return true;
}

void insert(std::vector<std::int16_t>& slots, std::size_t mask, std::uint32_t h, std::size_t index) {
  std::size_t s = h & mask;
  while (slots[s]) s = (s + 1) & mask;
  slots[s] = static_cast<std::int16_t>(index + 1);
}

}  // namespace

void name_index::add(std::string_view name, DISPID id, member_kind kind, std::size_t row) {
  for (entry& e : entries_)
    if (e.dispid == id) {
      e.row[static_cast<int>(kind)] = static_cast<std::int16_t>(row);
      return;
    }
  entry e{name, id, {-1, -1, -1, -1}, static_cast<std::int16_t>(row)};
  e.row[static_cast<int>(kind)] = static_cast<std::int16_t>(row);
  entries_.push_back(e);
}

void name_index::build() {
  if (entries_.size() > 0x3FFF) throw std::length_error("member table too large");
  std::size_t size = 8;
  while (size < 2 * entries_.size()) size *= 2;
  mask_ = size - 1;
  by_name_.assign(size, 0);
  by_id_.assign(size, 0);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    insert(by_name_, mask_, hash_name(entries_[i].name), i);
    insert(by_id_, mask_, hash_id(entries_[i].dispid), i);
  }
}

const name_index::entry* name_index::find(const wchar_t* name) const {
  std::uint32_t h;
  std::size_t length;
  if (!name || !hash_wide(name, h, length)) return nullptr;
  for (std::size_t s = h & mask_; by_name_[s]; s = (s + 1) & mask_) {
    const entry& e = entries_[static_cast<std::size_t>(by_name_[s] - 1)];
    if (same_name(e.name, name, length)) return &e;
  }
  return nullptr;
}

const name_index::entry* name_index::find(DISPID id) const {
  for (std::size_t s = hash_id(id) & mask_; by_id_[s]; s = (s + 1) & mask_) {
    const entry& e = entries_[static_cast<std::size_t>(by_id_[s] - 1)];
    if (e.dispid == id) return &e;
  }
  return nullptr;
}

DISPID parameter_id(std::span<const param_info> params, const wchar_t* name) {
  if (!name) return DISPID_UNKNOWN;
  std::size_t length = 0;
  while (name[length]) ++length;
  for (std::size_t i = 0; i < params.size(); ++i)
    if (same_name(params[i].name, name, length)) return static_cast<DISPID>(i);
  return DISPID_UNKNOWN;
}

int row_for(const name_index::entry& e, WORD flags) {
  const auto row = [&](member_kind k) { return e.row[static_cast<int>(k)]; };
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if ((flags & DISPATCH_PROPERTYPUT) && row(member_kind::let) >= 0) return row(member_kind::let);
    if ((flags & DISPATCH_PROPERTYPUTREF) && row(member_kind::set) >= 0) return row(member_kind::set);
    return -1;
  }
  // A method read as a value and a property read as a statement (`o.Titolo`)
  // are reached too, as the scripting engines ask for both at once.
  if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return -1;
  return row(member_kind::method) >= 0 ? row(member_kind::method) : row(member_kind::get);
}

HRESULT gather_arguments(std::span<const param_info> params, const DISPPARAMS* dp, std::vector<raw_arg>& out,
                         UINT* arg_err) {
  out.clear();
  if (!dp || dp->cArgs == 0) return S_OK;
  if (!dp->rgvarg || dp->cNamedArgs > dp->cArgs || (dp->cNamedArgs && !dp->rgdispidNamedArgs)) return E_INVALIDARG;
  const std::size_t named = dp->cNamedArgs, positional = dp->cArgs - named;
  if (dp->cArgs > params.size()) return DISP_E_BADPARAMCOUNT;
  out.assign(positional, raw_arg::variant(nullptr));
  const auto place = [&](std::size_t index, VARIANT* v) {
    if (index >= out.size()) out.resize(index + 1, raw_arg::variant(nullptr));
    // A variable handed by reference to a by-reference parameter receives
    // what the member leaves in it.
    out[index] = params[index].by_ref && (V_VT(v) & VT_BYREF) ? raw_arg::variant_ref(v) : raw_arg::variant(v);
  };
  for (std::size_t i = 0; i < positional; ++i) place(i, &dp->rgvarg[dp->cArgs - 1 - i]);
  for (std::size_t i = 0; i < named; ++i) {
    const DISPID id = dp->rgdispidNamedArgs[i];
    // The assigned value of a property put is its last parameter.
    const std::size_t index = id == DISPID_PROPERTYPUT ? params.size() - 1 : static_cast<std::size_t>(id);
    if (id != DISPID_PROPERTYPUT && (id < 0 || index >= params.size())) {
      if (arg_err) *arg_err = static_cast<UINT>(i);
      return DISP_E_PARAMNOTFOUND;
    }
    if (index < out.size() && out[index].v) {  // given twice
      if (arg_err) *arg_err = static_cast<UINT>(i);
      return DISP_E_PARAMNOTFOUND;
    }
    place(index, &dp->rgvarg[i]);
  }
  return S_OK;
}

HRESULT as_exception(HRESULT hr, EXCEPINFO* info) {
  if (!info) return hr;
  *info = EXCEPINFO{};
  info->scode = hr;
  IErrorInfo* error = nullptr;
  if (GetErrorInfo(0, &error) == S_OK && error) {
    error->GetDescription(&info->bstrDescription);
    error->GetSource(&info->bstrSource);
    error->GetHelpFile(&info->bstrHelpFile);
    error->GetHelpContext(&info->dwHelpContext);
    error->Release();
  }
  return DISP_E_EXCEPTION;
}

HRESULT report_bad_param_count(const char* source, const IID& iid) noexcept {
  try {
    raise(err::wrong_argument_count, source);
  } catch (const automation_error& e) {
    return report(e, iid);
  } catch (...) {
  }
  return hresult_of(err::wrong_argument_count);
}

}  // namespace veldrane::com

#include "com/errors.h"

#include "com/com_ptr.h"
#include "com/variant.h"

namespace veldrane::com {

void raise_own(std::int32_t number) { raise(number, std::string(kComponentSource)); }

HRESULT hresult_of(std::int32_t number) {
  if (number < 0) return static_cast<HRESULT>(number);
  if (number == 0 || number > 0xFFFF) return E_FAIL;
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
}

std::int32_t number_of(HRESULT hr) {
  if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) return HRESULT_CODE(hr);
  // The automation runtime's own dispatch failures, as a script numbers them.
  switch (hr) {
    case DISP_E_TYPEMISMATCH: return err::type_mismatch;
    case DISP_E_OVERFLOW: return err::overflow;
    case DISP_E_PARAMNOTOPTIONAL: return err::argument_not_optional;
    case DISP_E_BADPARAMCOUNT: return err::wrong_argument_count;
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME: return err::member_not_supported;
    case E_NOINTERFACE: return err::member_not_supported;
    case REGDB_E_CLASSNOTREG:
    case CO_E_CLASSSTRING: return err::cannot_create_object;
    default: return static_cast<std::int32_t>(hr);
  }
}

HRESULT report(const automation_error& e, const IID& iid) noexcept {
  const HRESULT hr = hresult_of(e.number());
  com_ptr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.put()))) return hr;
  try {
    create->SetGUID(iid);
    create->SetDescription(to_wide(e.description()).data());
    create->SetSource(to_wide(e.source()).data());
  } catch (...) {
    // Out of memory while describing: the number alone still reaches the caller.
  }
  com_ptr<IErrorInfo> info = create.query<IErrorInfo>(IID_IErrorInfo);
  SetErrorInfo(0, info.get());
  return hr;
}

namespace {

std::string text_or(BSTR s, std::string_view fallback) { return s ? to_utf8(s) : std::string(fallback); }

}  // namespace

void raise_failure(HRESULT hr, std::string_view fallback_source) {
  const std::int32_t number = number_of(hr);
  com_ptr<IErrorInfo> info;
  if (GetErrorInfo(0, info.put()) == S_OK && info) {
    bstr_holder description, source;
    info->GetDescription(description.put());
    info->GetSource(source.put());
    throw automation_error(number, text_or(description.get(), runtime_description(number)),
                           text_or(source.get(), fallback_source));
  }
  throw automation_error(number, runtime_description(number), std::string(fallback_source));
}

void raise_failure(HRESULT hr, EXCEPINFO& info, std::string_view fallback_source) {
  if (hr != DISP_E_EXCEPTION) raise_failure(hr, fallback_source);
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  bstr_holder description(info.bstrDescription), source(info.bstrSource), help(info.bstrHelpFile);
  const std::int32_t number = info.scode ? number_of(info.scode) : info.wCode;
  throw automation_error(number, text_or(description.get(), runtime_description(number)),
                         text_or(source.get(), fallback_source));
}

}  // namespace veldrane::com

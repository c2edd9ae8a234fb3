#include "com/client_call.h"

#include "com/errors.h"
#include "com/identity.h"
#include "com/variant.h"

namespace veldrane::com {

namespace {

class dispatch_object final : public object, public com_backed {
 public:
  dispatch_object(com_ptr<IUnknown> p, std::string_view source) : unknown_(std::move(p)), source_(source) {}
  value call(std::string_view member, member_kind kind, std::vector<value*> args) override {
    com_ptr<IDispatch> d = unknown_.query<IDispatch>(IID_IDispatch);
    if (!d) raise(err::member_not_supported, std::string(source_));
    return late_call(d.get(), member, kind, std::move(args), source_);
  }
  IUnknown* identity() const override { return unknown_.get(); }

 private:
  com_ptr<IUnknown> unknown_;
  std::string_view source_;
};

}  // namespace

value late_call(IDispatch* target, std::string_view member, member_kind kind, std::vector<value*> args,
                std::string_view source) {
  std::wstring name = to_wide(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) raise_failure(hr, source);

  // Each argument travels by reference to a VARIANT of ours and is read back.
  const std::size_t n = args.size();
  std::vector<variant_holder> values(n);
  std::vector<VARIANT> refs(n);
  for (std::size_t i = 0; i < n; ++i) {
    to_variant(*args[i], values[i].get());
    // DISPPARAMS lists the arguments last to first.
    VARIANT& r = refs[n - 1 - i];
    VariantInit(&r);
    V_VT(&r) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&r) = values[i].get();
  }
  WORD flags = DISPATCH_METHOD;
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{refs.data(), nullptr, static_cast<UINT>(n), 0};
  switch (kind) {
    case member_kind::method: flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET; break;
    case member_kind::get: flags = DISPATCH_PROPERTYGET | DISPATCH_METHOD; break;
    case member_kind::let: flags = DISPATCH_PROPERTYPUT; break;
    case member_kind::set: flags = DISPATCH_PROPERTYPUTREF; break;
  }
  if (kind == member_kind::let || kind == member_kind::set) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  variant_holder result;
  EXCEPINFO info{};
  UINT bad_arg = 0;
  hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.get(), &info, &bad_arg);
  if (FAILED(hr)) raise_failure(hr, info, source);
  for (std::size_t i = 0; i < n; ++i) *args[i] = from_variant(*values[i]);
  return from_variant(*result);
}

value late_get(IDispatch* target, std::string_view member, std::vector<value*> args, std::string_view source) {
  return late_call(target, member, member_kind::get, std::move(args), source);
}

object_ptr late_bound_object(com_ptr<IUnknown> p, std::string_view source) {
  return std::make_shared<dispatch_object>(std::move(p), source);
}

}  // namespace veldrane::com

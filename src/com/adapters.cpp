#include "host/framework.h"

#include "com/adapters.h"

#include <map>
#include <mutex>

#include "com/errors.h"
#include "com/variant.h"
#include "host.h"

namespace veldrane::com {

namespace {

// The source of errors that the host framework raised without saying where.
constexpr std::string_view kHostSource = "QUENTARO";
// The same for objects the component itself created by ProgID.
constexpr std::string_view kOwnSource = "VELDRANE";

void check(HRESULT hr) {
  if (FAILED(hr)) raise_failure(hr, kHostSource);
}

value take(VARIANT* v) {
  value r = from_variant(*v);
  VariantClear(v);
  return r;
}

std::string take(BSTR s) {
  bstr_holder h(s);
  return to_utf8(h.get());
}

BSTR bstr(const std::string& s) { return to_bstr(s); }

// A plain automation object: members reached by name. Errors the object
// raises without naming a source are reported under `source`.
class dispatch_object final : public object, public com_backed {
 public:
  explicit dispatch_object(com_ptr<IUnknown> p, std::string_view source = kHostSource)
      : unknown_(std::move(p)), source_(source) {}
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

// Core objects served by COM objects of this DLL.
std::mutex g_served_mutex;
std::map<const object*, IDispatch*> g_served;

// --- ADO, late-bound so that any compatible connection serves ------------

value get_property(IDispatch* d, std::string_view name, std::vector<value*> args = {}) {
  return late_call(d, name, member_kind::get, std::move(args), kHostSource);
}

com_ptr<IDispatch> dispatch_of(const value& v) {
  if (!v.is_object() || v.is_nothing()) raise(err::object_not_set, std::string(kHostSource));
  return unwrap_dispatch(v.as_object());
}

class ado_recordset final : public host::recordset, public com_backed {
 public:
  explicit ado_recordset(com_ptr<IDispatch> rs) : rs_(std::move(rs)) {}
  bool eof() override { return to_bool(get_property(rs_.get(), "EOF")); }
  bool bof() override { return to_bool(get_property(rs_.get(), "BOF")); }
  value field(std::int32_t index) override {
    com_ptr<IDispatch> fields = dispatch_of(get_property(rs_.get(), "Fields"));
    value i(index);
    com_ptr<IDispatch> item = dispatch_of(get_property(fields.get(), "Item", {&i}));
    return get_property(item.get(), "Value");
  }
  IUnknown* identity() const override { return rs_.get(); }

 private:
  com_ptr<IDispatch> rs_;
};

class ado_connection final : public host::connection, public com_backed {
 public:
  explicit ado_connection(com_ptr<IDispatch> c) : c_(std::move(c)) {}
  std::shared_ptr<host::recordset> execute(std::string_view command_text, value& records_affected,
                                           std::int32_t options) override {
    value text(command_text), opts(options);
    value rs = late_call(c_.get(), "Execute", member_kind::method, {&text, &records_affected, &opts}, kHostSource);
    if (!rs.is_object() || rs.is_nothing()) return nullptr;
    return std::make_shared<ado_recordset>(unwrap_dispatch(rs.as_object()));
  }
  std::string connection_string() override { return to_text(get_property(c_.get(), "ConnectionString")); }
  IUnknown* identity() const override { return c_.get(); }

 private:
  com_ptr<IDispatch> c_;
};

std::shared_ptr<host::connection> adapt_connection(IDispatch* d) {
  if (!d) return nullptr;
  return std::make_shared<ado_connection>(com_ptr<IDispatch>::adopt(d));
}

IDispatch* dispatch_identity(const std::shared_ptr<host::connection>& c) { return unwrap_dispatch(c).detach(); }

// --- The framework's objects, called at their vtable positions ------------

template <class I>
class adapter : public com_backed {
 public:
  explicit adapter(I* p) : p_(com_ptr<I>::adopt(p)) {}
  IUnknown* identity() const override { return p_.get(); }

 protected:
  com_ptr<I> p_;
};

template <class A, class I>
std::shared_ptr<A> adapt(I* p) {
  if (!p) return nullptr;
  return std::make_shared<A>(p);
}

class translator_adapter final : public host::translator, public adapter<IHostTranslator> {
 public:
  using adapter::adapter;
  void translate(const std::string& label, value& translation) override {
    bstr_holder l(bstr(label));
    variant_holder t;
    to_variant(translation, t.get());
    check(p_->Translate(l.get(), t.get()));
    translation = from_variant(*t);
  }
};

class coding_adapter final : public host::coding_parameters, public adapter<IHostCodingParameters> {
 public:
  using adapter::adapter;
  value hierarchical_coding() override {
    VARIANT v;
    VariantInit(&v);
    check(p_->get_HierarchicalCoding(&v));
    return take(&v);
  }
};

class company_adapter final : public host::company_context, public adapter<IHostCompanyContext> {
 public:
  using adapter::adapter;
  value company_code() override { return variant_of(&IHostCompanyContext::get_CompanyCode); }
  value language() override {
    BSTR s = nullptr;
    check(p_->get_Language(&s));
    return value(take(s));
  }
  value transfer_check() override { return variant_of(&IHostCompanyContext::get_TransferCheck); }
  std::shared_ptr<host::coding_parameters> coding() override {
    IHostCodingParameters* c = nullptr;
    check(p_->get_Coding(&c));
    return adapt<coding_adapter>(c);
  }

 private:
  value variant_of(HRESULT (STDMETHODCALLTYPE IHostCompanyContext::*get)(VARIANT*)) {
    VARIANT v;
    VariantInit(&v);
    check((p_.get()->*get)(&v));
    return take(&v);
  }
};

class user_adapter final : public host::user_context, public adapter<IHostUserContext> {
 public:
  using adapter::adapter;
  value text1() override { return text_of(&IHostUserContext::get_Text1); }
  value text4() override { return text_of(&IHostUserContext::get_Text4); }
  value description_language() override { return text_of(&IHostUserContext::get_DescriptionLanguage); }
  value user_id() override { return variant_of(&IHostUserContext::get_UserId); }
  value agent() override { return variant_of(&IHostUserContext::get_Agent); }

 private:
  value text_of(HRESULT (STDMETHODCALLTYPE IHostUserContext::*get)(BSTR*)) {
    BSTR s = nullptr;
    check((p_.get()->*get)(&s));
    return value(take(s));
  }
  value variant_of(HRESULT (STDMETHODCALLTYPE IHostUserContext::*get)(VARIANT*)) {
    VARIANT v;
    VariantInit(&v);
    check((p_.get()->*get)(&v));
    return take(&v);
  }
};

class environment_adapter final : public host::environment, public adapter<IHostEnvironment> {
 public:
  using adapter::adapter;
  std::shared_ptr<host::company_context> company() override {
    IHostCompanyContext* c = nullptr;
    check(p_->get_CompanyContext(&c));
    return adapt<company_adapter>(c);
  }
  std::shared_ptr<host::user_context> user() override {
    IHostUserContext* u = nullptr;
    check(p_->get_UserContext(&u));
    return adapt<user_adapter>(u);
  }
  value filters_apply() override {
    VARIANT_BOOL b = VARIANT_FALSE;
    check(p_->get_FiltersApply(&b));
    return value(b != VARIANT_FALSE);
  }
  std::shared_ptr<host::translator> translation() override {
    IHostTranslator* t = nullptr;
    check(p_->get_Translator(&t));
    return adapt<translator_adapter>(t);
  }
  value production_columns() override {
    long n = 0;
    check(p_->get_ProductionColumns(&n));
    return value(static_cast<std::int32_t>(n));
  }
};

class active_interface_adapter final : public host::active_interface, public adapter<IHostActiveInterface> {
 public:
  using adapter::adapter;
  std::shared_ptr<host::environment> environment_object() override {
    IHostEnvironment* e = nullptr;
    check(p_->get_Environment(&e));
    return adapt<environment_adapter>(e);
  }
  std::shared_ptr<host::connection> database_connection() override {
    IDispatch* c = nullptr;
    check(p_->get_Connection(&c));
    return adapt_connection(c);
  }
};

class filter_builder_adapter final : public host::filter_builder, public adapter<IHostFilterBuilder> {
 public:
  using adapter::adapter;
  void set_connection(std::shared_ptr<host::connection> c) override {
    // Passed by reference: the builder may hand back another object, which
    // is then ours to release.
    IDispatch* d = dispatch_identity(c);
    HRESULT hr = p_->SetConnection(&d);
    if (d) d->Release();
    check(hr);
  }
  void set_connection_text(const std::string& text) override { put_text(&IHostFilterBuilder::put_ConnectionText, text); }
  void set_text7(const std::string& text) override { put_text(&IHostFilterBuilder::put_Text7, text); }
  void set_text9(const std::string& text) override { put_text(&IHostFilterBuilder::put_Text9, text); }
  void set_text11(const std::string& text) override { put_text(&IHostFilterBuilder::put_Text11, text); }
  void set_flag14(bool flag) override { check(p_->put_Flag14(flag ? VARIANT_TRUE : VARIANT_FALSE)); }
  void set_company(std::int32_t company) override { check(p_->put_Company(company)); }
  value filter_clause(const std::string& field, std::int32_t a, std::int32_t b) override {
    bstr_holder f(bstr(field));
    VARIANT v;
    VariantInit(&v);
    check(p_->FilterClause(f.get(), a, b, &v));
    return take(&v);
  }
  value filter_clause2(std::int32_t a) override {
    VARIANT v;
    VariantInit(&v);
    check(p_->FilterClause2(a, &v));
    return take(&v);
  }

 private:
  void put_text(HRESULT (STDMETHODCALLTYPE IHostFilterBuilder::*put)(BSTR), const std::string& text) {
    bstr_holder s(bstr(text));
    check((p_.get()->*put)(s.get()));
  }
};

// The extend operations of both extension objects: columns and the two
// clauses go in and come back changed.
template <class I>
void extend_through(I* p, value& columns, std::string& select_list, std::string& from_clause) {
  variant_holder cols;
  to_variant(columns, cols.get());
  bstr_holder sel(bstr(select_list)), from(bstr(from_clause));
  check(p->Extend(cols.get(), sel.address(), from.address()));
  columns = from_variant(*cols);
  select_list = to_utf8(sel.get());
  from_clause = to_utf8(from.get());
}

class first_extension_adapter final : public host::first_extension, public adapter<IHostFirstExtension> {
 public:
  using adapter::adapter;
  void set_entity(std::int16_t entity) override { check(p_->put_Entity(entity)); }
  void set_connection(std::shared_ptr<host::connection> c) override {
    com_ptr<IDispatch> d = com_ptr<IDispatch>::adopt(dispatch_identity(c));
    check(p_->putref_Connection(d.get()));
  }
  object_ptr extender() override {
    IDispatch* e = nullptr;
    check(p_->get_Extender(&e));
    com_ptr<IDispatch> owned = com_ptr<IDispatch>::adopt(e);
    value v = wrap_object(owned.get());
    return v.as_object();
  }
  void extend(value& columns, std::string& select_list, std::string& from_clause) override {
    extend_through(p_.get(), columns, select_list, from_clause);
  }
};

class second_extension_adapter final : public host::second_extension, public adapter<IHostSecondExtension> {
 public:
  using adapter::adapter;
  void set_entity(std::int16_t& entity) override {
    short e = entity;
    check(p_->SetEntity(&e));
    entity = e;
  }
  void set_active_interface(std::shared_ptr<host::active_interface> ai) override {
    com_ptr<IHostActiveInterface> p;
    if (ai) {
      com_ptr<IDispatch> d = unwrap_dispatch(ai);
      p = d.query<IHostActiveInterface>(IID_IHostActiveInterface);
      if (!p) raise(err::type_mismatch, std::string(kHostSource));
    }
    check(p_->putref_ActiveInterface(p.get()));
  }
  void extend(value& columns, std::string& select_list, std::string& from_clause) override {
    extend_through(p_.get(), columns, select_list, from_clause);
  }
  void close() override { check(p_->Close()); }
};

class converter_adapter final : public host::converter, public adapter<IHostConverter> {
 public:
  using adapter::adapter;
  void put_value(const value& v) override {
    variant_holder in;
    to_variant(v, in.get());
    check(p_->put_Value(*in));
  }
  value status() override {
    VARIANT v;
    VariantInit(&v);
    check(p_->get_Status(&v));
    return take(&v);
  }
  value output() override {
    VARIANT v;
    VariantInit(&v);
    check(p_->get_Output(&v));
    return take(&v);
  }
};

// --- The framework classes the component creates ---------------------------

template <class A, class I>
std::shared_ptr<A> create(const CLSID& clsid, const IID& iid) {
  I* p = nullptr;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, reinterpret_cast<void**>(&p));
  if (FAILED(hr) || !p) raise(err::cannot_create_object, "VELDRANE");
  return std::make_shared<A>(p);
}

class created_classes final : public host::class_factory {
 public:
  std::shared_ptr<host::filter_builder> create_filter_builder() override {
    return create<filter_builder_adapter, IHostFilterBuilder>(CLSID_HostFilterBuilder, IID_IHostFilterBuilder);
  }
  std::shared_ptr<host::first_extension> create_first_extension() override {
    return create<first_extension_adapter, IHostFirstExtension>(CLSID_HostFirstExtension, IID_IHostFirstExtension);
  }
  std::shared_ptr<host::second_extension> create_second_extension() override {
    return create<second_extension_adapter, IHostSecondExtension>(CLSID_HostSecondExtension,
                                                                   IID_IHostSecondExtension);
  }
  std::shared_ptr<host::converter> create_converter() override {
    return create<converter_adapter, IHostConverter>(CLSID_HostConverter, IID_IHostConverter);
  }
};

}  // namespace

value wrap_object(IUnknown* p) {
  if (!p) return value::nothing();
  IHostActiveInterface* ai = nullptr;
  if (SUCCEEDED(p->QueryInterface(IID_IHostActiveInterface, reinterpret_cast<void**>(&ai))) && ai)
    return value(object_ptr(std::make_shared<active_interface_adapter>(ai)));
  return value(object_ptr(std::make_shared<dispatch_object>(com_ptr<IUnknown>::share(p))));
}

void serve(const object* core, IDispatch* iface) {
  std::lock_guard<std::mutex> lock(g_served_mutex);
  g_served[core] = iface;
}

void stop_serving(const object* core) {
  std::lock_guard<std::mutex> lock(g_served_mutex);
  g_served.erase(core);
}

com_ptr<IDispatch> unwrap_dispatch(const object_ptr& o) {
  if (!o) return {};
  {
    std::lock_guard<std::mutex> lock(g_served_mutex);
    auto it = g_served.find(o.get());
    if (it != g_served.end()) return com_ptr<IDispatch>::share(it->second);
  }
  const auto* backed = dynamic_cast<const com_backed*>(o.get());
  if (!backed) raise(err::type_mismatch, "VELDRANE");
  com_ptr<IDispatch> d = com_ptr<IUnknown>::share(backed->identity()).query<IDispatch>(IID_IDispatch);
  if (!d) raise(err::type_mismatch, "VELDRANE");
  return d;
}

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

object_ptr com_platform::create_object(std::string_view progid) {
  const std::wstring name = to_wide(progid);
  CLSID clsid;
  IDispatch* d = nullptr;
  if (FAILED(CLSIDFromProgID(name.c_str(), &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&d))) || !d)
    raise(err::cannot_create_object, std::string(kOwnSource));
  return std::make_shared<dispatch_object>(com_ptr<IUnknown>::adopt(d), kOwnSource);
}

host::class_factory& com_platform::framework_classes() {
  static created_classes classes;
  return classes;
}

std::shared_ptr<platform> dll_platform() {
  static std::shared_ptr<platform> p = std::make_shared<com_platform>();
  return p;
}

}  // namespace veldrane::com

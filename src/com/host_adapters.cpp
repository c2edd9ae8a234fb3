#include "com/host_adapters.h"

#include "com/ado.h"
#include "com/client_call.h"
#include "com/errors.h"
#include "com/identity.h"
#include "com/variant.h"
#include "host.h"

namespace veldrane::com {

namespace {

void check(HRESULT hr) {
  if (FAILED(hr)) raise_failure(hr, kHostSource);
}

BSTR bstr(const std::string& s) { return to_bstr(s); }

template <class I>
class adapter : public com_backed {
 public:
  explicit adapter(I* p) : p_(com_ptr<I>::adopt(p)) {}
  IUnknown* identity() const override { return p_.get(); }

 protected:
  /// Calls `member` with `args` and an out parameter last, and returns what
  /// the framework left in it: a Variant as it is, a String as text.
  template <class... Params, class... Args>
  value variant_from(HRESULT (STDMETHODCALLTYPE I::*member)(Params...), Args... args) {
    variant_holder v;
    check((p_.get()->*member)(args..., v.get()));
    return from_variant(*v);
  }
  template <class... Params, class... Args>
  value text_from(HRESULT (STDMETHODCALLTYPE I::*member)(Params...), Args... args) {
    bstr_holder s;
    check((p_.get()->*member)(args..., s.put()));
    return value(to_utf8(s.get()));
  }

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
  value hierarchical_coding() override { return variant_from(&IHostCodingParameters::get_HierarchicalCoding); }
};

class company_adapter final : public host::company_context, public adapter<IHostCompanyContext> {
 public:
  using adapter::adapter;
  value company_code() override { return variant_from(&IHostCompanyContext::get_CompanyCode); }
  value language() override { return text_from(&IHostCompanyContext::get_Language); }
  value transfer_check() override { return variant_from(&IHostCompanyContext::get_TransferCheck); }
  std::shared_ptr<host::coding_parameters> coding() override {
    IHostCodingParameters* c = nullptr;
    check(p_->get_Coding(&c));
    return adapt<coding_adapter>(c);
  }
};

class user_adapter final : public host::user_context, public adapter<IHostUserContext> {
 public:
  using adapter::adapter;
  value text1() override { return text_from(&IHostUserContext::get_Text1); }
  value text4() override { return text_from(&IHostUserContext::get_Text4); }
  value description_language() override { return text_from(&IHostUserContext::get_DescriptionLanguage); }
  value user_id() override { return variant_from(&IHostUserContext::get_UserId); }
  value agent() override { return variant_from(&IHostUserContext::get_Agent); }
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
    IDispatch* d = connection_dispatch(c);
    HRESULT hr = p_->SetConnection(&d);
    if (d) d->Release();
    check(hr);
  }
  void set_connection_text(const std::string& text) override {
    put_text(&IHostFilterBuilder::put_ConnectionText, text);
  }
  void set_text7(const std::string& text) override { put_text(&IHostFilterBuilder::put_Text7, text); }
  void set_text9(const std::string& text) override { put_text(&IHostFilterBuilder::put_Text9, text); }
  void set_text11(const std::string& text) override { put_text(&IHostFilterBuilder::put_Text11, text); }
  void set_flag14(bool flag) override { check(p_->put_Flag14(flag ? VARIANT_TRUE : VARIANT_FALSE)); }
  void set_company(std::int32_t company) override { check(p_->put_Company(company)); }
  value filter_clause(const std::string& field, std::int32_t a, std::int32_t b) override {
    bstr_holder f(bstr(field));
    return variant_from(&IHostFilterBuilder::FilterClause, f.get(), a, b);
  }
  value filter_clause2(std::int32_t a) override { return variant_from(&IHostFilterBuilder::FilterClause2, a); }

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
    com_ptr<IDispatch> d = com_ptr<IDispatch>::adopt(connection_dispatch(c));
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
  value status() override { return variant_from(&IHostConverter::get_Status); }
  value output() override { return variant_from(&IHostConverter::get_Output); }
};

// --- The framework classes the component creates ---------------------------

template <class A, class I>
std::shared_ptr<A> create(const CLSID& clsid, const IID& iid) {
  I* p = nullptr;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, reinterpret_cast<void**>(&p));
  if (FAILED(hr) || !p) raise_own(err::cannot_create_object);
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

object_ptr adapt_active_interface(IUnknown* p) {
  IHostActiveInterface* ai = nullptr;
  if (!p || FAILED(p->QueryInterface(IID_IHostActiveInterface, reinterpret_cast<void**>(&ai))) || !ai) return nullptr;
  return std::make_shared<active_interface_adapter>(ai);
}

host::class_factory& created_framework_classes() {
  static created_classes classes;
  return classes;
}

}  // namespace veldrane::com

// What the two builder classes share: an object of the component bound to
// the host framework through its ActiveInterface, with the company it works
// for and the filter builder it makes on first need.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "frame/component.h"
#include "host/framework.h"

namespace veldrane {

class host_bound_component : public component {
 public:
  host_bound_component(std::shared_ptr<platform> p, std::string_view class_name)
      : component(std::move(p), class_name) {}
  /// Releases the filter builder (its connection first) and the active
  /// interface, going on past any failure.
  ~host_bound_component() override;

  const std::shared_ptr<host::active_interface>& active_interface() const { return active_; }
  void set_active_interface(std::shared_ptr<host::active_interface> ai) { active_ = std::move(ai); }

  /// CodiceDitta get: the stored company, or the framework's current one
  /// (through DecimalOrZero) while the stored value is 0; 0 when that cannot
  /// be read.
  std::int32_t codice_ditta();
  void set_codice_ditta(std::int32_t v) { ditta_ = v; }

  /// The framework's objects, read anew at every call; each raises "object
  /// not set" when missing. The framework may hand out a new object each
  /// time, so callers hold the pointer while they use it.
  host::active_interface& host_interface();
  std::shared_ptr<host::environment> environment();
  std::shared_ptr<host::company_context> company_context();
  std::shared_ptr<host::user_context> user_context();

  /// Where a statement's language code comes from.
  enum class language_source { company, user };
  /// The language code: `fallback` without an active interface, otherwise
  /// the framework's (company or user context) as text, untrimmed.
  std::string language(language_source src, std::string_view fallback = "ITA ");

  /// The filter builder (OggettoFiltri), made and bound on first need and
  /// kept while the object lives.
  host::filter_builder& filter_builder();

 private:
  std::shared_ptr<host::active_interface> active_;
  std::shared_ptr<host::filter_builder> filter_builder_;
  std::int32_t ditta_ = 0;
};

}  // namespace veldrane

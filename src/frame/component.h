// What every object of the three classes shares: its platform, its instance
// identifier and the trace lines written at creation and destruction.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "frame/platform.h"

namespace veldrane {

/// The 32-digit uppercase hexadecimal text of a GUID, its parts in natural
/// order, each left-padded with zeros.
std::string instance_id_text(const guid& g);

class component {
 public:
  component(std::shared_ptr<platform> p, std::string_view class_name);
  component(const component&) = delete;
  component& operator=(const component&) = delete;
  virtual ~component() = default;

  /// The instance identifier, made on first need from a new GUID. Empty when
  /// the GUID could not be made; the next call then tries again.
  const std::string& instance_id();
  std::string_view class_name() const { return class_name_; }
  platform& system() const { return *platform_; }

 protected:
  /// Writes "VORX:|<id>|<event>|VELDRANE|<class>".
  void write_trace(std::string_view event);

 private:
  std::shared_ptr<platform> platform_;
  std::string_view class_name_;
  std::string instance_id_;
};

}  // namespace veldrane

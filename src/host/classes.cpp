#include "host/classes.h"

#include "convert/converters.h"

namespace veldrane {

namespace host {

namespace {

// Without a framework installed every creation fails as the runtime's
// CreateObject does for an unregistered class.
class no_framework final : public class_factory {
 public:
  std::shared_ptr<filter_builder> create_filter_builder() override { fail(); }
  std::shared_ptr<first_extension> create_first_extension() override { fail(); }
  std::shared_ptr<second_extension> create_second_extension() override { fail(); }
  std::shared_ptr<converter> create_converter() override { fail(); }

 private:
  [[noreturn]] static void fail() { raise(err::cannot_create_object, kComponentSource); }
};

class_factory& none() {
  static no_framework classes;
  return classes;
}

}  // namespace

class_factory& framework_platform::framework_classes() { return none(); }

class_factory& framework_classes(platform& p) {
  auto* fp = dynamic_cast<framework_platform*>(&p);
  return fp ? fp->framework_classes() : none();
}

}  // namespace host

value ConvertedOrText(host::class_factory& classes, const value& v) {
  // Every step may fail; a failed step is skipped and the next one runs.
  std::shared_ptr<host::converter> conv;
  try {
    conv = classes.create_converter();
  } catch (const automation_error&) {
  }
  try {
    if (conv) conv->put_value(v);
  } catch (const automation_error&) {
  }
  value status;  // Empty when the status cannot be read, and Empty equals 0
  try {
    if (conv) status = conv->status();
  } catch (const automation_error&) {
  }
  value result;
  try {
    bool ok = status.is_empty() || (!status.is_null() && to_double(status) == 0);
    if (ok) {
      if (!conv) raise(err::object_not_set, kComponentSource);
      result = conv->output();
    } else {
      result = TextOrEmpty(v);
    }
  } catch (const automation_error&) {
  }
  return result;
}

}  // namespace veldrane

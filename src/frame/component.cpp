#include "frame/component.h"

#include "convert/error.h"

namespace veldrane {

std::string instance_id_text(const guid& g) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(32);
  auto put = [&](std::uint32_t v, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out.push_back(hex[(v >> shift) & 0xF]);
  };
  put(g.data1, 8);
  put(g.data2, 4);
  put(g.data3, 4);
  for (std::uint8_t b : g.data4) put(b, 2);
  return out;
}

component::component(std::shared_ptr<platform> p, std::string_view class_name)
    : platform_(p ? std::move(p) : platform::system()), class_name_(class_name) {}

const std::string& component::instance_id() {
  if (instance_id_.empty()) {
    guid g;
    if (platform_->create_guid(g)) instance_id_ = instance_id_text(g);
  }
  return instance_id_;
}

void component::write_trace(std::string_view event) {
  const std::string& id = instance_id();
  std::string line;
  line.reserve(32 + id.size() + event.size() + class_name_.size());
  line.append("VORX:").append("|").append(id).append("|").append(event).append("|");
  line.append(kComponentSource).append("|");
  line.append(class_name_);
  platform_->trace(line);
}

}  // namespace veldrane

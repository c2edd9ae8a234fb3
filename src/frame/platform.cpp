#include "frame/platform.h"

#include <ctime>
#include <random>

#include "convert/error.h"

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#endif

namespace veldrane {

#ifdef _WIN32

bool platform::create_guid(guid& out) {
  GUID g;
  if (CoCreateGuid(&g) != S_OK) return false;
  out.data1 = g.Data1;
  out.data2 = g.Data2;
  out.data3 = g.Data3;
  for (int i = 0; i < 8; ++i) out.data4[i] = g.Data4[i];
  return true;
}

void platform::trace(std::string_view line) {
  // The core's text is UTF-8; the debug channel takes the ANSI code page.
  int wide = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), w.data(), wide);
  int narrow = WideCharToMultiByte(CP_ACP, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string a(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), wide, a.data(), narrow, nullptr, nullptr);
  OutputDebugStringA(a.c_str());
}

#else

bool platform::create_guid(guid& out) {
  static thread_local std::mt19937_64 gen{std::random_device{}()};
  std::uint64_t a = gen(), b = gen();
  out.data1 = static_cast<std::uint32_t>(a >> 32);
  out.data2 = static_cast<std::uint16_t>(a >> 16);
  // Version 4, variant 1, as a random GUID is made.
  out.data3 = static_cast<std::uint16_t>((a & 0x0FFF) | 0x4000);
  for (int i = 0; i < 8; ++i) out.data4[i] = static_cast<std::uint8_t>(b >> (56 - 8 * i));
  out.data4[0] = static_cast<std::uint8_t>((out.data4[0] & 0x3F) | 0x80);
  return true;
}

// No debug-output channel here: an embedding program that wants the trace
// lines overrides trace (the stand-in host keeps them).
void platform::trace(std::string_view) {}

#endif

std::shared_ptr<object> platform::create_object(std::string_view) {
  raise(err::cannot_create_object, kComponentSource);
}

date_value platform::today() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return date_value::from_parts(1970, 1, 1);
  return date_value::from_parts(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

#ifdef _WIN32
void platform::message_box(std::string_view prompt, int style) {
  int wide = MultiByteToWideChar(CP_UTF8, 0, prompt.data(), static_cast<int>(prompt.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, prompt.data(), static_cast<int>(prompt.size()), w.data(), wide);
  // No title: the box carries the component's name as its caption.
  const std::wstring caption(kComponentSource.begin(), kComponentSource.end());
  MessageBoxW(nullptr, w.c_str(), caption.c_str(), static_cast<UINT>(style) | MB_TASKMODAL);
}
#else
void platform::message_box(std::string_view, int) {}
#endif

std::shared_ptr<platform> platform::system() {
  static std::shared_ptr<platform> p = std::make_shared<platform>();
  return p;
}

}  // namespace veldrane

// The conventions by which numbers and dates become text and text becomes
// numbers. The default is the suite's Italian setting.
#pragma once

namespace veldrane {

struct text_locale {
  char decimal_separator = ',';
  char group_separator = '.';
  enum class date_order { dmy, mdy, ymd } order = date_order::dmy;
  char date_separator = '/';
  char time_separator = ':';

  static text_locale italian() { return {}; }
  static text_locale english_us() { return {'.', ',', date_order::mdy, '/', ':'}; }
};

/// The locale in force for the process, as the system locale is for the
/// runtime. Objects read it at every conversion.
const text_locale& current_locale();
void set_current_locale(const text_locale& l);

}  // namespace veldrane

// Statement text: fragments appended in order into one reserved buffer, in
// the two forms the statements are written in (run-on fragments that carry
// their own blanks, and lines), with the values inserted quoted or bare.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/value.h"

namespace veldrane {

class statement {
 public:
  /// Above the longest statement any operation composes, so that one
  /// reservation serves every operation: the longest measured is the
  /// warehouse-article lookup with a filter clause, about 3,700 characters;
  /// host texts (extensions, filter clauses) get the rest. The conformance
  /// test fails when a statement outgrows it.
  static constexpr std::size_t kReserve = 8192;

  statement() { buf_.reserve(kReserve); }

  /// Run-on form: appends a fragment as it stands.
  statement& operator<<(std::string_view fragment) {
    buf_.append(fragment);
    return *this;
  }
  /// Appends a value as the `&` operator writes it (Null as nothing).
  statement& text(const value& v);

  /// Line form: starts a new line (CR LF before every line but the first)
  /// and appends the fragment.
  statement& line(std::string_view fragment) {
    if (!buf_.empty()) buf_.append("\r\n");
    buf_.append(fragment);
    return *this;
  }

  /// A text value inserted between the single quotes of its fragments, its
  /// own single quotes doubled so that it stays one literal.
  statement& quoted(std::string_view text);
  /// A number written bare: decimal point, no grouping.
  statement& number(const value& v);
  statement& number(std::int64_t n);

  std::string_view view() const { return buf_; }
  /// Hands the text over in a string of its own size: what the caller keeps
  /// (a StringaSQL property, say) holds no more than the text, not the
  /// reservation. The statement is empty afterwards.
  std::string take() {
    std::string text(buf_);
    buf_.clear();
    return text;
  }

 private:
  std::string buf_;
};

}  // namespace veldrane

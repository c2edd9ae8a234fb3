// Statement text: fragments appended in order into one reserved buffer, and
// the shared composition rules (line form, language join, company filter,
// quoted insertion) each written once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
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

  /// Appends a fragment as it stands.
  statement& operator<<(std::string_view fragment) {
    append(fragment);
    return *this;
  }
  /// Appends a value as the `&` operator writes it (Null as nothing).
  statement& text(const value& v);

  /// Line form: starts a new line (CR LF before every line but the first)
  /// and appends the fragment.
  statement& line(std::string_view fragment) {
    if (!buf_.empty()) append("\r\n");
    append(fragment);
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
  void append(std::string_view s) { buf_.append(s); }
  std::string buf_;
};

// Shared composition rules.

/// Run-on language join: " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON",
/// the language condition, the provider and the row identifier column.
void language_join(statement& st, std::string_view language, std::string_view provider,
                   std::string_view idprov_column);

/// Line-form language join under an alias (DESCR, DESCRRID, ...).
void language_join_lines(statement& st, std::string_view alias, std::string_view language,
                         std::string_view provider, std::string_view idprov_column);

/// One branch of a CASE that shows a fixed label for a value.
struct case_branch {
  int n;
  std::string_view label;
};

/// The branches of a CASE, each the indent, "WHEN n THEN " and the label
/// between single quotes; in the line form (`lines`) each on a line of its
/// own, in the run-on form one fragment each.
void case_branches(statement& st, bool lines, std::string_view indent, std::span<const case_branch> branches);

/// The restriction of destinations (MG22) to those assigned to the agent or
/// to no agent at all: "  AND", EXISTS an assignment to `agent`, OR NOT
/// EXISTS any assignment.
void agent_destination_restriction(statement& st, const value& agent);

/// The text of a caller's value written bare (unquoted, unconverted). Only
/// a plain number can stand there: a number value, or a text of an optional
/// sign, digits and optionally a point and digits, blanks around it kept.
/// Anything else (other text, Empty, Null, a date, an object) is refused
/// with error 5 under `source`: an identifier or an expression there would
/// change what the statement selects.
std::string plain_number(const value& v, std::string_view source);

/// Company filter: the fragment (e.g. "    MG07_DITTA_CG18 = ") and the
/// company code as a decimal integer.
void company_filter(statement& st, std::string_view fragment, std::int32_t company);

}  // namespace veldrane

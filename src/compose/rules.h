// The composition rules both builders share, each written once: the
// language join, the company filter, the CASE branches of fixed labels, the
// agent restriction of destinations, plain numbers written bare, and the
// grammar and default of a lookup's sort column.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "compose/statement.h"
#include "convert/value.h"

namespace veldrane {

/// Run-on language join: " LEFT JOIN MG0S_DESLINGUA WITH (NOLOCK) ON",
/// the language condition, the provider and the row identifier column.
void language_join(statement& st, std::string_view language, std::string_view provider,
                   std::string_view idprov_column);

/// Line-form language join, under an alias (DESCR, DESCRRID, ...) or, with
/// an empty alias, under the table's own name.
void language_join_lines(statement& st, std::string_view alias, std::string_view language,
                         std::string_view provider, std::string_view idprov_column);

/// Company filter: the fragment (e.g. "    MG07_DITTA_CG18 = ") and the
/// company code as a decimal integer.
void company_filter(statement& st, std::string_view fragment, std::int32_t company);

/// One branch of a CASE that shows a fixed label for a value.
struct case_branch {
  int n;
  std::string_view label;
};

/// The branches of a CASE in the line form, each on a line of its own: eight
/// blanks, "WHEN n THEN " and the label between single quotes.
void case_branches(statement& st, std::span<const case_branch> branches);

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

// ---------------------------------------------------------------------------
// The sort column of a lookup, written bare after " ORDER BY ".

/// Whether a text is a list of column references: comma-separated items,
/// each a column name (letters, digits and "_", optionally dotted, or a
/// bracketed name) or a column number, optionally followed by ASC or DESC,
/// blanks around.
bool is_sort_list(std::string_view s);

/// Refuses with error 5 under `source` a sort column whose text is not a
/// sort list. A missing argument, Empty, Null and the empty text pass.
void check_sort_column(const value& campo, std::string_view source);

/// When the operation's default column stands in for the caller's.
enum class sort_default : std::uint8_t {
  missing,   // only when the argument is left out
  empty,     // also when it is Empty
  no_text,   // also when it has no text: Empty, Null or ""
};

/// The sort column: the default column where `when` says the argument names
/// none, otherwise its text verbatim, once check_sort_column has accepted it.
std::string sort_column(const value& campo, std::string_view default_column, sort_default when,
                        std::string_view source);

}  // namespace veldrane

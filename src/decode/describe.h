// The ways a decode statement is written, said once: a statement is pieces
// (a fragment and the value that follows it), and most decodes describe one
// table, so that a catalogue file holds their rows, its one-off operations
// and one-line members. A row holds its fragments exactly as they are
// written, blanks and quirks included; the rules here add only the clause
// keywords and the separators.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "decode/decode.h"

namespace veldrane::decode_ops {

/// How a value goes into the statement after its fragment. The ways that
/// quote find the opening quote at the end of their fragment and write the
/// closing one themselves.
enum class way : std::uint8_t {
  fixed,         // nothing: the fragment says it all
  company,       // CodiceDitta, bare
  host_company,  // the host's current company code as the host writes it, bare: a plain number only
  host_company_or_zero,  // the same, or 0 when the host cannot give it
  number,        // DecimalOrZero of the argument, bare
  plain,         // the argument as it stands, bare: a plain number only
  plain_text,    // a text argument without its trailing blanks, any other as it stands, bare: a plain number only
  quoted,        // TextOrEmpty of the argument, quoted
  trimmed,       // the argument's text without its trailing blanks, quoted; Null is an error
  as_given,      // the argument's own text, trailing blanks kept, quoted; Null gives ''
  decimal,       // the argument as a decimal number, quoted; a text that is no number is an error
};

/// One fragment of a statement and the value that follows it.
struct piece {
  std::string_view text;
  way how = way::fixed;
  std::uint8_t arg = 0;  // the argument's position, for the ways that take one
};

/// Appends the pieces in order, each fragment followed by its value.
void put(decode& dc, statement& st, std::span<value> a, std::span<const piece> pieces);

/// A statement that is nothing but its pieces, reading one field.
value compose(decode& dc, std::span<value> a, std::string_view field, std::span<const piece> pieces);

/// The statement's form: run-on fragments that carry their own blanks, or
/// lines ("SELECT", the select items, "FROM", the table, "WHERE", ...).
enum class form : std::uint8_t { run_on, lines };

/// How the conditions after WHERE follow one another.
enum class joined : std::uint8_t {
  by_and,      // " AND" between two conditions
  as_written,  // each fragment carries its own separator; in the line form they share the line after WHERE
  by_line,     // each on a line of its own (line form)
};

/// Where a translated description comes from: the translation table
/// MG0S_DESLINGUA in the language of the company or of the user.
struct translation {
  std::string_view provider;  // empty: the table's own description
  std::string_view idprov_column;
  decode::language_source language = decode::language_source::company;
};

/// A decode over one table: the fields the caller reads, the table, the
/// conditions, and what a few rows add (a translated description, joins, a
/// select list of their own, another form).
struct table {
  std::array<std::string_view, 7> fields;  // up to the first empty one; each also a select item
  std::string_view from;                   // "    MG91_PORTO WITH (NOLOCK)"
  std::array<piece, 6> where;              // up to the first empty fragment
  translation translated = {};             // the select item is then the translation under the field's name
  std::span<const piece> joins = {};       // after the table, before the translation (run-on form)
  std::string_view select = {};            // the select list as it stands, where it is not the fields'
  joined between = joined::by_and;
  form shape = form::run_on;
};

/// Sets the field list and composes the statement: the language is read
/// first when the description is translated, then the field list is stored,
/// and the statement last, once it is whole.
value describe(decode& dc, std::span<value> a, const table& t);

}  // namespace veldrane::decode_ops

// The one way most lookups are written: a list over one table (with its
// fixed joins), described by a row that holds the lookup's texts exactly as
// they are written, blanks and quirks included. The rules here add only the
// clause keywords, the separators and the steps every lookup follows.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "lookup/lookup.h"

namespace veldrane::lookup_ops {

/// A filter argument the caller left out counts as Empty: it is written as
/// the empty text or as 0, like an empty one.
const value& filter_value(const value& v);

/// The captions of a list of codes and descriptions.
inline constexpr std::array<std::string_view, 2> kCodeDescr = {"Codice", "Descrizione"};

/// How a filter argument goes into a condition after its fragment. The ways
/// that quote find the opening quote at the end of their fragment and write
/// the closing one themselves.
enum class way : std::uint8_t {
  fixed,     // nothing: the fragment says it all
  company,   // CodiceDitta, bare
  number,    // DecimalOrZero of the argument, bare
  number_if_given,  // the same; a missing argument leaves the whole condition out
  quoted,    // TextOrEmpty of the argument, quoted
  as_given,  // the argument's own text, trailing blanks kept, quoted; Null gives ''
  parent,    // a parent level's code: TextOrEmpty of the argument under hierarchical coding, otherwise the
             // empty code; the coding parameter is read, anew at every call, before the first parent
};

/// One condition: its fragment and the value that follows it.
struct piece {
  std::string_view text;
  way how = way::fixed;
  std::uint8_t arg = 0;  // the argument's position, for the ways that take one
};

/// A lookup over one table, in the run-on form: " SELECT", the select items,
/// " FROM", the table, the language join when the description is
/// translated, " WHERE" and the conditions separated by " AND", then the
/// ORDER BY fragment and the sort column (the last argument).
struct table {
  std::string_view title;
  std::string_view id;
  std::string_view sort;                      // the default sort column
  std::array<std::string_view, 9> captions;   // up to the first empty one
  std::string_view select;                    // the select items as written
  std::string_view from;                      // the table and its fixed joins as written
  std::array<piece, 4> where = {};            // up to the first empty fragment; none: no WHERE
  std::string_view provider = {};             // translated: the translation provider of the table
  std::string_view idprov_column = {};        // and its row identifier column
  sort_default when = sort_default::missing;  // where the default sort column stands in
  std::string_view order_by = " ORDER BY ";
  std::string_view suppliers_title = {};      // where suppliers (TipoCf, the first argument, not 0) have their own
};

/// One WHEN branch of a CASE whose label is a text: the branch fragment up to
/// its opening quote, then the label. Labels the translator hands back are
/// data, so their own quotes are doubled to keep each one a single literal.
void when_label(statement& st, std::string_view branch, std::string_view label);

/// Whether TipoCf means customers: 0, Empty, Null and blank do; any other
/// value means suppliers.
bool is_customer(const value& tipo_cf);

/// Follows the steps of a lookup: the language (for a translated table),
/// the captions, the title, the sort column, the statement, the identifier.
value describe(lookup& lk, std::span<value> a, const table& t);

}  // namespace veldrane::lookup_ops

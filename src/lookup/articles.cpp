#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value articoli_di_magazzino(lookup& lk, std::span<value>) { lk.not_implemented("ArticoliDiMagazzino"); }
value articoli_clienti_fornitori(lookup& lk, std::span<value>) { lk.not_implemented("ArticoliClientiFornitori"); }

}  // namespace veldrane::lookup_ops

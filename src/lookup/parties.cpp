#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value agenti(lookup& lk, std::span<value>) { lk.not_implemented("Agenti"); }
value clienti_fornitori(lookup& lk, std::span<value>) { lk.not_implemented("ClientiFornitori"); }
value destinatari(lookup& lk, std::span<value>) { lk.not_implemented("Destinatari"); }
value raggruppamenti_documenti(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppamentiDocumenti"); }
value livelli_di_blocco(lookup& lk, std::span<value>) { lk.not_implemented("LivelliDiBlocco"); }
value raggruppamenti_clienti_fornitori1(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppamentiClientiFornitori1"); }
value raggruppamenti_clienti_fornitori2(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppamentiClientiFornitori2"); }
value raggruppamenti_clienti_fornitori3(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppamentiClientiFornitori3"); }
value agenti_by_id(lookup& lk, std::span<value>) { lk.not_implemented("AgentiByID"); }

}  // namespace veldrane::lookup_ops

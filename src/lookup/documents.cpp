#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value documenti(lookup& lk, std::span<value>) { lk.not_implemented("Documenti"); }
value raggruppamenti_formule(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppamentiFormule"); }
value formule(lookup& lk, std::span<value>) { lk.not_implemented("Formule"); }
value schede_articoli(lookup& lk, std::span<value>) { lk.not_implemented("SchedeArticoli"); }
value listini_anagrafica(lookup& lk, std::span<value>) { lk.not_implemented("ListiniAnagrafica"); }
value causali_magazzino(lookup& lk, std::span<value>) { lk.not_implemented("CausaliMagazzino"); }
value trasformazione_documenti(lookup& lk, std::span<value>) { lk.not_implemented("TrasformazioneDocumenti"); }
value documenti_ditta(lookup& lk, std::span<value>) { lk.not_implemented("DocumentiDitta"); }
value trasformazione_documenti_ditta(lookup& lk, std::span<value>) { lk.not_implemented("TrasformazioneDocumentiDitta"); }

}  // namespace veldrane::lookup_ops

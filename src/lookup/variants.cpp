#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value precodici(lookup& lk, std::span<value>) { lk.not_implemented("Precodici"); }
value gruppi_fiscali(lookup& lk, std::span<value>) { lk.not_implemented("GruppiFiscali"); }
value testi_fissi(lookup& lk, std::span<value>) { lk.not_implemented("TestiFissi"); }
value classi_di_sconto(lookup& lk, std::span<value>) { lk.not_implemented("ClassiDiSconto"); }
value marche(lookup& lk, std::span<value>) { lk.not_implemented("Marche"); }
value opzioni(lookup& lk, std::span<value>) { lk.not_implemented("Opzioni"); }
value configuratore(lookup& lk, std::span<value>) { lk.not_implemented("Configuratore"); }
value raggruppamento_varianti(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppamentoVarianti"); }
value subcodici_articoli(lookup& lk, std::span<value>) { lk.not_implemented("SubcodiciArticoli"); }
value rischio(lookup& lk, std::span<value>) { lk.not_implemented("Rischio"); }
value condizioni_di_pagamento_esclusione_rischio(lookup& lk, std::span<value>) { lk.not_implemented("CondizioniDiPagamentoEsclusioneRischio"); }
value codici_incoterms(lookup& lk, std::span<value>) { lk.not_implemented("CodiciIncoterms"); }

}  // namespace veldrane::lookup_ops

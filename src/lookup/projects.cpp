#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value anagrafica_progetti(lookup& lk, std::span<value>) { lk.not_implemented("AnagraficaProgetti"); }
value anagrafica_sottoprogetti(lookup& lk, std::span<value>) { lk.not_implemented("AnagraficaSottoprogetti"); }
value commesse(lookup& lk, std::span<value>) { lk.not_implemented("Commesse"); }
value sotto_commesse(lookup& lk, std::span<value>) { lk.not_implemented("SottoCommesse"); }
value indici_margini(lookup& lk, std::span<value>) { lk.not_implemented("IndiciMargini"); }
value giri(lookup& lk, std::span<value>) { lk.not_implemented("Giri"); }
value raggruppo_contabile_articolo(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppoContabileArticolo"); }
value raggruppo_contabile_cliente_fornitore(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppoContabileClienteFornitore"); }
value raggruppo_contabile_fase(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppoContabileFase"); }
value configurazioni_schede_trasporto(lookup& lk, std::span<value>) { lk.not_implemented("ConfigurazioniSchedeTrasporto"); }
value destinatari_clienti_fornitori(lookup& lk, std::span<value>) { lk.not_implemented("DestinatariClientiFornitori"); }

}  // namespace veldrane::lookup_ops

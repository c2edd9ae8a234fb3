#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value gruppi_statistici1(lookup& lk, std::span<value>) { lk.not_implemented("GruppiStatistici1"); }
value gruppi_statistici2(lookup& lk, std::span<value>) { lk.not_implemented("GruppiStatistici2"); }
value gruppi_statistici3(lookup& lk, std::span<value>) { lk.not_implemented("GruppiStatistici3"); }
value gruppi_statistici4(lookup& lk, std::span<value>) { lk.not_implemented("GruppiStatistici4"); }
value flags_esclusione_stampa(lookup& lk, std::span<value>) { lk.not_implemented("FlagsEsclusioneStampa"); }
value porto(lookup& lk, std::span<value>) { lk.not_implemented("Porto"); }
value tipi_spedizione(lookup& lk, std::span<value>) { lk.not_implemented("TipiSpedizione"); }
value campagne(lookup& lk, std::span<value>) { lk.not_implemented("Campagne"); }
value imballi(lookup& lk, std::span<value>) { lk.not_implemented("Imballi"); }
value confezioni(lookup& lk, std::span<value>) { lk.not_implemented("Confezioni"); }
value ubicazioni(lookup& lk, std::span<value>) { lk.not_implemented("Ubicazioni"); }
value aspetto_dei_beni(lookup& lk, std::span<value>) { lk.not_implemented("AspettoDeiBeni"); }
value listini99_prezzi(lookup& lk, std::span<value>) { lk.not_implemented("Listini99Prezzi"); }
value listini_piu_articoli(lookup& lk, std::span<value>) { lk.not_implemented("ListiniPiuArticoli"); }
value testi_vari(lookup& lk, std::span<value>) { lk.not_implemented("TestiVari"); }
value basi(lookup& lk, std::span<value>) { lk.not_implemented("Basi"); }
value confezioni_articolo(lookup& lk, std::span<value>) { lk.not_implemented("ConfezioniArticolo"); }
value filtri_mov_per_indici_margini(lookup& lk, std::span<value>) { lk.not_implemented("FiltriMovPerIndiciMargini"); }
value tipologia_agente(lookup& lk, std::span<value>) { lk.not_implemented("TipologiaAgente"); }
value ubicazioni_depositi(lookup& lk, std::span<value>) { lk.not_implemented("UbicazioniDepositi"); }

}  // namespace veldrane::lookup_ops

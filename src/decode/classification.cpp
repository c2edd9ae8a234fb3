#include "decode/decode.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

value lingua(decode& dc, std::span<value>) { dc.not_implemented("Lingua"); }
value famiglia(decode& dc, std::span<value>) { dc.not_implemented("Famiglia"); }
value sotto_famiglia(decode& dc, std::span<value>) { dc.not_implemented("SottoFamiglia"); }
value gruppo(decode& dc, std::span<value>) { dc.not_implemented("Gruppo"); }
value sotto_gruppo(decode& dc, std::span<value>) { dc.not_implemented("SottoGruppo"); }
value applicazione(decode& dc, std::span<value>) { dc.not_implemented("Applicazione"); }
value deposito(decode& dc, std::span<value>) { dc.not_implemented("Deposito"); }
value deposito_trasferimento_mov(decode& dc, std::span<value>) { dc.not_implemented("DepositoTrasferimentoMov"); }
value deposito_trasferimento_coll(decode& dc, std::span<value>) { dc.not_implemented("DepositoTrasferimentoColl"); }
value raggruppamento_depositi(decode& dc, std::span<value>) { dc.not_implemented("RaggruppamentoDepositi"); }
value opzione(decode& dc, std::span<value>) { dc.not_implemented("Opzione"); }
value configuratore(decode& dc, std::span<value>) { dc.not_implemented("Configuratore"); }
value raggruppamento_variante(decode& dc, std::span<value>) { dc.not_implemented("RaggruppamentoVariante"); }
value subcodice_articolo(decode& dc, std::span<value>) { dc.not_implemented("SubcodiceArticolo"); }
value precodice(decode& dc, std::span<value>) { dc.not_implemented("Precodice"); }
value gruppo_fiscale(decode& dc, std::span<value>) { dc.not_implemented("GruppoFiscale"); }
value testo_fisso(decode& dc, std::span<value>) { dc.not_implemented("TestoFisso"); }
value classe_di_sconto(decode& dc, std::span<value>) { dc.not_implemented("ClasseDiSconto"); }
value codice_incoterms(decode& dc, std::span<value>) { dc.not_implemented("CodiceIncoterms"); }
value marca(decode& dc, std::span<value>) { dc.not_implemented("Marca"); }
value articolo_di_magazzino(decode& dc, std::span<value>) { dc.not_implemented("ArticoloDiMagazzino"); }
value articolo_di_magazzino_con_variante(decode& dc, std::span<value>) { dc.not_implemented("ArticoloDiMagazzinoConVariante"); }
value gruppo_statistico1(decode& dc, std::span<value>) { dc.not_implemented("GruppoStatistico1"); }
value gruppo_statistico2(decode& dc, std::span<value>) { dc.not_implemented("GruppoStatistico2"); }
value gruppo_statistico3(decode& dc, std::span<value>) { dc.not_implemented("GruppoStatistico3"); }
value gruppo_statistico4(decode& dc, std::span<value>) { dc.not_implemented("GruppoStatistico4"); }
value flag_esclusione_stampa(decode& dc, std::span<value>) { dc.not_implemented("FlagEsclusioneStampa"); }
value filtro_mov_per_indici_margini(decode& dc, std::span<value>) { dc.not_implemented("FiltroMovPerIndiciMargini"); }

}  // namespace veldrane::decode_ops

#include "decode/decode.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

value porto(decode& dc, std::span<value>) { dc.not_implemented("Porto"); }
value tipo_spedizione(decode& dc, std::span<value>) { dc.not_implemented("TipoSpedizione"); }
value campagna(decode& dc, std::span<value>) { dc.not_implemented("Campagna"); }
value tipologia_agente(decode& dc, std::span<value>) { dc.not_implemented("TipologiaAgente"); }
value imballo(decode& dc, std::span<value>) { dc.not_implemented("Imballo"); }
value confezione(decode& dc, std::span<value>) { dc.not_implemented("Confezione"); }
value confezione_articolo(decode& dc, std::span<value>) { dc.not_implemented("ConfezioneArticolo"); }
value ubicazione(decode& dc, std::span<value>) { dc.not_implemented("Ubicazione"); }
value ubicazione_deposito(decode& dc, std::span<value>) { dc.not_implemented("UbicazioneDeposito"); }
value aspetto_dei_beni(decode& dc, std::span<value>) { dc.not_implemented("AspettoDeiBeni"); }
value listino99_prezzi(decode& dc, std::span<value>) { dc.not_implemented("Listino99Prezzi"); }
value listino_piu_articoli(decode& dc, std::span<value>) { dc.not_implemented("ListinoPiuArticoli"); }
value testi_vari(decode& dc, std::span<value>) { dc.not_implemented("TestiVari"); }
value base(decode& dc, std::span<value>) { dc.not_implemented("Base"); }
value rischio(decode& dc, std::span<value>) { dc.not_implemented("Rischio"); }
value progetto(decode& dc, std::span<value>) { dc.not_implemented("Progetto"); }
value sottoprogetto(decode& dc, std::span<value>) { dc.not_implemented("Sottoprogetto"); }
value sottprogetto(decode& dc, std::span<value>) { dc.not_implemented("Sottprogetto"); }
value commessa(decode& dc, std::span<value>) { dc.not_implemented("Commessa"); }
value sotto_commessa(decode& dc, std::span<value>) { dc.not_implemented("SottoCommessa"); }
value indice_margine(decode& dc, std::span<value>) { dc.not_implemented("IndiceMargine"); }
value giro(decode& dc, std::span<value>) { dc.not_implemented("Giro"); }
value raggruppo_contabile_articolo(decode& dc, std::span<value>) { dc.not_implemented("RaggruppoContabileArticolo"); }
value raggruppo_contabile_cliente_fornitore(decode& dc, std::span<value>) { dc.not_implemented("RaggruppoContabileClienteFornitore"); }
value raggruppo_contabile_fase(decode& dc, std::span<value>) { dc.not_implemented("RaggruppoContabileFase"); }
value configurazione_scheda_trasporto(decode& dc, std::span<value>) { dc.not_implemented("ConfigurazioneSchedaTrasporto"); }
value classificazione_articoli_fittizi(decode& dc, std::span<value>) { dc.not_implemented("ClassificazioneArticoliFittizi"); }
value opzione_ext(decode& dc, std::span<value>) { dc.not_implemented("OpzioneExt"); }
value ufficio_pa(decode& dc, std::span<value>) { dc.not_implemented("UfficioPA"); }
value ufficio_pa_cli_for(decode& dc, std::span<value>) { dc.not_implemented("UfficioPACliFor"); }
value ufficio_pa_cli_for_dest(decode& dc, std::span<value>) { dc.not_implemented("UfficioPACliForDest"); }
value rifer_amm_pa(decode& dc, std::span<value>) { dc.not_implemented("RiferAmmPA"); }
value riferimenti_amministrazione_pa(decode& dc, std::span<value>) { dc.not_implemented("RiferimentiAmministrazionePA"); }
value tax_group(decode& dc, std::span<value>) { dc.not_implemented("TaxGroup"); }
value filere_by_id_for(decode& dc, std::span<value>) { dc.not_implemented("FilereByIdFor"); }
value filere(decode& dc, std::span<value>) { dc.not_implemented("Filere"); }
value filere_by_id_for_ext(decode& dc, std::span<value>) { dc.not_implemented("FilereByIdForExt"); }

}  // namespace veldrane::decode_ops

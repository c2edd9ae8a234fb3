#include "decode/decode.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

value cliente_fornitore_solo_ragione_sociale(decode& dc, std::span<value>) { dc.not_implemented("ClienteFornitoreSoloRagioneSociale"); }
value cliente_fornitore_solo_ragione_sociale_data_validita(decode& dc, std::span<value>) { dc.not_implemented("ClienteFornitoreSoloRagioneSocialeDataValidita"); }
value cliente_fornitore_dati_anagrafici(decode& dc, std::span<value>) { dc.not_implemented("ClienteFornitoreDatiAnagrafici"); }
value destinatario(decode& dc, std::span<value>) { dc.not_implemented("Destinatario"); }
value raggruppamento_documenti(decode& dc, std::span<value>) { dc.not_implemented("RaggruppamentoDocumenti"); }
value livello_di_blocco(decode& dc, std::span<value>) { dc.not_implemented("LivelloDiBlocco"); }
value raggruppamento_clienti_fornitori1(decode& dc, std::span<value>) { dc.not_implemented("RaggruppamentoClientiFornitori1"); }
value raggruppamento_clienti_fornitori2(decode& dc, std::span<value>) { dc.not_implemented("RaggruppamentoClientiFornitori2"); }
value raggruppamento_clienti_fornitori3(decode& dc, std::span<value>) { dc.not_implemented("RaggruppamentoClientiFornitori3"); }
value documento(decode& dc, std::span<value>) { dc.not_implemented("Documento"); }
value documento_ditta(decode& dc, std::span<value>) { dc.not_implemented("DocumentoDitta"); }
value raggruppamento_formule(decode& dc, std::span<value>) { dc.not_implemented("RaggruppamentoFormule"); }
value formula(decode& dc, std::span<value>) { dc.not_implemented("Formula"); }
value trasformazione_documento(decode& dc, std::span<value>) { dc.not_implemented("TrasformazioneDocumento"); }
value trasformazione_documento_ditta(decode& dc, std::span<value>) { dc.not_implemented("TrasformazioneDocumentoDitta"); }
value scheda_articoli(decode& dc, std::span<value>) { dc.not_implemented("SchedaArticoli"); }
value listino_anagrafica(decode& dc, std::span<value>) { dc.not_implemented("ListinoAnagrafica"); }
value causale_magazzino(decode& dc, std::span<value>) { dc.not_implemented("CausaleMagazzino"); }

}  // namespace veldrane::decode_ops

#include "convert/converters.h"
#include "decode/decode.h"
#include "decode/operations.h"

namespace veldrane::decode_ops {

// Requesters are operators: the same decode for the same code.
value richiedenti(decode& dc, std::span<value> a) { return operatore(dc, a); }
value operatore(decode& dc, std::span<value> a) {
  dc.set_fields({"MG01_DESCR"});
  statement st;
  st << " SELECT" << "    MG01_DESCR" << " FROM" << "    MG01_OPERATORI WITH (NOLOCK)" << " WHERE"
     << "    MG01_CODICE = '";
  st.quoted(TextOrEmpty(a[0])) << "'";
  dc.set_statement(st);
  return {};
}
value valore_categoria_commerciale(decode& dc, std::span<value>) { dc.not_implemented("ValoreCategoriaCommerciale"); }
value stato_articolo(decode& dc, std::span<value>) { dc.not_implemented("StatoArticolo"); }
value opzione_articolo(decode& dc, std::span<value>) { dc.not_implemented("OpzioneArticolo"); }
value tipo_documento(decode& dc, std::span<value>) { dc.not_implemented("TipoDocumento"); }
value parametri_sottoscorta_decode(decode& dc, std::span<value>) { dc.not_implemented("ParametriSottoscortaDecode"); }
value parametri_ritardi_decode(decode& dc, std::span<value>) { dc.not_implemented("ParametriRitardiDecode"); }
value sotto_tipo_documento(decode& dc, std::span<value>) { dc.not_implemented("SottoTipoDocumento"); }
value scaglione_di_arrotondamento(decode& dc, std::span<value>) { dc.not_implemented("ScaglioneDiArrotondamento"); }
value spesa(decode& dc, std::span<value>) { dc.not_implemented("Spesa"); }
value macro_area(decode& dc, std::span<value>) { dc.not_implemented("MacroArea"); }
value area(decode& dc, std::span<value>) { dc.not_implemented("Area"); }
value zona(decode& dc, std::span<value>) { dc.not_implemented("Zona"); }
value macro_categoria(decode& dc, std::span<value>) { dc.not_implemented("MacroCategoria"); }
value categoria(decode& dc, std::span<value>) { dc.not_implemented("Categoria"); }
value sotto_categoria(decode& dc, std::span<value>) { dc.not_implemented("SottoCategoria"); }
value causale_trasporto(decode& dc, std::span<value>) { dc.not_implemented("CausaleTrasporto"); }
value vettore(decode& dc, std::span<value>) { dc.not_implemented("Vettore"); }
value spedizioniere(decode& dc, std::span<value>) { dc.not_implemented("Spedizioniere"); }
value agente(decode& dc, std::span<value>) { dc.not_implemented("Agente"); }
value agente_by_id(decode& dc, std::span<value>) { dc.not_implemented("AgenteByID"); }

}  // namespace veldrane::decode_ops

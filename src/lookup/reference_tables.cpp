#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

// Requesters are the operators: same definition, identifier included.
value richiedenti(lookup& lk, std::span<value> a) { return operatori(lk, a); }
value scaglioni_di_arrotondamento(lookup& lk, std::span<value>) { lk.not_implemented("ScaglioniDiArrotondamento"); }
value spese(lookup& lk, std::span<value>) { lk.not_implemented("Spese"); }
value macro_aree(lookup& lk, std::span<value>) { lk.not_implemented("MacroAree"); }
value aree(lookup& lk, std::span<value>) { lk.not_implemented("Aree"); }
value zone(lookup& lk, std::span<value>) { lk.not_implemented("Zone"); }
value macro_categorie(lookup& lk, std::span<value>) { lk.not_implemented("MacroCategorie"); }
value categorie(lookup& lk, std::span<value>) { lk.not_implemented("Categorie"); }
value sotto_categorie(lookup& lk, std::span<value>) { lk.not_implemented("SottoCategorie"); }
value causali_trasporto(lookup& lk, std::span<value>) { lk.not_implemented("CausaliTrasporto"); }
value vettori(lookup& lk, std::span<value>) { lk.not_implemented("Vettori"); }
value spedizionieri(lookup& lk, std::span<value>) { lk.not_implemented("Spedizionieri"); }
value operatori(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Descrizione"});
  lk.set_title("Elenco Operatori");
  const std::string sort = lk.sort_column(a[0], "MG01_CODICE");
  statement st;
  st << " SELECT" << "    MG01_CODICE," << "    MG01_DESCR" << " FROM" << "    MG01_OPERATORI WITH (NOLOCK)"
     << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_Operatori");
  return {};
}
value stato_articolo(lookup& lk, std::span<value>) { lk.not_implemented("StatoArticolo"); }
value opzione_articolo(lookup& lk, std::span<value>) { lk.not_implemented("OpzioneArticolo"); }
value tipo_documento(lookup& lk, std::span<value>) { lk.not_implemented("TipoDocumento"); }
value sotto_tipo_documento(lookup& lk, std::span<value>) { lk.not_implemented("SottoTipoDocumento"); }

}  // namespace veldrane::lookup_ops

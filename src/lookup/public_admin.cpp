#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value classificazione_articoli_fittizi(lookup& lk, std::span<value>) { lk.not_implemented("ClassificazioneArticoliFittizi"); }
value opzioni_ext(lookup& lk, std::span<value>) { lk.not_implemented("OpzioniExt"); }
value uffici_pa(lookup& lk, std::span<value>) { lk.not_implemented("UfficiPA"); }
value rifer_amm_pa(lookup& lk, std::span<value>) { lk.not_implemented("RiferAmmPA"); }
value riferimenti_amministrazione_pa(lookup& lk, std::span<value>) { lk.not_implemented("RiferimentiAmministrazionePA"); }
value parametri_sottoscorta(lookup& lk, std::span<value>) { lk.not_implemented("ParametriSottoscorta"); }
value parametri_ritardi(lookup& lk, std::span<value>) { lk.not_implemented("ParametriRitardi"); }
value tax_group(lookup& lk, std::span<value>) { lk.not_implemented("TaxGroup"); }
value uffici_pa_cli_for(lookup& lk, std::span<value>) { lk.not_implemented("UfficiPACliFor"); }
value riferimenti_amministrazione_pa_cli_for(lookup& lk, std::span<value>) { lk.not_implemented("RiferimentiAmministrazionePACliFor"); }
value filiere_by_id_for(lookup& lk, std::span<value>) { lk.not_implemented("FiliereByIdFor"); }
value filiere_by_id_for_ext(lookup& lk, std::span<value>) { lk.not_implemented("FiliereByIdForExt"); }
value filiere(lookup& lk, std::span<value>) { lk.not_implemented("Filiere"); }
value uffici_pa_cli_for_dest(lookup& lk, std::span<value>) { lk.not_implemented("UfficiPACliForDest"); }

}  // namespace veldrane::lookup_ops

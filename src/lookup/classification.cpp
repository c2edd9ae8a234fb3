#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {

value lingue(lookup& lk, std::span<value>) { lk.not_implemented("Lingue"); }
value famiglie(lookup& lk, std::span<value>) { lk.not_implemented("Famiglie"); }
value sotto_famiglie(lookup& lk, std::span<value>) { lk.not_implemented("SottoFamiglie"); }
value gruppi(lookup& lk, std::span<value>) { lk.not_implemented("Gruppi"); }
value sotto_gruppi(lookup& lk, std::span<value>) { lk.not_implemented("SottoGruppi"); }
value applicazioni(lookup& lk, std::span<value>) { lk.not_implemented("Applicazioni"); }
value depositi(lookup& lk, std::span<value>) { lk.not_implemented("Depositi"); }
value raggruppamenti_depositi(lookup& lk, std::span<value>) { lk.not_implemented("RaggruppamentiDepositi"); }
value depositi_trasferimento_mov(lookup& lk, std::span<value>) { lk.not_implemented("DepositiTrasferimentoMov"); }
value depositi_trasferimento_coll(lookup& lk, std::span<value>) { lk.not_implemented("DepositiTrasferimentoColl"); }

}  // namespace veldrane::lookup_ops

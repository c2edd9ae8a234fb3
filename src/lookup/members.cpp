// The member table of CLSMG_LOOKUP: every member of its dual interface in
// interface order, with its dispatch number, parameters and hidden flag.
#include <array>

#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane {
namespace {

using shared = shared_entries<lookup>;

value get_solo_lingue_per_ditta(lookup& lk, std::span<value>) { return value(lk.solo_lingue_per_ditta); }
value let_solo_lingue_per_ditta(lookup& lk, std::span<value> a) {
  lk.solo_lingue_per_ditta = a[0].as_bool();
  return {};
}

using namespace lookup_ops;

// The parameters most lookups share: the customer-or-supplier type and the
// column to sort by (a String with an empty default on the newest members).
constexpr param_info kTipoCf = param("TipoCf");
constexpr param_info kSortColumn = optional("CampoOrdinamento");
constexpr param_info kSortColumnString = defaulted("CampoOrdinamento", param_type::string);

constexpr std::array kMembers = {
    field_get("ActiveInterface",                      50, param_type::object, shared::get_active_interface),
    field_set("ActiveInterface",                      50, param_type::object, shared::set_active_interface),
    field_get("Titolo",                               51, param_type::variant, shared::get<&lookup::titolo>),
    field_let("Titolo",                               51, param_type::variant, shared::put<&lookup::titolo>),
    field_set("Titolo",                               51, param_type::variant, shared::put<&lookup::titolo>),
    field_get("StringaSQL",                           52, param_type::variant, shared::get<&lookup::stringa_sql>),
    field_let("StringaSQL",                           52, param_type::variant, shared::put<&lookup::stringa_sql>),
    field_set("StringaSQL",                           52, param_type::variant, shared::put<&lookup::stringa_sql>),
    field_get("ArrayFields",                          53, param_type::variant, shared::get<&lookup::array_fields>),
    field_let("ArrayFields",                          53, param_type::variant, shared::put<&lookup::array_fields>),
    field_set("ArrayFields",                          53, param_type::variant, shared::put<&lookup::array_fields>),
    hidden_method("Richiedenti",                       2, {kSortColumn}, richiedenti),
    method("ScaglioniDiArrotondamento",                3, {kSortColumn}, scaglioni_di_arrotondamento),
    method("Spese",                                    4, {kSortColumn}, spese),
    method("MacroAree",                                5, {kTipoCf, kSortColumn}, macro_aree),
    method("Aree",                                     6, {kTipoCf, param("CodiceMacroArea"), kSortColumn}, aree),
    method("Zone",                                     7, {kTipoCf, param("CodiceMacroArea"), param("CodiceArea"),
                                                          kSortColumn}, zone),
    method("MacroCategorie",                           8, {kTipoCf, kSortColumn}, macro_categorie),
    method("Categorie",                                9, {kTipoCf, param("CodiceMacroCategoria"), kSortColumn},
                                                          categorie),
    method("SottoCategorie",                          10, {kTipoCf, param("CodiceMacroCategoria"),
                                                          param("CodiceCategoria"), kSortColumn}, sotto_categorie),
    method("CausaliTrasporto",                        11, {kSortColumn}, causali_trasporto),
    method("Vettori",                                 12, {kSortColumn}, vettori),
    method("Spedizionieri",                           13, {kSortColumn}, spedizionieri),
    hidden_method("Agenti",                           14, {kSortColumn}, agenti),
    method("ClientiFornitori",                        15, {kTipoCf, kSortColumn}, clienti_fornitori),
    method("Destinatari",                             16, {kTipoCf, param("CodiceClienteFornitore"), kSortColumn},
                                                          destinatari),
    method("RaggruppamentiDocumenti",                 17, {kTipoCf, param("CodiceClienteFornitore"), kSortColumn},
                                                          raggruppamenti_documenti),
    method("LivelliDiBlocco",                         18, {kSortColumn}, livelli_di_blocco),
    method("RaggruppamentiClientiFornitori1",         19, {kTipoCf, kSortColumn}, raggruppamenti_clienti_fornitori1),
    method("RaggruppamentiClientiFornitori2",         20, {kTipoCf, kSortColumn}, raggruppamenti_clienti_fornitori2),
    method("RaggruppamentiClientiFornitori3",         21, {kTipoCf, kSortColumn}, raggruppamenti_clienti_fornitori3),
    method("Documenti",                               22, {optional("StandardPersonalizzato"), kSortColumn}, documenti),
    method("RaggruppamentiFormule",                   23, {kSortColumn}, raggruppamenti_formule),
    method("Formule",                                 24, {kSortColumn}, formule),
    method("SchedeArticoli",                          25, {kSortColumn}, schede_articoli),
    method("ListiniAnagrafica",                       26, {param("VenditeAcquisti"), kSortColumn}, listini_anagrafica),
    method("CausaliMagazzino",                        27, {kSortColumn}, causali_magazzino),
    method("Lingue",                                  28, {kSortColumn}, lingue),
    method("Famiglie",                                29, {kSortColumn}, famiglie),
    method("SottoFamiglie",                           30, {param("CodiceFamiglia"), kSortColumn}, sotto_famiglie),
    method("Gruppi",                                  31, {param("CodiceFamiglia"), param("CodiceSottoFamiglia"),
                                                          kSortColumn}, gruppi),
    method("SottoGruppi",                             32, {param("CodiceFamiglia"), param("CodiceSottoFamiglia"),
                                                          param("CodiceGruppo"), kSortColumn}, sotto_gruppi),
    method("Applicazioni",                            33, {kSortColumn}, applicazioni),
    method("Depositi",                                34, {kSortColumn}, depositi),
    method("RaggruppamentiDepositi",                  35, {kSortColumn}, raggruppamenti_depositi),
    method("Precodici",                               36, {kSortColumn}, precodici),
    method("GruppiFiscali",                           37, {kSortColumn}, gruppi_fiscali),
    method("TestiFissi",                              38, {kSortColumn}, testi_fissi),
    method("ClassiDiSconto",                          39, {kSortColumn}, classi_di_sconto),
    method("Marche",                                  40, {kSortColumn}, marche),
    method("ArticoliDiMagazzino",                     41, {kSortColumn}, articoli_di_magazzino),
    method("GruppiStatistici1",                       42, {kSortColumn}, gruppi_statistici1),
    method("GruppiStatistici2",                       43, {kSortColumn}, gruppi_statistici2),
    method("GruppiStatistici3",                       44, {kSortColumn}, gruppi_statistici3),
    method("GruppiStatistici4",                       45, {kSortColumn}, gruppi_statistici4),
    method("FlagsEsclusioneStampa",                   46, {kSortColumn}, flags_esclusione_stampa),
    method("Porto",                                   47, {kSortColumn}, porto),
    method("TipiSpedizione",                          48, {kSortColumn}, tipi_spedizione),
    method("Campagne",                                49, {kSortColumn}, campagne),
    method("Imballi",                                 50, {kSortColumn}, imballi),
    method("Confezioni",                              51, {kSortColumn}, confezioni),
    method("Ubicazioni",                              52, {kSortColumn}, ubicazioni),
    method("AspettoDeiBeni",                          53, {kSortColumn}, aspetto_dei_beni),
    method("Listini99Prezzi",                         54, {kSortColumn}, listini99_prezzi),
    method("ListiniPiuArticoli",                      55, {kSortColumn}, listini_piu_articoli),
    method("TrasformazioneDocumenti",                 58, {optional("StandardPersonalizzato"), kSortColumn},
                                                          trasformazione_documenti),
    method("Opzioni",                                 61, {param("CodiceVariante"), kSortColumn}, opzioni),
    method("Configuratore",                           62, {kSortColumn}, configuratore),
    method("RaggruppamentoVarianti",                  63, {param("CodiceVariante"), kSortColumn},
                                                          raggruppamento_varianti),
    method("SubcodiciArticoli",                       66, {param("ProgressivoSubcodice"), kSortColumn},
                                                          subcodici_articoli),
    method("DocumentiDitta",                          69, {kSortColumn}, documenti_ditta),
    method("TrasformazioneDocumentiDitta",            70, {kSortColumn}, trasformazione_documenti_ditta),
    method("Operatori",                               73, {kSortColumn}, operatori),
    field_get("IDLookup",                             74, param_type::variant, shared::get<&lookup::id_lookup>),
    field_let("IDLookup",                             74, param_type::variant, shared::put<&lookup::id_lookup>),
    field_set("IDLookup",                             74, param_type::variant, shared::put<&lookup::id_lookup>),
    method("TestiVari",                               76, {param("IndTipoTesto"), kSortColumn}, testi_vari),
    method("Basi",                                    79, {kSortColumn}, basi),
    method("ConfezioniArticolo",                      82, {param("CodArt"), param("Opzione"), kSortColumn},
                                                          confezioni_articolo),
    method("AnagraficaProgetti",                      85, {kSortColumn}, anagrafica_progetti),
    method("AnagraficaSottoprogetti",                 86, {param("CodiceProgetto", param_type::string), kSortColumn},
                                                          anagrafica_sottoprogetti),
    method("Commesse",                                89, {kSortColumn}, commesse),
    method("SottoCommesse",                           90, {param("CodiceCommessa"), kSortColumn}, sotto_commesse),
    method("Rischio",                                 93, {kSortColumn}, rischio),
    method("CondizioniDiPagamentoEsclusioneRischio",  96, {param("CodRischio"), kSortColumn},
                                                          condizioni_di_pagamento_esclusione_rischio),
    method("FiltriMovPerIndiciMargini",               99, {param("fstrInMarg", param_type::string)},
                                                          filtri_mov_per_indici_margini),
    method("IndiciMargini",                          100, {kSortColumn}, indici_margini),
    method("ArticoliClientiFornitori",               103, {param("ClienteFornitore"), kSortColumn},
                                                          articoli_clienti_fornitori),
    method("Giri",                                   106, {kSortColumn}, giri),
    method("RaggruppoContabileArticolo",             110, {kSortColumn}, raggruppo_contabile_articolo),
    method("RaggruppoContabileClienteFornitore",     111, {kTipoCf, kSortColumn},
                                                          raggruppo_contabile_cliente_fornitore),
    method("RaggruppoContabileFase",                 112, {kSortColumn}, raggruppo_contabile_fase),
    property_let("CodiceDitta",                      114, param_type::long_, shared::let_codice_ditta),
    property_get("CodiceDitta",                      114, param_type::long_, shared::get_codice_ditta),
    method("ConfigurazioniSchedeTrasporto",          119, {kSortColumn}, configurazioni_schede_trasporto),
    field_get("SoloLinguePerDitta",                  120, param_type::boolean, get_solo_lingue_per_ditta),
    field_let("SoloLinguePerDitta",                  120, param_type::boolean, let_solo_lingue_per_ditta),
    method("DestinatariClientiFornitori",            124, {kTipoCf, kSortColumn}, destinatari_clienti_fornitori),
    method("TipologiaAgente",                        128, {kSortColumn}, tipologia_agente),
    method("ClassificazioneArticoliFittizi",         133, {kSortColumn}, classificazione_articoli_fittizi),
    method("OpzioniExt",                             138, {param("CodiceVariante"), optional("CodiceArticolo"),
                                                          optional("CodiceRaggruppamento"), kSortColumn}, opzioni_ext),
    method("StatoArticolo",                          142, {kSortColumn}, stato_articolo),
    method("OpzioneArticolo",                        143, {param("CodiceArticolo"), kSortColumn}, opzione_articolo),
    method("TipoDocumento",                          144, {kSortColumn}, tipo_documento),
    method("SottoTipoDocumento",                     145, {param("CodiceTipoDocumento"), kSortColumn},
                                                          sotto_tipo_documento),
    method("UbicazioniDepositi",                     149, {param("CodiceDeposito"), kSortColumn}, ubicazioni_depositi),
    method("DepositiTrasferimentoMov",               154, {param("SegnoDocumento", param_type::integer),
                                                          defaulted("DepositoColl", param_type::string), kSortColumn},
                                                          depositi_trasferimento_mov),
    method("DepositiTrasferimentoColl",              155, {param("SegnoDocumento", param_type::integer),
                                                          defaulted("DepositoMov", param_type::string), kSortColumn},
                                                          depositi_trasferimento_coll),
    method("UfficiPA",                               161, {param("CodCliFor"), kSortColumn}, uffici_pa),
    hidden_method("RiferAmmPA",                      167, {param("CodUfficioPa"), kSortColumn}, rifer_amm_pa),
    method("RiferimentiAmministrazionePA",           173, {param("CodUfficioPa"), param("CodAnagraficaGenerale"),
                                                          kSortColumn}, riferimenti_amministrazione_pa),
    method("ParametriSottoscorta",                   179, {kSortColumn}, parametri_sottoscorta),
    method("ParametriRitardi",                       185, {kSortColumn}, parametri_ritardi),
    method("CodiciIncoterms",                        190, {kSortColumn}, codici_incoterms),
    method("AgentiByID",                             195, {kSortColumn}, agenti_by_id),
    method("TaxGroup",                               201, {kSortColumn}, tax_group),
    method("UfficiPACliFor",                         207, {param("CodCliFor"), param("TipoCliFor"), kSortColumn},
                                                          uffici_pa_cli_for),
    method("RiferimentiAmministrazionePACliFor",     208, {param("CodUfficioPa"), param("CodAnagraficaGenerale"),
                                                          param("TipoCliFor"), kSortColumn},
                                                          riferimenti_amministrazione_pa_cli_for),
    method("FiliereByIdFor",                         218, {param("IdFornitore"), kSortColumnString}, filiere_by_id_for),
    method("FiliereByIdForExt",                      219, {param("IdFornitore"),
                                                          optional("CodiceArticolo", param_type::string),
                                                          kSortColumnString}, filiere_by_id_for_ext),
    method("Filiere",                                220, {kSortColumnString}, filiere),
    method("UfficiPACliForDest",                     226, {param("CodCliFor"), param("TipoCliFor"),
                                                          param("CodiceDestinatario"), kSortColumn},
                                                          uffici_pa_cli_for_dest),
};

static_assert(kMembers.size() == 122);
static_assert(valid_member_table(kMembers));

constexpr class_info<lookup> kInfo{"CLSMG_LOOKUP", "_CLSMG_LOOKUP", "{9484223A-4BD2-11D3-A7CC-00400519B149}",
                                   "{3E7AA5A1-61A3-4528-955D-18D36B388D41}", kMembers};

}  // namespace

const class_info<lookup>& lookup::info() { return kInfo; }

}  // namespace veldrane

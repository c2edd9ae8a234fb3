// The member table of CLSMG_LOOKUP: every member of its dual interface in
// interface order, with its dispatch number, parameters and hidden flag.
#include <array>

#include "lookup/lookup.h"
#include "lookup/operations.h"

namespace veldrane {
namespace {

constexpr auto row = &member_row<lookup>;
constexpr auto get_active_interface = &veldrane::get_active_interface<lookup>;
constexpr auto set_active_interface = &veldrane::set_active_interface<lookup>;
constexpr auto get_codice_ditta = &veldrane::get_codice_ditta<lookup>;
constexpr auto let_codice_ditta = &veldrane::let_codice_ditta<lookup>;
constexpr auto get_titolo = &get_field<lookup, &lookup::titolo>;
constexpr auto let_titolo = &put_field<lookup, &lookup::titolo>;
constexpr auto set_titolo = &put_field<lookup, &lookup::titolo>;
constexpr auto get_stringa_sql = &get_field<lookup, &lookup::stringa_sql>;
constexpr auto let_stringa_sql = &put_field<lookup, &lookup::stringa_sql>;
constexpr auto set_stringa_sql = &put_field<lookup, &lookup::stringa_sql>;
constexpr auto get_array_fields = &get_field<lookup, &lookup::array_fields>;
constexpr auto let_array_fields = &put_field<lookup, &lookup::array_fields>;
constexpr auto set_array_fields = &put_field<lookup, &lookup::array_fields>;
constexpr auto get_id_lookup = &get_field<lookup, &lookup::id_lookup>;
constexpr auto let_id_lookup = &put_field<lookup, &lookup::id_lookup>;
constexpr auto set_id_lookup = &put_field<lookup, &lookup::id_lookup>;
value get_solo_lingue_per_ditta(lookup& lk, std::span<value>) { return value(lk.solo_lingue_per_ditta); }
value let_solo_lingue_per_ditta(lookup& lk, std::span<value> a) {
  lk.solo_lingue_per_ditta = a[0].as_bool();
  return {};
}

using namespace lookup_ops;

constexpr std::array kMembers = {
    row("ActiveInterface", member_kind::get, dispatch_group::field, 50, {}, param_type::object, false, get_active_interface),
    row("ActiveInterface", member_kind::set, dispatch_group::field, 50, {{"value", param_type::object}}, param_type::none, false, set_active_interface),
    row("Titolo", member_kind::get, dispatch_group::field, 51, {}, param_type::variant, false, get_titolo),
    row("Titolo", member_kind::let, dispatch_group::field, 51, {{"value", param_type::variant}}, param_type::none, false, let_titolo),
    row("Titolo", member_kind::set, dispatch_group::field, 51, {{"value", param_type::variant}}, param_type::none, false, set_titolo),
    row("StringaSQL", member_kind::get, dispatch_group::field, 52, {}, param_type::variant, false, get_stringa_sql),
    row("StringaSQL", member_kind::let, dispatch_group::field, 52, {{"value", param_type::variant}}, param_type::none, false, let_stringa_sql),
    row("StringaSQL", member_kind::set, dispatch_group::field, 52, {{"value", param_type::variant}}, param_type::none, false, set_stringa_sql),
    row("ArrayFields", member_kind::get, dispatch_group::field, 53, {}, param_type::variant, false, get_array_fields),
    row("ArrayFields", member_kind::let, dispatch_group::field, 53, {{"value", param_type::variant}}, param_type::none, false, let_array_fields),
    row("ArrayFields", member_kind::set, dispatch_group::field, 53, {{"value", param_type::variant}}, param_type::none, false, set_array_fields),
    row("Richiedenti", member_kind::method, dispatch_group::method, 2, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, true, &lookup_ops::richiedenti),
    row("ScaglioniDiArrotondamento", member_kind::method, dispatch_group::method, 3, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::scaglioni_di_arrotondamento),
    row("Spese", member_kind::method, dispatch_group::method, 4, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::spese),
    row("MacroAree", member_kind::method, dispatch_group::method, 5, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::macro_aree),
    row("Aree", member_kind::method, dispatch_group::method, 6, {{"TipoCf", param_type::variant}, {"CodiceMacroArea", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::aree),
    row("Zone", member_kind::method, dispatch_group::method, 7, {{"TipoCf", param_type::variant}, {"CodiceMacroArea", param_type::variant}, {"CodiceArea", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::zone),
    row("MacroCategorie", member_kind::method, dispatch_group::method, 8, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::macro_categorie),
    row("Categorie", member_kind::method, dispatch_group::method, 9, {{"TipoCf", param_type::variant}, {"CodiceMacroCategoria", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::categorie),
    row("SottoCategorie", member_kind::method, dispatch_group::method, 10, {{"TipoCf", param_type::variant}, {"CodiceMacroCategoria", param_type::variant}, {"CodiceCategoria", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::sotto_categorie),
    row("CausaliTrasporto", member_kind::method, dispatch_group::method, 11, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::causali_trasporto),
    row("Vettori", member_kind::method, dispatch_group::method, 12, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::vettori),
    row("Spedizionieri", member_kind::method, dispatch_group::method, 13, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::spedizionieri),
    row("Agenti", member_kind::method, dispatch_group::method, 14, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, true, &lookup_ops::agenti),
    row("ClientiFornitori", member_kind::method, dispatch_group::method, 15, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::clienti_fornitori),
    row("Destinatari", member_kind::method, dispatch_group::method, 16, {{"TipoCf", param_type::variant}, {"CodiceClienteFornitore", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::destinatari),
    row("RaggruppamentiDocumenti", member_kind::method, dispatch_group::method, 17, {{"TipoCf", param_type::variant}, {"CodiceClienteFornitore", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppamenti_documenti),
    row("LivelliDiBlocco", member_kind::method, dispatch_group::method, 18, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::livelli_di_blocco),
    row("RaggruppamentiClientiFornitori1", member_kind::method, dispatch_group::method, 19, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppamenti_clienti_fornitori1),
    row("RaggruppamentiClientiFornitori2", member_kind::method, dispatch_group::method, 20, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppamenti_clienti_fornitori2),
    row("RaggruppamentiClientiFornitori3", member_kind::method, dispatch_group::method, 21, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppamenti_clienti_fornitori3),
    row("Documenti", member_kind::method, dispatch_group::method, 22, {{"StandardPersonalizzato", param_type::variant, true}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::documenti),
    row("RaggruppamentiFormule", member_kind::method, dispatch_group::method, 23, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppamenti_formule),
    row("Formule", member_kind::method, dispatch_group::method, 24, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::formule),
    row("SchedeArticoli", member_kind::method, dispatch_group::method, 25, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::schede_articoli),
    row("ListiniAnagrafica", member_kind::method, dispatch_group::method, 26, {{"VenditeAcquisti", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::listini_anagrafica),
    row("CausaliMagazzino", member_kind::method, dispatch_group::method, 27, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::causali_magazzino),
    row("Lingue", member_kind::method, dispatch_group::method, 28, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::lingue),
    row("Famiglie", member_kind::method, dispatch_group::method, 29, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::famiglie),
    row("SottoFamiglie", member_kind::method, dispatch_group::method, 30, {{"CodiceFamiglia", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::sotto_famiglie),
    row("Gruppi", member_kind::method, dispatch_group::method, 31, {{"CodiceFamiglia", param_type::variant}, {"CodiceSottoFamiglia", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::gruppi),
    row("SottoGruppi", member_kind::method, dispatch_group::method, 32, {{"CodiceFamiglia", param_type::variant}, {"CodiceSottoFamiglia", param_type::variant}, {"CodiceGruppo", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::sotto_gruppi),
    row("Applicazioni", member_kind::method, dispatch_group::method, 33, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::applicazioni),
    row("Depositi", member_kind::method, dispatch_group::method, 34, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::depositi),
    row("RaggruppamentiDepositi", member_kind::method, dispatch_group::method, 35, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppamenti_depositi),
    row("Precodici", member_kind::method, dispatch_group::method, 36, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::precodici),
    row("GruppiFiscali", member_kind::method, dispatch_group::method, 37, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::gruppi_fiscali),
    row("TestiFissi", member_kind::method, dispatch_group::method, 38, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::testi_fissi),
    row("ClassiDiSconto", member_kind::method, dispatch_group::method, 39, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::classi_di_sconto),
    row("Marche", member_kind::method, dispatch_group::method, 40, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::marche),
    row("ArticoliDiMagazzino", member_kind::method, dispatch_group::method, 41, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::articoli_di_magazzino),
    row("GruppiStatistici1", member_kind::method, dispatch_group::method, 42, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::gruppi_statistici1),
    row("GruppiStatistici2", member_kind::method, dispatch_group::method, 43, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::gruppi_statistici2),
    row("GruppiStatistici3", member_kind::method, dispatch_group::method, 44, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::gruppi_statistici3),
    row("GruppiStatistici4", member_kind::method, dispatch_group::method, 45, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::gruppi_statistici4),
    row("FlagsEsclusioneStampa", member_kind::method, dispatch_group::method, 46, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::flags_esclusione_stampa),
    row("Porto", member_kind::method, dispatch_group::method, 47, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::porto),
    row("TipiSpedizione", member_kind::method, dispatch_group::method, 48, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::tipi_spedizione),
    row("Campagne", member_kind::method, dispatch_group::method, 49, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::campagne),
    row("Imballi", member_kind::method, dispatch_group::method, 50, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::imballi),
    row("Confezioni", member_kind::method, dispatch_group::method, 51, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::confezioni),
    row("Ubicazioni", member_kind::method, dispatch_group::method, 52, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::ubicazioni),
    row("AspettoDeiBeni", member_kind::method, dispatch_group::method, 53, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::aspetto_dei_beni),
    row("Listini99Prezzi", member_kind::method, dispatch_group::method, 54, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::listini99_prezzi),
    row("ListiniPiuArticoli", member_kind::method, dispatch_group::method, 55, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::listini_piu_articoli),
    row("TrasformazioneDocumenti", member_kind::method, dispatch_group::method, 58, {{"StandardPersonalizzato", param_type::variant, true}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::trasformazione_documenti),
    row("Opzioni", member_kind::method, dispatch_group::method, 61, {{"CodiceVariante", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::opzioni),
    row("Configuratore", member_kind::method, dispatch_group::method, 62, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::configuratore),
    row("RaggruppamentoVarianti", member_kind::method, dispatch_group::method, 63, {{"CodiceVariante", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppamento_varianti),
    row("SubcodiciArticoli", member_kind::method, dispatch_group::method, 66, {{"ProgressivoSubcodice", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::subcodici_articoli),
    row("DocumentiDitta", member_kind::method, dispatch_group::method, 69, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::documenti_ditta),
    row("TrasformazioneDocumentiDitta", member_kind::method, dispatch_group::method, 70, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::trasformazione_documenti_ditta),
    row("Operatori", member_kind::method, dispatch_group::method, 73, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::operatori),
    row("IDLookup", member_kind::get, dispatch_group::field, 74, {}, param_type::variant, false, get_id_lookup),
    row("IDLookup", member_kind::let, dispatch_group::field, 74, {{"value", param_type::variant}}, param_type::none, false, let_id_lookup),
    row("IDLookup", member_kind::set, dispatch_group::field, 74, {{"value", param_type::variant}}, param_type::none, false, set_id_lookup),
    row("TestiVari", member_kind::method, dispatch_group::method, 76, {{"IndTipoTesto", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::testi_vari),
    row("Basi", member_kind::method, dispatch_group::method, 79, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::basi),
    row("ConfezioniArticolo", member_kind::method, dispatch_group::method, 82, {{"CodArt", param_type::variant}, {"Opzione", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::confezioni_articolo),
    row("AnagraficaProgetti", member_kind::method, dispatch_group::method, 85, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::anagrafica_progetti),
    row("AnagraficaSottoprogetti", member_kind::method, dispatch_group::method, 86, {{"CodiceProgetto", param_type::string}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::anagrafica_sottoprogetti),
    row("Commesse", member_kind::method, dispatch_group::method, 89, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::commesse),
    row("SottoCommesse", member_kind::method, dispatch_group::method, 90, {{"CodiceCommessa", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::sotto_commesse),
    row("Rischio", member_kind::method, dispatch_group::method, 93, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::rischio),
    row("CondizioniDiPagamentoEsclusioneRischio", member_kind::method, dispatch_group::method, 96, {{"CodRischio", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::condizioni_di_pagamento_esclusione_rischio),
    row("FiltriMovPerIndiciMargini", member_kind::method, dispatch_group::method, 99, {{"fstrInMarg", param_type::string}}, param_type::none, false, &lookup_ops::filtri_mov_per_indici_margini),
    row("IndiciMargini", member_kind::method, dispatch_group::method, 100, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::indici_margini),
    row("ArticoliClientiFornitori", member_kind::method, dispatch_group::method, 103, {{"ClienteFornitore", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::articoli_clienti_fornitori),
    row("Giri", member_kind::method, dispatch_group::method, 106, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::giri),
    row("RaggruppoContabileArticolo", member_kind::method, dispatch_group::method, 110, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppo_contabile_articolo),
    row("RaggruppoContabileClienteFornitore", member_kind::method, dispatch_group::method, 111, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppo_contabile_cliente_fornitore),
    row("RaggruppoContabileFase", member_kind::method, dispatch_group::method, 112, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::raggruppo_contabile_fase),
    row("CodiceDitta", member_kind::let, dispatch_group::property, 114, {{"value", param_type::long_}}, param_type::none, false, let_codice_ditta),
    row("CodiceDitta", member_kind::get, dispatch_group::property, 114, {}, param_type::long_, false, get_codice_ditta),
    row("ConfigurazioniSchedeTrasporto", member_kind::method, dispatch_group::method, 119, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::configurazioni_schede_trasporto),
    row("SoloLinguePerDitta", member_kind::get, dispatch_group::field, 120, {}, param_type::boolean, false, get_solo_lingue_per_ditta),
    row("SoloLinguePerDitta", member_kind::let, dispatch_group::field, 120, {{"value", param_type::boolean}}, param_type::none, false, let_solo_lingue_per_ditta),
    row("DestinatariClientiFornitori", member_kind::method, dispatch_group::method, 124, {{"TipoCf", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::destinatari_clienti_fornitori),
    row("TipologiaAgente", member_kind::method, dispatch_group::method, 128, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::tipologia_agente),
    row("ClassificazioneArticoliFittizi", member_kind::method, dispatch_group::method, 133, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::classificazione_articoli_fittizi),
    row("OpzioniExt", member_kind::method, dispatch_group::method, 138, {{"CodiceVariante", param_type::variant}, {"CodiceArticolo", param_type::variant, true}, {"CodiceRaggruppamento", param_type::variant, true}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::opzioni_ext),
    row("StatoArticolo", member_kind::method, dispatch_group::method, 142, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::stato_articolo),
    row("OpzioneArticolo", member_kind::method, dispatch_group::method, 143, {{"CodiceArticolo", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::opzione_articolo),
    row("TipoDocumento", member_kind::method, dispatch_group::method, 144, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::tipo_documento),
    row("SottoTipoDocumento", member_kind::method, dispatch_group::method, 145, {{"CodiceTipoDocumento", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::sotto_tipo_documento),
    row("UbicazioniDepositi", member_kind::method, dispatch_group::method, 149, {{"CodiceDeposito", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::ubicazioni_depositi),
    row("DepositiTrasferimentoMov", member_kind::method, dispatch_group::method, 154, {{"SegnoDocumento", param_type::integer}, {"DepositoColl", param_type::string, true, true, ""}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::depositi_trasferimento_mov),
    row("DepositiTrasferimentoColl", member_kind::method, dispatch_group::method, 155, {{"SegnoDocumento", param_type::integer}, {"DepositoMov", param_type::string, true, true, ""}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::depositi_trasferimento_coll),
    row("UfficiPA", member_kind::method, dispatch_group::method, 161, {{"CodCliFor", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::uffici_pa),
    row("RiferAmmPA", member_kind::method, dispatch_group::method, 167, {{"CodUfficioPa", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, true, &lookup_ops::rifer_amm_pa),
    row("RiferimentiAmministrazionePA", member_kind::method, dispatch_group::method, 173, {{"CodUfficioPa", param_type::variant}, {"CodAnagraficaGenerale", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::riferimenti_amministrazione_pa),
    row("ParametriSottoscorta", member_kind::method, dispatch_group::method, 179, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::parametri_sottoscorta),
    row("ParametriRitardi", member_kind::method, dispatch_group::method, 185, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::parametri_ritardi),
    row("CodiciIncoterms", member_kind::method, dispatch_group::method, 190, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::codici_incoterms),
    row("AgentiByID", member_kind::method, dispatch_group::method, 195, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::agenti_by_id),
    row("TaxGroup", member_kind::method, dispatch_group::method, 201, {{"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::tax_group),
    row("UfficiPACliFor", member_kind::method, dispatch_group::method, 207, {{"CodCliFor", param_type::variant}, {"TipoCliFor", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::uffici_pa_cli_for),
    row("RiferimentiAmministrazionePACliFor", member_kind::method, dispatch_group::method, 208, {{"CodUfficioPa", param_type::variant}, {"CodAnagraficaGenerale", param_type::variant}, {"TipoCliFor", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::riferimenti_amministrazione_pa_cli_for),
    row("FiliereByIdFor", member_kind::method, dispatch_group::method, 218, {{"IdFornitore", param_type::variant}, {"CampoOrdinamento", param_type::string, true, true, ""}}, param_type::none, false, &lookup_ops::filiere_by_id_for),
    row("FiliereByIdForExt", member_kind::method, dispatch_group::method, 219, {{"IdFornitore", param_type::variant}, {"CodiceArticolo", param_type::string, true}, {"CampoOrdinamento", param_type::string, true, true, ""}}, param_type::none, false, &lookup_ops::filiere_by_id_for_ext),
    row("Filiere", member_kind::method, dispatch_group::method, 220, {{"CampoOrdinamento", param_type::string, true, true, ""}}, param_type::none, false, &lookup_ops::filiere),
    row("UfficiPACliForDest", member_kind::method, dispatch_group::method, 226, {{"CodCliFor", param_type::variant}, {"TipoCliFor", param_type::variant}, {"CodiceDestinatario", param_type::variant}, {"CampoOrdinamento", param_type::variant, true}}, param_type::none, false, &lookup_ops::uffici_pa_cli_for_dest),
};

static_assert(kMembers.size() == 122);
static_assert(valid_member_table(kMembers));

constexpr class_info<lookup> kInfo{"CLSMG_LOOKUP", "_CLSMG_LOOKUP", "{9484223A-4BD2-11D3-A7CC-00400519B149}",
                                   "{3E7AA5A1-61A3-4528-955D-18D36B388D41}", kMembers};

}  // namespace

const class_info<lookup>& lookup::info() { return kInfo; }

}  // namespace veldrane

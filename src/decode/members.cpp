// The member table of CLSMG_DECODE: every member of its dual interface in
// interface order, with its dispatch number, parameters and hidden flag.
#include <array>

#include "decode/decode.h"
#include "decode/operations.h"

namespace veldrane {
namespace {

constexpr auto row = &member_row<decode>;
constexpr auto get_active_interface = &veldrane::get_active_interface<decode>;
constexpr auto set_active_interface = &veldrane::set_active_interface<decode>;
constexpr auto get_codice_ditta = &veldrane::get_codice_ditta<decode>;
constexpr auto let_codice_ditta = &veldrane::let_codice_ditta<decode>;
constexpr auto get_stringa_sql = &get_field<decode, &decode::stringa_sql>;
constexpr auto let_stringa_sql = &put_field<decode, &decode::stringa_sql>;
constexpr auto set_stringa_sql = &put_field<decode, &decode::stringa_sql>;
constexpr auto get_array_fields = &get_field<decode, &decode::array_fields>;
constexpr auto let_array_fields = &put_field<decode, &decode::array_fields>;
constexpr auto set_array_fields = &put_field<decode, &decode::array_fields>;

using namespace decode_ops;

constexpr std::array kMembers = {
    row("ActiveInterface", member_kind::get, dispatch_group::field, 0, {}, param_type::object, false, get_active_interface),
    row("ActiveInterface", member_kind::set, dispatch_group::field, 0, {{"value", param_type::object}}, param_type::none, false, set_active_interface),
    row("StringaSQL", member_kind::get, dispatch_group::field, 1, {}, param_type::variant, false, get_stringa_sql),
    row("StringaSQL", member_kind::let, dispatch_group::field, 1, {{"value", param_type::variant}}, param_type::none, false, let_stringa_sql),
    row("StringaSQL", member_kind::set, dispatch_group::field, 1, {{"value", param_type::variant}}, param_type::none, false, set_stringa_sql),
    row("ArrayFields", member_kind::get, dispatch_group::field, 2, {}, param_type::variant, false, get_array_fields),
    row("ArrayFields", member_kind::let, dispatch_group::field, 2, {{"value", param_type::variant}}, param_type::none, false, let_array_fields),
    row("ArrayFields", member_kind::set, dispatch_group::field, 2, {{"value", param_type::variant}}, param_type::none, false, set_array_fields),
    row("Richiedenti", member_kind::method, dispatch_group::method, 2, {{"CodiceRichiedente", param_type::variant}}, param_type::none, true, &decode_ops::richiedenti),
    row("Operatore", member_kind::method, dispatch_group::method, 77, {{"CodiceOperatore", param_type::variant}}, param_type::none, false, &decode_ops::operatore),
    row("ValoreCategoriaCommerciale", member_kind::method, dispatch_group::method, 136, {{"IDCategoria", param_type::variant}, {"ValoreCategoria", param_type::variant}}, param_type::none, false, &decode_ops::valore_categoria_commerciale),
    row("StatoArticolo", member_kind::method, dispatch_group::method, 137, {{"CodiceStatoArticolo", param_type::variant}}, param_type::none, false, &decode_ops::stato_articolo),
    row("OpzioneArticolo", member_kind::method, dispatch_group::method, 138, {{"CodiceArticolo", param_type::variant}, {"CodiceStatoArticolo", param_type::variant}}, param_type::none, false, &decode_ops::opzione_articolo),
    row("TipoDocumento", member_kind::method, dispatch_group::method, 139, {{"CodiceTipoDocumento", param_type::variant}}, param_type::none, false, &decode_ops::tipo_documento),
    row("ParametriSottoscortaDecode", member_kind::method, dispatch_group::method, 170, {{"CodParametriSottoscorta", param_type::string}}, param_type::none, false, &decode_ops::parametri_sottoscorta_decode),
    row("ParametriRitardiDecode", member_kind::method, dispatch_group::method, 175, {{"CodParametriRitardi", param_type::string}}, param_type::none, false, &decode_ops::parametri_ritardi_decode),
    row("SottoTipoDocumento", member_kind::method, dispatch_group::method, 140, {{"CodiceTipoDocumento", param_type::variant}, {"CodiceSottoTipoDocumento", param_type::variant}}, param_type::none, false, &decode_ops::sotto_tipo_documento),
    row("ScaglioneDiArrotondamento", member_kind::method, dispatch_group::method, 3, {{"CodiceScaglione", param_type::variant}}, param_type::none, false, &decode_ops::scaglione_di_arrotondamento),
    row("Spesa", member_kind::method, dispatch_group::method, 4, {{"CodiceSpesa", param_type::variant}}, param_type::none, false, &decode_ops::spesa),
    row("MacroArea", member_kind::method, dispatch_group::method, 5, {{"TipoCf", param_type::variant}, {"CodiceMacroArea", param_type::variant}}, param_type::none, false, &decode_ops::macro_area),
    row("Area", member_kind::method, dispatch_group::method, 6, {{"TipoCf", param_type::variant}, {"CodiceMacroArea", param_type::variant}, {"CodiceArea", param_type::variant}}, param_type::none, false, &decode_ops::area),
    row("Zona", member_kind::method, dispatch_group::method, 7, {{"TipoCf", param_type::variant}, {"CodiceMacroArea", param_type::variant}, {"CodiceArea", param_type::variant}, {"CodiceZona", param_type::variant}}, param_type::none, false, &decode_ops::zona),
    row("MacroCategoria", member_kind::method, dispatch_group::method, 8, {{"TipoCf", param_type::variant}, {"CodiceMacroCategoria", param_type::variant}}, param_type::none, false, &decode_ops::macro_categoria),
    row("Categoria", member_kind::method, dispatch_group::method, 9, {{"TipoCf", param_type::variant}, {"CodiceMacroCategoria", param_type::variant}, {"CodiceCategoria", param_type::variant}}, param_type::none, false, &decode_ops::categoria),
    row("SottoCategoria", member_kind::method, dispatch_group::method, 10, {{"TipoCf", param_type::variant}, {"CodiceMacroCategoria", param_type::variant}, {"CodiceCategoria", param_type::variant}, {"CodiceSottoCategoria", param_type::variant}}, param_type::none, false, &decode_ops::sotto_categoria),
    row("CausaleTrasporto", member_kind::method, dispatch_group::method, 11, {{"CodiceCausaleTrasporto", param_type::variant}}, param_type::none, false, &decode_ops::causale_trasporto),
    row("Vettore", member_kind::method, dispatch_group::method, 12, {{"CodiceVettore", param_type::variant}}, param_type::none, false, &decode_ops::vettore),
    row("Spedizioniere", member_kind::method, dispatch_group::method, 13, {{"CodiceSpedizioniere", param_type::variant}}, param_type::none, false, &decode_ops::spedizioniere),
    row("Agente", member_kind::method, dispatch_group::method, 14, {{"CodiceAgente", param_type::variant}}, param_type::none, false, &decode_ops::agente),
    row("AgenteByID", member_kind::method, dispatch_group::method, 185, {{"IdAgente", param_type::variant}}, param_type::none, false, &decode_ops::agente_by_id),
    row("ClienteFornitoreSoloRagioneSociale", member_kind::method, dispatch_group::method, 15, {{"TipoCf", param_type::variant}, {"CodiceClienteFornitore", param_type::variant}}, param_type::none, false, &decode_ops::cliente_fornitore_solo_ragione_sociale),
    row("ClienteFornitoreSoloRagioneSocialeDataValidita", member_kind::method, dispatch_group::method, 108, {{"TipoCf", param_type::variant}, {"CodiceClienteFornitore", param_type::variant}, {"DataRegDB", param_type::variant}}, param_type::none, false, &decode_ops::cliente_fornitore_solo_ragione_sociale_data_validita),
    row("ClienteFornitoreDatiAnagrafici", member_kind::method, dispatch_group::method, 16, {{"TipoCf", param_type::variant}, {"CodiceClienteFornitore", param_type::variant}}, param_type::none, false, &decode_ops::cliente_fornitore_dati_anagrafici),
    row("Destinatario", member_kind::method, dispatch_group::method, 17, {{"TipoCf", param_type::variant}, {"CodiceClienteFornitore", param_type::variant}, {"CodiceDestinatario", param_type::variant}}, param_type::none, false, &decode_ops::destinatario),
    row("RaggruppamentoDocumenti", member_kind::method, dispatch_group::method, 18, {{"TipoCf", param_type::variant}, {"CodiceClienteFornitore", param_type::variant}, {"CodiceRaggruppamento", param_type::variant}}, param_type::none, false, &decode_ops::raggruppamento_documenti),
    row("LivelloDiBlocco", member_kind::method, dispatch_group::method, 19, {{"CodiceLivelloDiBlocco", param_type::variant}}, param_type::none, false, &decode_ops::livello_di_blocco),
    row("RaggruppamentoClientiFornitori1", member_kind::method, dispatch_group::method, 20, {{"TipoCf", param_type::variant}, {"CodiceRaggruppamento", param_type::variant}}, param_type::none, false, &decode_ops::raggruppamento_clienti_fornitori1),
    row("RaggruppamentoClientiFornitori2", member_kind::method, dispatch_group::method, 21, {{"TipoCf", param_type::variant}, {"CodiceRaggruppamento", param_type::variant}}, param_type::none, false, &decode_ops::raggruppamento_clienti_fornitori2),
    row("RaggruppamentoClientiFornitori3", member_kind::method, dispatch_group::method, 22, {{"TipoCf", param_type::variant}, {"CodiceRaggruppamento", param_type::variant}}, param_type::none, false, &decode_ops::raggruppamento_clienti_fornitori3),
    row("Documento", member_kind::method, dispatch_group::method, 23, {{"CodiceDocumento", param_type::variant}, {"StandardPersonalizzato", param_type::variant}}, param_type::none, false, &decode_ops::documento),
    row("DocumentoDitta", member_kind::method, dispatch_group::method, 73, {{"CodiceDocumento", param_type::variant}}, param_type::none, false, &decode_ops::documento_ditta),
    row("RaggruppamentoFormule", member_kind::method, dispatch_group::method, 24, {{"CodiceRaggruppamento", param_type::variant}}, param_type::none, false, &decode_ops::raggruppamento_formule),
    row("Formula", member_kind::method, dispatch_group::method, 25, {{"CodiceFormula", param_type::variant}}, param_type::none, false, &decode_ops::formula),
    row("TrasformazioneDocumento", member_kind::method, dispatch_group::method, 59, {{"CodiceModello", param_type::variant}, {"StandardPersonalizzato", param_type::variant}}, param_type::none, false, &decode_ops::trasformazione_documento),
    row("TrasformazioneDocumentoDitta", member_kind::method, dispatch_group::method, 74, {{"CodiceModello", param_type::variant}}, param_type::none, false, &decode_ops::trasformazione_documento_ditta),
    row("SchedaArticoli", member_kind::method, dispatch_group::method, 26, {{"CodiceScheda", param_type::variant}}, param_type::none, false, &decode_ops::scheda_articoli),
    row("ListinoAnagrafica", member_kind::method, dispatch_group::method, 27, {{"VenditeAcquisti", param_type::variant}, {"NumeroListino", param_type::variant}}, param_type::none, false, &decode_ops::listino_anagrafica),
    row("CausaleMagazzino", member_kind::method, dispatch_group::method, 28, {{"CodiceCausale", param_type::variant}}, param_type::none, false, &decode_ops::causale_magazzino),
    row("Lingua", member_kind::method, dispatch_group::method, 29, {{"CodiceLingua", param_type::variant}}, param_type::none, false, &decode_ops::lingua),
    row("Famiglia", member_kind::method, dispatch_group::method, 30, {{"CodiceFamiglia", param_type::variant}}, param_type::none, false, &decode_ops::famiglia),
    row("SottoFamiglia", member_kind::method, dispatch_group::method, 31, {{"CodiceFamiglia", param_type::variant}, {"CodiceSottoFamiglia", param_type::variant}}, param_type::none, false, &decode_ops::sotto_famiglia),
    row("Gruppo", member_kind::method, dispatch_group::method, 32, {{"CodiceFamiglia", param_type::variant}, {"CodiceSottoFamiglia", param_type::variant}, {"CodiceGruppo", param_type::variant}}, param_type::none, false, &decode_ops::gruppo),
    row("SottoGruppo", member_kind::method, dispatch_group::method, 33, {{"CodiceFamiglia", param_type::variant}, {"CodiceSottoFamiglia", param_type::variant}, {"CodiceGruppo", param_type::variant}, {"CodiceSottoGruppo", param_type::variant}}, param_type::none, false, &decode_ops::sotto_gruppo),
    row("Applicazione", member_kind::method, dispatch_group::method, 34, {{"CodiceApplicazione", param_type::variant}}, param_type::none, false, &decode_ops::applicazione),
    row("Deposito", member_kind::method, dispatch_group::method, 35, {{"CodiceDeposito", param_type::variant}}, param_type::none, false, &decode_ops::deposito),
    row("DepositoTrasferimentoMov", member_kind::method, dispatch_group::method, 149, {{"Codice", param_type::string}, {"SegnoDocumento", param_type::integer}, {"DepositoColl", param_type::string, true, true, ""}}, param_type::none, false, &decode_ops::deposito_trasferimento_mov),
    row("DepositoTrasferimentoColl", member_kind::method, dispatch_group::method, 150, {{"Codice", param_type::string}, {"SegnoDocumento", param_type::integer}, {"DepositoMov", param_type::string, true, true, ""}}, param_type::none, false, &decode_ops::deposito_trasferimento_coll),
    row("RaggruppamentoDepositi", member_kind::method, dispatch_group::method, 36, {{"CodiceRaggruppamento", param_type::variant}}, param_type::none, false, &decode_ops::raggruppamento_depositi),
    row("Opzione", member_kind::method, dispatch_group::method, 62, {{"CodiceVariante", param_type::variant}, {"CodiceOpzione", param_type::variant}}, param_type::none, false, &decode_ops::opzione),
    row("Configuratore", member_kind::method, dispatch_group::method, 63, {{"CodiceVariante", param_type::variant}}, param_type::none, false, &decode_ops::configuratore),
    row("RaggruppamentoVariante", member_kind::method, dispatch_group::method, 64, {{"CodiceVariante", param_type::variant}, {"CodiceRaggruppamento", param_type::variant}}, param_type::none, false, &decode_ops::raggruppamento_variante),
    row("SubcodiceArticolo", member_kind::method, dispatch_group::method, 70, {{"ProgressivoSubcodice", param_type::variant}, {"Subcodice", param_type::variant}}, param_type::none, false, &decode_ops::subcodice_articolo),
    row("Precodice", member_kind::method, dispatch_group::method, 37, {{"CodicePrecodice", param_type::variant}}, param_type::none, false, &decode_ops::precodice),
    row("GruppoFiscale", member_kind::method, dispatch_group::method, 38, {{"CodiceGruppoFiscale", param_type::variant}}, param_type::none, false, &decode_ops::gruppo_fiscale),
    row("TestoFisso", member_kind::method, dispatch_group::method, 39, {{"CodiceTestoFisso", param_type::variant}}, param_type::none, false, &decode_ops::testo_fisso),
    row("ClasseDiSconto", member_kind::method, dispatch_group::method, 40, {{"CodiceClasseDiSconto", param_type::variant}}, param_type::none, false, &decode_ops::classe_di_sconto),
    row("CodiceIncoterms", member_kind::method, dispatch_group::method, 180, {{"CodiceIncoterms", param_type::variant}}, param_type::none, false, &decode_ops::codice_incoterms),
    row("Marca", member_kind::method, dispatch_group::method, 41, {{"CodiceMarca", param_type::variant}}, param_type::none, false, &decode_ops::marca),
    row("ArticoloDiMagazzino", member_kind::method, dispatch_group::method, 42, {{"CodiceArticolo", param_type::variant}}, param_type::none, false, &decode_ops::articolo_di_magazzino),
    row("ArticoloDiMagazzinoConVariante", member_kind::method, dispatch_group::method, 67, {{"CodiceArticolo", param_type::variant}, {"CodiceVariante", param_type::variant}}, param_type::none, false, &decode_ops::articolo_di_magazzino_con_variante),
    row("GruppoStatistico1", member_kind::method, dispatch_group::method, 43, {{"CodiceGruppoStatistico1", param_type::variant}}, param_type::none, false, &decode_ops::gruppo_statistico1),
    row("GruppoStatistico2", member_kind::method, dispatch_group::method, 44, {{"CodiceGruppoStatistico2", param_type::variant}}, param_type::none, false, &decode_ops::gruppo_statistico2),
    row("GruppoStatistico3", member_kind::method, dispatch_group::method, 45, {{"CodiceGruppoStatistico3", param_type::variant}}, param_type::none, false, &decode_ops::gruppo_statistico3),
    row("GruppoStatistico4", member_kind::method, dispatch_group::method, 46, {{"CodiceGruppoStatistico4", param_type::variant}}, param_type::none, false, &decode_ops::gruppo_statistico4),
    row("FlagEsclusioneStampa", member_kind::method, dispatch_group::method, 47, {{"CodiceFlagEsclusioneStampa", param_type::variant}}, param_type::none, false, &decode_ops::flag_esclusione_stampa),
    row("FiltroMovPerIndiciMargini", member_kind::method, dispatch_group::method, 101, {{"fstrInMarg", param_type::string}, {"fstrFiltro", param_type::string}}, param_type::none, false, &decode_ops::filtro_mov_per_indici_margini),
    row("Porto", member_kind::method, dispatch_group::method, 48, {{"CodicePorto", param_type::variant}}, param_type::none, false, &decode_ops::porto),
    row("TipoSpedizione", member_kind::method, dispatch_group::method, 49, {{"CodiceTipoSpedizione", param_type::variant}}, param_type::none, false, &decode_ops::tipo_spedizione),
    row("Campagna", member_kind::method, dispatch_group::method, 50, {{"CodiceCampagna", param_type::variant}}, param_type::none, false, &decode_ops::campagna),
    row("TipologiaAgente", member_kind::method, dispatch_group::method, 124, {{"CodiceTipologiaAgente", param_type::variant}}, param_type::none, false, &decode_ops::tipologia_agente),
    row("Imballo", member_kind::method, dispatch_group::method, 51, {{"CodiceImballo", param_type::variant}}, param_type::none, false, &decode_ops::imballo),
    row("Confezione", member_kind::method, dispatch_group::method, 52, {{"CodiceConfezione", param_type::variant}}, param_type::none, false, &decode_ops::confezione),
    row("ConfezioneArticolo", member_kind::method, dispatch_group::method, 86, {{"CodiceArticolo", param_type::variant}, {"Opzione", param_type::variant}, {"CodiceConfezione", param_type::variant}}, param_type::none, false, &decode_ops::confezione_articolo),
    row("Ubicazione", member_kind::method, dispatch_group::method, 53, {{"CodiceUbicazione", param_type::variant}}, param_type::none, false, &decode_ops::ubicazione),
    row("UbicazioneDeposito", member_kind::method, dispatch_group::method, 144, {{"CodiceDeposito", param_type::variant}, {"CodiceUbicazione", param_type::variant}}, param_type::none, false, &decode_ops::ubicazione_deposito),
    row("AspettoDeiBeni", member_kind::method, dispatch_group::method, 54, {{"CodiceAspettoDeiBeni", param_type::variant}}, param_type::none, false, &decode_ops::aspetto_dei_beni),
    row("Listino99Prezzi", member_kind::method, dispatch_group::method, 55, {{"CodiceListino99Prezzi", param_type::variant}}, param_type::none, false, &decode_ops::listino99_prezzi),
    row("ListinoPiuArticoli", member_kind::method, dispatch_group::method, 56, {{"CodiceListinoPiuArticoli", param_type::variant}}, param_type::none, false, &decode_ops::listino_piu_articoli),
    row("TestiVari", member_kind::method, dispatch_group::method, 80, {{"IndTipoTesto", param_type::variant}, {"CodiceTesto", param_type::variant}}, param_type::none, false, &decode_ops::testi_vari),
    row("Base", member_kind::method, dispatch_group::method, 83, {{"CodiceBase", param_type::variant}}, param_type::none, false, &decode_ops::base),
    row("Rischio", member_kind::method, dispatch_group::method, 97, {{"CodiceRischio", param_type::variant}}, param_type::none, false, &decode_ops::rischio),
    row("Progetto", member_kind::method, dispatch_group::method, 89, {{"CodProgetto", param_type::variant}}, param_type::none, false, &decode_ops::progetto),
    row("Sottoprogetto", member_kind::method, dispatch_group::method, 98, {{"CodProgetto", param_type::variant}, {"CodSottoprogetto", param_type::variant}}, param_type::none, false, &decode_ops::sottoprogetto),
    row("Sottprogetto", member_kind::method, dispatch_group::method, 90, {{"CodProgetto", param_type::variant}, {"CodSottoprogetto", param_type::variant}}, param_type::none, true, &decode_ops::sottprogetto),
    row("Commessa", member_kind::method, dispatch_group::method, 93, {{"CodCommessa", param_type::variant}}, param_type::none, false, &decode_ops::commessa),
    row("SottoCommessa", member_kind::method, dispatch_group::method, 94, {{"CodCommessa", param_type::variant}, {"CodSottocommessa", param_type::variant}}, param_type::none, false, &decode_ops::sotto_commessa),
    row("IndiceMargine", member_kind::method, dispatch_group::method, 102, {{"CodiceInMarg", param_type::variant}}, param_type::none, false, &decode_ops::indice_margine),
    row("Giro", member_kind::method, dispatch_group::method, 105, {{"CodiceGiro", param_type::variant}}, param_type::none, false, &decode_ops::giro),
    row("RaggruppoContabileArticolo", member_kind::method, dispatch_group::method, 112, {{"CodiceRaggruppoContabile", param_type::variant}}, param_type::none, false, &decode_ops::raggruppo_contabile_articolo),
    row("RaggruppoContabileClienteFornitore", member_kind::method, dispatch_group::method, 113, {{"CodiceRaggruppoContabile", param_type::variant}, {"TipoCf", param_type::variant}}, param_type::none, false, &decode_ops::raggruppo_contabile_cliente_fornitore),
    row("RaggruppoContabileFase", member_kind::method, dispatch_group::method, 114, {{"CodiceRaggruppoContabile", param_type::variant}}, param_type::none, false, &decode_ops::raggruppo_contabile_fase),
    row("CodiceDitta", member_kind::let, dispatch_group::property, 116, {{"value", param_type::long_}}, param_type::none, false, let_codice_ditta),
    row("CodiceDitta", member_kind::get, dispatch_group::property, 116, {}, param_type::long_, false, get_codice_ditta),
    row("ConfigurazioneSchedaTrasporto", member_kind::method, dispatch_group::method, 120, {{"Codice", param_type::variant}}, param_type::none, false, &decode_ops::configurazione_scheda_trasporto),
    row("ClassificazioneArticoliFittizi", member_kind::method, dispatch_group::method, 128, {{"CodiceClassArtFtz", param_type::variant}}, param_type::none, false, &decode_ops::classificazione_articoli_fittizi),
    row("OpzioneExt", member_kind::method, dispatch_group::method, 132, {{"CodiceVariante", param_type::variant}, {"CodiceOpzione", param_type::variant}, {"CodiceArticolo", param_type::variant, true}, {"CodiceRaggruppamento", param_type::variant, true}}, param_type::none, false, &decode_ops::opzione_ext),
    row("UfficioPA", member_kind::method, dispatch_group::method, 155, {{"CodiceUfficio", param_type::variant}, {"CodCliFor", param_type::variant}}, param_type::none, false, &decode_ops::ufficio_pa),
    row("UfficioPACliFor", member_kind::method, dispatch_group::method, 195, {{"CodiceUfficio", param_type::variant}, {"CodCliFor", param_type::variant}, {"TipoCliFor", param_type::variant}}, param_type::none, false, &decode_ops::ufficio_pa_cli_for),
    row("UfficioPACliForDest", member_kind::method, dispatch_group::method, 208, {{"CodiceUfficio", param_type::variant}, {"CodCliFor", param_type::variant}, {"TipoCliFor", param_type::variant}, {"CodiceDestinatario", param_type::variant}}, param_type::none, false, &decode_ops::ufficio_pa_cli_for_dest),
    row("RiferAmmPA", member_kind::method, dispatch_group::method, 160, {{"CodiceUfficio", param_type::variant}, {"CodiceRiferAmm", param_type::variant}}, param_type::none, true, &decode_ops::rifer_amm_pa),
    row("RiferimentiAmministrazionePA", member_kind::method, dispatch_group::method, 165, {{"CodiceUfficio", param_type::variant}, {"CodAnagraficaGenerale", param_type::variant}, {"CodiceRiferAmm", param_type::variant}}, param_type::none, false, &decode_ops::riferimenti_amministrazione_pa),
    row("TaxGroup", member_kind::method, dispatch_group::method, 190, {{"Code", param_type::variant}}, param_type::none, false, &decode_ops::tax_group),
    row("FilereByIdFor", member_kind::method, dispatch_group::method, 201, {{"IdFornitore", param_type::variant}, {"Codice", param_type::variant}}, param_type::none, false, &decode_ops::filere_by_id_for),
    row("Filere", member_kind::method, dispatch_group::method, 202, {{"Codice", param_type::variant}}, param_type::none, false, &decode_ops::filere),
    row("FilereByIdForExt", member_kind::method, dispatch_group::method, 203, {{"IdFornitore", param_type::variant}, {"Codice", param_type::variant}, {"CodiceArticolo", param_type::variant}}, param_type::none, false, &decode_ops::filere_by_id_for_ext),
};

static_assert(kMembers.size() == 115);
static_assert(valid_member_table(kMembers));

constexpr class_info<decode> kInfo{"CLSMG_DECODE", "_CLSMG_DECODE", "{9484223C-4BD2-11D3-A7CC-00400519B149}",
                                   "{48DE5153-083A-4C09-95A7-6F8B6BB44F55}", kMembers};

}  // namespace

const class_info<decode>& decode::info() { return kInfo; }

}  // namespace veldrane

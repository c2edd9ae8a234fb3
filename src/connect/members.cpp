// The member table of CLSMG_CONNECT: its fields, its own members and one
// forwarder per program of the module, in interface order. A forwarder's
// parameters say how each argument is converted before it reaches the
// sibling connector.
#include <algorithm>
#include <array>

#include "connect/connect.h"

namespace veldrane {
namespace {

using shared = shared_entries<connect>;

// The public fields, read and assigned in their own types.
template <auto Field>
value get_field_of(connect& c, std::span<value>) {
  return value(c.*Field);
}
template <auto Field>
value put_field_of(connect& c, std::span<value> a) {
  using type = std::remove_cvref_t<decltype(c.*Field)>;
  if constexpr (std::is_same_v<type, bool>) c.*Field = a[0].as_bool();
  else if constexpr (std::is_same_v<type, std::int32_t>) c.*Field = a[0].as_long();
  else c.*Field = a[0].as_object();
  return {};
}

value transfer_data(connect& c, std::span<value> a) {
  bool cancel = a[0].as_bool();
  c.transfer_data(cancel, a[1], a[2].as_long());
  a[0] = value(cancel);
  return {};
}
value form_close(connect& c, std::span<value> a) {
  c.form_close(a[0].as_long());
  return {};
}
value terminate_connect(connect& c, std::span<value>) {
  c.terminate_connect();
  return {};
}

// A name as a template argument, so that a forwarder's row names its member
// once and its entry knows which member it forwards.
template <std::size_t N>
struct fixed_name {
  char text[N]{};
  constexpr fixed_name(const char (&s)[N]) { std::copy_n(s, N, text); }
  constexpr std::string_view view() const { return {text, N - 1}; }
};

template <fixed_name Name>
value forward_entry(connect& c, std::span<value> a) {
  return value(c.forward(Name.view(), a));
}

// The caller's by-reference argument is handed on as its value.
template <fixed_name Name>
value forward_values(connect& c, std::span<value> a) {
  return value(c.forward(Name.view(), a, {.references_as_values = true}));
}

// The program of delivery rounds per customer is known to the sibling under
// a longer name.
value elenco_cli_x_giri(connect& c, std::span<value> a) {
  return value(c.forward("ElencoCliXGiri", a, {.sibling_member = "ElencoClientiXGiri"}));
}

// The facade's own Flag_AperturaAutomatica goes last, by reference: the
// sibling may change it and the caller reads it afterwards.
value trasformazione_documenti(connect& c, std::span<value> a) {
  value flag(c.flag_apertura_automatica);
  const bool ok = c.forward("TrasformazioneDocumenti", a, {.extra = &flag});
  if (flag.kind() == value_kind::boolean) c.flag_apertura_automatica = flag.as_bool();
  else if (!flag.is_empty() && !flag.is_null()) c.flag_apertura_automatica = to_bool(flag);
  return value(ok);
}

// The availability calendar is the extended one without a deposit.
value calendario_disponibilita(connect& c, std::span<value> a) {
  std::vector<value> args(a.begin(), a.end());
  args.emplace_back("");
  try {
    return invoke_by_ref(connect::info(), c, "CalendarioDisponibilitaEXT", member_kind::method, args);
  } catch (const automation_error& e) {
    c.message_box_for(e, "CalendarioDisponibilita");
    return value(false);
  }
}

// The entries as variables, so that a row maker learns the class from them.
template <auto Field>
constexpr member_entry<connect> get_of = &get_field_of<Field>;
template <auto Field>
constexpr member_entry<connect> put_of = &put_field_of<Field>;
template <fixed_name Name>
constexpr member_entry<connect> forward_values_of = &forward_values<Name>;

/// A forwarder to the program of that name: it answers whether the program
/// opened.
template <fixed_name Name>
constexpr member_info<connect> program(int number, std::initializer_list<param_info> params) {
  return function(Name.view(), number, param_type::boolean, params, &forward_entry<Name>);
}
template <fixed_name Name>
constexpr member_info<connect> hidden_program(int number, std::initializer_list<param_info> params) {
  return hidden_function(Name.view(), number, param_type::boolean, params, &forward_entry<Name>);
}

// A forwarder's optional arguments, as the sibling receives them: as text,
// an omitted one as an empty text (TextOrEmpty); as a number, an omitted one
// as zero (DecimalOrZero).
constexpr param_info text_or_empty(std::string_view name) {
  param_info p = defaulted(name);
  p.convert = conversion::text;
  return p;
}
constexpr param_info decimal_or_zero(std::string_view name) {
  param_info p = defaulted(name, param_type::variant, "0");
  p.default_type = param_type::integer;  // a Variant whose default is the number 0
  p.convert = conversion::decimal;
  return p;
}

// The parameters many forwarders share.
constexpr param_info kCodice = text_or_empty("Codice");
constexpr param_info kCodiceArticolo = text_or_empty("CodiceArticolo");
constexpr param_info kTipoCf = decimal_or_zero("TipoCf");
constexpr param_info kTipoCfText = text_or_empty("TipoCf");

// What an opened program reports back: TransferData and FormClose receive
// it, and the connector raises it to its own sinks as DataTransfer and
// CloseForm, with the same parameters.
constexpr param_info kCancel = by_ref(param("Cancel", param_type::boolean));
constexpr param_info kData = param("Data");
constexpr param_info kCalledProgram = param("vxCalledProgram", param_type::long_);

constexpr std::array kMembers = {
    field_get("ActiveInterface",                          0, param_type::object, shared::get_active_interface),
    field_set("ActiveInterface",                          0, param_type::object, shared::set_active_interface),
    field_get("ConnectField",                             1, param_type::object, get_of<&connect::connect_field>),
    field_set("ConnectField",                             1, param_type::object, put_of<&connect::connect_field>),
    field_get("CreateInstance",                           2, param_type::boolean, get_of<&connect::create_instance>),
    field_let("CreateInstance",                           2, param_type::boolean, put_of<&connect::create_instance>),
    field_get("WindowModal",                              3, param_type::boolean, get_of<&connect::window_modal>),
    field_let("WindowModal",                              3, param_type::boolean, put_of<&connect::window_modal>),
    field_get("ProgramMode",                              4, param_type::long_, get_of<&connect::program_mode>),
    field_let("ProgramMode",                              4, param_type::long_, put_of<&connect::program_mode>),
    field_get("WindowState",                              5, param_type::long_, get_of<&connect::window_state>),
    field_let("WindowState",                              5, param_type::long_, put_of<&connect::window_state>),
    field_get("Top",                                      6, param_type::long_, get_of<&connect::top>),
    field_let("Top",                                      6, param_type::long_, put_of<&connect::top>),
    field_get("Left",                                     7, param_type::long_, get_of<&connect::left>),
    field_let("Left",                                     7, param_type::long_, put_of<&connect::left>),
    field_get("RichiestaDitta",                           8, param_type::boolean, get_of<&connect::richiesta_ditta>),
    field_let("RichiestaDitta",                           8, param_type::boolean, put_of<&connect::richiesta_ditta>),
    field_get("ShowMethod",                               9, param_type::boolean, get_of<&connect::show_method>),
    field_let("ShowMethod",                               9, param_type::boolean, put_of<&connect::show_method>),
    field_get("AskDitta",                                10, param_type::boolean, get_of<&connect::ask_ditta>),
    field_let("AskDitta",                                10, param_type::boolean, put_of<&connect::ask_ditta>),
    method("TransferData",                                2, {kCancel, kData, kCalledProgram}, transfer_data),
    hidden_program<"Agenti">(                             3, {text_or_empty("CodiceAgente")}),
    program<"AspettoDeiBeni">(                            4, {kCodice}),
    program<"CausaliTrasporto">(                          5, {kCodice}),
    program<"FlagsEsclusioneStampa">(                     6, {kCodice}),
    program<"Imballo">(                                   7, {kCodice}),
    program<"LivelliDiBlocco">(                           8, {kCodice}),
    program<"MacroAree">(                                 9, {kTipoCf, text_or_empty("CodiceMacroArea")}),
    program<"Aree">(                                     10, {kTipoCf, text_or_empty("CodiceMacroArea"),
                                                             text_or_empty("CodiceArea")}),
    program<"Zone">(                                     11, {kTipoCf, text_or_empty("CodiceMacroArea"),
                                                             text_or_empty("CodiceArea"), text_or_empty("CodiceZona")}),
    program<"MacroCategorie">(                           12, {kTipoCf, text_or_empty("CodiceMacroCategoria")}),
    program<"Categorie">(                                13, {kTipoCf, text_or_empty("CodiceMacroCategoria"),
                                                             text_or_empty("CodiceCategoria")}),
    program<"SottoCategorie">(                           14, {kTipoCf, text_or_empty("CodiceMacroCategoria"),
                                                             text_or_empty("CodiceCategoria"),
                                                             text_or_empty("CodiceSottoCategoria")}),
    program<"Operatori">(                                15, {kCodice}),
    program<"Porto">(                                    16, {kCodice}),
    program<"RaggruppamentiClientiFornitori1">(          17, {kTipoCf, kCodice}),
    program<"RaggruppamentiClientiFornitori2">(          18, {kTipoCf, kCodice}),
    program<"RaggruppamentiClientiFornitori3">(          19, {kTipoCf, kCodice}),
    program<"Spedizionieri">(                            20, {kCodice}),
    program<"SpeseVarie">(                               21, {kCodice}),
    program<"TestiFissi">(                               22, {kCodice}),
    program<"TipoSpedizione">(                           23, {kCodice}),
    program<"Vettori">(                                  24, {kCodice}),
    program<"Applicazioni">(                             25, {kCodice}),
    program<"Campagne">(                                 26, {kCodice}),
    program<"CausaliMagazzino">(                         27, {kCodice}),
    program<"ClassiDiSconto">(                           28, {kCodice}),
    program<"Confezioni">(                               29, {kCodice}),
    program<"Depositi">(                                 30, {kCodice}),
    program<"Famiglie">(                                 31, {text_or_empty("CodiceFamiglia")}),
    program<"SottoFamiglie">(                            32, {text_or_empty("CodiceFamiglia"),
                                                             text_or_empty("CodiceSottoFamiglia")}),
    program<"Gruppi">(                                   33, {text_or_empty("CodiceFamiglia"),
                                                             text_or_empty("CodiceSottoFamiglia"),
                                                             text_or_empty("CodiceGruppo")}),
    program<"SottoGruppi">(                              34, {text_or_empty("CodiceFamiglia"),
                                                             text_or_empty("CodiceSottoFamiglia"),
                                                             text_or_empty("CodiceGruppo"),
                                                             text_or_empty("CodiceSottoGruppo")}),
    program<"GruppiFiscali">(                            35, {kCodice}),
    program<"GruppiStatistici1">(                        36, {kCodice}),
    program<"GruppiStatistici2">(                        37, {kCodice}),
    program<"GruppiStatistici3">(                        38, {kCodice}),
    program<"GruppiStatistici4">(                        39, {kCodice}),
    program<"Lingue">(                                   40, {kCodice}),
    program<"Marche">(                                   41, {kCodice}),
    program<"RaggruppamentiDepositi">(                   42, {kCodice}),
    program<"ScaglioniArrotondamento">(                  43, {kCodice}),
    program<"SchedeAnagrafiche">(                        44, {kCodice}),
    program<"Ubicazioni">(                               45, {kCodice}),
    program<"ArticoloAnagrafica">(                       46, {kCodice}),
    program<"ArticoloDescrizioni">(                      47, {kCodice}),
    program<"ArticoloBarCode">(                          48, {kCodice}),
    program<"ArticoloScortePerVarianti">(                49, {kCodice}),
    program<"ArticoloConfezioniPerVarianti">(            50, {kCodice}),
    program<"ArticoloUbicazioniMultiple">(               51, {kCodice}),
    program<"ArticoloListini">(                          52, {kCodice}),
    program<"ArticoloArticoliClienti">(                  53, {kCodice}),
    program<"ArticoloArticoliFornitori">(                54, {kCodice}),
    program<"ArticoloArticoliAlternativi">(              55, {kCodice, text_or_empty("Variante"),
        defaulted("EsportaAlternativi", param_type::boolean, "False")}),
    program<"ArticoloArticoliSostitutivi">(              56, {kCodice}),
    program<"ArticoloArticoliConcorrenti">(              57, {kCodice, text_or_empty("Variante"),
        defaulted("SoloVisualizzazione", param_type::boolean, "False")}),
    program<"ArticoloProgressiviMagazzino">(             58, {kCodice}),
    program<"ArticoloDatiTuttiDepositi">(                59, {kCodice}),
    program<"ArticoloProgressiviLifo">(                  60, {kCodice}),
    program<"ArticoloPackingList">(                      61, {kCodice}),
    program<"ArticoloEstensioneDati">(                   62, {kCodice}),
    program<"ArticoloProgressiviLifoPerDeposito">(       63, {kCodice}),
    program<"ArticoloAgentiMultipli">(                   64, {kCodice}),
    program<"ListiniPrioritaPrezziSconti">(              65, {}),
    program<"ListiniArticoloMacroareaAreaZona">(         66, {}),
    program<"ListiniArticoloMacrocatCatSottocat">(       67, {}),
    program<"ListiniArticoloDeposito">(                  68, {}),
    program<"ListiniArticoloScaglQuantita">(             69, {}),
    program<"ListiniCliForArticolo">(                    70, {}),
    program<"ListiniCliForArticoloScaglQuantita">(       71, {}),
    program<"ListiniCliForArticoloDeposito">(            72, {}),
    program<"ListiniCliForDestinatarioArticolo">(        73, {}),
    program<"ListiniCliForClasseSconto">(                74, {}),
    program<"ListiniCliForCodiceParlante">(              75, {}),
    program<"ListiniCliForIntervCodiceParlante">(        76, {}),
    program<"ListiniMacrocatCatSottocat">(               77, {}),
    program<"ListiniMacrocatCatSottocatCodParlante">(    78, {}),
    program<"ListiniMacrocatCatSottocatIntParlante">(    79, {}),
    program<"ListiniMacrocatCatSottocatSubcodice">(      80, {}),
    program<"ListiniClasseSconto">(                      81, {}),
    program<"ListiniClasseScMacrocatCatSottocat">(       82, {}),
    program<"ListiniCodiceParlante">(                    83, {}),
    program<"ListiniIntervalloCodiceParlante">(          84, {}),
    program<"ListiniSubcodice">(                         85, {}),
    program<"ListiniSubcodiceCodiceParlante">(           86, {}),
    program<"ListiniCampagnaArticolo">(                  87, {}),
    program<"ListiniCodiceParlanteScaglQuantita">(       88, {}),
    program<"ListiniListini99Prezzi">(                   89, {}),
    program<"ListiniListiniPiuArticoli">(                90, {}),
    function("ListiniArtClientiArtFornitori",            91, param_type::boolean,
                                                             {by_ref(defaulted("ArrayParametri"))},
                                                             forward_values_of<"ListiniArtClientiArtFornitori">),
    function("ListiniUltPrArtClientiArtFornitori",       92, param_type::boolean,
                                                             {by_ref(defaulted("ArrayParametri"))},
                                                             forward_values_of<"ListiniUltPrArtClientiArtFornitori">),
    program<"TipiSottotipiDocumento">(                   93, {text_or_empty("TipoDocumento")}),
    program<"ParametriGeneraliDocumenti">(               94, {}),
    program<"PersonalizzazioneDocumenti">(               95, {kCodice, text_or_empty("StandardPersonalizzato")}),
    program<"PersonalizzazioneDocumentiDitta">(          96, {kCodice}),
    program<"PersonalizzazioneTrasfDocumenti">(          97, {kCodice, text_or_empty("StandardPersonalizzato")}),
    program<"PersonalizzazioneTrasfDocumentiDitta">(     98, {kCodice}),
    program<"Documenti">(                                99, {defaulted("Codice"), defaulted("NumeroRegistrazione")}),
    function("TrasformazioneDocumenti",                 100, param_type::boolean, {defaulted("Codice"),
        defaulted("Modalita"), defaulted("DocumentoOrigine"), defaulted("DocumentoDestinazione"),
        defaulted("NumRegDocumentoOrigine"), defaulted("ADOConnection", param_type::object, "Nothing"),
        defaulted("ClsRegDocumenti", param_type::object, "Nothing"), defaulted("TESTATE_TEMP"),
        defaulted("RIGHE_TEMP")}, trasformazione_documenti),
    program<"FlussoGraficoDocumenti">(                  101, {}),
    program<"InterrogazioneListiniAttivi">(             102, {kCodiceArticolo, text_or_empty("CodiceOpzione"),
                                                             kTipoCfText, text_or_empty("CodiceCF"),
                                                             text_or_empty("CodiceDeposito"),
                                                             text_or_empty("CodiceValuta")}),
    program<"InterrogazioneArticoliDaBanco">(           103, {kTipoCfText, text_or_empty("CodiceCF"),
                                                             text_or_empty("CodiceDeposito"),
                                                             text_or_empty("CodiceListino"),
                                                             text_or_empty("NumeroInterrogazione")}),
    program<"InterrogazioneMovimenti">(                 104, {kTipoCfText, text_or_empty("CodiceCF"), kCodiceArticolo,
                                                             text_or_empty("Variante")}),
    program<"InterrogazioneEsposizCambiariaFido">(      105, {kTipoCfText, text_or_empty("CodiceCF"),
        text_or_empty("DataElaborazione"), by_ref(optional("OggettoElaborazione", param_type::object))}),
    program<"InterrogazioneStatInsolutiRitPag">(        106, {kTipoCfText, text_or_empty("CodiceCF"),
                                                             text_or_empty("DataElaborazione")}),
    program<"InterrogazionePartitari">(                 107, {kCodice, text_or_empty("Opzione")}),
    program<"InterrogazioneInventari">(                 108, {}),
    program<"InterrogazioneSituazioneGiacenze">(        109, {kCodiceArticolo, text_or_empty("Opzione")}),
    program<"InterrogazioneVendutoAcquistato">(         110, {text_or_empty("TipoClienteFornitore"),
                                                             text_or_empty("CodiceClienteFornitore"), kCodiceArticolo,
                                                             text_or_empty("Opzione")}),
    program<"InterrogazioneUltimiPrezziRitroso">(       111, {kCodiceArticolo, text_or_empty("CodiceOpzione"),
                                                             kTipoCfText, text_or_empty("CodiceCF"),
                                                             text_or_empty("DaCodiceDeposito"),
                                                             text_or_empty("ACodiceDeposito"),
                                                             text_or_empty("DaDataDocumento"),
                                                             text_or_empty("ADataDocumento"),
                                                             text_or_empty("DaDataRegistrazione"),
                                                             text_or_empty("ADataRegistrazione"),
                                                             text_or_empty("SelezioneValuta"),
                                                             text_or_empty("CodiceValuta"),
                                                             text_or_empty("DocumentiConsolidati"),
                                                             text_or_empty("DocumentiDaConsolidare"),
                                                             text_or_empty("DocumentiClienti"),
                                                             text_or_empty("DocumentiFornitori"),
                                                             text_or_empty("DocumentiVari"),
                                                             text_or_empty("OrdineVisualizzazione")}),
    program<"StampaOperatori">(                         112, {}),
    program<"StampaLivelliDiBlocco">(                   113, {}),
    program<"StampaPorto">(                             114, {}),
    program<"StampaTipoSpedizione">(                    115, {}),
    program<"StampaImballo">(                           116, {}),
    program<"StampaAspettoDeiBeni">(                    117, {}),
    program<"StampaCausaliTrasporto">(                  118, {}),
    program<"StampaLingue">(                            119, {}),
    program<"StampaMacroareeAreeZone">(                 120, {}),
    program<"StampaApplicazioni">(                      121, {}),
    program<"StampaDepositi">(                          122, {}),
    program<"StampaGruppiFiscali">(                     123, {}),
    program<"StampaClassiDiSconto">(                    124, {}),
    program<"StampaMarche">(                            125, {}),
    program<"StampaCampagne">(                          126, {}),
    program<"StampaUbicazioni">(                        127, {}),
    program<"StampaCausaliMagazzino">(                  128, {}),
    program<"StampaGruppiStatistici">(                  129, {}),
    program<"StampaFamSfaGruSgr">(                      130, {}),
    program<"TestiVari">(                               133, {text_or_empty("IndicatoreTipoTesto"), kCodice,
                                                             text_or_empty("CaptionForm")}),
    program<"StampaBasi">(                              138, {}),
    method("FormClose",                                 141, {kCalledProgram}, form_close),
    method("TerminateConnect",                          144, {}, terminate_connect),
    function("CalendarioDisponibilita",                 147, param_type::boolean, {kCodiceArticolo,
                                                             text_or_empty("CodiceOpzione"), text_or_empty("DaData"),
                                                             text_or_empty("AData")}, calendario_disponibilita),
    program<"Progetti">(                                150, {kCodice}),
    program<"Commesse">(                                151, {kCodice}),
    program<"Rischio">(                                 154, {kCodice}),
    program<"ArticoloCreazioneVeloceListini">(          155, {kCodice}),
    program<"ConfiguraAnalisiABC">(                     158, {}),
    program<"InterrogazioneAnalisiABC">(                159, {}),
    program<"IndiciMargini">(                           162, {kCodice}),
    program<"ArticoloCreazioneVeloceListiniGridVar">(   165, {kCodice}),
    program<"SchedaPrezziArticoli">(                    168, {kCodice, text_or_empty("Opzione"),
                                                             text_or_empty("IndVenAcq")}),
    program<"ArticoloBloccoArticoli">(                  171, {kCodice}),
    program<"ArticoloBloccoStati">(                     172, {kCodice}),
    program<"DuplicazioneDocumenti">(                   175, {defaulted("NumeroRegistrazione")}),
    program<"AnagraficaGiri">(                          178, {defaulted("Codice")}),
    function("ElencoCliXGiri",                          179, param_type::boolean, {defaulted("Codice")},
                                                             elenco_cli_x_giri),
    program<"RaggruppoContabileArticolo">(              182, {kCodice}),
    program<"RaggruppoContabileClienteFornitore">(      183, {kTipoCf, kCodice}),
    program<"RaggruppoContabileFase">(                  184, {kCodice}),
    program<"InterrogazioneManutenzioneVeloceListini">( 187, {defaulted("CodiceArticolo"),
                                                             defaulted("VarianteArticolo"), defaulted("CodiceCF"),
                                                             defaulted("TipoVendAcq"), defaulted("TipoListino"),
                                                             defaulted("CodiceListino"), defaulted("DataValidita")}),
    program<"ConfigurazioniSchedeTrasporto">(           190, {text_or_empty("CodiceConfigurazione")}),
    program<"SituazioneGiacenzeEsterne">(               193, {kCodiceArticolo, text_or_empty("Opzione")}),
    hidden_program<"TipologiaAgente">(                  196, {kCodice}),
    program<"AnagraficaCampiPers">(                     199, {defaulted("DataFieldPers"), defaulted("CodicePers")}),
    program<"ArticoloArticoliClientiVar">(              202, {kCodice, text_or_empty("CodiceVariante")}),
    program<"ArticoloArticoliFornitoriVar">(            203, {kCodice, text_or_empty("CodiceVariante")}),
    program<"PersDocDittaStampaInLingua">(              206, {kCodice}),
    program<"PersDocStampaInLingua">(                   207, {kCodice, text_or_empty("IndStandPers")}),
    program<"AnagraficaPromozioni">(                    208, {defaulted("CodicePromozione"),
                                                             defaulted("FiltroPromozioni")}),
    program<"RiferimentiGraficiDocumenti">(             211, {param("fstrNumReg", param_type::string)}),
    field_get("Flag_AperturaAutomatica",                212, param_type::boolean,
                                                             get_of<&connect::flag_apertura_automatica>),
    field_let("Flag_AperturaAutomatica",                212, param_type::boolean,
                                                             put_of<&connect::flag_apertura_automatica>),
    program<"LogTrasformazione">(                       216,
        {by_ref(optional("fclsLogTrasformazione", param_type::object))}),
    program<"ConfiguraVariantiArticolo">(               219, {by_ref(param("TipoVarArt", param_type::string)),
                                                             defaulted("CodiceVariante"),
                                                             defaulted("CodiceRaggruppamento")}),
    program<"RiferimentiGraficiRigheDocumenti">(        222, {param("fstrNumReg", param_type::string),
                                                             param("fvarProgrRiga")}),
    program<"RiferimentiGraficiEXT">(                   226, {param("ModoApertura"), param("Intestazione"),
        param("NumReg", param_type::string), defaulted("ProgRiga", param_type::integer, "0"),
        defaulted("RigaPDC", param_type::integer, "0"),
        defaulted("RecuperaDatiStorici", param_type::boolean, "False")}),
    program<"StampaTestiFissi">(                        230, {}),
    program<"StampaVettori">(                           231, {}),
    program<"StampaSpedizionieri">(                     232, {}),
    program<"StampaFlagEsclusioneStampa">(              233, {}),
    program<"StampaSpeseVarie">(                        234, {}),
    program<"StampaSchedeAnagrafiche">(                 235, {}),
    program<"ParametriSottoscorta">(                    241, {kCodice}),
    program<"ParametriRitardi">(                        242, {kCodice}),
    program<"StampaGruppiStatistici1">(                 246, {}),
    program<"StampaGruppiStatistici2">(                 247, {}),
    program<"StampaGruppiStatistici3">(                 248, {}),
    program<"StampaGruppiStatistici4">(                 249, {}),
    program<"AgentiByID">(                              253, {decimal_or_zero("IdAgente")}),
    program<"TipologiaAgenteByID">(                     254, {decimal_or_zero("IdAgente")}),
    program<"CalendarioDisponibilitaEXT">(              258, {kCodiceArticolo, text_or_empty("CodiceOpzione"),
                                                             text_or_empty("DaData"), text_or_empty("AData"),
                                                             text_or_empty("Deposito")}),
    program<"RiferimentiGraficiWithParams">(            262, {by_ref(param("fclsParams", param_type::object))}),
    program<"TrasformazioneDocumentiExt">(              266,
        {defaulted("IsDaImportazioneFE", param_type::boolean, "True"), defaulted("CodiceModello"),
        defaulted("CodiceFornitore"), defaulted("DataDoc"), defaulted("DataReg"), defaulted("DataCompIva"),
        defaulted("NumDocOrigine"), defaulted("RecSetRiferimenti", param_type::object, "Nothing"),
        defaulted("IE83_Id")}),
};

static_assert(kMembers.size() == 207);
static_assert(valid_member_table(kMembers));

constexpr std::array kDataTransferParams = {kCancel, kData, kCalledProgram};
constexpr std::array kCloseFormParams = {kCalledProgram};
constexpr std::array kEvents = {
    event_info{"DataTransfer", 1, kDataTransferParams},
    event_info{"CloseForm",    2, kCloseFormParams},
};
constexpr source_info kSource{"__CLSMG_CONNECT", "{EF3C91B3-ABA9-4E0C-804E-623BD440BE95}", kEvents};

constexpr class_info<connect> kInfo{"CLSMG_CONNECT", "_CLSMG_CONNECT", "{17C3FA16-58A6-11D4-A8E4-00400519B149}",
                                    "{EF71DA8B-F18F-4ADA-A4E5-B4F387266837}", kMembers, &kSource};

}  // namespace

const class_info<connect>& connect::info() { return kInfo; }

}  // namespace veldrane

// The member table of CLSMG_CONNECT: its fields, its own members and one
// forwarder per program of the module, in interface order. A forwarder's
// parameters say how each argument is converted before it reaches the
// sibling connector.
#include <algorithm>
#include <array>

#include "connect/connect.h"

namespace veldrane {
namespace {

constexpr auto row = &member_row<connect>;
constexpr auto get_active_interface = &veldrane::get_active_interface<connect>;
constexpr auto set_active_interface = &veldrane::set_active_interface<connect>;

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

template <fixed_name Name>
constexpr member_info<connect> program(int number, std::initializer_list<param_info> params, bool hidden = false) {
  return member_row<connect>(Name.view(), member_kind::method, dispatch_group::method, number, params,
                             param_type::boolean, hidden, &forward_entry<Name>);
}

constexpr std::array kMembers = {
    row("ActiveInterface", member_kind::get, dispatch_group::field, 0, {}, param_type::object, false, get_active_interface),
    row("ActiveInterface", member_kind::set, dispatch_group::field, 0, {{.name = "value", .type = param_type::object}}, param_type::none, false, set_active_interface),
    row("ConnectField", member_kind::get, dispatch_group::field, 1, {}, param_type::object, false, &get_field_of<&connect::connect_field>),
    row("ConnectField", member_kind::set, dispatch_group::field, 1, {{.name = "value", .type = param_type::object}}, param_type::none, false, &put_field_of<&connect::connect_field>),
    row("CreateInstance", member_kind::get, dispatch_group::field, 2, {}, param_type::boolean, false, &get_field_of<&connect::create_instance>),
    row("CreateInstance", member_kind::let, dispatch_group::field, 2, {{.name = "value", .type = param_type::boolean}}, param_type::none, false, &put_field_of<&connect::create_instance>),
    row("WindowModal", member_kind::get, dispatch_group::field, 3, {}, param_type::boolean, false, &get_field_of<&connect::window_modal>),
    row("WindowModal", member_kind::let, dispatch_group::field, 3, {{.name = "value", .type = param_type::boolean}}, param_type::none, false, &put_field_of<&connect::window_modal>),
    row("ProgramMode", member_kind::get, dispatch_group::field, 4, {}, param_type::long_, false, &get_field_of<&connect::program_mode>),
    row("ProgramMode", member_kind::let, dispatch_group::field, 4, {{.name = "value", .type = param_type::long_}}, param_type::none, false, &put_field_of<&connect::program_mode>),
    row("WindowState", member_kind::get, dispatch_group::field, 5, {}, param_type::long_, false, &get_field_of<&connect::window_state>),
    row("WindowState", member_kind::let, dispatch_group::field, 5, {{.name = "value", .type = param_type::long_}}, param_type::none, false, &put_field_of<&connect::window_state>),
    row("Top", member_kind::get, dispatch_group::field, 6, {}, param_type::long_, false, &get_field_of<&connect::top>),
    row("Top", member_kind::let, dispatch_group::field, 6, {{.name = "value", .type = param_type::long_}}, param_type::none, false, &put_field_of<&connect::top>),
    row("Left", member_kind::get, dispatch_group::field, 7, {}, param_type::long_, false, &get_field_of<&connect::left>),
    row("Left", member_kind::let, dispatch_group::field, 7, {{.name = "value", .type = param_type::long_}}, param_type::none, false, &put_field_of<&connect::left>),
    row("RichiestaDitta", member_kind::get, dispatch_group::field, 8, {}, param_type::boolean, false, &get_field_of<&connect::richiesta_ditta>),
    row("RichiestaDitta", member_kind::let, dispatch_group::field, 8, {{.name = "value", .type = param_type::boolean}}, param_type::none, false, &put_field_of<&connect::richiesta_ditta>),
    row("ShowMethod", member_kind::get, dispatch_group::field, 9, {}, param_type::boolean, false, &get_field_of<&connect::show_method>),
    row("ShowMethod", member_kind::let, dispatch_group::field, 9, {{.name = "value", .type = param_type::boolean}}, param_type::none, false, &put_field_of<&connect::show_method>),
    row("AskDitta", member_kind::get, dispatch_group::field, 10, {}, param_type::boolean, false, &get_field_of<&connect::ask_ditta>),
    row("AskDitta", member_kind::let, dispatch_group::field, 10, {{.name = "value", .type = param_type::boolean}}, param_type::none, false, &put_field_of<&connect::ask_ditta>),
    row("TransferData", member_kind::method, dispatch_group::method, 2, {{.name = "Cancel", .type = param_type::boolean, .by_ref = true}, {.name = "Data"}, {.name = "vxCalledProgram", .type = param_type::long_}}, param_type::none, false, transfer_data),
    program<"Agenti">(3, {{.name = "CodiceAgente", .optional = true, .has_default = true, .convert = conversion::text}}, true),
    program<"AspettoDeiBeni">(4, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"CausaliTrasporto">(5, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"FlagsEsclusioneStampa">(6, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Imballo">(7, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"LivelliDiBlocco">(8, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"MacroAree">(9, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "CodiceMacroArea", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Aree">(10, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "CodiceMacroArea", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceArea", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Zone">(11, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "CodiceMacroArea", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceArea", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceZona", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"MacroCategorie">(12, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "CodiceMacroCategoria", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Categorie">(13, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "CodiceMacroCategoria", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCategoria", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"SottoCategorie">(14, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "CodiceMacroCategoria", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCategoria", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceSottoCategoria", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Operatori">(15, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Porto">(16, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"RaggruppamentiClientiFornitori1">(17, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"RaggruppamentiClientiFornitori2">(18, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"RaggruppamentiClientiFornitori3">(19, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Spedizionieri">(20, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"SpeseVarie">(21, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"TestiFissi">(22, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"TipoSpedizione">(23, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Vettori">(24, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Applicazioni">(25, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Campagne">(26, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"CausaliMagazzino">(27, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ClassiDiSconto">(28, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Confezioni">(29, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Depositi">(30, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Famiglie">(31, {{.name = "CodiceFamiglia", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"SottoFamiglie">(32, {{.name = "CodiceFamiglia", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceSottoFamiglia", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Gruppi">(33, {{.name = "CodiceFamiglia", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceSottoFamiglia", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceGruppo", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"SottoGruppi">(34, {{.name = "CodiceFamiglia", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceSottoFamiglia", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceGruppo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceSottoGruppo", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"GruppiFiscali">(35, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"GruppiStatistici1">(36, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"GruppiStatistici2">(37, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"GruppiStatistici3">(38, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"GruppiStatistici4">(39, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Lingue">(40, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Marche">(41, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"RaggruppamentiDepositi">(42, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ScaglioniArrotondamento">(43, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"SchedeAnagrafiche">(44, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Ubicazioni">(45, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloAnagrafica">(46, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloDescrizioni">(47, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloBarCode">(48, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloScortePerVarianti">(49, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloConfezioniPerVarianti">(50, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloUbicazioniMultiple">(51, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloListini">(52, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloArticoliClienti">(53, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloArticoliFornitori">(54, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloArticoliAlternativi">(55, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Variante", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "EsportaAlternativi", .type = param_type::boolean, .optional = true, .has_default = true, .default_text = "False", .default_type = param_type::boolean}}),
    program<"ArticoloArticoliSostitutivi">(56, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloArticoliConcorrenti">(57, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Variante", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "SoloVisualizzazione", .type = param_type::boolean, .optional = true, .has_default = true, .default_text = "False", .default_type = param_type::boolean}}),
    program<"ArticoloProgressiviMagazzino">(58, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloDatiTuttiDepositi">(59, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloProgressiviLifo">(60, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloPackingList">(61, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloEstensioneDati">(62, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloProgressiviLifoPerDeposito">(63, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloAgentiMultipli">(64, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ListiniPrioritaPrezziSconti">(65, {}),
    program<"ListiniArticoloMacroareaAreaZona">(66, {}),
    program<"ListiniArticoloMacrocatCatSottocat">(67, {}),
    program<"ListiniArticoloDeposito">(68, {}),
    program<"ListiniArticoloScaglQuantita">(69, {}),
    program<"ListiniCliForArticolo">(70, {}),
    program<"ListiniCliForArticoloScaglQuantita">(71, {}),
    program<"ListiniCliForArticoloDeposito">(72, {}),
    program<"ListiniCliForDestinatarioArticolo">(73, {}),
    program<"ListiniCliForClasseSconto">(74, {}),
    program<"ListiniCliForCodiceParlante">(75, {}),
    program<"ListiniCliForIntervCodiceParlante">(76, {}),
    program<"ListiniMacrocatCatSottocat">(77, {}),
    program<"ListiniMacrocatCatSottocatCodParlante">(78, {}),
    program<"ListiniMacrocatCatSottocatIntParlante">(79, {}),
    program<"ListiniMacrocatCatSottocatSubcodice">(80, {}),
    program<"ListiniClasseSconto">(81, {}),
    program<"ListiniClasseScMacrocatCatSottocat">(82, {}),
    program<"ListiniCodiceParlante">(83, {}),
    program<"ListiniIntervalloCodiceParlante">(84, {}),
    program<"ListiniSubcodice">(85, {}),
    program<"ListiniSubcodiceCodiceParlante">(86, {}),
    program<"ListiniCampagnaArticolo">(87, {}),
    program<"ListiniCodiceParlanteScaglQuantita">(88, {}),
    program<"ListiniListini99Prezzi">(89, {}),
    program<"ListiniListiniPiuArticoli">(90, {}),
    row("ListiniArtClientiArtFornitori", member_kind::method, dispatch_group::method, 91, {{.name = "ArrayParametri", .optional = true, .has_default = true, .by_ref = true}}, param_type::boolean, false, &forward_values<"ListiniArtClientiArtFornitori">),
    row("ListiniUltPrArtClientiArtFornitori", member_kind::method, dispatch_group::method, 92, {{.name = "ArrayParametri", .optional = true, .has_default = true, .by_ref = true}}, param_type::boolean, false, &forward_values<"ListiniUltPrArtClientiArtFornitori">),
    program<"TipiSottotipiDocumento">(93, {{.name = "TipoDocumento", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ParametriGeneraliDocumenti">(94, {}),
    program<"PersonalizzazioneDocumenti">(95, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "StandardPersonalizzato", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"PersonalizzazioneDocumentiDitta">(96, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"PersonalizzazioneTrasfDocumenti">(97, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "StandardPersonalizzato", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"PersonalizzazioneTrasfDocumentiDitta">(98, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Documenti">(99, {{.name = "Codice", .optional = true, .has_default = true}, {.name = "NumeroRegistrazione", .optional = true, .has_default = true}}),
    row("TrasformazioneDocumenti", member_kind::method, dispatch_group::method, 100, {{.name = "Codice", .optional = true, .has_default = true}, {.name = "Modalita", .optional = true, .has_default = true}, {.name = "DocumentoOrigine", .optional = true, .has_default = true}, {.name = "DocumentoDestinazione", .optional = true, .has_default = true}, {.name = "NumRegDocumentoOrigine", .optional = true, .has_default = true}, {.name = "ADOConnection", .type = param_type::object, .optional = true, .has_default = true, .default_text = "Nothing", .default_type = param_type::object}, {.name = "ClsRegDocumenti", .type = param_type::object, .optional = true, .has_default = true, .default_text = "Nothing", .default_type = param_type::object}, {.name = "TESTATE_TEMP", .optional = true, .has_default = true}, {.name = "RIGHE_TEMP", .optional = true, .has_default = true}}, param_type::boolean, false, trasformazione_documenti),
    program<"FlussoGraficoDocumenti">(101, {}),
    program<"InterrogazioneListiniAttivi">(102, {{.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceOpzione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "TipoCf", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCF", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceDeposito", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceValuta", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazioneArticoliDaBanco">(103, {{.name = "TipoCf", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCF", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceDeposito", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceListino", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "NumeroInterrogazione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazioneMovimenti">(104, {{.name = "TipoCf", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCF", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Variante", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazioneEsposizCambiariaFido">(105, {{.name = "TipoCf", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCF", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DataElaborazione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "OggettoElaborazione", .type = param_type::object, .optional = true, .by_ref = true}}),
    program<"InterrogazioneStatInsolutiRitPag">(106, {{.name = "TipoCf", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCF", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DataElaborazione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazionePartitari">(107, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Opzione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazioneInventari">(108, {}),
    program<"InterrogazioneSituazioneGiacenze">(109, {{.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Opzione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazioneVendutoAcquistato">(110, {{.name = "TipoClienteFornitore", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceClienteFornitore", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Opzione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazioneUltimiPrezziRitroso">(111, {{.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceOpzione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "TipoCf", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceCF", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DaCodiceDeposito", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "ACodiceDeposito", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DaDataDocumento", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "ADataDocumento", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DaDataRegistrazione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "ADataRegistrazione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "SelezioneValuta", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceValuta", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DocumentiConsolidati", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DocumentiDaConsolidare", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DocumentiClienti", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DocumentiFornitori", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DocumentiVari", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "OrdineVisualizzazione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"StampaOperatori">(112, {}),
    program<"StampaLivelliDiBlocco">(113, {}),
    program<"StampaPorto">(114, {}),
    program<"StampaTipoSpedizione">(115, {}),
    program<"StampaImballo">(116, {}),
    program<"StampaAspettoDeiBeni">(117, {}),
    program<"StampaCausaliTrasporto">(118, {}),
    program<"StampaLingue">(119, {}),
    program<"StampaMacroareeAreeZone">(120, {}),
    program<"StampaApplicazioni">(121, {}),
    program<"StampaDepositi">(122, {}),
    program<"StampaGruppiFiscali">(123, {}),
    program<"StampaClassiDiSconto">(124, {}),
    program<"StampaMarche">(125, {}),
    program<"StampaCampagne">(126, {}),
    program<"StampaUbicazioni">(127, {}),
    program<"StampaCausaliMagazzino">(128, {}),
    program<"StampaGruppiStatistici">(129, {}),
    program<"StampaFamSfaGruSgr">(130, {}),
    program<"TestiVari">(133, {{.name = "IndicatoreTipoTesto", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CaptionForm", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"StampaBasi">(138, {}),
    row("FormClose", member_kind::method, dispatch_group::method, 141, {{.name = "vxCalledProgram", .type = param_type::long_}}, param_type::none, false, form_close),
    row("TerminateConnect", member_kind::method, dispatch_group::method, 144, {}, param_type::none, false, terminate_connect),
    row("CalendarioDisponibilita", member_kind::method, dispatch_group::method, 147, {{.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceOpzione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DaData", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "AData", .optional = true, .has_default = true, .convert = conversion::text}}, param_type::boolean, false, calendario_disponibilita),
    program<"Progetti">(150, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Commesse">(151, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"Rischio">(154, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloCreazioneVeloceListini">(155, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ConfiguraAnalisiABC">(158, {}),
    program<"InterrogazioneAnalisiABC">(159, {}),
    program<"IndiciMargini">(162, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloCreazioneVeloceListiniGridVar">(165, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"SchedaPrezziArticoli">(168, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Opzione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "IndVenAcq", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloBloccoArticoli">(171, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloBloccoStati">(172, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"DuplicazioneDocumenti">(175, {{.name = "NumeroRegistrazione", .optional = true, .has_default = true}}),
    program<"AnagraficaGiri">(178, {{.name = "Codice", .optional = true, .has_default = true}}),
    row("ElencoCliXGiri", member_kind::method, dispatch_group::method, 179, {{.name = "Codice", .optional = true, .has_default = true}}, param_type::boolean, false, elenco_cli_x_giri),
    program<"RaggruppoContabileArticolo">(182, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"RaggruppoContabileClienteFornitore">(183, {{.name = "TipoCf", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}, {.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"RaggruppoContabileFase">(184, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"InterrogazioneManutenzioneVeloceListini">(187, {{.name = "CodiceArticolo", .optional = true, .has_default = true}, {.name = "VarianteArticolo", .optional = true, .has_default = true}, {.name = "CodiceCF", .optional = true, .has_default = true}, {.name = "TipoVendAcq", .optional = true, .has_default = true}, {.name = "TipoListino", .optional = true, .has_default = true}, {.name = "CodiceListino", .optional = true, .has_default = true}, {.name = "DataValidita", .optional = true, .has_default = true}}),
    program<"ConfigurazioniSchedeTrasporto">(190, {{.name = "CodiceConfigurazione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"SituazioneGiacenzeEsterne">(193, {{.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Opzione", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"TipologiaAgente">(196, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}, true),
    program<"AnagraficaCampiPers">(199, {{.name = "DataFieldPers", .optional = true, .has_default = true}, {.name = "CodicePers", .optional = true, .has_default = true}}),
    program<"ArticoloArticoliClientiVar">(202, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceVariante", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ArticoloArticoliFornitoriVar">(203, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceVariante", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"PersDocDittaStampaInLingua">(206, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"PersDocStampaInLingua">(207, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "IndStandPers", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"AnagraficaPromozioni">(208, {{.name = "CodicePromozione", .optional = true, .has_default = true}, {.name = "FiltroPromozioni", .optional = true, .has_default = true}}),
    program<"RiferimentiGraficiDocumenti">(211, {{.name = "fstrNumReg", .type = param_type::string}}),
    row("Flag_AperturaAutomatica", member_kind::get, dispatch_group::field, 212, {}, param_type::boolean, false, &get_field_of<&connect::flag_apertura_automatica>),
    row("Flag_AperturaAutomatica", member_kind::let, dispatch_group::field, 212, {{.name = "value", .type = param_type::boolean}}, param_type::none, false, &put_field_of<&connect::flag_apertura_automatica>),
    program<"LogTrasformazione">(216, {{.name = "fclsLogTrasformazione", .type = param_type::object, .optional = true, .by_ref = true}}),
    program<"ConfiguraVariantiArticolo">(219, {{.name = "TipoVarArt", .type = param_type::string, .by_ref = true}, {.name = "CodiceVariante", .optional = true, .has_default = true}, {.name = "CodiceRaggruppamento", .optional = true, .has_default = true}}),
    program<"RiferimentiGraficiRigheDocumenti">(222, {{.name = "fstrNumReg", .type = param_type::string}, {.name = "fvarProgrRiga"}}),
    program<"RiferimentiGraficiEXT">(226, {{.name = "ModoApertura"}, {.name = "Intestazione"}, {.name = "NumReg", .type = param_type::string}, {.name = "ProgRiga", .type = param_type::integer, .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer}, {.name = "RigaPDC", .type = param_type::integer, .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer}, {.name = "RecuperaDatiStorici", .type = param_type::boolean, .optional = true, .has_default = true, .default_text = "False", .default_type = param_type::boolean}}),
    program<"StampaTestiFissi">(230, {}),
    program<"StampaVettori">(231, {}),
    program<"StampaSpedizionieri">(232, {}),
    program<"StampaFlagEsclusioneStampa">(233, {}),
    program<"StampaSpeseVarie">(234, {}),
    program<"StampaSchedeAnagrafiche">(235, {}),
    program<"ParametriSottoscorta">(241, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"ParametriRitardi">(242, {{.name = "Codice", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"StampaGruppiStatistici1">(246, {}),
    program<"StampaGruppiStatistici2">(247, {}),
    program<"StampaGruppiStatistici3">(248, {}),
    program<"StampaGruppiStatistici4">(249, {}),
    program<"AgentiByID">(253, {{.name = "IdAgente", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}}),
    program<"TipologiaAgenteByID">(254, {{.name = "IdAgente", .optional = true, .has_default = true, .default_text = "0", .default_type = param_type::integer, .convert = conversion::decimal}}),
    program<"CalendarioDisponibilitaEXT">(258, {{.name = "CodiceArticolo", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "CodiceOpzione", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "DaData", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "AData", .optional = true, .has_default = true, .convert = conversion::text}, {.name = "Deposito", .optional = true, .has_default = true, .convert = conversion::text}}),
    program<"RiferimentiGraficiWithParams">(262, {{.name = "fclsParams", .type = param_type::object, .by_ref = true}}),
    program<"TrasformazioneDocumentiExt">(266, {{.name = "IsDaImportazioneFE", .type = param_type::boolean, .optional = true, .has_default = true, .default_text = "True", .default_type = param_type::boolean}, {.name = "CodiceModello", .optional = true, .has_default = true}, {.name = "CodiceFornitore", .optional = true, .has_default = true}, {.name = "DataDoc", .optional = true, .has_default = true}, {.name = "DataReg", .optional = true, .has_default = true}, {.name = "DataCompIva", .optional = true, .has_default = true}, {.name = "NumDocOrigine", .optional = true, .has_default = true}, {.name = "RecSetRiferimenti", .type = param_type::object, .optional = true, .has_default = true, .default_text = "Nothing", .default_type = param_type::object}, {.name = "IE83_Id", .optional = true, .has_default = true}}),
};

static_assert(kMembers.size() == 207);
static_assert(valid_member_table(kMembers));

constexpr class_info<connect> kInfo{"CLSMG_CONNECT", "_CLSMG_CONNECT", "{17C3FA16-58A6-11D4-A8E4-00400519B149}",
                                    "{EF71DA8B-F18F-4ADA-A4E5-B4F387266837}", kMembers};

}  // namespace

const class_info<connect>& connect::info() { return kInfo; }

}  // namespace veldrane

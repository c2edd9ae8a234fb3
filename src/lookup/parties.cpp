// Lookups of sales agents, customers and suppliers, their destinations and
// document groupings, the block levels and the three customer/supplier
// grouping levels.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/converters.h"
#include "lookup/describe.h"
#include "lookup/operations.h"

namespace veldrane::lookup_ops {
namespace {

// ---------------------------------------------------------------------------
// Agents. The statement is written one fragment per line, each ending with a
// lone carriage return; select-list fragments are padded to one width and
// FROM/JOIN/ON fragments to another, so the text lines up in a trace.

constexpr std::size_t kSelectWidth = 41;
constexpr std::size_t kFromWidth = 49;

void padded(statement& st, std::string_view fragment, std::size_t width) {
  st << fragment;
  if (fragment.size() < width) st << std::string(width - fragment.size(), ' ');
}

void padded_line(statement& st, std::string_view fragment, std::size_t width) {
  padded(st, fragment, width);
  st << "\r";
}

// One CASE branch whose label the server translates by text number into the
// user's description language.
void translated_when(statement& st, int branch, int text_id, std::string_view language) {
  st << "             WHEN ";
  st.number(branch);
  st << " THEN [dbo].FNFW_TraduciPerId(";
  st.number(text_id);
  st << ", '";
  st.quoted(language) << "'" << " ,0,0) " << "\r";
}

struct agent_lookup {
  std::string_view business_name_caption;  // column 2
  std::string_view settlement_caption;     // column 6
  std::array<int, 3> agent_type_texts;     // WHEN 0, 1, 2 of MG17_INDTIPOAGE
  std::string_view id;
};

constexpr agent_lookup kAgenti{"Ragione Sociale", "Tipo Liquidazione", {5349, 9883, 9880}, "Lkp_Agenti"};
constexpr agent_lookup kAgentiByID{"Ragione sociale", "Tipo liquidazione", {5349, 9880, 9883}, "Lkp_AgentiByID"};

// The text numbers of the settlement kinds (MG17_INDTIPOLIQ 0 to 3).
constexpr std::array<int, 4> kSettlementTexts{39257, 43605, 43642, 43693};

value agent_list(lookup& lk, std::span<value> a, const agent_lookup& def) {
  // The user's description language; a blank one falls back to "ITA".
  std::string language = "ITA";
  if (lk.active_interface()) language = to_text(NVL(lk.user_context()->description_language(), value("ITA")));

  lk.set_columns({"Codice", def.business_name_caption, "Tipo Agente", "Codice Tipologia", "Descrizione Tipologia",
                  def.settlement_caption, "Id"});
  lk.set_title("Elenco Agenti");
  const std::string sort = lk.sort_column(a[0], "MG17_AGENTE");

  statement st;
  padded_line(st, " SELECT  MG17_AGENTE", kSelectWidth);
  padded_line(st, "     ,   CG16_RAGSOANAG", kSelectWidth);
  padded_line(st, "     ,   CASE MG17_INDTIPOAGE", kSelectWidth);
  for (int i = 0; i < 3; ++i) translated_when(st, i, def.agent_type_texts[static_cast<std::size_t>(i)], language);
  padded_line(st, "         END AS MG17_TIPOAGE", kSelectWidth);
  padded_line(st, "     ,   MG17_TIPOAGENTE_MG1P", kSelectWidth);
  padded_line(st, "     ,   MG1P_DESCR", kSelectWidth);
  padded_line(st, "     ,   CASE MG17_INDTIPOLIQ", kSelectWidth);
  for (int i = 0; i < 4; ++i) translated_when(st, i, kSettlementTexts[static_cast<std::size_t>(i)], language);
  padded_line(st, "         END AS MG17_INDTIPOLIQ", kSelectWidth);
  padded_line(st, "     ,   MG17_IDAGENTE", kSelectWidth);
  padded_line(st, " FROM        MG17_AGENTI         WITH (NOLOCK)", kFromWidth);
  padded_line(st, " INNER JOIN  CG16_ANAGGEN        WITH (NOLOCK)", kFromWidth);
  padded_line(st, "         ON  MG17_ANAGEN_CG16 = CG16_CODICE", kFromWidth);
  padded_line(st, " LEFT OUTER JOIN MG1P_TIPOAGENTE  WITH (NOLOCK)", kFromWidth);
  padded_line(st, "         ON  MG17_DITTA_CG18 = MG1P_DITTA_CG18", kFromWidth);
  padded_line(st, "         AND MG17_TIPOAGENTE_MG1P = MG1P_CODICE", kFromWidth);
  company_filter(st, " WHERE MG17_DITTA_CG18 = ", lk.codice_ditta());
  st << "\r" << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id(def.id);
  return {};
}

// ---------------------------------------------------------------------------
// Destinations: restricted, for a user who is an agent, to the destinations
// assigned to that agent or to no agent at all.

void agent_restriction(lookup& lk, statement& st) {
  if (!lk.active_interface()) return;
  if (!lk.host_interface().environment_object()) return;
  const value agent = DecimalOrZero(lk.user_context()->agent());
  if (to_double(agent) <= 0) return;
  agent_destination_restriction(st, agent);
}

}  // namespace

// ---------------------------------------------------------------------------
// Document groupings, block levels, and the customer/supplier grouping
// levels 1 to 3, titled for customers or suppliers as TipoCf says.

constexpr table kRaggruppamentiDocumenti{
    "Elenco Raggruppamenti", "Lkp_RaggruppamentiDocumenti", "MG24_CODRAG", {"Codice", "Descrizione"},
    "    MG24_CODRAG," "    MG24_DESCRAGG", "    MG24_CLIFORRAG WITH (NOLOCK)",
    {{{"    MG24_DITTA_CG18 = ", way::company},
      {"    MG24_TIPOCF_CG44 = ", way::number, 0},
      {"    MG24_CLIFOR_CG44 = ", way::number, 1}}}};
value raggruppamenti_documenti(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppamentiDocumenti); }

constexpr table kLivelliDiBlocco{
    "Elenco Livelli di blocco", "Lkp_LivelliDiBlocco", "MG25_CODBLOCCO", {"Codice", "Descrizione", "Status Payline"},
    "    MG25_CODBLOCCO,"
    "    MG25_DESCRBLOCCO,"
    "    CASE MG25_INDPAYLINE"
    "       WHEN 0 THEN 'Nessuno Status Payline'"
    "       WHEN 1 THEN 'Status Bloccato Payline'"
    "       WHEN 2 THEN 'Status Al Legale Payline'"
    "    END AS MG25_INDPAYLINE",
    "    MG25_LIVBLOCCO WITH (NOLOCK)",
    {{{"    MG25_DITTA_CG18 = ", way::company}}}};
value livelli_di_blocco(lookup& lk, std::span<value> a) { return describe(lk, a, kLivelliDiBlocco); }

constexpr table kRaggruppamentiCF1{
    "Elenco Raggruppamenti Clienti 1", "Lkp_RaggruppamentiCF1", "MG31_CODRAGGRCF1", {"Codice", "Descrizione"},
    "    MG31_CODRAGGRCF1," "    MG0S_DESCRIZIONE AS MG31_DESCRAGGRCF1", "    MG31_RAGGRCF1 WITH (NOLOCK)",
    {{{"    MG31_DITTA_CG18 = ", way::company}, {"    MG31_TIPOCF = ", way::number, 0}}},
    "1016", "MG31_IDPROV", sort_default::missing, " ORDER BY ", "Elenco Raggruppamenti Fornitori 1"};
value raggruppamenti_clienti_fornitori1(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppamentiCF1); }

constexpr table kRaggruppamentiCF2{
    "Elenco Raggruppamenti Clienti 2", "Lkp_RaggruppamentiCF2", "MG32_CODRAGGRCF2", {"Codice", "Descrizione"},
    "    MG32_CODRAGGRCF2," "    MG0S_DESCRIZIONE AS MG32_DESCRAGGRCF2", "    MG32_RAGGRCF2 WITH (NOLOCK)",
    {{{"    MG32_DITTA_CG18 = ", way::company}, {"    MG32_TIPOCF = ", way::number, 0}}},
    "1017", "MG32_IDPROV", sort_default::missing, " ORDER BY ", "Elenco Raggruppamenti Fornitori 2"};
value raggruppamenti_clienti_fornitori2(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppamentiCF2); }

constexpr table kRaggruppamentiCF3{
    "Elenco Raggruppamenti Clienti 3", "Lkp_RaggruppamentiCF3", "MG33_CODRAGGRCF3", {"Codice", "Descrizione"},
    "    MG33_CODRAGGRCF3," "    MG0S_DESCRIZIONE AS MG33_DESCRAGGRCF3", "    MG33_RAGGRCF3 WITH (NOLOCK)",
    {{{"    MG33_DITTA_CG18 = ", way::company}, {"    MG33_TIPOCF = ", way::number, 0}}},
    "1018", "MG33_IDPROV", sort_default::missing, " ORDER BY ", "Elenco Raggruppamenti Fornitori 3"};
value raggruppamenti_clienti_fornitori3(lookup& lk, std::span<value> a) { return describe(lk, a, kRaggruppamentiCF3); }

value agenti(lookup& lk, std::span<value> a) { return agent_list(lk, a, kAgenti); }
value agenti_by_id(lookup& lk, std::span<value> a) { return agent_list(lk, a, kAgentiByID); }

value clienti_fornitori(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Ragione sociale", "Indirizzo", "CAP", "Città", "Prov.", "Partita IVA", "Codice Fiscale",
                  "Ragione sociale estesa", "Alias", "Telefono 1", "Telefono 2", "Fax", "Cell.", "E-mail",
                  "Stato est.", "Descrizione Stato", "Agente", "Attivo", "Anag. valida", "Data validità",
                  "Anag. sost.", "Ragione sociale sostitutiva", "Data dismiss."});
  const value tipo_cf = DecimalOrZero(a[0]);
  const bool customers = is_customer(tipo_cf);
  lk.set_title(customers ? "Elenco Clienti" : "Elenco Fornitori");
  // Entity codes of the extension objects: customers 2 and 1, suppliers 3 and 2.
  const std::int16_t first_entity = customers ? 2 : 3;
  const std::int16_t second_entity = customers ? 1 : 2;
  const std::string sort = lk.sort_column(a[1], "CG16_RAGSOANAG");

  statement select_list;
  select_list << " SELECT" << "    CG44_CLIFOR," << "    CG16_RAGSOANAG," << "    CG16_INDIRIZZO," << "    CG16_CAP,"
              << "    CG16_CITTA," << "    CG16_PROV," << "    CG16_PARTIVA," << "    CG16_CODFISCALE,"
              << "    CG16_RAGSOANAGEX," << "    CG16_ALIAS," << "    CG16_TEL1NUM," << "    CG16_TEL2NUM,"
              << "    CG16_FAXNUM," << "    CG16_CELLNUM," << "    CG16_INDEMAIL," << "    CG16_CODICE_CG07,"
              << "    CG07_DESCR, MG17_AGENTE,"
              << "    CASE WHEN CG44_FLGATTIVO = 1 THEN 'Si' ELSE 'No' END AS CG44_FLGATTIVO, "
              << "    CASE WHEN CG16_FLGANAGVAL = 1 THEN 'Si' ELSE 'No' END AS CG16_FLGANAGVAL, CG16_DATAVALID, "
                 "CODICESOST, DESCRSOST, MG19_DATADISMIS ";
  statement from_clause;
  from_clause << "from CG44_VCO_AnagCliForWithSost " << "\r\n" << " LEFT OUTER JOIN MG19_CLIFORVA"
              << "    ON  MG19_DITTA_CG18 = CG44_DITTA_CG18" << "    AND MG19_TIPOCF_CG44 = CG44_TIPOCF"
              << "    AND MG19_CLIFOR_CG44 = CG44_CLIFOR " << " LEFT OUTER JOIN CG07_TABSTATIEST WITH (NOLOCK) "
              << "  ON CG16_CODICE_CG07 = CG07_CODICE" << " LEFT OUTER JOIN MG17_AGENTI WITH (NOLOCK) "
              << "  ON MG17_IDAGENTE = CG44_IDAGENTE_MG17 ";

  // Installed extensions may add columns: captions to ArrayFields, items to
  // the select list and joins to the FROM clause.
  std::string select_text = select_list.take();
  std::string from_text = from_clause.take();
  lk.first_extension(lk.array_fields, select_text, from_text, first_entity);
  lk.second_extension(lk.array_fields, select_text, from_text, second_entity);

  statement st;
  st << select_text << from_text << " WHERE";
  company_filter(st, "    CG44_DITTA_CG18 = ", lk.codice_ditta());
  st << " AND" << "    CG44_TIPOCF = ";
  st.number(tipo_cf);
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_ClientiFornitoriMagazzino");
  return {};
}

value destinatari(lookup& lk, std::span<value> a) {
  lk.set_columns({"Codice", "Ragione sociale", "Indirizzo", "CAP", "Città", "Prov.", "Macroarea",
                  "Descrizione macroarea", "Area", "Descrizione area", "Zona", "Descrizione zona"});
  lk.set_title("Elenco Destinatari");
  const std::string sort = lk.sort_column(a[2], "MG22_DESTRAGSOC");

  // The three OUTER APPLY lines are padded to one width.
  constexpr std::size_t kApplyWidth = 129;
  statement st;
  st << " SELECT" << "    MG22_CODDESTIN," << "    MG22_DESTRAGSOC," << "    MG22_DESTIND," << "    MG22_DESTCAPCHAR,"
     << "    MG22_DESTCITTA," << "    MG22_DESTPROV," << "    MG22_MACROAREA_MG07," << "    MG07_DESCRMACROAR,"
     << "    MG22_AREA_MG08," << "    MG08_DESCRAREA," << "    MG22_ZONA_MG09," << "    MG09_DESCRZONA    " << "\r"
     << " FROM MG22_CLIFORDEST WITH (NOLOCK) " << "\r";
  padded_line(st, " OUTER APPLY FNMG07_MACROAREE ( MG22_MACROAREA_MG07 , MG22_DITTA_CG18 , MG22_TIPOCF_CG44 )",
              kApplyWidth);
  padded_line(st,
              " OUTER APPLY FNMG08_AREE      ( MG22_MACROAREA_MG07 , MG22_AREA_MG08  , MG22_DITTA_CG18  , "
              "MG22_TIPOCF_CG44 )",
              kApplyWidth);
  padded(st,
         " OUTER APPLY FNMG09_ZONE      ( MG22_MACROAREA_MG07 , MG22_AREA_MG08  , MG22_ZONA_MG09   , "
         "MG22_DITTA_CG18  , MG22_TIPOCF_CG44 )",
         kApplyWidth);
  st << " WHERE";
  company_filter(st, "    MG22_DITTA_CG18 = ", lk.codice_ditta());
  st << " AND" << "    MG22_TIPOCF_CG44 = ";
  st.number(DecimalOrZero(a[0]));
  st << " AND" << "    MG22_CLIFOR_CG44 = ";
  st.number(DecimalOrZero(a[1]));
  agent_restriction(lk, st);
  st << " ORDER BY " << sort;
  lk.set_statement(st);
  lk.set_id("Lkp_Destinatari");
  return {};
}

}  // namespace veldrane::lookup_ops

// The operations of CLSMG_DECODE, one function per method of its member
// table, grouped by the source file that composes them.
#pragma once

#include <span>

#include "convert/value.h"

namespace veldrane {
class decode;
namespace decode_ops {

// reference_tables.cpp
value richiedenti(decode& dc, std::span<value> a);  // Richiedenti
value operatore(decode& dc, std::span<value> a);  // Operatore
value valore_categoria_commerciale(decode& dc, std::span<value> a);  // ValoreCategoriaCommerciale
value stato_articolo(decode& dc, std::span<value> a);  // StatoArticolo
value opzione_articolo(decode& dc, std::span<value> a);  // OpzioneArticolo
value tipo_documento(decode& dc, std::span<value> a);  // TipoDocumento
value parametri_sottoscorta_decode(decode& dc, std::span<value> a);  // ParametriSottoscortaDecode
value parametri_ritardi_decode(decode& dc, std::span<value> a);  // ParametriRitardiDecode
value sotto_tipo_documento(decode& dc, std::span<value> a);  // SottoTipoDocumento
value scaglione_di_arrotondamento(decode& dc, std::span<value> a);  // ScaglioneDiArrotondamento
value spesa(decode& dc, std::span<value> a);  // Spesa
value macro_area(decode& dc, std::span<value> a);  // MacroArea
value area(decode& dc, std::span<value> a);  // Area
value zona(decode& dc, std::span<value> a);  // Zona
value macro_categoria(decode& dc, std::span<value> a);  // MacroCategoria
value categoria(decode& dc, std::span<value> a);  // Categoria
value sotto_categoria(decode& dc, std::span<value> a);  // SottoCategoria
value causale_trasporto(decode& dc, std::span<value> a);  // CausaleTrasporto
value vettore(decode& dc, std::span<value> a);  // Vettore
value spedizioniere(decode& dc, std::span<value> a);  // Spedizioniere
value agente(decode& dc, std::span<value> a);  // Agente
value agente_by_id(decode& dc, std::span<value> a);  // AgenteByID

// parties.cpp
value cliente_fornitore_solo_ragione_sociale(decode& dc, std::span<value> a);  // ClienteFornitoreSoloRagioneSociale
value cliente_fornitore_solo_ragione_sociale_data_validita(decode& dc, std::span<value> a);  // ClienteFornitoreSoloRagioneSocialeDataValidita
value cliente_fornitore_dati_anagrafici(decode& dc, std::span<value> a);  // ClienteFornitoreDatiAnagrafici
value destinatario(decode& dc, std::span<value> a);  // Destinatario
value raggruppamento_documenti(decode& dc, std::span<value> a);  // RaggruppamentoDocumenti
value livello_di_blocco(decode& dc, std::span<value> a);  // LivelloDiBlocco
value raggruppamento_clienti_fornitori1(decode& dc, std::span<value> a);  // RaggruppamentoClientiFornitori1
value raggruppamento_clienti_fornitori2(decode& dc, std::span<value> a);  // RaggruppamentoClientiFornitori2
value raggruppamento_clienti_fornitori3(decode& dc, std::span<value> a);  // RaggruppamentoClientiFornitori3
value documento(decode& dc, std::span<value> a);  // Documento
value documento_ditta(decode& dc, std::span<value> a);  // DocumentoDitta
value raggruppamento_formule(decode& dc, std::span<value> a);  // RaggruppamentoFormule
value formula(decode& dc, std::span<value> a);  // Formula
value trasformazione_documento(decode& dc, std::span<value> a);  // TrasformazioneDocumento
value trasformazione_documento_ditta(decode& dc, std::span<value> a);  // TrasformazioneDocumentoDitta
value scheda_articoli(decode& dc, std::span<value> a);  // SchedaArticoli
value listino_anagrafica(decode& dc, std::span<value> a);  // ListinoAnagrafica
value causale_magazzino(decode& dc, std::span<value> a);  // CausaleMagazzino

// classification.cpp
value lingua(decode& dc, std::span<value> a);  // Lingua
value famiglia(decode& dc, std::span<value> a);  // Famiglia
value sotto_famiglia(decode& dc, std::span<value> a);  // SottoFamiglia
value gruppo(decode& dc, std::span<value> a);  // Gruppo
value sotto_gruppo(decode& dc, std::span<value> a);  // SottoGruppo
value applicazione(decode& dc, std::span<value> a);  // Applicazione
value deposito(decode& dc, std::span<value> a);  // Deposito
value deposito_trasferimento_mov(decode& dc, std::span<value> a);  // DepositoTrasferimentoMov
value deposito_trasferimento_coll(decode& dc, std::span<value> a);  // DepositoTrasferimentoColl
value raggruppamento_depositi(decode& dc, std::span<value> a);  // RaggruppamentoDepositi
value opzione(decode& dc, std::span<value> a);  // Opzione
value configuratore(decode& dc, std::span<value> a);  // Configuratore
value raggruppamento_variante(decode& dc, std::span<value> a);  // RaggruppamentoVariante
value subcodice_articolo(decode& dc, std::span<value> a);  // SubcodiceArticolo
value precodice(decode& dc, std::span<value> a);  // Precodice
value gruppo_fiscale(decode& dc, std::span<value> a);  // GruppoFiscale
value testo_fisso(decode& dc, std::span<value> a);  // TestoFisso
value classe_di_sconto(decode& dc, std::span<value> a);  // ClasseDiSconto
value codice_incoterms(decode& dc, std::span<value> a);  // CodiceIncoterms
value marca(decode& dc, std::span<value> a);  // Marca
value articolo_di_magazzino(decode& dc, std::span<value> a);  // ArticoloDiMagazzino
value articolo_di_magazzino_con_variante(decode& dc, std::span<value> a);  // ArticoloDiMagazzinoConVariante
value gruppo_statistico1(decode& dc, std::span<value> a);  // GruppoStatistico1
value gruppo_statistico2(decode& dc, std::span<value> a);  // GruppoStatistico2
value gruppo_statistico3(decode& dc, std::span<value> a);  // GruppoStatistico3
value gruppo_statistico4(decode& dc, std::span<value> a);  // GruppoStatistico4
value flag_esclusione_stampa(decode& dc, std::span<value> a);  // FlagEsclusioneStampa
value filtro_mov_per_indici_margini(decode& dc, std::span<value> a);  // FiltroMovPerIndiciMargini

// logistics.cpp
value porto(decode& dc, std::span<value> a);  // Porto
value tipo_spedizione(decode& dc, std::span<value> a);  // TipoSpedizione
value campagna(decode& dc, std::span<value> a);  // Campagna
value tipologia_agente(decode& dc, std::span<value> a);  // TipologiaAgente
value imballo(decode& dc, std::span<value> a);  // Imballo
value confezione(decode& dc, std::span<value> a);  // Confezione
value confezione_articolo(decode& dc, std::span<value> a);  // ConfezioneArticolo
value ubicazione(decode& dc, std::span<value> a);  // Ubicazione
value ubicazione_deposito(decode& dc, std::span<value> a);  // UbicazioneDeposito
value aspetto_dei_beni(decode& dc, std::span<value> a);  // AspettoDeiBeni
value listino99_prezzi(decode& dc, std::span<value> a);  // Listino99Prezzi
value listino_piu_articoli(decode& dc, std::span<value> a);  // ListinoPiuArticoli
value testi_vari(decode& dc, std::span<value> a);  // TestiVari
value base(decode& dc, std::span<value> a);  // Base
value rischio(decode& dc, std::span<value> a);  // Rischio
value progetto(decode& dc, std::span<value> a);  // Progetto
value sottoprogetto(decode& dc, std::span<value> a);  // Sottoprogetto
value sottprogetto(decode& dc, std::span<value> a);  // Sottprogetto
value commessa(decode& dc, std::span<value> a);  // Commessa
value sotto_commessa(decode& dc, std::span<value> a);  // SottoCommessa
value indice_margine(decode& dc, std::span<value> a);  // IndiceMargine
value giro(decode& dc, std::span<value> a);  // Giro
value raggruppo_contabile_articolo(decode& dc, std::span<value> a);  // RaggruppoContabileArticolo
value raggruppo_contabile_cliente_fornitore(decode& dc, std::span<value> a);  // RaggruppoContabileClienteFornitore
value raggruppo_contabile_fase(decode& dc, std::span<value> a);  // RaggruppoContabileFase
value configurazione_scheda_trasporto(decode& dc, std::span<value> a);  // ConfigurazioneSchedaTrasporto
value classificazione_articoli_fittizi(decode& dc, std::span<value> a);  // ClassificazioneArticoliFittizi
value opzione_ext(decode& dc, std::span<value> a);  // OpzioneExt
value ufficio_pa(decode& dc, std::span<value> a);  // UfficioPA
value ufficio_pa_cli_for(decode& dc, std::span<value> a);  // UfficioPACliFor
value ufficio_pa_cli_for_dest(decode& dc, std::span<value> a);  // UfficioPACliForDest
value rifer_amm_pa(decode& dc, std::span<value> a);  // RiferAmmPA
value riferimenti_amministrazione_pa(decode& dc, std::span<value> a);  // RiferimentiAmministrazionePA
value tax_group(decode& dc, std::span<value> a);  // TaxGroup
value filere_by_id_for(decode& dc, std::span<value> a);  // FilereByIdFor
value filere(decode& dc, std::span<value> a);  // Filere
value filere_by_id_for_ext(decode& dc, std::span<value> a);  // FilereByIdForExt

}  // namespace decode_ops
}  // namespace veldrane

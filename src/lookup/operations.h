// The operations of CLSMG_LOOKUP, one function per method of its member
// table, grouped by the source file that composes them.
#pragma once

#include <span>

#include "convert/value.h"

namespace veldrane {
class lookup;
namespace lookup_ops {

// reference_tables.cpp
value richiedenti(lookup& lk, std::span<value> a);  // Richiedenti
value scaglioni_di_arrotondamento(lookup& lk, std::span<value> a);  // ScaglioniDiArrotondamento
value spese(lookup& lk, std::span<value> a);  // Spese
value macro_aree(lookup& lk, std::span<value> a);  // MacroAree
value aree(lookup& lk, std::span<value> a);  // Aree
value zone(lookup& lk, std::span<value> a);  // Zone
value macro_categorie(lookup& lk, std::span<value> a);  // MacroCategorie
value categorie(lookup& lk, std::span<value> a);  // Categorie
value sotto_categorie(lookup& lk, std::span<value> a);  // SottoCategorie
value causali_trasporto(lookup& lk, std::span<value> a);  // CausaliTrasporto
value vettori(lookup& lk, std::span<value> a);  // Vettori
value spedizionieri(lookup& lk, std::span<value> a);  // Spedizionieri
value operatori(lookup& lk, std::span<value> a);  // Operatori
value stato_articolo(lookup& lk, std::span<value> a);  // StatoArticolo
value opzione_articolo(lookup& lk, std::span<value> a);  // OpzioneArticolo
value tipo_documento(lookup& lk, std::span<value> a);  // TipoDocumento
value sotto_tipo_documento(lookup& lk, std::span<value> a);  // SottoTipoDocumento

// parties.cpp
value agenti(lookup& lk, std::span<value> a);  // Agenti
value clienti_fornitori(lookup& lk, std::span<value> a);  // ClientiFornitori
value destinatari(lookup& lk, std::span<value> a);  // Destinatari
value raggruppamenti_documenti(lookup& lk, std::span<value> a);  // RaggruppamentiDocumenti
value livelli_di_blocco(lookup& lk, std::span<value> a);  // LivelliDiBlocco
value raggruppamenti_clienti_fornitori1(lookup& lk, std::span<value> a);  // RaggruppamentiClientiFornitori1
value raggruppamenti_clienti_fornitori2(lookup& lk, std::span<value> a);  // RaggruppamentiClientiFornitori2
value raggruppamenti_clienti_fornitori3(lookup& lk, std::span<value> a);  // RaggruppamentiClientiFornitori3
value agenti_by_id(lookup& lk, std::span<value> a);  // AgentiByID

// documents.cpp
value documenti(lookup& lk, std::span<value> a);  // Documenti
value raggruppamenti_formule(lookup& lk, std::span<value> a);  // RaggruppamentiFormule
value formule(lookup& lk, std::span<value> a);  // Formule
value schede_articoli(lookup& lk, std::span<value> a);  // SchedeArticoli
value listini_anagrafica(lookup& lk, std::span<value> a);  // ListiniAnagrafica
value causali_magazzino(lookup& lk, std::span<value> a);  // CausaliMagazzino
value trasformazione_documenti(lookup& lk, std::span<value> a);  // TrasformazioneDocumenti
value documenti_ditta(lookup& lk, std::span<value> a);  // DocumentiDitta
value trasformazione_documenti_ditta(lookup& lk, std::span<value> a);  // TrasformazioneDocumentiDitta

// classification.cpp
value lingue(lookup& lk, std::span<value> a);  // Lingue
value famiglie(lookup& lk, std::span<value> a);  // Famiglie
value sotto_famiglie(lookup& lk, std::span<value> a);  // SottoFamiglie
value gruppi(lookup& lk, std::span<value> a);  // Gruppi
value sotto_gruppi(lookup& lk, std::span<value> a);  // SottoGruppi
value applicazioni(lookup& lk, std::span<value> a);  // Applicazioni
value depositi(lookup& lk, std::span<value> a);  // Depositi
value raggruppamenti_depositi(lookup& lk, std::span<value> a);  // RaggruppamentiDepositi
value depositi_trasferimento_mov(lookup& lk, std::span<value> a);  // DepositiTrasferimentoMov
value depositi_trasferimento_coll(lookup& lk, std::span<value> a);  // DepositiTrasferimentoColl

// variants.cpp
value precodici(lookup& lk, std::span<value> a);  // Precodici
value gruppi_fiscali(lookup& lk, std::span<value> a);  // GruppiFiscali
value testi_fissi(lookup& lk, std::span<value> a);  // TestiFissi
value classi_di_sconto(lookup& lk, std::span<value> a);  // ClassiDiSconto
value marche(lookup& lk, std::span<value> a);  // Marche
value opzioni(lookup& lk, std::span<value> a);  // Opzioni
value configuratore(lookup& lk, std::span<value> a);  // Configuratore
value raggruppamento_varianti(lookup& lk, std::span<value> a);  // RaggruppamentoVarianti
value subcodici_articoli(lookup& lk, std::span<value> a);  // SubcodiciArticoli
value rischio(lookup& lk, std::span<value> a);  // Rischio
value condizioni_di_pagamento_esclusione_rischio(lookup& lk, std::span<value> a);  // CondizioniDiPagamentoEsclusioneRischio
value codici_incoterms(lookup& lk, std::span<value> a);  // CodiciIncoterms

// articles.cpp
value articoli_di_magazzino(lookup& lk, std::span<value> a);  // ArticoliDiMagazzino
value articoli_clienti_fornitori(lookup& lk, std::span<value> a);  // ArticoliClientiFornitori

// logistics.cpp
value gruppi_statistici1(lookup& lk, std::span<value> a);  // GruppiStatistici1
value gruppi_statistici2(lookup& lk, std::span<value> a);  // GruppiStatistici2
value gruppi_statistici3(lookup& lk, std::span<value> a);  // GruppiStatistici3
value gruppi_statistici4(lookup& lk, std::span<value> a);  // GruppiStatistici4
value flags_esclusione_stampa(lookup& lk, std::span<value> a);  // FlagsEsclusioneStampa
value porto(lookup& lk, std::span<value> a);  // Porto
value tipi_spedizione(lookup& lk, std::span<value> a);  // TipiSpedizione
value campagne(lookup& lk, std::span<value> a);  // Campagne
value imballi(lookup& lk, std::span<value> a);  // Imballi
value confezioni(lookup& lk, std::span<value> a);  // Confezioni
value ubicazioni(lookup& lk, std::span<value> a);  // Ubicazioni
value aspetto_dei_beni(lookup& lk, std::span<value> a);  // AspettoDeiBeni
value listini99_prezzi(lookup& lk, std::span<value> a);  // Listini99Prezzi
value listini_piu_articoli(lookup& lk, std::span<value> a);  // ListiniPiuArticoli
value testi_vari(lookup& lk, std::span<value> a);  // TestiVari
value basi(lookup& lk, std::span<value> a);  // Basi
value confezioni_articolo(lookup& lk, std::span<value> a);  // ConfezioniArticolo
value filtri_mov_per_indici_margini(lookup& lk, std::span<value> a);  // FiltriMovPerIndiciMargini
value tipologia_agente(lookup& lk, std::span<value> a);  // TipologiaAgente
value ubicazioni_depositi(lookup& lk, std::span<value> a);  // UbicazioniDepositi

// projects.cpp
value anagrafica_progetti(lookup& lk, std::span<value> a);  // AnagraficaProgetti
value anagrafica_sottoprogetti(lookup& lk, std::span<value> a);  // AnagraficaSottoprogetti
value commesse(lookup& lk, std::span<value> a);  // Commesse
value sotto_commesse(lookup& lk, std::span<value> a);  // SottoCommesse
value indici_margini(lookup& lk, std::span<value> a);  // IndiciMargini
value giri(lookup& lk, std::span<value> a);  // Giri
value raggruppo_contabile_articolo(lookup& lk, std::span<value> a);  // RaggruppoContabileArticolo
value raggruppo_contabile_cliente_fornitore(lookup& lk, std::span<value> a);  // RaggruppoContabileClienteFornitore
value raggruppo_contabile_fase(lookup& lk, std::span<value> a);  // RaggruppoContabileFase
value configurazioni_schede_trasporto(lookup& lk, std::span<value> a);  // ConfigurazioniSchedeTrasporto
value destinatari_clienti_fornitori(lookup& lk, std::span<value> a);  // DestinatariClientiFornitori

// public_admin.cpp
value classificazione_articoli_fittizi(lookup& lk, std::span<value> a);  // ClassificazioneArticoliFittizi
value opzioni_ext(lookup& lk, std::span<value> a);  // OpzioniExt
value uffici_pa(lookup& lk, std::span<value> a);  // UfficiPA
value rifer_amm_pa(lookup& lk, std::span<value> a);  // RiferAmmPA
value riferimenti_amministrazione_pa(lookup& lk, std::span<value> a);  // RiferimentiAmministrazionePA
value parametri_sottoscorta(lookup& lk, std::span<value> a);  // ParametriSottoscorta
value parametri_ritardi(lookup& lk, std::span<value> a);  // ParametriRitardi
value tax_group(lookup& lk, std::span<value> a);  // TaxGroup
value uffici_pa_cli_for(lookup& lk, std::span<value> a);  // UfficiPACliFor
value riferimenti_amministrazione_pa_cli_for(lookup& lk, std::span<value> a);  // RiferimentiAmministrazionePACliFor
value filiere_by_id_for(lookup& lk, std::span<value> a);  // FiliereByIdFor
value filiere_by_id_for_ext(lookup& lk, std::span<value> a);  // FiliereByIdForExt
value filiere(lookup& lk, std::span<value> a);  // Filiere
value uffici_pa_cli_for_dest(lookup& lk, std::span<value> a);  // UfficiPACliForDest

}  // namespace lookup_ops
}  // namespace veldrane

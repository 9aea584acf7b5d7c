// Writes the demonstration corpus: the seven archive data files, with the real
// topic titles and topic counts but sample massime of our own, each marked as
// demonstration text and closed by a plausible (invented) citation.
// Usage: gencorpus OUTDIR      (the shipped copies are corpus/data/<archive>.txt)
//
// The output depends on nothing but this file: a fixed seed, our own generator
// and our own range arithmetic, so every run on every machine writes the same
// bytes. A publisher replaces the files with the real corpus and rebuilds.

// The marker alone, from its header: the tool is built without the corpus library.
#include "corpus/archives.h"

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Random numbers: splitmix64 with plain modulo ranges. Never std::
// distributions, whose output differs between library versions.

class Rng {
public:
    explicit Rng(quint64 seed) : state_(seed) {}

    quint64 next()
    {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }           // 0..n-1
    int between(int lo, int hi) { return lo + below(hi - lo + 1); } // lo..hi
    bool chance(int percent) { return below(100) < percent; }

    template <typename T>
    const T& pick(std::span<const T> items) { return items[size_t(below(int(items.size())))]; }
    template <typename T>
    void shuffle(std::vector<T>& items)
    {
        for (int i = int(items.size()) - 1; i > 0; --i)
            std::swap(items[size_t(i)], items[size_t(below(i + 1))]);
    }

private:
    quint64 state_;
};

constexpr quint64 Seed = 0x4C65786F72696131ull;

using Phrases = std::span<const char* const>;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }
QString pickText(Rng& rng, Phrases phrases) { return text(rng.pick(phrases)); }

QString capitalized(QString s)
{
    if (!s.isEmpty())
        s[0] = s[0].toUpper(); // "è" becomes "È"
    return s;
}

// ---------------------------------------------------------------------------
// The archives: topic titles and counts, and the word material of each.

struct Topic {
    const char* title;
    int count;
};

const Topic kEdiliziaTopics[] = {
    {"Abitazione, uso", 8},
    {"Abuso edilizio, reati, assenso, sanatoria", 17},
    {"Agevolazioni tributarie, mutuo", 2},
    {"Autorizzazione edilizia, manutenzione", 14},
    {"Barriere architettoniche", 2},
    {"Concessione edilizia", 62},
    {"Compravendita", 7},
    {"Comunioni, divisioni, successioni", 4},
    {"Confini, appoggio, sconfinamento", 48},
    {"Costruzione", 17},
    {"Destinazione d'uso", 13},
    {"Difformità, varianti, deroghe", 10},
    {"Diritti", 20},
    {"Distanze", 62},
    {"Fognature, stillicidio", 3},
    {"Impugnative, ricorsi, controversie", 16},
    {"Interno", 2},
    {"Locazione di immobili", 6},
    {"Luci, vedute", 63},
    {"Muro di cinta, recinzioni, muro comune", 13},
    {"Ordinanze, demolizioni, sindaco", 34},
    {"Pertinenze, parcheggi", 4},
    {"Piscina, impianti sportivi", 3},
    {"Proprietà", 75},
    {"Ricostruzioni, consolidamenti, ristrutturazioni", 11},
    {"Servitù", 135},
    {"Sopraelevazioni, ampliamenti, trasformazioni", 16},
    {"Sporti, balconi", 17},
    {"Usucapione", 148},
    {"Valore degli immobili", 5},
    {"Vincolo paesaggistico, tutela ambientale", 6},
    {"Voltura", 7},
    {"Volumi tecnici", 7},
};
const Topic kUrbanisticaTopics[] = {
    {"Acque", 49},
    {"Ambiente", 1},
    {"Azioni giudiziarie", 1},
    {"...", 0},
    {"...", 0},
    {"Catasto", 2},
    {"...", 0},
    {"Demanio", 5},
    {"Diritti, obbligazioni", 3},
    {"Discarica", 4},
    {"Distanze", 1},
    {"Edilizia residenziale", 0},
    {"Elettricità", 4},
    {"...", 0},
    {"...", 0},
    {"...", 0},
    {"...", 0},
    {"Fiumi, laghi", 4},
    {"Fognature", 1},
    {"...", 0},
    {"Fondi rustici", 19},
    {"Impianti, sport", 3},
    {"Indice di fabbricabilità", 1},
    {"Inquinamento", 1},
    {"Lottizzazioni", 13},
    {"Occupazione d'urgenza", 2},
    {"Oneri di urbanizzazione", 1},
    {"Opere di urbanizzazione", 2},
    {"Ordinanze sindacali", 1},
    {"Piani urbanistici", 3},
    {"Risarcimento del danno", 4},
    {"Sciopero", 3},
    {"Trasporti", 3},
    {"Turismo", 1},
    {"Verde pubblico", 1},
    {"Vincoli urbanistici", 5},
};
const Topic kEspropriazioniTopics[] = {
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {".....", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"Edilizia economica e popolare", 2},
    {"..", 0},
    {"Espropriazioni presso terzi", 1},
    {"..", 0},
    {"Indennità", 6},
    {"..", 0},
    {"..", 0},
    {"Occupazione d'urgenza", 1},
    {"..", 0},
    {"Risarcimento del danno", 6},
    {"..", 0},
    {"..", 0},
    {"..", 0},
    {"....", 0},
    {"..", 0},
    {"..", 0},
    {"..", 0},
};
const Topic kProfessionistiTopics[] = {
    {"...", 0},
    {"Albo professionale", 1},
    {"..", 0},
    {"..", 0},
    {"...", 0},
    {"..", 0},
    {"Arricchimento senza causa", 7},
    {"Avvocati", 2},
    {"Azioni giudiziarie", 9},
    {"Brevetti", 1},
    {"Cliente", 1},
    {"Collaudo", 1},
    {"Competenze professionali", 3},
    {"Consulente tecnico", 9},
    {"Contratto, leasing", 1},
    {"Crediti", 4},
    {"Firma", 1},
    {"Geometri", 3},
    {"Incarico", 9},
    {"Nomina", 1},
    {"Notai", 5},
    {"Notifica", 1},
    {"Pignoramento", 2},
    {"Praticantato", 1},
    {"Prescrizione", 1},
    {"Progetto", 1},
    {"Redditi, IVA", 4},
    {"Responsabilità", 3},
    {"Riscatto corso di laurea", 1},
    {"S.A.L.", 1},
    {"Società di ingegneria", 1},
    {"...", 0},
    {"Tariffe, onorari, compensi", 44},
    {"Transazione", 1},
    {"..", 0},
    {"Varie", 0},
};
const Topic kCondominioTopics[] = {
    {"Abbaini, mansarde, tetto", 11},
    {"Abitabilità", 2},
    {"Abuso", 5},
    {"Acqua potabile", 6},
    {"Amministratore", 24},
    {"Animali", 11},
    {"Antenna", 18},
    {"Appalto", 10},
    {"Ascensore", 18},
    {"Assemblea", 62},
    {"Assicurazione", 10},
    {"Automezzi", 31},
    {"Azioni giudiziarie", 27},
    {"Balconi", 8},
    {"Barriere architettoniche", 11},
    {"Canne fumarie", 2},
    {"Compravendita, proprietà, locazioni", 18},
    {"Danni, difetti e riparazioni", 10},
    {"Distanze", 4},
    {"Facciate dell'edificio", 24},
    {"Fognature e pluviali", 9},
    {"Giardini, cortili, viali, passi carrabili", 16},
    {"Impermeabilizzazioni", 4},
    {"Innovazioni, sopraelevazioni", 4},
    {"Lastrico solare, terrazza", 17},
    {"Portierato", 13},
    {"Responsabilità civile, immissioni moleste", 17},
    {"Ripartizione delle spese", 21},
    {"Riscaldamento centrale", 34},
    {"Scale", 13},
    {"Soffitti, volte e solai", 11},
    {"Spese amministrative, spese urgenti", 7},
    {"Suolo, recinzioni, muri, intercapedini", 10},
    {"Tabelle millesimali, revisione, regolamento", 24},
    {"Usufrutto, usucapione", 17},
    {"Varie (comunione, conto corrente)", 3},
};
const Topic kEntiTopics[] = {
    {"...", 0},
    {"...", 0},
    {"Abusi, omissioni, reati", 9},
    {"Accesso ai documenti", 11},
    {"...", 0},
    {"...", 0},
    {"...", 0},
    {"Appalti, gare, contratti", 16},
    {"Atto notorio", 2},
    {"...", 0},
    {"...", 0},
    {"...", 0},
    {"Azioni giudiziarie", 13},
    {"...", 0},
    {"Collaudo", 2},
    {"Concorso", 1},
    {"Corte dei Conti", 4},
    {"Dipendenti", 18},
    {"Dirigenti, quadri", 6},
    {"Diritti, poteri", 3},
    {"...", 0},
    {"Incaricati di pubblico servizio, pubblici ufficiali", 6},
    {"Indennità", 1},
    {"Invalidi civili", 1},
    {"Opere pubbliche, militari", 7},
    {"Pagamenti", 1},
    {"Procedimento", 8},
    {"Promozioni", 1},
    {"Pubblica utilità", 2},
    {"Risarcimento del danno", 7},
    {"Sindaco", 2},
    {"Somme immobilizzate", 1},
    {"Stato di dissesto", 1},
    {"...", 0},
    {"Trasformazioni in spa", 1},
    {"Turbativa", 1},
};
const Topic kImpreseTopics[] = {
    {"Accertamenti, legittimità, reati", 4},
    {"Appalto, bando, gara", 25},
    {"Arbitrato", 4},
    {"Assistenza e previdenza", 29},
    {"Associazione di imprese", 2},
    {"Assunzione", 5},
    {"...", 0},
    {"...", 0},
    {"...", 0},
    {"Bilancio, comunicazioni sociali", 5},
    {"...", 0},
    {"Cassa integrazione, mobilità, licenziamento", 29},
    {"Cauzione, fideiussione", 2},
    {"Collaudo", 0},
    {"Contratto", 9},
    {"Cooperative", 4},
    {"Crediti, anticipazioni, indennizzi", 10},
    {"Fallimento, insolvenza", 14},
    {"Ferie, indennità, malattia, aspettativa", 7},
    {"Imposte, tasse", 4},
    {"Impresa artigiana, agenzia", 2},
    {"Infortuni", 10},
    {"Institori, procuratori, liti", 11},
    {"Invalidi, inabili", 6},
    {"Invenzioni", 1},
    {"Mansioni, dirigenti, qualifica", 14},
    {"Penale", 2},
    {"Recesso, dimissioni, sospensioni", 6},
    {"Risarcimento danni, vizi e difetti", 25},
    {"Riserve, revisione prezzi", 11},
    {"Salute e sicurezza dei lavoratori", 7},
    {"Sindacati, sciopero", 6},
    {"Sponsor", 2},
    {"Stato di avanzamento dei lavori", 1},
    {"Trasferimento", 5},
    {"Varie", 2},
};

// Principles of each archive's own field, as clauses ("..." in "Ne consegue che ...").
const char* const kEdiliziaClauses[] = {
    "le costruzioni su fondi finitimi devono essere tenute a distanza non minore di tre metri, salvo che i regolamenti locali stabiliscano una distanza maggiore",
    "la servitù di passaggio può essere acquistata per usucapione soltanto se esistono opere visibili e permanenti destinate al suo esercizio",
    "il possesso utile all’usucapione deve essere continuo, non interrotto, pacifico e pubblico, e protrarsi per vent’anni",
    "le vedute dirette verso il fondo del vicino non possono aprirsi a distanza minore di un metro e mezzo",
    "la concessione edilizia non può essere negata quando il progetto è conforme agli strumenti urbanistici vigenti",
    "l’ordinanza di demolizione delle opere abusive è un atto dovuto e non richiede una specifica motivazione sull’interesse pubblico",
    "il cartello con la scritta «TRANSITO VIETATO PERCHÉ AREA PRIVATA» non basta, da solo, a escludere il possesso esercitato da altri",
};
const char* const kUrbanisticaClauses[] = {
    "i vincoli di inedificabilità imposti dal piano regolatore perdono efficacia se entro il termine di legge non sono approvati i piani attuativi",
    "la convenzione di lottizzazione obbliga il lottizzante a realizzare le opere di urbanizzazione primaria o a corrisponderne il costo",
    "le acque pubbliche appartengono al demanio e non sono suscettibili di possesso utile all’usucapione",
    "la destinazione a verde pubblico di un’area comporta un vincolo di natura conformativa, che non dà diritto a indennizzo",
    "il contributo per gli oneri di urbanizzazione è dovuto in relazione al maggior carico urbanistico prodotto dall’intervento",
};
const char* const kEspropriazioniClauses[] = {
    "l’indennità di espropriazione deve costituire un serio ristoro per il proprietario e non può essere meramente simbolica",
    "l’occupazione d’urgenza protratta oltre il termine di legge senza il decreto di esproprio costituisce un illecito dell’amministrazione",
    "il risarcimento del danno da occupazione illegittima è commisurato al valore venale del bene al momento della sua irreversibile trasformazione",
    "la dichiarazione di pubblica utilità perde efficacia se i lavori non sono iniziati entro il termine in essa fissato",
};
const char* const kProfessionistiClauses[] = {
    "il compenso del professionista è determinato, in mancanza di accordo, secondo le tariffe professionali",
    "il professionista risponde soltanto per dolo o colpa grave quando la prestazione implica la soluzione di problemi tecnici di speciale difficoltà",
    "il contratto d’opera concluso con chi non è iscritto all’albo è nullo e non dà diritto ad alcun compenso",
    "la progettazione di costruzioni in cemento armato esula dalla competenza dei geometri, salvo che si tratti di modeste costruzioni civili",
    "l’azione di arricchimento senza causa ha carattere sussidiario e non è proponibile quando il danneggiato può esercitare un’altra azione",
};
const char* const kCondominioClauses[] = {
    "le parti comuni dell’edificio appartengono ai condomini, salvo che il contrario risulti dal titolo",
    "ciascun condomino può servirsi della cosa comune, purché non ne alteri la destinazione e non impedisca agli altri di farne parimenti uso",
    "la delibera assembleare adottata senza la regolare convocazione di tutti i condomini è annullabile su impugnazione del condomino assente",
    "le spese per la conservazione delle parti comuni sono ripartite in misura proporzionale al valore della proprietà di ciascun condomino",
    "l’amministratore rappresenta i condomini nei limiti delle attribuzioni conferitegli dalla legge, dal regolamento o dall’assemblea",
    "le innovazioni approvate con la maggioranza prescritta vincolano anche i condomini dissenzienti",
};
const char* const kEntiClauses[] = {
    "il diritto di accesso ai documenti amministrativi spetta a chi ha un interesse diretto, concreto e attuale, corrispondente a una situazione giuridicamente tutelata",
    "il pubblico dipendente che cagiona un danno all’ente con dolo o colpa grave ne risponde davanti alla Corte dei Conti",
    "la delibera del consiglio comunale deve indicare le ragioni di pubblico interesse che ne giustificano l’adozione",
    "il bando di gara vincola l’amministrazione, che non può disapplicarne le clausole nel corso del procedimento",
    "il rapporto di pubblico impiego è regolato dagli atti di nomina e non da accordi individuali in deroga",
};
const char* const kImpreseClauses[] = {
    "l’appaltatore risponde dei vizi e delle difformità dell’opera, salvo che il committente li abbia accettati conoscendoli",
    "il datore di lavoro è tenuto ad adottare le misure necessarie a tutelare l’integrità fisica e la personalità morale dei lavoratori",
    "il licenziamento intimato senza giusta causa o giustificato motivo è illegittimo e obbliga il datore di lavoro a risarcire il danno",
    "il lavoratore deve essere adibito alle mansioni per le quali è stato assunto o a mansioni equivalenti",
    "le riserve dell’appaltatore devono essere iscritte nel registro di contabilità a pena di decadenza",
    "la revisione dei prezzi è ammessa soltanto nei casi e nei limiti stabiliti dal contratto o dalla legge",
};

// Provisions, as "Resta ferma l’applicazione ...".
const char* const kEdiliziaNorms[] = {
    "dell’art. 873 c.c.", "dell’art. 905, 1° comma, c.c.", "dell’art. 1061 c.c.", "dell’art. 1158 c.c.",
    "della legge 28 febbraio 1985, n. 47",
};
const char* const kUrbanisticaNorms[] = {
    "dell’art. 7 della legge 17 agosto 1942, n. 1150", "dell’art. 822 c.c.", "della legge 28 gennaio 1977, n. 10",
    "dell’art. 28, 5° comma, della legge 17 agosto 1942, n. 1150",
};
const char* const kEspropriazioniNorms[] = {
    "della legge 25 giugno 1865, n. 2359", "dell’art. 16 della legge 22 ottobre 1971, n. 865",
    "dell’art. 42, 3° comma, della Costituzione",
};
const char* const kProfessionistiNorms[] = {
    "dell’art. 2229 c.c.", "dell’art. 2233, 1° comma, c.c.", "dell’art. 2236 c.c.", "dell’art. 2041 c.c.",
};
const char* const kCondominioNorms[] = {
    "dell’art. 1117 c.c.", "dell’art. 1102 c.c.", "dell’art. 1123, 1° comma, c.c.", "dell’art. 1136, 5° comma, c.c.",
    "dell’art. 1130 c.c.",
};
const char* const kEntiNorms[] = {
    "dell’art. 97 della Costituzione", "della legge 7 agosto 1990, n. 241",
    "dell’art. 22, 1° comma, della legge 7 agosto 1990, n. 241",
};
const char* const kImpreseNorms[] = {
    "dell’art. 1667 c.c.", "dell’art. 2087 c.c.", "dell’art. 2103, 1° comma, c.c.",
    "dell’art. 18 della legge 20 maggio 1970, n. 300",
};

struct Archive {
    const char* name;
    std::span<const Topic> topics;
    Phrases clauses;
    Phrases norms;
    int variants; // massime whose closing citation takes a variant form
};

// In window order, the order of the chooser.
const Archive kArchives[] = {
    {"edilizia", kEdiliziaTopics, kEdiliziaClauses, kEdiliziaNorms, 4},
    {"urbanistica", kUrbanisticaTopics, kUrbanisticaClauses, kUrbanisticaNorms, 2},
    {"espropriazioni", kEspropriazioniTopics, kEspropriazioniClauses, kEspropriazioniNorms, 1},
    {"professionisti", kProfessionistiTopics, kProfessionistiClauses, kProfessionistiNorms, 1},
    {"condominio", kCondominioTopics, kCondominioClauses, kCondominioNorms, 3},
    {"enti", kEntiTopics, kEntiClauses, kEntiNorms, 2},
    {"imprese", kImpreseTopics, kImpreseClauses, kImpreseNorms, 2},
};

// ---------------------------------------------------------------------------
// Word material shared by all archives.

const char* const kClauses[] = {
    "l’onere di provare i fatti costitutivi del diritto grava su chi lo fa valere in giudizio",
    "la valutazione delle prove è riservata al giudice di merito e non è sindacabile in sede di legittimità se sorretta da una motivazione congrua e priva di vizi logici",
    "il giudice deve accertare in concreto la situazione dei luoghi, senza limitarsi alle risultanze catastali",
    "le risultanze catastali hanno valore meramente sussidiario e cedono di fronte a prove di diversa natura",
    "la domanda proposta per la prima volta in appello è inammissibile, trattandosi di domanda nuova",
    "il termine di prescrizione decorre dal giorno in cui il diritto può essere fatto valere",
    "la clausola che deroga alla disciplina legale deve risultare da un atto scritto e non può desumersi da comportamenti concludenti",
    "la mera tolleranza del titolare non è idonea a far sorgere un diritto in capo a chi ne trae vantaggio",
    "il provvedimento adottato senza la comunicazione di avvio del procedimento è illegittimo quando l’interessato avrebbe potuto apportare elementi utili alla decisione",
    "la pubblica amministrazione è tenuta a concludere il procedimento con un provvedimento espresso e motivato",
    "il danno deve essere provato nella sua esistenza e nel suo ammontare, salvo il ricorso alla liquidazione equitativa quando la prova è impossibile o particolarmente difficile",
    "la consulenza tecnica d’ufficio non è un mezzo di prova in senso proprio, ma uno strumento di valutazione dei fatti già acquisiti al processo",
    "il giudice non è vincolato alla qualificazione giuridica data dalle parti e può attribuire al rapporto il nome che gli è proprio",
    "la nullità del contratto può essere rilevata d’ufficio in ogni stato e grado del giudizio",
    "l’interpretazione del contratto spetta al giudice di merito, il cui accertamento è censurabile soltanto per violazione dei criteri legali di ermeneutica",
    "il principio di buona fede impone a ciascuna parte di preservare gli interessi dell’altra, nei limiti di un apprezzabile sacrificio",
    "la responsabilità del custode è esclusa soltanto dal caso fortuito, che può consistere anche nel fatto del terzo o dello stesso danneggiato",
    "la legittimazione ad agire spetta a chi afferma di essere titolare del diritto dedotto in giudizio",
    "la sentenza che non esamina un motivo di impugnazione è nulla per omessa pronuncia",
    "l’atto notificato a persona diversa dal destinatario è nullo, ma la nullità è sanata dalla costituzione in giudizio del convenuto",
    "il silenzio dell’amministrazione non equivale a un provvedimento di accoglimento, salvo che la legge disponga diversamente",
    "la rinuncia a un diritto non si presume e deve risultare da una manifestazione di volontà chiara e inequivoca",
    "la buona fede si presume e spetta a chi la contesta dimostrarne la mancanza",
    "le spese del giudizio seguono la soccombenza, ma il giudice può compensarle quando ricorrono giusti motivi",
    "l’espressione ‘a regola d’arte’ richiama le norme tecniche e gli usi del settore al tempo dell’esecuzione dell’opera",
    "il ricorso deve indicare con precisione le norme che si assumono violate e le ragioni della censura",
    "è irrilevante che il fatto sia stato tollerato per lungo tempo, se manca un titolo idoneo",
    "è inammissibile il motivo che si risolve in una richiesta di nuovo esame del merito",
    "l’amministrazione gode di ampia discrezionalità nella scelta delle soluzioni tecniche, sindacabile soltanto per manifesta illogicità o travisamento dei fatti",
    "il giudicato copre il dedotto e il deducibile, e preclude ogni nuova questione sul medesimo rapporto",
};

// The first sentence names the topic; %1 is the title, %2 a clause.
const char* const kOpenings[] = {
    "In materia di «%1», %2.",
    "In tema di «%1», %2.",
    "Con riguardo a «%1», va ribadito che %2.",
    "Quanto a «%1», %2.",
    "Nella materia «%1», la giurisprudenza afferma che %2.",
    "Ai fini della disciplina relativa a «%1», %2.",
};

// Every further sentence: %1 is a clause.
const char* const kLinks[] = {
    "%1.",
    "Ne consegue che %1.",
    "Ne deriva che %1.",
    "Va inoltre osservato che %1.",
    "È stato altresì precisato che %1.",
    "Occorre inoltre considerare che %1.",
    "Ciò posto, %1.",
    "In tale prospettiva, %1.",
    "Sotto altro profilo, %1.",
    "Per costante orientamento, %1.",
    "Come più volte affermato in giurisprudenza, %1.",
    "Si deve inoltre ricordare che %1.",
};

// %1 is a provision.
const char* const kNormSentences[] = {
    "Resta ferma l’applicazione %1.",
    "Tale conclusione è coerente con la disciplina %1.",
    "Non osta a tale conclusione il disposto %1.",
    "Il principio trova fondamento nella previsione %1.",
};

// %1 is the title again, in long massime.
const char* const kEchoes[] = {
    "Le medesime considerazioni valgono per ogni questione attinente a «%1».",
    "Il principio vale per tutte le controversie in materia di «%1».",
};

// The case at hand, as the last sentence of some massime.
const char* const kFacts[] = {
    "Nella specie, il giudice di merito aveva omesso di esaminare la documentazione prodotta dall’attore.",
    "Nella specie, è stata confermata la sentenza che aveva respinto la domanda.",
    "Nella specie, la sentenza impugnata è stata cassata con rinvio ad altro giudice.",
    "Nella specie, il ricorso è stato dichiarato inammissibile.",
    "Nella specie, è stato accolto l’appello e riformata la decisione di primo grado.",
    "Nella specie, il provvedimento impugnato è stato annullato per difetto di motivazione.",
    "Nella specie, è stata esclusa la responsabilità del convenuto per difetto di prova del nesso causale.",
    "Nella specie, la domanda di risarcimento è stata accolta soltanto in parte.",
};

// Very short massime: a brief opening and a brief clause.
const char* const kShortOpenings[] = {"«%1»: %2.", "In tema di «%1», %2.", "Quanto a «%1», %2."};
const char* const kShortClauses[] = {
    "l’atto è nullo", "vale il titolo", "la domanda è inammissibile", "il ricorso è improcedibile",
    "occorre l’atto scritto", "non spetta alcun compenso", "decide il giudice di merito",
    "la prova è a carico dell’attore", "la delibera è annullabile",
};

// ---------------------------------------------------------------------------
// Closing citations: court[, seat][, sez.X], date[, n.N], and the rarer forms.

struct Court {
    const char* name;
    Phrases seats;    // a seat follows the court as its own element
    Phrases sections; // empty: the court is cited without a section
    int firstYear;
    int lastYear;
    int maxNumber;
    int weight;
};

const Phrases kNoPhrases{};
const char* const kCassazioneSections[] = {"I", "II", "III", "L", "U"};
const char* const kPenaleSections[] = {"I", "II", "III", "IV", "V", "VI", "U"};
const char* const kStatoSections[] = {"IV", "V", "VI"};
const char* const kLowerSections[] = {"I", "II", "III", "IV"};
const char* const kCampania[] = {"Napoli", "Salerno"};
const char* const kLombardia[] = {"Milano", "Brescia"};
const char* const kLazio[] = {"Roma"};
const char* const kSicilia[] = {"Palermo", "Catania"};

const Court kCourts[] = {
    {"Cassazione", kNoPhrases, kCassazioneSections, 1950, 2010, 12000, 30},
    {"Cassazione civile", kNoPhrases, kCassazioneSections, 1950, 2010, 12000, 16},
    {"Cassazione penale", kNoPhrases, kPenaleSections, 1950, 2010, 9000, 4},
    {"Consiglio di Stato", kNoPhrases, kStatoSections, 1950, 2010, 8000, 12},
    {"Corte costituzionale", kNoPhrases, kNoPhrases, 1956, 2010, 500, 2},
    {"T.A.R. Campania", kCampania, kLowerSections, 1974, 2010, 3000, 4},
    {"T.A.R. Lombardia", kLombardia, kLowerSections, 1974, 2010, 3000, 4},
    {"T.A.R. Lazio", kLazio, kLowerSections, 1974, 2010, 3000, 3},
    {"T.A.R. Sicilia", kSicilia, kLowerSections, 1974, 2010, 3000, 2},
    {"T.A.R. Veneto", kNoPhrases, kLowerSections, 1974, 2010, 2000, 2},
    {"Tribunale Milano", kNoPhrases, kLowerSections, 1950, 2010, 5000, 4},
    {"Tribunale Roma", kNoPhrases, kLowerSections, 1950, 2010, 5000, 4},
    {"Tribunale Torino", kNoPhrases, kLowerSections, 1950, 2010, 4000, 2},
    {"Corte d'Appello Roma", kNoPhrases, kLowerSections, 1950, 2010, 3000, 3},
    {"Corte d'Appello Milano", kNoPhrases, kLowerSections, 1950, 2010, 3000, 2},
    {"Pretura Roma", kNoPhrases, kNoPhrases, 1950, 1998, 2000, 2},
    {"Pretura Firenze", kNoPhrases, kNoPhrases, 1950, 1998, 1500, 1},
};

const char* const kMonths[] = {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno",
                               "luglio", "agosto", "settembre", "ottobre", "novembre", "dicembre"};

const Court& pickCourt(Rng& rng, bool withSections)
{
    int total = 0;
    for (const Court& c : kCourts)
        if (!withSections || !c.sections.empty())
            total += c.weight;
    int r = rng.below(total);
    for (const Court& c : kCourts) {
        if (withSections && c.sections.empty())
            continue;
        if (r < c.weight)
            return c;
        r -= c.weight;
    }
    return kCourts[0];
}

QDate pickDate(Rng& rng, const Court& court)
{
    const int year = rng.between(court.firstYear, court.lastYear);
    const int month = rng.between(1, 12);
    return QDate(year, month, rng.between(1, QDate(year, month, 1).daysInMonth()));
}

QString dateText(QDate date)
{
    return QStringLiteral("%1 %2 %3").arg(date.day()).arg(text(kMonths[date.month() - 1])).arg(date.year());
}

int pickNumber(Rng& rng, const Court& court) { return rng.between(1, court.maxNumber); }
QString numberText(int number) { return QStringLiteral("n.%1").arg(number); }

// How many elements the citation gives. Other covers everything else: court,
// section and date; a second decision; a second number.
enum class Kind { Full, DateNumber, DateOnly, Other };

QString citation(Rng& rng, Kind kind)
{
    enum { SectionDate, TwoDecisions, TwoNumbers, TwoDates };
    static const int kOthers[] = {SectionDate, SectionDate, TwoDecisions, TwoNumbers, TwoDates};
    const int other = kind == Kind::Other ? rng.pick(std::span<const int>(kOthers)) : -1;
    const bool section = kind == Kind::Full || other == SectionDate || (other >= 0 && rng.chance(50));
    const Court& court = pickCourt(rng, section);
    QStringList parts{text(court.name)};
    if (!court.seats.empty() && rng.chance(70))
        parts << pickText(rng, court.seats);
    if (section)
        parts << QStringLiteral("sez.") + pickText(rng, court.sections);
    const QDate date = pickDate(rng, court);
    parts << dateText(date);
    const bool number = kind == Kind::Full || kind == Kind::DateNumber || other == TwoDecisions || other == TwoNumbers;
    const int first = pickNumber(rng, court);
    if (number)
        parts << numberText(first);
    QString result = parts.join(QStringLiteral(", "));
    if (other == TwoNumbers) {
        result += QStringLiteral(" e ") + numberText(first + rng.between(1, 40)); // decided together
    } else if (other == TwoDecisions || other == TwoDates) {
        QDate second = date.addDays(rng.between(7, 400));
        if (second.year() > court.lastYear)
            second = date.addDays(-rng.between(7, 400));
        result += QStringLiteral(" e ") + dateText(second);
        if (other == TwoDecisions)
            result += QStringLiteral(", ") + numberText(pickNumber(rng, court));
    }
    return result;
}

// The way the massima ends: the usual " - (...)" or one of the irregular forms
// found in the collection.
enum class Ending { Standard, NoDash, FullStop, TrailingBlank, DashNoBlank, Unclosed };
const Ending kVariantEndings[] = {Ending::NoDash, Ending::FullStop, Ending::TrailingBlank, Ending::DashNoBlank,
                                  Ending::Unclosed};

QString closing(const QString& cite, Ending ending)
{
    switch (ending) {
    case Ending::Standard: return QStringLiteral(" - (") + cite + QLatin1Char(')');
    case Ending::NoDash: return QStringLiteral(" (") + cite + QLatin1Char(')');
    case Ending::FullStop: return QStringLiteral(" - (") + cite + QStringLiteral(").");
    case Ending::TrailingBlank: return QStringLiteral(" - (") + cite + QStringLiteral(") ");
    case Ending::DashNoBlank: return QStringLiteral(" -(") + cite + QLatin1Char(')');
    case Ending::Unclosed: return QStringLiteral(" - (") + cite;
    }
    return {};
}

// ---------------------------------------------------------------------------
// Composing a massima.

constexpr int MinLength = 84;
constexpr int MaxLength = 3297;
constexpr int TotalMassime = 2051;

// The clauses of one massima, dealt without repetition until all are used.
class Deck {
public:
    Deck(Rng& rng, const Archive& archive) : rng_(rng)
    {
        for (const char* c : kClauses)
            all_ << text(c);
        for (const char* c : archive.clauses)
            all_ << text(c);
    }
    QString draw()
    {
        if (left_.empty()) {
            for (int i = 0; i < all_.size(); ++i)
                left_.push_back(i);
            rng_.shuffle(left_);
        }
        const int i = left_.back();
        left_.pop_back();
        return all_[i];
    }

private:
    Rng& rng_;
    QStringList all_;
    std::vector<int> left_;
};

// Sentences until the body reaches `budget` characters; the first names the topic.
QString body(Rng& rng, const Archive& archive, const QString& title, int budget)
{
    if (budget < 70)
        return pickText(rng, kShortOpenings).arg(title, pickText(rng, kShortClauses));
    Deck deck(rng, archive);
    QString result = pickText(rng, kOpenings).arg(title, deck.draw());
    const QString fact = rng.chance(40) ? pickText(rng, kFacts) : QString();
    bool echoed = false;
    int link = -1; // never the same link twice in a row
    while (result.size() + fact.size() < budget) {
        QString sentence;
        if (rng.chance(12))
            sentence = pickText(rng, kNormSentences).arg(pickText(rng, archive.norms));
        else if (!echoed && result.size() > 800 && rng.chance(20))
            sentence = pickText(rng, kEchoes).arg(title), echoed = true;
        else {
            const int previous = link;
            while (link == previous)
                link = rng.below(int(std::size(kLinks)));
            sentence = capitalized(text(kLinks[link]).arg(deck.draw()));
        }
        if (sentence.endsWith(QLatin1String("..")))
            sentence.chop(1); // a provision ending in "c.c."
        result += QLatin1Char(' ') + sentence;
    }
    if (!fact.isEmpty())
        result += QLatin1Char(' ') + fact;
    return result;
}

QString massima(Rng& rng, const Archive& archive, const QString& title, Kind kind, Ending ending, int target)
{
    const QString end = closing(citation(rng, kind), ending);
    const QString& marker = corpus::DemonstrationMarker;
    return marker + body(rng, archive, title, target - int(marker.size()) - int(end.size())) + end;
}

// Total lengths: mostly a few hundred characters, some long enough to scroll.
int drawLength(Rng& rng)
{
    const int r = rng.below(1000);
    if (r < 230) return rng.between(100, 260);
    if (r < 750) return rng.between(260, 580);
    if (r < 925) return rng.between(600, 1000);
    if (r < 970) return rng.between(1000, 1700);
    return rng.between(1700, 2900);
}

// ---------------------------------------------------------------------------
// The plan: which massima gets which citation, ending and length.

struct Slot {
    int archive;
    int topic; // 1-based
    int position; // 1-based
    Kind kind = Kind::Other;
    Ending ending = Ending::Standard;
    int exactLength = 0; // 0: drawn
};

int findSlot(const std::vector<Slot>& entries, const char* archive, int topic, int position)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (kArchives[entries[i].archive].name == QLatin1String(archive) && entries[i].topic == topic
            && entries[i].position == position)
            return int(i);
    return -1;
}

std::vector<Slot> plan(Rng& rng)
{
    std::vector<Slot> entries;
    for (int a = 0; a < int(std::size(kArchives)); ++a)
        for (int t = 0; t < int(kArchives[a].topics.size()); ++t)
            for (int p = 1; p <= kArchives[a].topics[size_t(t)].count; ++p)
                entries.push_back({a, t + 1, p});

    // The shortest and the longest massima of the corpus.
    const int shortest = findSlot(entries, "professionisti", 17, 1); // "Firma"
    const int longest = findSlot(entries, "edilizia", 26, 70);       // "Servitù"
    entries[size_t(shortest)].exactLength = MinLength;
    entries[size_t(longest)].exactLength = MaxLength;

    // Variant endings, a few per archive, the forms in turn.
    int variantCount = 0;
    for (int a = 0; a < int(std::size(kArchives)); ++a) {
        std::vector<int> candidates;
        for (int i = 0; i < int(entries.size()); ++i)
            if (entries[size_t(i)].archive == a && entries[size_t(i)].exactLength == 0)
                candidates.push_back(i);
        rng.shuffle(candidates);
        for (int v = 0; v < kArchives[a].variants; ++v)
            entries[size_t(candidates[size_t(v)])].ending = kVariantEndings[variantCount++ % std::size(kVariantEndings)];
    }

    // Citation kinds: the collection's numbers of each, shuffled over the other massime.
    std::vector<Kind> kinds;
    kinds.insert(kinds.end(), 871, Kind::Full);
    kinds.insert(kinds.end(), 524, Kind::DateNumber);
    kinds.insert(kinds.end(), 395, Kind::DateOnly);
    kinds.insert(kinds.end(), size_t(TotalMassime - variantCount) - kinds.size(), Kind::Other);
    rng.shuffle(kinds);
    size_t next = 0;
    for (Slot& s : entries)
        if (s.ending == Ending::Standard)
            s.kind = kinds[next++];

    // The shortest needs the shortest citation: trade kinds with another massima.
    for (Slot& s : entries) {
        if (entries[size_t(shortest)].kind == Kind::DateOnly)
            break;
        if (s.ending == Ending::Standard && s.kind == Kind::DateOnly)
            std::swap(s.kind, entries[size_t(shortest)].kind);
    }
    return entries;
}

QString compose(Rng& rng, const Slot& slot, const QString& title)
{
    const Archive& archive = kArchives[slot.archive];
    if (slot.exactLength > 0) {
        // Draw candidates around the length until one has it exactly.
        for (int attempt = 0; attempt < 1000000; ++attempt) {
            const int target = slot.exactLength - rng.between(0, 150);
            const QString m = massima(rng, archive, title, slot.kind, slot.ending, target);
            if (m.size() == slot.exactLength)
                return m;
        }
        std::fprintf(stderr, "gencorpus: no massima of length %d found\n", slot.exactLength);
        std::exit(1);
    }
    // Every other massima keeps clear of the two extremes.
    const int target = drawLength(rng);
    for (;;) {
        const QString m = massima(rng, archive, title, slot.kind, slot.ending, target);
        if (m.size() >= 100 && m.size() <= 3200)
            return m;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gencorpus OUTDIR\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "gencorpus: cannot create %s\n", argv[1]);
        return 1;
    }

    Rng rng(Seed);
    const std::vector<Slot> entries = plan(rng);
    std::vector<QByteArray> files(std::size(kArchives));
    for (size_t a = 0; a < std::size(kArchives); ++a) {
        files[a] = QByteArrayLiteral(
            "# Demonstration content generated by tools/gencorpus: sample texts, not real case law.\n"
            "# Topic titles and counts are those of the archive; every massima is invented.\n"
            "# A publisher replaces these files with the real corpus and rebuilds the program.\n"
            "# Format: \"== <number> <title>\" opens each topic; each following line is one massima.\n");
    }
    // Every topic gets its header, those without massime included.
    std::vector<int> headed(std::size(kArchives), 0);
    auto headersUpTo = [&](size_t archive, int topic) {
        while (headed[archive] < topic) {
            const int t = ++headed[archive];
            files[archive] += "\n== " + QByteArray::number(t) + ' ' + kArchives[archive].topics[size_t(t - 1)].title + '\n';
        }
    };
    for (const Slot& s : entries) {
        headersUpTo(size_t(s.archive), s.topic);
        const QString title = text(kArchives[s.archive].topics[size_t(s.topic - 1)].title);
        files[size_t(s.archive)] += compose(rng, s, title).toUtf8() + '\n';
    }
    for (size_t a = 0; a < std::size(kArchives); ++a) {
        headersUpTo(a, int(kArchives[a].topics.size()));
        const QString path = QDir(outDir).filePath(QString::fromLatin1(kArchives[a].name) + QStringLiteral(".txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(files[a]) != files[a].size()) {
            std::fprintf(stderr, "gencorpus: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

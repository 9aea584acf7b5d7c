#include "archives.h"

namespace corpus {

namespace {
const QString kMassima = QStringLiteral("numero della massima dell'argomento scelto");
const QString kSentenza = QStringLiteral("numero della sentenza dell'argomento scelto");
const QString kMassime = QStringLiteral("massime");
const QString kSentenze = QStringLiteral("sentenze");

QString question(const QString& label)
{
    return QStringLiteral("E' questa la finestra '%1': si vuole la guida della finestra?").arg(label);
}
} // namespace

const std::array<ArchiveInfo, ArchiveCount>& archives()
{
    static const std::array<ArchiveInfo, ArchiveCount> table = {{
        {Archive::edilizia, QStringLiteral("edilizia"), 33, 150, QStringLiteral("Lexoria: edilizia"), 2,
         kMassime, kMassime, kMassima, QStringLiteral("Massime sull'edilizia: "), QStringLiteral("Edilizia"),
         QStringLiteral("Edilizia"),
         QStringLiteral(" massime riguardanti l'edilizia suddivise in 33 argomenti"),
         QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti l'edilizia in generale."),
         question(QStringLiteral("Edilizia")), QStringLiteral("guidaedilizia"), 4815},
        {Archive::urbanistica, QStringLiteral("urbanistica"), 36, 100, QStringLiteral("Lexoria: urbanistica"), 3,
         kMassime, kMassime, kSentenza, QStringLiteral("Massime sull'urbanistica: "), QStringLiteral("Urbanistica"),
         QStringLiteral("Urbanistica"),
         QStringLiteral(" massime riguardanti le problematiche di urbanistica"),
         QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti l'urbanistica."),
         question(QStringLiteral("Urbanistica")), QStringLiteral("guidaurbanistica"), 4935},
        {Archive::espropriazioni, QStringLiteral("espropriazioni"), 36, 100, QStringLiteral("Lexoria: espropriazioni"), 4,
         kSentenze, kSentenze, kMassima, QStringLiteral("Massime sulle espropriazioni: "),
         QStringLiteral("Espropriazioni"), QStringLiteral("Espropriazioni"),
         QStringLiteral(" massime sull'espropriazione per pubblica utilità"),
         QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti le espropriazioni per pubblica utilità."),
         question(QStringLiteral("Espropriazioni")), QStringLiteral("guidaespropriazioni"), 4935},
        {Archive::professionisti, QStringLiteral("professionisti"), 36, 100, QStringLiteral("Lexoria: professionisti"), 5,
         kMassime, kMassime, kMassima, QStringLiteral("Massime sui professionisti: "),
         QStringLiteral("Professionisti"), QStringLiteral("Professionisti"),
         QStringLiteral(" massime riguardanti i professionisti dell'edilizia"),
         QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti i tecnici (architetti, ingegneri, geometri)."),
         question(QStringLiteral("Professionisti")), QStringLiteral("guidaprofessionisti"), 5055},
        {Archive::condominio, QStringLiteral("condominio"), 36, 100, QStringLiteral("Lexoria: condominio"), 6,
         kSentenze, kMassime, kMassima, QStringLiteral("Massime sul condominio: "), QStringLiteral("Condominio"),
         QStringLiteral("Condominio"),
         QStringLiteral(" massime riguardanti il condominio suddivise in 36 argomenti"),
         QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti il condominio."),
         question(QStringLiteral("Condominio")), QStringLiteral("guidacondominio"), 4935},
        {Archive::enti, QStringLiteral("enti"), 36, 100, QStringLiteral("Lexoria: enti"), 7,
         kMassime, kMassime, kMassima, QStringLiteral("Massime sugli enti: "), QStringLiteral("Enti"),
         QStringLiteral("Enti"),
         QStringLiteral(" massime riguardanti gli enti territoriali"),
         QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti gli enti (comuni, provincie, regioni)."),
         question(QStringLiteral("Enti")), QStringLiteral("guidaenti"), 5055},
        {Archive::imprese, QStringLiteral("imprese"), 36, 100, QStringLiteral("Lexoria: imprese, appalti, lavoro"), 8,
         kMassime, kMassime, kMassima, QStringLiteral("Massime sulle imprese: "), QStringLiteral("Imprese"),
         QStringLiteral("Imprese, appalti, lavoro"),
         QStringLiteral(" massime riguardanti le imprese, gli appalti, il lavoro"),
         QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti le imprese appaltatrici e il lavoro."),
         question(QStringLiteral("Imprese")), QStringLiteral("guidaimprese"), 5055},
    }};
    return table;
}

const ArchiveInfo& info(Archive archive)
{
    return archives()[static_cast<size_t>(archive)];
}

std::optional<Archive> archiveByName(const QString& name)
{
    for (const ArchiveInfo& a : archives())
        if (a.name == name)
            return a.archive;
    return std::nullopt;
}

} // namespace corpus

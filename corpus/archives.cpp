#include "corpus/archives.h"

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
        {
            .archive = Archive::edilizia,
            .name = QStringLiteral("edilizia"),
            .topics = 33,
            .positions = 150,
            .caption = QStringLiteral("Lexoria: edilizia"),
            .windowNumber = 2,
            .hintWord = kMassime,
            .noticeWord = kMassime,
            .contaTooltip = kMassima,
            .exportHeading = QStringLiteral("Massime sull'edilizia: "),
            .label = QStringLiteral("Edilizia"),
            .chooserCaption = QStringLiteral("Edilizia"),
            .chooserCountText = QStringLiteral(" massime riguardanti l'edilizia suddivise in 33 argomenti"),
            .chooserStatus = QStringLiteral(
                "Apre una finestra per la visualizzazione di massime riguardanti l'edilizia in generale."),
            .ownQuestion = question(QStringLiteral("Edilizia")),
            .ownHelpWindow = QStringLiteral("guidaedilizia"),
            .chooserCountWidth = 4815,
        },
        {
            .archive = Archive::urbanistica,
            .name = QStringLiteral("urbanistica"),
            .topics = 36,
            .positions = 100,
            .caption = QStringLiteral("Lexoria: urbanistica"),
            .windowNumber = 3,
            .hintWord = kMassime,
            .noticeWord = kMassime,
            .contaTooltip = kSentenza,
            .exportHeading = QStringLiteral("Massime sull'urbanistica: "),
            .label = QStringLiteral("Urbanistica"),
            .chooserCaption = QStringLiteral("Urbanistica"),
            .chooserCountText = QStringLiteral(" massime riguardanti le problematiche di urbanistica"),
            .chooserStatus =
                QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti l'urbanistica."),
            .ownQuestion = question(QStringLiteral("Urbanistica")),
            .ownHelpWindow = QStringLiteral("guidaurbanistica"),
            .chooserCountWidth = 4935,
        },
        {
            .archive = Archive::espropriazioni,
            .name = QStringLiteral("espropriazioni"),
            .topics = 36,
            .positions = 100,
            .caption = QStringLiteral("Lexoria: espropriazioni"),
            .windowNumber = 4,
            .hintWord = kSentenze,
            .noticeWord = kSentenze,
            .contaTooltip = kMassima,
            .exportHeading = QStringLiteral("Massime sulle espropriazioni: "),
            .label = QStringLiteral("Espropriazioni"),
            .chooserCaption = QStringLiteral("Espropriazioni"),
            .chooserCountText = QStringLiteral(" massime sull'espropriazione per pubblica utilità"),
            .chooserStatus = QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti le "
                                            "espropriazioni per pubblica utilità."),
            .ownQuestion = question(QStringLiteral("Espropriazioni")),
            .ownHelpWindow = QStringLiteral("guidaespropriazioni"),
            .chooserCountWidth = 4935,
        },
        {
            .archive = Archive::professionisti,
            .name = QStringLiteral("professionisti"),
            .topics = 36,
            .positions = 100,
            .caption = QStringLiteral("Lexoria: professionisti"),
            .windowNumber = 5,
            .hintWord = kMassime,
            .noticeWord = kMassime,
            .contaTooltip = kMassima,
            .exportHeading = QStringLiteral("Massime sui professionisti: "),
            .label = QStringLiteral("Professionisti"),
            .chooserCaption = QStringLiteral("Professionisti"),
            .chooserCountText = QStringLiteral(" massime riguardanti i professionisti dell'edilizia"),
            .chooserStatus = QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti i tecnici "
                                            "(architetti, ingegneri, geometri)."),
            .ownQuestion = question(QStringLiteral("Professionisti")),
            .ownHelpWindow = QStringLiteral("guidaprofessionisti"),
            .chooserCountWidth = 5055,
        },
        {
            .archive = Archive::condominio,
            .name = QStringLiteral("condominio"),
            .topics = 36,
            .positions = 100,
            .caption = QStringLiteral("Lexoria: condominio"),
            .windowNumber = 6,
            .hintWord = kSentenze,
            .noticeWord = kMassime,
            .contaTooltip = kMassima,
            .exportHeading = QStringLiteral("Massime sul condominio: "),
            .label = QStringLiteral("Condominio"),
            .chooserCaption = QStringLiteral("Condominio"),
            .chooserCountText = QStringLiteral(" massime riguardanti il condominio suddivise in 36 argomenti"),
            .chooserStatus =
                QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti il condominio."),
            .ownQuestion = question(QStringLiteral("Condominio")),
            .ownHelpWindow = QStringLiteral("guidacondominio"),
            .chooserCountWidth = 4935,
        },
        {
            .archive = Archive::enti,
            .name = QStringLiteral("enti"),
            .topics = 36,
            .positions = 100,
            .caption = QStringLiteral("Lexoria: enti"),
            .windowNumber = 7,
            .hintWord = kMassime,
            .noticeWord = kMassime,
            .contaTooltip = kMassima,
            .exportHeading = QStringLiteral("Massime sugli enti: "),
            .label = QStringLiteral("Enti"),
            .chooserCaption = QStringLiteral("Enti"),
            .chooserCountText = QStringLiteral(" massime riguardanti gli enti territoriali"),
            .chooserStatus = QStringLiteral("Apre una finestra per la visualizzazione di massime riguardanti gli enti "
                                            "(comuni, provincie, regioni)."),
            .ownQuestion = question(QStringLiteral("Enti")),
            .ownHelpWindow = QStringLiteral("guidaenti"),
            .chooserCountWidth = 5055,
        },
        {
            .archive = Archive::imprese,
            .name = QStringLiteral("imprese"),
            .topics = 36,
            .positions = 100,
            .caption = QStringLiteral("Lexoria: imprese, appalti, lavoro"),
            .windowNumber = 8,
            .hintWord = kMassime,
            .noticeWord = kMassime,
            .contaTooltip = kMassima,
            .exportHeading = QStringLiteral("Massime sulle imprese: "),
            .label = QStringLiteral("Imprese"),
            .chooserCaption = QStringLiteral("Imprese, appalti, lavoro"),
            .chooserCountText = QStringLiteral(" massime riguardanti le imprese, gli appalti, il lavoro"),
            .chooserStatus = QStringLiteral(
                "Apre una finestra per la visualizzazione di massime riguardanti le imprese appaltatrici e il lavoro."),
            .ownQuestion = question(QStringLiteral("Imprese")),
            .ownHelpWindow = QStringLiteral("guidaimprese"),
            .chooserCountWidth = 5055,
        },
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

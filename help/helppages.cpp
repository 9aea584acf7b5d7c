#include "help/helppages.h"

#include "corpus/archives.h"
#include "shell/colours.h"
#include "shell/maker.h"
#include "shell/modlexoria.h"

#include <algorithm>

#include <QFile>

namespace help {

namespace {

const QString GuideCaption = QStringLiteral("Guida in linea");
const QString SommarioTip = QStringLiteral("cliccare per visualizzare il sommario della guida");

HelpPage guidePage(const QString& name, const QString& title, const QString& link, int closeRank)
{
    HelpPage page;
    page.name = name;
    page.caption = GuideCaption;
    page.title = title;
    page.link = link;
    page.linkBackground = Colours::Cyan;
    page.closeRank = closeRank;
    return page;
}

} // namespace

const QList<HelpPage>& pages()
{
    static const QList<HelpPage> table = [] {
        // The exit sequence closes the guide from manuale through the archive
        // windows' pages, then the general pages backwards.
        constexpr int AfterArchives = 2 + corpus::ArchiveCount;
        QList<HelpPage> t = {
            guidePage(QStringLiteral("manuale"), QStringLiteral("MANUALE D'USO RAPIDO"),
                      QStringLiteral("  Manuale d'uso rapido"), 0),
            guidePage(QStringLiteral("guidafunzionamento"), QStringLiteral("FUNZIONAMENTO DEL PROGRAMMA"),
                      QStringLiteral("  Funzionamento del programma"), AfterArchives + 2),
            guidePage(QStringLiteral("guidaarchivio"), QStringLiteral("ARCHIVIO DATI"), QStringLiteral("  Archivio dati"), AfterArchives + 1),
            guidePage(QStringLiteral("guidastampa"), QStringLiteral("COME STAMPARE"), QStringLiteral(" Come stampare"), AfterArchives),
            guidePage(QStringLiteral("guidascelta"), QStringLiteral("FINESTRA MENU"), QStringLiteral(" Finestra Menu"), 1),
        };
        for (const corpus::ArchiveInfo& a : corpus::archives())
            t.append(guidePage(a.ownHelpWindow, QStringLiteral("FINESTRA ") + a.label.toUpper(),
                               QStringLiteral(" Finestra ") + a.label, 2 + corpus::indexOf(a.archive)));
        HelpPage& manuale = t.first();
        manuale.wide = true;
        manuale.sommarioToolTip = SommarioTip;
        manuale.stampaToolTip = QStringLiteral("cliccare per avere la copia su carta del MANUALE D'USO RAPIDO");

        HelpPage licenza;
        licenza.name = QStringLiteral("licenza");
        licenza.caption = QStringLiteral("LICENZA D'USO");
        licenza.licence = true;
        licenza.sommarioToolTip = SommarioTip;
        licenza.stampaToolTip = QStringLiteral("cliccare per stampare la LICENZA D'USO");
        licenza.link = QStringLiteral("  Licenza d'uso di \"Lexoria\"");
        licenza.linkBackground = Colours::Red;
        licenza.linkText = Colours::Yellow;
        t.append(licenza);

        // Reached from the search window alone: the guide and its contents stay as they are.
        HelpPage ricerca = guidePage(ModLexoria::SearchHelpWindow, QStringLiteral("FINESTRA RICERCA"), QString(), AfterArchives + 3);
        ricerca.wide = true;
        ricerca.inGuide = false;
        ricerca.sommarioToolTip = SommarioTip;
        ricerca.stampaToolTip = QStringLiteral("cliccare per stampare la guida della finestra di ricerca");
        t.append(ricerca);
        return t;
    }();
    return table;
}

QList<HelpPage> pagesInClosingOrder()
{
    QList<HelpPage> guide;
    for (const HelpPage& p : pages())
        if (!p.licence)
            guide.append(p);
    std::stable_sort(guide.begin(), guide.end(),
                     [](const HelpPage& a, const HelpPage& b) { return a.closeRank < b.closeRank; });
    return guide;
}

const HelpPage* page(const QString& name)
{
    for (const HelpPage& p : pages())
        if (p.name == name)
            return &p;
    return nullptr;
}

QStringList guideWindows()
{
    QStringList names;
    for (const HelpPage& p : pages())
        if (!p.licence && p.inGuide)
            names.append(p.name);
    return names;
}

QString pageText(const QString& name)
{
    QFile file(QStringLiteral(":/help/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll()).trimmed();
    text.remove(QLatin1Char('\r')); // a checkout with Windows line ends reads the same
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    // The licence names the maker through the one set of its details.
    text.replace(QLatin1String("{marchio}"), Maker::Brand);
    text.replace(QLatin1String("{indirizzo}"), Maker::PostalAddress);
    text.replace(QLatin1String("{email}"), Maker::Email);
    text.replace(QLatin1String("{sito}"), Maker::WebSite);
    return text;
}

} // namespace help

#include "helppages.h"

#include "maker.h"

#include <QFile>

namespace help {

namespace {

const QString GuideCaption = QStringLiteral("Guida in linea");
const QString SommarioTip = QStringLiteral("cliccare per visualizzare il sommario della guida");

HelpPage guidePage(const char* name, const char* title)
{
    HelpPage page;
    page.name = QString::fromUtf8(name);
    page.caption = GuideCaption;
    page.title = QString::fromUtf8(title);
    return page;
}

} // namespace

const QList<HelpPage>& pages()
{
    static const QList<HelpPage> table = [] {
        QList<HelpPage> t = {
            guidePage("manuale", "MANUALE D'USO RAPIDO"),
            guidePage("guidafunzionamento", "FUNZIONAMENTO DEL PROGRAMMA"),
            guidePage("guidaarchivio", "ARCHIVIO DATI"),
            guidePage("guidastampa", "COME STAMPARE"),
            guidePage("guidascelta", "FINESTRA MENU"),
            guidePage("guidaedilizia", "FINESTRA EDILIZIA"),
            guidePage("guidaurbanistica", "FINESTRA URBANISTICA"),
            guidePage("guidaespropriazioni", "FINESTRA ESPROPRIAZIONI"),
            guidePage("guidaprofessionisti", "FINESTRA PROFESSIONISTI"),
            guidePage("guidacondominio", "FINESTRA CONDOMINIO"),
            guidePage("guidaenti", "FINESTRA ENTI"),
            guidePage("guidaimprese", "FINESTRA IMPRESE"),
        };
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
        t.append(licenza);
        return t;
    }();
    return table;
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
        if (!p.licence)
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

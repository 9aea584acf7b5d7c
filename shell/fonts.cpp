#include "shell/fonts.h"

#include <QList>
#include <QStringList>

namespace Fonts {

void installSubstitutions()
{
    // Later entries are fallbacks for systems without the first choice.
    const QList<std::pair<QString, QStringList>> table = {
        {QStringLiteral("MS Sans Serif"),
         {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("Arial Black"),
         {QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("Century Gothic"), {QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("Comic Sans MS"), {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")}},
        // The brand line's cartoon face: Comic Neue is the closest installed relative.
        {QStringLiteral("Simpson"), {QStringLiteral("Comic Neue"), QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")}},
    };
    for (const auto& [family, lookAlikes] : table)
        QFont::insertSubstitutions(family, lookAlikes);
}

QFont designFont(const QString& family, double points, bool bold, bool italic, bool underline)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

} // namespace Fonts

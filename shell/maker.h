#pragma once
// The maker of the program: software VELARIA, a fictional software house. Every
// address uses the reserved ".example" domain, so none of them can reach anyone.

#include <QString>

namespace Maker {

inline const QString Brand = QStringLiteral("software VELARIA");
inline const QString FoundingYear = QStringLiteral("1987");
inline const QString PostalAddress = QStringLiteral("Via dei Portici 14 - 40100 Bologna (BO)");
inline const QString Telephone = QStringLiteral("051 0000 111");
inline const QString Fax = QStringLiteral("051 0000 112");
inline const QString Email = QStringLiteral("assistenza@velaria.example");
inline const QString WebSite = QStringLiteral("www.velaria.example");
inline const QString ForumPage = QStringLiteral("https://forum.velaria.example/lexoria");
inline const QString CataloguePage = QStringLiteral("https://www.velaria.example/catalogo");
inline const QString PurchasePage = QStringLiteral("https://www.velaria.example/acquista");
inline const QString SoftwareManager = QStringLiteral("dott. ing. Marco Velari");
inline const QString MusicCredit = QStringLiteral("(musica: \"Internet\" di Teodoro Gallini)");
inline const QString LegalNotice =
    QStringLiteral("Programma protetto dalle leggi sul diritto d'autore. Ogni riproduzione o distribuzione non "
                   "autorizzata del programma o di parte di esso,  è perseguibile a norma di legge.");

} // namespace Maker

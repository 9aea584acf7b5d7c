#pragma once
// Writes a QTextDocument as OpenDocument Text, including what Qt's own ODF
// writer leaves out: the A4 page of pagesetup.h, the font families as they are
// named, and tables with their borders, cell backgrounds, header rows and
// column widths. Paragraph alignment, page breaks, font sizes, bold, italic,
// underline and colours are written as well.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace Odf {

enum class Format {
    Package, // .odt: the zipped package every ODF word processor opens
    Flat,    // .fodt: the same document as one XML file
};

// Flat for a name ending in ".fodt", Package for anything else.
Format formatFor(const QString& fileName);

QByteArray flatXml(const QTextDocument& document);
QByteArray package(const QTextDocument& document);

// Writes `document` to `fileName` in the format its suffix asks for. On failure
// the file is left as it was, and `error` (if given) gets an Italian text for the user.
bool write(const QTextDocument& document, const QString& fileName, QString* error = nullptr);

} // namespace Odf

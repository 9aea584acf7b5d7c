#include "export/odfwriter.h"

#include "export/pagesetup.h"
#include "export/safefile.h"
#include "export/zipwriter.h"

#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QHash>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QXmlStreamWriter>

namespace Odf {

namespace {

const char* const MimeType = "application/vnd.oasis.opendocument.text";
const QString Version = QStringLiteral("1.3");

const std::pair<const char*, const char*> Namespaces[] = {
    {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
    {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
    {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
    {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
    {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
    {"svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"},
    {"meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"},
    {"dc", "http://purl.org/dc/elements/1.1/"},
};

// Qt measures frame and block lengths in pixels of 1/96 inch.
constexpr double MmPerPixel = 25.4 / 96.0;

QString number(double value)
{
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString pointsFromPixels(double pixels) { return number(pixels * 0.75) + QStringLiteral("pt"); }
QString centimetres(double mm) { return number(mm / 10.0) + QStringLiteral("cm"); }

using Props = QList<std::pair<QString, QString>>;

// An automatic style: its family and its property elements, each with its attributes.
struct AutoStyle {
    QString family;
    QList<std::pair<QString, Props>> groups;
    QString parent;
    QString name;

    QString key() const
    {
        QString k = family + QLatin1Char('|') + parent;
        for (const auto& [element, props] : groups) {
            k += QLatin1Char('|') + element;
            for (const auto& [attr, value] : props)
                k += QLatin1Char(' ') + attr + QLatin1Char('=') + value;
        }
        return k;
    }
};

// A style with a single property element.
AutoStyle styleOf(const QString& family, const QString& element, const Props& props)
{
    return AutoStyle{family, {{element, props}}, QString(), QString()};
}

QString alignmentName(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignJustify)
        return QStringLiteral("justify");
    if (alignment & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        return QStringLiteral("end");
    return QStringLiteral("start");
}

QString borderStyleName(QTextFrameFormat::BorderStyle style)
{
    switch (style) {
    case QTextFrameFormat::BorderStyle_None: return QStringLiteral("none");
    case QTextFrameFormat::BorderStyle_Dotted: return QStringLiteral("dotted");
    case QTextFrameFormat::BorderStyle_Dashed:
    case QTextFrameFormat::BorderStyle_DotDash:
    case QTextFrameFormat::BorderStyle_DotDotDash: return QStringLiteral("dashed");
    case QTextFrameFormat::BorderStyle_Double: return QStringLiteral("double");
    default: return QStringLiteral("solid");
    }
}

QString familyOf(const QTextCharFormat& format)
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return format.property(QTextFormat::OldFontFamily).toString();
}

// Writes paragraph text, keeping every blank: ODF collapses runs of blanks and
// drops leading ones, so those become <text:s/>; tabs and line breaks become elements.
class TextRun {
public:
    explicit TextRun(QXmlStreamWriter& w) : w_(w) {}

    void add(const QString& text)
    {
        for (const QChar c : text) {
            if (c == QLatin1Char(' ')) {
                if (afterSpace_) {
                    ++spaces_;
                } else {
                    pending_ += c;
                    afterSpace_ = true;
                }
                continue;
            }
            flushSpaces();
            if (c == QLatin1Char('\t')) {
                element("text:tab");
            } else if (c == QChar::LineSeparator || c == QLatin1Char('\n') || c == QChar(0x0b)) {
                element("text:line-break");
            } else if (c.unicode() < 0x20 || c == QChar::ObjectReplacementCharacter
                       || c == QChar::ParagraphSeparator || c.unicode() >= 0xfffe) {
                continue; // nothing printable, or not allowed in XML
            } else {
                pending_ += c;
                afterSpace_ = false;
            }
        }
    }

    void flush()
    {
        flushSpaces();
        if (!pending_.isEmpty())
            w_.writeCharacters(pending_);
        pending_.clear();
    }

private:
    void flushSpaces()
    {
        if (spaces_ == 0)
            return;
        if (!pending_.isEmpty())
            w_.writeCharacters(pending_);
        pending_.clear();
        w_.writeEmptyElement(QStringLiteral("text:s"));
        if (spaces_ > 1)
            w_.writeAttribute(QStringLiteral("text:c"), QString::number(spaces_));
        spaces_ = 0;
    }

    void element(const char* name)
    {
        if (!pending_.isEmpty())
            w_.writeCharacters(pending_);
        pending_.clear();
        w_.writeEmptyElement(QString::fromLatin1(name));
        afterSpace_ = true;
    }

    QXmlStreamWriter& w_;
    QString pending_;
    int spaces_ = 0;
    bool afterSpace_ = true; // a paragraph starts as if after a blank
};

class Builder {
public:
    explicit Builder(const QTextDocument& document) : doc_(document)
    {
        const QFont font = doc_.defaultFont();
        defaultFamily_ = font.family();
        defaultSize_ = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;
        addFont(defaultFamily_);
        // A first pass over the body names every automatic style it needs; the
        // second pass, when the file is written, finds them named already.
        QByteArray scratch;
        QXmlStreamWriter w(&scratch);
        writeBody(w);
    }

    QByteArray flat()
    {
        QByteArray out;
        QXmlStreamWriter w(&out);
        w.writeStartDocument();
        startRoot(w, "office:document");
        w.writeAttribute(QStringLiteral("office:mimetype"), QString::fromLatin1(MimeType));
        writeMeta(w);
        writeFontFaces(w);
        writeCommonStyles(w);
        w.writeStartElement(QStringLiteral("office:automatic-styles"));
        writePageLayout(w);
        writeAutomaticStyles(w);
        w.writeEndElement();
        writeMasterStyles(w);
        writeBody(w);
        w.writeEndDocument();
        return out;
    }

    QByteArray package()
    {
        QList<Zip::Entry> entries;
        entries.append({QStringLiteral("mimetype"), QByteArray(MimeType), false});
        entries.append({QStringLiteral("content.xml"), content(), true});
        entries.append({QStringLiteral("styles.xml"), styles(), true});
        entries.append({QStringLiteral("meta.xml"), metaFile(), true});
        entries.append({QStringLiteral("META-INF/manifest.xml"), manifest(), true});
        return Zip::archive(entries);
    }

private:
    QByteArray content()
    {
        QByteArray out;
        QXmlStreamWriter w(&out);
        w.writeStartDocument();
        startRoot(w, "office:document-content");
        writeFontFaces(w);
        w.writeStartElement(QStringLiteral("office:automatic-styles"));
        writeAutomaticStyles(w);
        w.writeEndElement();
        writeBody(w);
        w.writeEndDocument();
        return out;
    }

    QByteArray styles()
    {
        QByteArray out;
        QXmlStreamWriter w(&out);
        w.writeStartDocument();
        startRoot(w, "office:document-styles");
        writeFontFaces(w);
        writeCommonStyles(w);
        w.writeStartElement(QStringLiteral("office:automatic-styles"));
        writePageLayout(w);
        w.writeEndElement();
        writeMasterStyles(w);
        w.writeEndDocument();
        return out;
    }

    QByteArray metaFile()
    {
        QByteArray out;
        QXmlStreamWriter w(&out);
        w.writeStartDocument();
        startRoot(w, "office:document-meta");
        writeMeta(w);
        w.writeEndDocument();
        return out;
    }

    static QByteArray manifest()
    {
        const QString ns = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
        QByteArray out;
        QXmlStreamWriter w(&out);
        w.writeStartDocument();
        w.writeStartElement(QStringLiteral("manifest:manifest"));
        w.writeAttribute(QStringLiteral("xmlns:manifest"), ns);
        w.writeAttribute(QStringLiteral("manifest:version"), Version);
        const std::pair<const char*, const char*> files[] = {
            {"/", MimeType}, {"content.xml", "text/xml"}, {"styles.xml", "text/xml"}, {"meta.xml", "text/xml"}};
        for (const auto& [path, type] : files) {
            w.writeEmptyElement(QStringLiteral("manifest:file-entry"));
            w.writeAttribute(QStringLiteral("manifest:full-path"), QString::fromLatin1(path));
            if (qstrcmp(path, "/") == 0)
                w.writeAttribute(QStringLiteral("manifest:version"), Version);
            w.writeAttribute(QStringLiteral("manifest:media-type"), QString::fromLatin1(type));
        }
        w.writeEndDocument();
        return out;
    }

    static void startRoot(QXmlStreamWriter& w, const char* name)
    {
        w.writeStartElement(QString::fromLatin1(name));
        for (const auto& [prefix, uri] : Namespaces)
            w.writeAttribute(QStringLiteral("xmlns:") + QString::fromLatin1(prefix), QString::fromLatin1(uri));
        w.writeAttribute(QStringLiteral("office:version"), Version);
    }

    static void writeMeta(QXmlStreamWriter& w)
    {
        w.writeStartElement(QStringLiteral("office:meta"));
        w.writeTextElement(QStringLiteral("meta:generator"), QStringLiteral("Lexoria"));
        w.writeTextElement(QStringLiteral("meta:creation-date"),
                           QDateTime::currentDateTime().toString(Qt::ISODate));
        w.writeEndElement();
    }

    void writeFontFaces(QXmlStreamWriter& w) const
    {
        static const QStringList serif = {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                                          QStringLiteral("Tinos"), QStringLiteral("DejaVu Serif"),
                                          QStringLiteral("Georgia")};
        w.writeStartElement(QStringLiteral("office:font-face-decls"));
        for (const QString& family : fonts_) {
            w.writeEmptyElement(QStringLiteral("style:font-face"));
            w.writeAttribute(QStringLiteral("style:name"), family);
            w.writeAttribute(QStringLiteral("svg:font-family"),
                             family.contains(QLatin1Char(' ')) ? QLatin1Char('\'') + family + QLatin1Char('\'') : family);
            w.writeAttribute(QStringLiteral("style:font-family-generic"),
                             serif.contains(family, Qt::CaseInsensitive) ? QStringLiteral("roman") : QStringLiteral("swiss"));
            w.writeAttribute(QStringLiteral("style:font-pitch"), QStringLiteral("variable"));
        }
        w.writeEndElement();
    }

    void writeCommonStyles(QXmlStreamWriter& w) const
    {
        w.writeStartElement(QStringLiteral("office:styles"));
        w.writeStartElement(QStringLiteral("style:default-style"));
        w.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
        w.writeEmptyElement(QStringLiteral("style:paragraph-properties"));
        w.writeAttribute(QStringLiteral("style:writing-mode"), QStringLiteral("page"));
        w.writeEmptyElement(QStringLiteral("style:text-properties"));
        w.writeAttribute(QStringLiteral("style:font-name"), defaultFamily_);
        w.writeAttribute(QStringLiteral("fo:font-size"), number(defaultSize_) + QStringLiteral("pt"));
        w.writeAttribute(QStringLiteral("fo:language"), QStringLiteral("it"));
        w.writeAttribute(QStringLiteral("fo:country"), QStringLiteral("IT"));
        w.writeAttribute(QStringLiteral("fo:hyphenate"), QStringLiteral("false"));
        w.writeEndElement();
        w.writeEmptyElement(QStringLiteral("style:style"));
        w.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Standard"));
        w.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
        w.writeAttribute(QStringLiteral("style:class"), QStringLiteral("text"));
        w.writeEndElement();
    }

    static void writePageLayout(QXmlStreamWriter& w)
    {
        using namespace PageSetup;
        w.writeStartElement(QStringLiteral("style:page-layout"));
        w.writeAttribute(QStringLiteral("style:name"), QStringLiteral("pm1"));
        w.writeEmptyElement(QStringLiteral("style:page-layout-properties"));
        w.writeAttribute(QStringLiteral("fo:page-width"), centimetres(PaperWidthMm));
        w.writeAttribute(QStringLiteral("fo:page-height"), centimetres(PaperHeightMm));
        w.writeAttribute(QStringLiteral("style:print-orientation"), QStringLiteral("portrait"));
        w.writeAttribute(QStringLiteral("fo:margin-top"), centimetres(TopMarginMm));
        w.writeAttribute(QStringLiteral("fo:margin-bottom"), centimetres(BottomMarginMm));
        w.writeAttribute(QStringLiteral("fo:margin-left"), centimetres(LeftMarginMm));
        w.writeAttribute(QStringLiteral("fo:margin-right"), centimetres(RightMarginMm));
        w.writeAttribute(QStringLiteral("style:writing-mode"), QStringLiteral("lr-tb"));
        w.writeEndElement();
    }

    static void writeMasterStyles(QXmlStreamWriter& w)
    {
        w.writeStartElement(QStringLiteral("office:master-styles"));
        w.writeEmptyElement(QStringLiteral("style:master-page"));
        w.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Standard"));
        w.writeAttribute(QStringLiteral("style:page-layout-name"), QStringLiteral("pm1"));
        w.writeEndElement();
    }

    void writeAutomaticStyles(QXmlStreamWriter& w) const
    {
        for (const AutoStyle& style : styles_) {
            w.writeStartElement(QStringLiteral("style:style"));
            w.writeAttribute(QStringLiteral("style:name"), style.name);
            w.writeAttribute(QStringLiteral("style:family"), style.family);
            if (!style.parent.isEmpty())
                w.writeAttribute(QStringLiteral("style:parent-style-name"), style.parent);
            for (const auto& [element, props] : style.groups) {
                w.writeEmptyElement(element);
                for (const auto& [attr, value] : props)
                    w.writeAttribute(attr, value);
            }
            w.writeEndElement();
        }
    }

    void writeBody(QXmlStreamWriter& w)
    {
        tableCount_ = 0;
        w.writeStartElement(QStringLiteral("office:body"));
        w.writeStartElement(QStringLiteral("office:text"));
        writeContents(w, doc_.rootFrame()->begin());
        w.writeEndElement();
        w.writeEndElement();
    }

    void writeContents(QXmlStreamWriter& w, QTextFrame::iterator it)
    {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame* frame = it.currentFrame()) {
                if (auto* table = qobject_cast<QTextTable*>(frame))
                    writeTable(w, table);
                else
                    writeContents(w, frame->begin());
            } else if (it.currentBlock().isValid()) {
                writeParagraph(w, it.currentBlock());
            }
        }
    }

    void writeParagraph(QXmlStreamWriter& w, const QTextBlock& block)
    {
        const Props paragraphText = textProps(block.charFormat());
        w.writeStartElement(QStringLiteral("text:p"));
        w.writeAttribute(QStringLiteral("text:style-name"), paragraphStyle(block, paragraphText));
        TextRun run(w);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const Props props = textProps(fragment.charFormat());
            const bool span = !props.isEmpty() && props != paragraphText;
            if (span) {
                run.flush();
                w.writeStartElement(QStringLiteral("text:span"));
                w.writeAttribute(QStringLiteral("text:style-name"),
                                 named(styleOf(QStringLiteral("text"), QStringLiteral("style:text-properties"), props),
                                       QStringLiteral("T")));
            }
            run.add(fragment.text());
            if (span) {
                run.flush();
                w.writeEndElement();
            }
        }
        run.flush();
        w.writeEndElement();
    }

    QString paragraphStyle(const QTextBlock& block, const Props& text)
    {
        const QTextBlockFormat format = block.blockFormat();
        Props paragraph;
        if (format.hasProperty(QTextFormat::BlockAlignment))
            paragraph.append({QStringLiteral("fo:text-align"), alignmentName(format.alignment())});
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            paragraph.append({QStringLiteral("fo:break-before"), QStringLiteral("page")});
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
            paragraph.append({QStringLiteral("fo:break-after"), QStringLiteral("page")});
        const std::pair<QTextFormat::Property, const char*> margins[] = {
            {QTextFormat::BlockTopMargin, "fo:margin-top"},   {QTextFormat::BlockBottomMargin, "fo:margin-bottom"},
            {QTextFormat::BlockLeftMargin, "fo:margin-left"}, {QTextFormat::BlockRightMargin, "fo:margin-right"},
            {QTextFormat::TextIndent, "fo:text-indent"}};
        for (const auto& [property, attr] : margins) {
            if (format.hasProperty(property) && format.doubleProperty(property) != 0)
                paragraph.append({QString::fromLatin1(attr), pointsFromPixels(format.doubleProperty(property))});
        }
        AutoStyle style{QStringLiteral("paragraph"), {}, QStringLiteral("Standard"), {}};
        if (!paragraph.isEmpty())
            style.groups.append({QStringLiteral("style:paragraph-properties"), paragraph});
        if (!text.isEmpty())
            style.groups.append({QStringLiteral("style:text-properties"), text});
        return named(style, QStringLiteral("P"));
    }

    Props textProps(const QTextCharFormat& format)
    {
        Props props;
        const QString family = familyOf(format);
        if (!family.isEmpty()) {
            addFont(family);
            props.append({QStringLiteral("style:font-name"), family});
        }
        if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
            props.append({QStringLiteral("fo:font-size"), number(format.fontPointSize()) + QStringLiteral("pt")});
        if (format.hasProperty(QTextFormat::FontWeight))
            props.append({QStringLiteral("fo:font-weight"),
                          format.fontWeight() >= QFont::DemiBold ? QStringLiteral("bold") : QStringLiteral("normal")});
        if (format.hasProperty(QTextFormat::FontItalic))
            props.append({QStringLiteral("fo:font-style"),
                          format.fontItalic() ? QStringLiteral("italic") : QStringLiteral("normal")});
        if (format.hasProperty(QTextFormat::TextUnderlineStyle) || format.hasProperty(QTextFormat::FontUnderline)) {
            if (format.fontUnderline()) {
                props.append({QStringLiteral("style:text-underline-style"), QStringLiteral("solid")});
                props.append({QStringLiteral("style:text-underline-width"), QStringLiteral("auto")});
                props.append({QStringLiteral("style:text-underline-color"), QStringLiteral("font-color")});
            } else {
                props.append({QStringLiteral("style:text-underline-style"), QStringLiteral("none")});
            }
        }
        if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
            props.append({QStringLiteral("fo:color"), format.foreground().color().name()});
        return props;
    }

    void writeTable(QXmlStreamWriter& w, QTextTable* table)
    {
        const QTextTableFormat format = table->format();
        const int rows = table->rows();
        const int columns = table->columns();
        const QString name = QStringLiteral("Tabella") + QString::number(++tableCount_);

        const double textWidth = PageSetup::textWidthMm();
        double width = textWidth;
        if (format.width().type() == QTextLength::PercentageLength)
            width = textWidth * qBound(1.0, format.width().rawValue(), 100.0) / 100.0;
        else if (format.width().type() == QTextLength::FixedLength)
            width = qMin(textWidth, format.width().rawValue() * MmPerPixel);

        Props tableProps = {{QStringLiteral("style:width"), centimetres(width)}};
        const Qt::Alignment align = format.alignment();
        QString tableAlign = width >= textWidth - 0.01 ? QStringLiteral("margins") : QStringLiteral("left");
        if (tableAlign != QLatin1String("margins") && (align & Qt::AlignHCenter))
            tableAlign = QStringLiteral("center");
        else if (tableAlign != QLatin1String("margins") && (align & Qt::AlignRight))
            tableAlign = QStringLiteral("right");
        tableProps.append({QStringLiteral("table:align"), tableAlign});
        tableProps.append({QStringLiteral("table:border-model"),
                           format.borderCollapse() ? QStringLiteral("collapsing") : QStringLiteral("separating")});

        w.writeStartElement(QStringLiteral("table:table"));
        w.writeAttribute(QStringLiteral("table:name"), name);
        w.writeAttribute(QStringLiteral("table:style-name"),
                         named(styleOf(QStringLiteral("table"), QStringLiteral("style:table-properties"), tableProps),
                               QStringLiteral("Tab")));

        const QList<double> widths = columnWidths(format, columns, width);
        for (const double columnWidth : widths) {
            const Props props = {{QStringLiteral("style:column-width"), centimetres(columnWidth)},
                                 {QStringLiteral("style:rel-column-width"),
                                  QString::number(qRound(65535.0 * columnWidth / width)) + QLatin1Char('*')}};
            w.writeEmptyElement(QStringLiteral("table:table-column"));
            w.writeAttribute(QStringLiteral("table:style-name"),
                             named(styleOf(QStringLiteral("table-column"),
                                           QStringLiteral("style:table-column-properties"), props),
                                   QStringLiteral("Col")));
        }

        const int headerRows = qBound(0, format.headerRowCount(), rows);
        for (int row = 0; row < rows; ++row) {
            if (row == 0 && headerRows > 0)
                w.writeStartElement(QStringLiteral("table:table-header-rows"));
            w.writeStartElement(QStringLiteral("table:table-row"));
            for (int column = 0; column < columns; ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (cell.row() != row || cell.column() != column) {
                    w.writeEmptyElement(QStringLiteral("table:covered-table-cell"));
                    continue;
                }
                w.writeStartElement(QStringLiteral("table:table-cell"));
                w.writeAttribute(QStringLiteral("table:style-name"), cellStyle(format, cell));
                if (cell.rowSpan() > 1)
                    w.writeAttribute(QStringLiteral("table:number-rows-spanned"), QString::number(cell.rowSpan()));
                if (cell.columnSpan() > 1)
                    w.writeAttribute(QStringLiteral("table:number-columns-spanned"), QString::number(cell.columnSpan()));
                w.writeAttribute(QStringLiteral("office:value-type"), QStringLiteral("string"));
                writeContents(w, cell.begin());
                w.writeEndElement();
            }
            w.writeEndElement();
            if (row == headerRows - 1)
                w.writeEndElement(); // table:table-header-rows
        }
        w.writeEndElement();
    }

    // Widths in mm: percentages and fixed widths as given, the rest share what is left.
    static QList<double> columnWidths(const QTextTableFormat& format, int columns, double tableWidth)
    {
        const QList<QTextLength> constraints = format.columnWidthConstraints();
        QList<double> widths(columns, -1.0);
        double used = 0;
        int open = 0;
        for (int c = 0; c < columns; ++c) {
            const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
            if (length.type() == QTextLength::PercentageLength)
                widths[c] = tableWidth * length.rawValue() / 100.0;
            else if (length.type() == QTextLength::FixedLength)
                widths[c] = length.rawValue() * MmPerPixel;
            if (widths[c] >= 0)
                used += widths[c];
            else
                ++open;
        }
        const double share = open > 0 ? qMax(5.0, (tableWidth - used) / open) : 0;
        double total = 0;
        for (double& w : widths) {
            if (w < 0)
                w = share;
            total += w;
        }
        if (total > 0 && std::abs(total - tableWidth) > 0.01) {
            for (double& w : widths)
                w *= tableWidth / total;
        }
        return widths;
    }

    QString cellStyle(const QTextTableFormat& table, const QTextTableCell& cell)
    {
        const QTextTableCellFormat format = cell.format().toTableCellFormat();
        const QString style = borderStyleName(table.borderStyle());
        const QColor tableColour = table.borderBrush().style() != Qt::NoBrush ? table.borderBrush().color() : QColor(Qt::black);

        struct Side {
            const char* border;
            const char* padding;
            QTextFormat::Property width;
            QTextFormat::Property brush;
            QTextFormat::Property pad;
        };
        const Side sides[] = {
            {"fo:border-top", "fo:padding-top", QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderBrush,
             QTextFormat::TableCellTopPadding},
            {"fo:border-bottom", "fo:padding-bottom", QTextFormat::TableCellBottomBorder,
             QTextFormat::TableCellBottomBorderBrush, QTextFormat::TableCellBottomPadding},
            {"fo:border-left", "fo:padding-left", QTextFormat::TableCellLeftBorder,
             QTextFormat::TableCellLeftBorderBrush, QTextFormat::TableCellLeftPadding},
            {"fo:border-right", "fo:padding-right", QTextFormat::TableCellRightBorder,
             QTextFormat::TableCellRightBorderBrush, QTextFormat::TableCellRightPadding},
        };
        QStringList borders;
        QStringList paddings;
        for (const Side& side : sides) {
            const double width = format.hasProperty(side.width) ? format.doubleProperty(side.width) : table.border();
            QColor colour = tableColour;
            if (format.hasProperty(side.brush) && format.brushProperty(side.brush).style() != Qt::NoBrush)
                colour = format.brushProperty(side.brush).color();
            borders.append(width > 0 && style != QLatin1String("none")
                               ? pointsFromPixels(width) + QLatin1Char(' ') + style + QLatin1Char(' ') + colour.name()
                               : QStringLiteral("none"));
            paddings.append(pointsFromPixels(format.hasProperty(side.pad) ? format.doubleProperty(side.pad)
                                                                          : table.cellPadding()));
        }
        Props props;
        if (borders.count(borders.first()) == borders.size()) {
            props.append({QStringLiteral("fo:border"), borders.first()});
        } else {
            for (int i = 0; i < 4; ++i)
                props.append({QString::fromLatin1(sides[i].border), borders[i]});
        }
        if (paddings.count(paddings.first()) == paddings.size()) {
            props.append({QStringLiteral("fo:padding"), paddings.first()});
        } else {
            for (int i = 0; i < 4; ++i)
                props.append({QString::fromLatin1(sides[i].padding), paddings[i]});
        }
        if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
            props.append({QStringLiteral("fo:background-color"), format.background().color().name()});
        switch (format.verticalAlignment()) {
        case QTextCharFormat::AlignMiddle: props.append({QStringLiteral("style:vertical-align"), QStringLiteral("middle")}); break;
        case QTextCharFormat::AlignBottom: props.append({QStringLiteral("style:vertical-align"), QStringLiteral("bottom")}); break;
        default: break;
        }
        return named(styleOf(QStringLiteral("table-cell"), QStringLiteral("style:table-cell-properties"), props),
                     QStringLiteral("Cella"));
    }

    // The name of an automatic style with these properties, registering it on first use.
    QString named(AutoStyle style, const QString& prefix)
    {
        const QString key = style.key();
        if (const auto found = names_.constFind(key); found != names_.constEnd())
            return *found;
        style.name = prefix + QString::number(++counters_[prefix]);
        names_.insert(key, style.name);
        styles_.append(style);
        return style.name;
    }

    void addFont(const QString& family)
    {
        if (!family.isEmpty() && !fonts_.contains(family))
            fonts_.append(family);
    }

    const QTextDocument& doc_;
    QString defaultFamily_;
    double defaultSize_ = 12.0;
    QStringList fonts_;
    QList<AutoStyle> styles_;
    QHash<QString, QString> names_;
    QHash<QString, int> counters_;
    int tableCount_ = 0;
};

} // namespace

Format formatFor(const QString& fileName)
{
    return fileName.endsWith(QLatin1String(".fodt"), Qt::CaseInsensitive) ? Format::Flat : Format::Package;
}

QByteArray flatXml(const QTextDocument& document) { return Builder(document).flat(); }

QByteArray package(const QTextDocument& document) { return Builder(document).package(); }

bool write(const QTextDocument& document, const QString& fileName, QString* error)
{
    const QByteArray data = formatFor(fileName) == Format::Flat ? flatXml(document) : package(document);
    QString reason;
    if (SafeFile::write(fileName, data, &reason))
        return true;
    if (error)
        *error = QStringLiteral("Impossibile scrivere il file %1: %2.").arg(QDir::toNativeSeparators(fileName), reason);
    return false;
}

} // namespace Odf

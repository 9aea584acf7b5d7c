#pragma once
// The maker's price list, "listino.txt": a heading, the number of programs n,
// then for each program its name, subject, list price and internet offer price.
// Items are separated by commas or line breaks; a text may stand in double
// quotes (it must when it holds a comma); prices use a full stop for decimals.
//
// Reading never fails: whatever cannot be used is left out and described in an
// Italian line ("listino.txt, riga 7: prezzo non numerico (\"12,50\")"), so the
// window can show the good records together with what went wrong.

#include "export/exports.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One program of the price list, as the catalogue print takes it.
using PriceRecord = Exports::PriceRow;

struct PriceList {
    static constexpr int MinRecords = 10;
    static constexpr int MaxRecords = 100;
    static constexpr qsizetype MaxFileBytes = 1024 * 1024;
    static constexpr qsizetype MaxItemLength = 200;
    static inline const QString FileName = QStringLiteral("listino.txt");

    // However faulty the file, a window shows only the first few problems and how
    // many more there are: the rest are counted, not kept.
    static constexpr int KeptProblems = 5;

    QString heading;
    QList<PriceRecord> records; // record k of the list is records[k - 1]
    QStringList problems; // the first KeptProblems met, in order; empty for a sound file
    int moreProblems = 0; // met after those and not kept

    // Notes a problem after, or before, those met so far.
    void addProblem(const QString& problem);
    void prependProblem(const QString& problem);
    int problemCount() const { return int(problems.size()) + moreProblems; }

    // The file by its bare name: in the current directory, else beside the
    // program; an empty text when neither holds it.
    static QString locate(const QString& fileName = FileName);
    // locate() and read(); a missing file is a problem like any other.
    static PriceList load();
    static PriceList read(const QString& path);
    // UTF-8, Windows-1252 or UTF-16 with a byte-order mark (TextFiles), CRLF
    // or LF line ends. `fileName` names the file in the problem lines.
    static PriceList parse(const QByteArray& data, const QString& fileName = FileName);

    // Items already decoded; `truncated`: the text is the head of a longer file,
    // so a last record it holds only in part is no fault of the file.
    static PriceList parseText(const QString& text, const QString& fileName, bool truncated);

    // The line a window shows: the first problem, with how many more follow.
    QString problemSummary() const;
    // The problems kept, one to a line, and a last line with how many more there
    // are: what a tooltip or a message shows.
    QString problemDetails() const;

    // A price as the catalogue grid shows it: the user's decimal separator,
    // no digit grouping, only the decimals it has.
    static QString plainNumber(double value);
};

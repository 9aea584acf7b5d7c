#pragma once
// The corpus data folder the build compiled (LEXORIA_CORPUS_DIR), read here with
// plain rules and without the program: whether it is the delivered
// demonstration folder, and how many massime its files give a topic. Tests take
// their expected counts from it, so that they hold for any folder compiled.

#include "corpus/archives.h"

#include <QList>
#include <QString>
#include <optional>

// A massima of the compiled folder's files at its place, with its topic's title.
struct DataMassima {
    corpus::Archive archive = corpus::Archive::edilizia;
    int topic = 0;
    int position = 0;
    QString title;
    QString text;
};

// Every massima of the compiled folder's files, archive by archive in the table's
// order: "== N title" opens topic N, and each non-empty line after it is its next
// position. A missing file or a header outside the archive's topics stops the test.
const QList<DataMassima>& dataMassime();

// True when the build compiled the delivered data folder (corpus/data).
bool deliveredData();

// The folder the build compiled, as a path to name in a message.
QString compiledDataFolder();

// How many massime the compiled folder's files give topic `topic` of `archive`
// (topic 0: every topic of it; no archive: every archive).
int countInDataFiles(std::optional<corpus::Archive> archive, int topic = 0);

// `delivered`, the delivered corpus's figure, when the build compiled the
// delivered folder; else the figure the compiled folder's files give.
int expectedCount(int delivered, std::optional<corpus::Archive> archive, int topic = 0);

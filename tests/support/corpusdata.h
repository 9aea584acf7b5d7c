#pragma once
// The corpus data folder the build compiled (LEXORIA_CORPUS_DIR), read here with
// plain rules and without the program: whether it is the delivered
// demonstration folder, and how many massime its files give a topic. Tests take
// their expected counts from it, so that they hold for any folder compiled.

#include "corpus/archives.h"

#include <QString>
#include <optional>

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

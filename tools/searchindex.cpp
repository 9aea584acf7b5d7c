// Writes the search index of the corpus compiled into the program (run by the
// build): the same indexing code the program uses when it must build its index in
// memory, over the same checked data, carrying that corpus's print.
// Usage: searchindex OUTPUT

#include "corpus/archivetables.h"
#include "search/searchindex.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: searchindex OUTPUT\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const QString output = QString::fromLocal8Bit(argv[1]);
    const QList<search::SourceMassima> massime = search::SearchEngine::corpusMassime();
    QString problem;
    if (!search::SearchIndex::write(massime, corpus::ArchiveTables::Fingerprint(), output, &problem)) {
        err << output << ": " << problem << '\n';
        return 1;
    }
    QTextStream(stdout) << output << ": " << massime.size() << " massime, " << QFileInfo(output).size() << " byte, "
                        << timer.elapsed() << " ms\n";
    return 0;
}

// Checks corpus data files before they are compiled into the program.
// Usage: corpuscheck FILE...   (the archive is taken from each file's base name)
// Prints "file:line: message" for every fault and exits 1 if there was any.

#include "archives.h"
#include "corpusfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QTextStream err(stderr);
    if (argc < 2) {
        err << "usage: corpuscheck FILE...\n";
        return 2;
    }
    int faults = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const auto archive = corpus::archiveByName(QFileInfo(path).completeBaseName());
        if (!archive) {
            err << path << ":0: not the data file of an archive (the name must be an archive's)\n";
            ++faults;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << path << ":0: cannot be read: " << file.errorString() << '\n';
            ++faults;
            continue;
        }
        const corpus::ArchiveInfo& a = corpus::info(*archive);
        const corpus::ParsedArchive parsed = corpus::parseArchiveFile(file.readAll(), a.topics, a.positions);
        for (const corpus::CorpusFault& f : parsed.faults)
            err << path << ':' << f.line << ": " << f.message << '\n';
        faults += int(parsed.faults.size());
    }
    return faults == 0 ? 0 : 1;
}

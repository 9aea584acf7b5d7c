// Checks corpus data files before they are compiled into the program.
// Usage: corpuscheck [--all] FILE...   (the archive is taken from each file's base name)
// Prints "file:line: message" for every fault and exits 1 if there was any. With
// --all (the build's check) every archive of the archive table must have its file
// among those given.

#include "archives.h"
#include "corpusfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

int main(int argc, char** argv)
{
    QTextStream err(stderr);
    const bool all = argc > 1 && qstrcmp(argv[1], "--all") == 0;
    const int first = all ? 2 : 1;
    if (argc <= first) {
        err << "usage: corpuscheck [--all] FILE...\n";
        return 2;
    }
    int faults = 0;
    QSet<corpus::Archive> given;
    for (int i = first; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const auto archive = corpus::archiveByName(QFileInfo(path).completeBaseName());
        if (!archive) {
            err << path << ":0: not the data file of an archive (the name must be an archive's)\n";
            ++faults;
            continue;
        }
        given.insert(*archive);
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
    for (const corpus::ArchiveInfo& a : corpus::archives()) {
        if (all && !given.contains(a.archive)) {
            err << a.name << ".txt:0: missing: the archive " << a.name << " has no data file\n";
            ++faults;
        }
    }
    return faults == 0 ? 0 : 1;
}

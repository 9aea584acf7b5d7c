// Runs a fuzzing target over kept inputs, without libFuzzer: every file in the
// folders (or every file) named on the command line goes through the target
// once. A crash or a sanitizer report ends the run with an error; so does a
// run that found no input at all (a mistyped folder must not pass unseen).

#include "tests/fuzz/fuzztarget.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QTextStream out(stdout);
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
            files.sort();
        } else if (QFileInfo(path).isFile()) {
            files << path;
        }
        for (const QString& file : files) {
            if (QFileInfo(file).fileName() == QLatin1String("README"))
                continue;
            QFile input(file);
            if (!input.open(QIODevice::ReadOnly)) {
                out << "cannot read " << file << Qt::endl;
                return 1;
            }
            const QByteArray data = input.readAll();
            out << "replaying " << file << " (" << data.size() << " bytes)" << Qt::endl;
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()));
            ++replayed;
        }
    }
    out << replayed << " inputs replayed" << Qt::endl;
    return replayed > 0 ? 0 : 1;
}

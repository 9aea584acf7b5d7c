// Faults the program survives. Each row puts it into one faulty environment and
// checks three things: it keeps running (its event loop still turns afterwards),
// the user is told what matters, and nothing is lost (the document reaches the
// user, an earlier file stays as it was).

#include "browser/browserwindow.h"
#include "export/documentwindow.h"
#include "export/exports.h"
#include "export/presentation.h"
#include "info/infowindows.h"
#include "info/pricelist.h"
#include "shell/media/mediacontrol.h"
#include "shell/modlexoria.h"
#include "shell/windowregistry.h"
#include "tests/support/faultenv.h"
#include "tests/support/guitest.h"
#include "tests/support/richtextprobe.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Tune = QStringLiteral(LEXORIA_SOURCE_DIR "/assets/Internet.mid");
const QString HelpTitle = QStringLiteral("Come stampare");
const QString HelpText = QStringLiteral("Il testo della guida che deve arrivare all'utente in ogni caso.");

QList<DocumentWindow*> documentWindows()
{
    QList<DocumentWindow*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<DocumentWindow*>(w); window && window->isVisible())
            windows.append(window);
    return windows;
}

// Nothing audible: the synthesizer's own noise floor stays far below this.
bool silent(const std::vector<float>& samples)
{
    return std::all_of(samples.begin(), samples.end(), [](float s) { return std::fabs(s) < 1e-4f; });
}

QList<Exports::GuidePage> guidePages() { return {{HelpTitle, HelpText}, {QStringLiteral("Archivio dati"), HelpText}}; }

const Exports::GuideHeading Heading{QStringLiteral("Lexoria"), QStringLiteral("massime sull'edilizia")};

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::optional<ProcessSettingsGuard> settings_; // from init() to cleanup()
    QStringList handed_; // the documents handed to a word processor
    QString skip_; // why a row cannot run here

    QString path(const QString& name) const { return dir_.filePath(name); }

    // The word processor the program finds: `program` started as "program -n FILE".
    void useWordProcessor(const QString& program)
    {
        Presentation::setFinder([this, program](const QString& file) -> std::optional<Presentation::WordProcessor> {
            handed_.append(file);
            return Presentation::WordProcessor{
                QStringLiteral("LibreOffice Writer"), program, {QStringLiteral("-n"), file}};
        });
    }
    // A fake word processor that notes its process number and runs `body`.
    QString fakeWordProcessor(const QByteArray& body)
    {
        const QString program = path(QStringLiteral("bin/soffice"));
        QDir().mkpath(path(QStringLiteral("bin")));
        makeExecutable(program, "#!/bin/sh\necho $$ > '" + path(QStringLiteral("pid")).toUtf8() + "'\n" + body + "\n");
        return program;
    }
    pid_t fakePid() const { return pid_t(fileContents(path(QStringLiteral("pid"))).trimmed().toLongLong()); }
    pid_t childPid() const { return pid_t(fileContents(path(QStringLiteral("child"))).trimmed().toLongLong()); }

    QStringList told() const
    {
        QStringList texts;
        for (const Dialogs::MessageBoxRequest& request : dialogs_->messages)
            texts << request.text;
        return texts;
    }
    bool toldAbout(const QString& part) const
    {
        return std::any_of(dialogs_->messages.cbegin(), dialogs_->messages.cend(),
                           [&part](const Dialogs::MessageBoxRequest& r) { return r.text.contains(part); });
    }
    // The document reached the user in the built-in window, whole.
    void shownInWindow(const QString& text)
    {
        QTRY_COMPARE(documentWindows().size(), 1);
        QVERIFY2(documentWindows().first()->document()->toPlainText().contains(text),
                 qPrintable(documentWindows().first()->document()->toPlainText()));
    }
    void printHelp() { ModLexoria::PrintHelpText(HelpTitle, HelpText); }

    // ---- the rows ----

    void noSoundFont()
    {
        const MMControl::Rendering r = MMControl::renderToMemory(Tune, path(QStringLiteral("assente.sf2")), 2);
        QVERIFY(silent(r.samples));
    }

    void noSoundDevice()
    {
        QFile empty(path(QStringLiteral("alsa.conf")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        const ScopedEnv alsa("ALSA_CONFIG_PATH", empty.fileName().toUtf8());
        const ScopedEnv pulse("PULSE_SERVER", "unix:" + path(QStringLiteral("nessun-server")).toUtf8());
        MMControl control;
        control.setFileName(Tune);
        for (const char* command : {"open", "play", "pause", "play", "close", "play"})
            control.setCommand(QString::fromLatin1(command));
        QVERIFY(!control.isOpen());
    }

    void playsSilence(const QByteArray& music)
    {
        const QString file = path(QStringLiteral("musica.mid"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(music);
        out.close();
        const QString soundFont = MMControl::soundFontPath();
        if (soundFont.isEmpty()) {
            skip_ = QStringLiteral("no General MIDI soundfont installed to try the file with");
            return;
        }
        QVERIFY(silent(MMControl::renderToMemory(file, soundFont, 2).samples));
        MMControl control;
        control.setFileName(file);
        for (const char* command : {"open", "play", "pause", "close"})
            control.setCommand(QString::fromLatin1(command));
    }
    void damagedMusic()
    {
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 7919 + 13) % 251));
        playsSilence("MThd" + garbage);
    }
    void truncatedMusic() { playsSilence(fileContents(Tune).left(fileContents(Tune).size() / 2)); }
    void hugeMusic()
    {
        // The tune followed by a chunk of another kind, which MIDI readers skip: a
        // playable file of 1.5 MB, far more than a start-up tune needs.
        QByteArray music = fileContents(Tune);
        const quint32 size = 1536 * 1024;
        music += "XLex";
        for (int shift : {24, 16, 8, 0})
            music += char((size >> shift) & 0xff);
        music += QByteArray(size, '\0');
        const QString soundFont = MMControl::soundFontPath();
        const QString file = path(QStringLiteral("enorme.mid"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(music);
        out.close();
        if (!soundFont.isEmpty() && !silent(MMControl::renderToMemory(file, soundFont, 2).samples)) {
            skip_ = QStringLiteral("a music file over 1 MB is still played: refusing it (playing nothing, silently, "
                                   "as for a missing file) is not built yet");
            return;
        }
        playsSilence(music);
    }

    void wordProcessorMissing()
    {
        Presentation::setFinder({});
        const ScopedEnv emptyPath("PATH", QByteArray());
        printHelp();
        shownInWindow(HelpText);
        // A desktop without a word processor is no fault: the window is all there is to say.
        QCOMPARE(told(), QStringList());
    }

    void wordProcessorFailsAtStart()
    {
        useWordProcessor(path(QStringLiteral("non-installato/soffice")));
        printHelp();
        shownInWindow(HelpText);
        QVERIFY2(toldAbout(QStringLiteral("Non è stato possibile avviare LibreOffice Writer")),
                 qPrintable(told().join('|')));
    }

    // Printed from an archive window, whose hint must not claim the word processor shows it.
    void printFromTheArchiveWindow(QLabel** hint)
    {
        WindowRegistry::instance().registerWindow(QStringLiteral("condominio"),
                                                  [] { return new BrowserWindow(corpus::Archive::condominio); });
        auto* window = qobject_cast<BrowserWindow*>(WindowRegistry::instance().show(QStringLiteral("condominio")));
        QVERIFY(window);
        control<QListWidget>(window, "List1")->setCurrentRow(2);
        window->stampa_Click();
        *hint = window->findChild<QLabel*>(QStringLiteral("passo"));
    }
    // Printed from an archive window with no word processor installed: the hint
    // names the window that shows the document.
    void wordProcessorMissingForTheArchiveWindow()
    {
        Presentation::setFinder({});
        const ScopedEnv emptyPath("PATH", QByteArray());
        QLabel* hint = nullptr;
        printFromTheArchiveWindow(&hint);
        QVERIFY(hint);
        shownInWindow(QStringLiteral("Massime sul condominio"));
        QCOMPARE(told(), QStringList());
        QCOMPARE(hint->text(), Exports::ShownInWindowHint);
    }

    void wordProcessorFailsAfterStart()
    {
        useWordProcessor(fakeWordProcessor("exit 3"));
        QLabel* hint = nullptr;
        printFromTheArchiveWindow(&hint);
        QVERIFY(hint);
        QTRY_COMPARE(documentWindows().size(), 1);
        QTRY_VERIFY2(toldAbout(QStringLiteral("LibreOffice Writer si è chiuso con un errore (codice 3)")),
                     qPrintable(told().join('|')));
        QCOMPARE(hint->text(), Exports::ShownInWindowHint);
        QVERIFY(
            documentWindows().first()->document()->toPlainText().contains(QStringLiteral("Massime sul condominio")));
    }

    void wordProcessorHangs()
    {
        Presentation::setHandoverTimeout(1000);
        useWordProcessor(fakeWordProcessor("exec sleep 300"));
        printHelp();
        QCOMPARE(told(), QStringList());
        shownInWindow(HelpText);
        QTRY_VERIFY(toldAbout(QStringLiteral("non ha aperto il documento entro")));
        QTRY_VERIFY(::kill(fakePid(), 0) != 0); // stopped: none is left running, one more per print
    }

    // As the real start chain has it: a launcher whose child, the office itself,
    // hangs without opening the document and ignores a request to end.
    void wordProcessorChildHangs()
    {
        Presentation::setHandoverTimeout(1000);
        const QString child = path(QStringLiteral("child"));
        useWordProcessor(
            fakeWordProcessor("(trap '' TERM; exec sleep 300) &\necho $! > '" + child.toUtf8() + "'\nwait"));
        printHelp();
        shownInWindow(HelpText);
        QTRY_VERIFY(toldAbout(QStringLiteral("non ha aperto il documento entro")));
        QTRY_VERIFY(QFileInfo(child).size() > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!processRunning(childPid()), 20000); // no part of it is left running
        QTRY_VERIFY(!processRunning(fakePid()));
    }

    void fullDisk()
    {
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        const QString guide = path(QStringLiteral("programma/Lexoria-guida.odt"));
        QDir().mkpath(QFileInfo(guide).path());
        QFile earlier(guide);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("la guida di ieri");
        earlier.close();
        Presentation::Result result;
        {
            const FileSizeLimit limit(1024);
            QVERIFY(limit.active());
            printHelp();
            result = Exports::printWholeGuide(Heading, guidePages(), guide, nullptr);
        }
        QVERIFY(handed_.isEmpty()); // no cut-off document handed over
        QVERIFY2(toldAbout(QStringLiteral("il file supera la dimensione massima consentita")),
                 qPrintable(told().join('|')));
        QVERIFY(result.message.contains(QStringLiteral("La guida completa non è stata salvata")));
        QCOMPARE(fileContents(guide), QByteArray("la guida di ieri"));
        QTRY_COMPARE(documentWindows().size(), 2); // the help text and the guide, both shown
    }

    void temporaryFolderUnwritable()
    {
        Presentation::setDocumentFolder(QString());
        QString temporary = path(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(temporary));
        QFile::setPermissions(temporary, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (::access(QFile::encodeName(temporary).constData(), W_OK) == 0) {
            // Root writes anywhere: a file in the folder's place stops it as well.
            temporary = path(QStringLiteral("tmp-file"));
            QFile file(temporary);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const ScopedEnv tmpdir("TMPDIR", temporary.toUtf8());
        const ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray(), true);
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        printHelp();
        shownInWindow(HelpText);
        QVERIFY2(toldAbout(QStringLiteral("cartella temporanea")), qPrintable(told().join('|')));
        QFile::setPermissions(path(QStringLiteral("tmp")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void temporaryFolderPlanted()
    {
        Presentation::setDocumentFolder(QString());
        const QString temporary = path(QStringLiteral("tmp"));
        const QString victim = path(QStringLiteral("altrui"));
        QVERIFY(QDir().mkpath(temporary) && QDir().mkpath(victim));
        QFile note(victim + QStringLiteral("/documento-20200101-000000-1-1.odt"));
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.write("di un altro");
        note.close();
        QVERIFY(QFile::link(victim, temporary + QStringLiteral("/lexoria-%1").arg(::getuid())));
        const ScopedEnv tmpdir("TMPDIR", temporary.toUtf8());
        const ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray(), true);
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        printHelp();
        QCOMPARE(told(), QStringList());
        QCOMPARE(handed_.size(), 1); // the document reached the word processor ...
        QVERIFY(!QFileInfo(handed_.first()).canonicalFilePath().startsWith(victim)); // ... not through the link
        QCOMPARE(fileContents(note.fileName()), QByteArray("di un altro"));
        QCOMPARE(QDir(victim).entryList(QDir::Files).size(), 1);
    }

    // Where lexoria-<uid> cannot be used, each run falls back on a fresh folder:
    // an earlier run's is used again or cleared, so they do not pile up.
    void freshFoldersPileUp()
    {
        const QString temporary = path(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(temporary));
        const QString taken = temporary + QStringLiteral("/lexoria-%1").arg(::getuid());
        QCOMPARE(::mkdir(QFile::encodeName(taken).constData(), 0700), 0);
        QCOMPARE(::chmod(QFile::encodeName(taken).constData(), 0777), 0); // open to everyone: not private
        const QString earlier = temporary + QStringLiteral("/lexoria-Qwerty");
        QCOMPARE(::mkdir(QFile::encodeName(earlier).constData(), 0700), 0);
        const QString read = earlier + QStringLiteral("/documento-20200101-000000-1-1.odt");
        QFile document(read);
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.close();
        QVERIFY(backdate(read) && backdate(earlier));
        const ScopedEnv tmpdir("TMPDIR", temporary.toUtf8());
        const ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray(), true);
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        for (int run = 0; run < 3; ++run) {
            Presentation::setDocumentFolder(QString()); // a new run chooses afresh
            printHelp();
        }
        QCOMPARE(told(), QStringList());
        QCOMPARE(handed_.size(), 3);
        QStringList fresh =
            QDir(temporary).entryList({QStringLiteral("lexoria-*")}, QDir::AllEntries | QDir::Hidden | QDir::System);
        fresh.removeOne(QFileInfo(taken).fileName());
        QCOMPARE(fresh.size(), 1);
        for (const QString& file : handed_)
            QCOMPARE(QFileInfo(file).path(), temporary + QLatin1Char('/') + fresh.first());
    }

    // Another user who can write the program's folder plants the guide's name as a
    // link to a file of the user's: the guide takes the link's place, the file stays.
    void guidePlantedAsLink()
    {
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        const QString folder = path(QStringLiteral("programma"));
        QVERIFY(QDir().mkpath(folder));
        const QString victim = path(QStringLiteral("vittima.txt"));
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("dati della vittima");
        file.close();
        const QString guide = folder + QStringLiteral("/Lexoria-guida.odt");
        QVERIFY(QFile::link(victim, guide));
        QString savedAs;
        const Presentation::Result result =
            Exports::printWholeGuide(Heading, guidePages(), folder + QStringLiteral("/Lexoria-guida.doc"), &savedAs,
                                     path(QStringLiteral("home/Documenti/Lexoria-guida.odt")));
        QVERIFY2(result.message.isEmpty(), qPrintable(result.message));
        QCOMPARE(fileContents(victim), QByteArray("dati della vittima"));
        QCOMPARE(savedAs, guide);
        QVERIFY(!QFileInfo(guide).isSymLink());
        QVERIFY(fileContents(guide).startsWith("PK"));
        QCOMPARE(handed_.size(), 1);
    }

    // A program folder the guide cannot be saved in: chmod for a user, and for root
    // (who writes anywhere) a folder standing in the guide's place.
    QString readOnlyProgramFolder()
    {
        const QString folder = path(QStringLiteral("programma"));
        QDir().mkpath(folder);
        if (::geteuid() == 0)
            QDir().mkpath(folder + QStringLiteral("/Lexoria-guida.odt"));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return folder + QStringLiteral("/Lexoria-guida.doc");
    }
    void programFolderReadOnly()
    {
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        QString savedAs;
        const QString documents = path(QStringLiteral("home/Documenti/Lexoria-guida.odt"));
        const Presentation::Result result =
            Exports::printWholeGuide(Heading, guidePages(), readOnlyProgramFolder(), &savedAs, documents);
        QVERIFY2(result.message.isEmpty(), qPrintable(result.message));
        QCOMPARE(savedAs, documents); // the user is told this place by the program's message
        QVERIFY(fileContents(documents).startsWith("PK"));
        QCOMPARE(handed_.size(), 1);
    }

    void documentsFolderMissing()
    {
        const ScopedEnv home("HOME", path(QStringLiteral("casa")).toUtf8());
        const ScopedEnv config("XDG_CONFIG_HOME", path(QStringLiteral("casa/.config")).toUtf8());
        const QString documents = ModLexoria::GuideDocumentsFileName();
        QVERIFY2(documents.startsWith(path(QStringLiteral("casa/"))), qPrintable(documents));
        QVERIFY(!QFileInfo::exists(QFileInfo(documents).path()));
        QString savedAs;
        Exports::printWholeGuide(Heading, guidePages(), readOnlyProgramFolder(), &savedAs, documents);
        QCOMPARE(savedAs, documents);
        QVERIFY(fileContents(documents).startsWith("PK"));

        // The folder of the documents handed to the word processor, removed while the program runs.
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        printHelp();
        QVERIFY(QDir(path(QStringLiteral("documenti"))).removeRecursively());
        printHelp();
        QCOMPARE(handed_.size(), 2);
        QVERIFY(QFileInfo(handed_.last()).size() > 0);
        QCOMPARE(told(), QStringList());
    }

    void homeUnset()
    {
        const ScopedEnv home("HOME", QByteArray(), true);
        useWordProcessor(QStandardPaths::findExecutable(QStringLiteral("true")));
        printHelp();
        QCOMPARE(handed_.size(), 1);
        QCOMPARE(ModLexoria::GuideDocumentsFileName(), QString()); // no "/Documents" made for no one
        QString savedAs;
        const Presentation::Result result = Exports::printWholeGuide(Heading, guidePages(), readOnlyProgramFolder(),
                                                                     &savedAs, ModLexoria::GuideDocumentsFileName());
        QCOMPARE(savedAs, QString());
        QVERIFY2(result.message.startsWith(QStringLiteral("La guida completa non è stata salvata.")),
                 qPrintable(result.message));
        QCOMPARE(handed_.size(), 2); // the guide itself still reached the user
    }

    // A price list whose heading and first item show an image read from a FIFO
    // nobody writes: the catalogue shows the text as written and never opens it.
    void priceListMarkup()
    {
        const QString fifo = path(QStringLiteral("immagine"));
        FifoWatch watch(fifo);
        QVERIFY(watch.made());
        const QString image = QStringLiteral("<img src=") + fifo + QLatin1Char('>');
        QFile list(path(PriceList::FileName));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QStringLiteral("\"%1\"\n1\n\"%1\",\"argomento\",100,90\n").arg(image).toUtf8());
        list.close();
        const QString previousDir = QDir::currentPath();
        const auto restoreDir = qScopeGuard([&previousDir] { QDir::setCurrent(previousDir); });
        QVERIFY(QDir::setCurrent(dir_.path())); // the catalogue reads the price list from here first
        registerInfoWindows(WindowRegistry::instance());
        QWidget* catalogue = WindowRegistry::instance().show(QStringLiteral("prodotti"));
        QVERIFY(QTest::qWaitForWindowExposed(catalogue));
        for (QLabel* label : catalogue->findChildren<QLabel*>()) {
            hover(label);
            QToolTip::hideText();
        }
        (void)catalogue->grab();
        auto* heading = catalogue->findChild<QLabel*>(QStringLiteral("Label10"));
        auto* item = catalogue->findChild<QLabel*>(QStringLiteral("nom_1"));
        QStringList requested;
        QCOMPARE(rendered(heading->toolTip(), Qt::AutoText, &requested), image);
        QCOMPARE(rendered(heading->text(), heading->textFormat(), &requested), heading->text());
        QCOMPARE(rendered(item->text(), item->textFormat(), &requested), image);
        QCOMPARE(requested, QStringList());
        QCOMPARE(watch.stop(), 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        ModLexoria::InitSettings();
    }

    void init()
    {
        settings_.emplace();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        // Each row checks what the user was told (toldAbout), answered as with OK.
        dialogs_->allowUnanswered();
        handed_.clear();
        Presentation::setFinder([](const QString&) { return std::optional<Presentation::WordProcessor>(); });
        Presentation::setDocumentFolder(path(QStringLiteral("documenti")));
    }

    void cleanup()
    {
        for (DocumentWindow* window : documentWindows()) {
            window->document()->setModified(false);
            window->close();
        }
        resetWindows();
        if (QFileInfo::exists(path(QStringLiteral("pid"))))
            ::kill(fakePid(), SIGKILL);
        if (QFileInfo::exists(path(QStringLiteral("child"))))
            ::kill(childPid(), SIGKILL);
        for (const QString& name : QDir(dir_.path()).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
            const QString entry = path(name);
            QFile::setPermissions(entry, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            if (QFileInfo(entry).isDir() && !QFileInfo(entry).isSymLink())
                QDir(entry).removeRecursively();
            else
                QFile::remove(entry);
        }
        dialogs_.reset();
        settings_.reset();
    }

    void survives_data()
    {
        QTest::addColumn<int>("fault");
        for (int i = 0; i < int(std::size(rows())); ++i)
            QTest::newRow(rows()[i].name) << i;
    }

    void survives()
    {
        QFETCH(int, fault);
        skip_.clear();
        (this->*rows()[fault].run)();
        if (QTest::currentTestFailed())
            return;
        if (!skip_.isEmpty())
            QSKIP(qPrintable(skip_));
        // Still running: the event loop turns.
        bool turned = false;
        QTimer::singleShot(0, this, [&turned] { turned = true; });
        QTRY_VERIFY(turned);
    }

private:
    struct Row {
        const char* name;
        void (TestFaults::*run)();
    };
    static const std::array<Row, 20>& rows()
    {
        static const std::array<Row, 20> table = {{
            {"no soundfont", &TestFaults::noSoundFont},
            {"no sound device", &TestFaults::noSoundDevice},
            {"damaged music file", &TestFaults::damagedMusic},
            {"truncated music file", &TestFaults::truncatedMusic},
            {"huge music file", &TestFaults::hugeMusic},
            {"word processor missing", &TestFaults::wordProcessorMissing},
            {"word processor missing for an archive window", &TestFaults::wordProcessorMissingForTheArchiveWindow},
            {"word processor failing at start", &TestFaults::wordProcessorFailsAtStart},
            {"word processor failing after start", &TestFaults::wordProcessorFailsAfterStart},
            {"word processor hanging after start", &TestFaults::wordProcessorHangs},
            {"word processor's child hanging after start", &TestFaults::wordProcessorChildHangs},
            {"full disk", &TestFaults::fullDisk},
            {"temporary folder unwritable", &TestFaults::temporaryFolderUnwritable},
            {"temporary folder planted as a symbolic link", &TestFaults::temporaryFolderPlanted},
            {"fresh document folders of earlier runs", &TestFaults::freshFoldersPileUp},
            {"guide planted as a symbolic link", &TestFaults::guidePlantedAsLink},
            {"program folder read-only", &TestFaults::programFolderReadOnly},
            {"documents folder missing", &TestFaults::documentsFolderMissing},
            {"HOME unset", &TestFaults::homeUnset},
            {"price list holding markup", &TestFaults::priceListMarkup},
        }};
        return table;
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"

// A long session, scripted on the offscreen platform: every archive window
// opened and closed 200 times, 5,000 steps through the topics, 100 help texts
// printed to the built-in document window and closed, then the exit sequence.
// The session runs in a child process (this program with --session) so its
// exit status is the program's own; the test checks that status and that the
// resident memory after a warm-up round grows by less than 5 MiB.

#include "browser/browserwindow.h"
#include "browser/registerbrowser.h"
#include "export/documentwindow.h"
#include "export/presentation.h"
#include "help/helpwindow.h"
#include "help/registerhelp.h"
#include "info/infowindows.h"
#include "shell/fonts.h"
#include "shell/frmsplash.h"
#include "shell/modlexoria.h"
#include "shell/scelta.h"
#include "shell/windowregistry.h"
#include "tests/support/guitest.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <malloc.h>

namespace {

constexpr int ArchiveCycles = 200;
constexpr int TopicSteps = 5000;
constexpr int HelpPrints = 100;
constexpr qint64 MaxGrowthKiB = 5 * 1024;

const QStringList HelpPages = {
    QStringLiteral("manuale"),         QStringLiteral("guidascelta"),        QStringLiteral("guidaedilizia"),
    QStringLiteral("guidaurbanistica"), QStringLiteral("guidaespropriazioni"), QStringLiteral("guidaprofessionisti"),
    QStringLiteral("guidacondominio"), QStringLiteral("guidaenti"),          QStringLiteral("guidaimprese"),
    QStringLiteral("guidastampa"),     QStringLiteral("guidaarchivio"),      QStringLiteral("guidafunzionamento")};

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Resident memory in KiB, after handing freed heap back to the system so that
// only memory still in use counts.
qint64 residentKiB()
{
    settle();
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

void registerWindows()
{
    registry().registerWindow(QStringLiteral("frmSplash"), [] { return new frmSplash; });
    registry().registerWindow(QStringLiteral("scelta"), [] { return new scelta; });
    registerBrowserWindows(registry());
    registerInfoWindows(registry());
    registerHelpWindows(registry());
}

void openAndCloseArchives(int cycles)
{
    for (int c = 0; c < cycles; ++c)
        for (const corpus::ArchiveInfo& a : corpus::archives()) {
            registry().show(a.name);
            QCoreApplication::processEvents();
            registry().unload(a.name);
            settle();
        }
}

void stepThroughTopics(int steps)
{
    auto* window = qobject_cast<BrowserWindow*>(registry().show(QStringLiteral("condominio")));
    auto* topics = window->findChild<QListWidget*>(QStringLiteral("List1"));
    auto* bar = window->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    for (int i = 0; i < steps; ++i) {
        if (i % 10 == 0)
            topics->setCurrentRow((i / 10) % topics->count());
        else
            bar->setValue(bar->value() + 1);
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
    registry().unload(window);
    settle();
}

void printHelpTexts(int prints)
{
    for (int i = 0; i < prints; ++i) {
        const QString& page = HelpPages[i % HelpPages.size()];
        QWidget* help = registry().show(page);
        help->findChild<QPushButton*>(QStringLiteral("cmdStampa"))->click();
        QCoreApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* document = qobject_cast<DocumentWindow*>(w))
                document->close();
        registry().unload(page);
        settle();
    }
}

// The whole session inside the program's own event loop; returns the exit status.
int runSession(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Fonts::installSubstitutions();
    QTemporaryDir documents;
    Presentation::setDocumentFolder(documents.path());
    // No word processor: every print opens the built-in document window.
    Presentation::setFinder([](const QString&) { return std::optional<Presentation::WordProcessor>(); });
    Presentation::setDocumentWindowHook([](QWidget* window) { registry().holdProcess(window); });
    HelpWindow::setTextPrinter(&ModLexoria::PrintHelpText);
    ScriptedDialogs dialogs;

    QObject::connect(&registry(), &WindowRegistry::lastWindowUnloaded, &app, [] {
        if (registry().isEmpty())
            QCoreApplication::quit();
    }, Qt::QueuedConnection);
    registerWindows();
    registry().show(QStringLiteral("frmSplash"));

    QTextStream out(stdout);
    QTimer::singleShot(0, &app, [&] {
        QTest::mouseClick(registry().find(QStringLiteral("frmSplash")), Qt::LeftButton, {}, QPoint(5, 5));
        // Warm-up: one round of everything, so caches filled once do not count as growth.
        openAndCloseArchives(5);
        stepThroughTopics(500);
        printHelpTexts(HelpPages.size());
        const qint64 start = residentKiB();
        out << "warm-up " << start << Qt::endl;

        for (int done = 0; done < ArchiveCycles; done += 25) {
            openAndCloseArchives(25);
            out << "archive-cycles " << done + 25 << ' ' << residentKiB() << Qt::endl;
        }
        stepThroughTopics(TopicSteps);
        out << "topic-steps " << TopicSteps << ' ' << residentKiB() << Qt::endl;
        printHelpTexts(HelpPrints);
        out << "help-prints " << HelpPrints << ' ' << residentKiB() << Qt::endl;
        out << "growth " << residentKiB() - start << Qt::endl;
        out << "unanswered " << dialogs.unanswered << Qt::endl;

        // The exit sequence: Yes to the question, the closing screen, a key ends it.
        dialogs.answerNext(QMessageBox::Yes);
        ModLexoria::ConfirmExit();
        settle();
        QTest::keyClick(registry().find(QStringLiteral("frmSplash")), Qt::Key_Q, {}, 0);
    });
    return app.exec();
}

} // namespace

class TestLongSession : public QObject {
    Q_OBJECT
private slots:
    void session()
    {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--session")});
        QVERIFY(child.waitForStarted());
        QVERIFY2(child.waitForFinished(280 * 1000), "the session did not end");
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
        qInfo().noquote() << output;
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);

        QHash<QString, qint64> figures;
        for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList words = line.split(QLatin1Char(' '));
            figures.insert(words.first(), words.last().toLongLong());
        }
        QVERIFY2(figures.contains(QStringLiteral("growth")), "the session stopped before its end");
        QCOMPARE(figures.value(QStringLiteral("unanswered")), 0);
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("under AddressSanitizer freed memory stays in its quarantine: resident memory is no measure");
#endif
        QVERIFY2(figures.value(QStringLiteral("growth")) < MaxGrowthKiB,
                 qPrintable(QStringLiteral("resident memory grew by %1 KiB").arg(figures.value(QStringLiteral("growth")))));
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--session") == 0)
        return runSession(1, argv);
    QCoreApplication app(argc, argv);
    TestLongSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_longsession.moc"

#include "app/testdrive.h"

#include "app/syntheticclick.h"
#include "export/presentation.h"
#include "shell/dialogs.h"
#include "shell/windowregistry.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace TestDrive {

namespace {

void say(const QString& line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString& step)
{
    std::fprintf(stderr, "LEXORIA_TEST_DRIVE: %s\n", qPrintable(step));
    std::fflush(stderr);
    std::_Exit(1);
}

// Answers every message box with its default button (OK where it has none) and
// prints it; cancels the colour and file dialogs.
class AnsweringDialogs final : public Dialogs::Provider {
public:
    QMessageBox::StandardButton messageBox(QWidget*, const Dialogs::MessageBoxRequest& request) override
    {
        QString text = request.text;
        say(QStringLiteral("messaggio: ") + text.replace(QLatin1Char('\r'), QStringLiteral(" / ")));
        if (request.defaultButton != QMessageBox::NoButton)
            return request.defaultButton;
        return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
    }
    std::optional<QColor> colorDialog(QWidget*, const Dialogs::ColorRequest&) override { return std::nullopt; }
    QString openFileDialog(QWidget*, const Dialogs::FileRequest&) override { return {}; }
};

QWidget* shownWindow(const QString& name)
{
    QWidget* window = WindowRegistry::instance().find(name);
    return window && window->isVisible() ? window : nullptr;
}

// Checks `reached` on every turn of the event loop until it holds, then runs `next`.
void waitFor(const QString& step, std::function<bool()> reached, std::function<void()> next)
{
    auto* timer = new QTimer(qApp);
    const QDeadlineTimer deadline(60 * 1000);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (reached()) {
            timer->deleteLater();
            next();
        } else if (deadline.hasExpired()) {
            fail(step + QStringLiteral(" non raggiunto"));
        }
    });
    timer->start(50);
}

void clickSplash()
{
    QWidget* splash = shownWindow(QStringLiteral("frmSplash"));
    if (!splash)
        fail(QStringLiteral("finestra iniziale non mostrata"));
    SyntheticClick::clickCentre(splash, SyntheticClick::Delivery::Now);
}

void printWholeGuide()
{
    static AnsweringDialogs answers;
    Dialogs::setProvider(&answers);
    Presentation::setMode(Presentation::Mode::Suppressed);
    QWidget* contents = WindowRegistry::instance().show(QStringLiteral("sommario"));
    auto* print = contents ? contents->findChild<QPushButton*>(QStringLiteral("cmdStampa")) : nullptr;
    if (!print)
        fail(QStringLiteral("pulsante Stampa del sommario non trovato"));
    print->click();
    say(QStringLiteral("guida: stampata"));
    QCoreApplication::exit(0);
}

// What the search window says at once after Enter: with its index ready to open,
// the number of massime found; while an index must be built, that it is preparing it.
void searchOnce()
{
    QWidget* window = WindowRegistry::instance().show(QStringLiteral("ricerca"));
    auto* words = window ? window->findChild<QLineEdit*>(QStringLiteral("testo")) : nullptr;
    auto* status = window ? window->findChild<QLabel*>(QStringLiteral("stato")) : nullptr;
    if (!words || !status)
        fail(QStringLiteral("finestra di ricerca non trovata"));
    words->setText(QStringLiteral("distanze"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(words, &enter);
    say(QStringLiteral("ricerca: ") + status->text());
    QCoreApplication::exit(0);
}

} // namespace

void startIfAsked()
{
    const QString drive = qEnvironmentVariable("LEXORIA_TEST_DRIVE");
    if (drive.isEmpty())
        return;
    if (drive != QLatin1String("chooser") && drive != QLatin1String("guide") && drive != QLatin1String("search"))
        fail(QStringLiteral("valore sconosciuto: ") + drive);

    waitFor(QStringLiteral("finestra iniziale"), [] { return shownWindow(QStringLiteral("frmSplash")) != nullptr; }, [drive] {
        clickSplash();
        waitFor(QStringLiteral("scelta"), [] { return shownWindow(QStringLiteral("scelta")) != nullptr; }, [drive] {
            say(QStringLiteral("scelta: mostrata"));
            if (drive == QLatin1String("guide"))
                printWholeGuide();
            else if (drive == QLatin1String("search"))
                searchOnce();
            else
                QCoreApplication::exit(0);
        });
    });
}

} // namespace TestDrive

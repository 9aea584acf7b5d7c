#include "app/benchprobe.h"

#include "app/syntheticclick.h"

#include <QApplication>
#include <QSet>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace BenchProbe {

namespace {

long long monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

long peakResidentKb()
{
    long kb = -1;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
                break;
        std::fclose(status);
    }
    return kb;
}

class Probe : public QObject {
public:
    Probe(int fd, bool click, QString until, QStringList show)
        : fd_(fd), click_(click), until_(std::move(until)), show_(std::move(show)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && !painted_.contains(widget)) {
                painted_.insert(widget);
                // Queued: it runs once this paint has been completed and flushed.
                QMetaObject::invokeMethod(this, [this, widget] { windowPainted(widget); }, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    void windowPainted(QWidget* window)
    {
        const long long ns = monotonicNs();
        const QString name = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                            : window->objectName();
        write(QStringLiteral("%1 %2\n").arg(name).arg(ns));
        const bool first = !firstSeen_;
        firstSeen_ = true;
        if (first && click_)
            SyntheticClick::clickCentre(window, SyntheticClick::Delivery::Queued);
        if (waitingFor_.isEmpty() && (until_.isEmpty() ? first : name == until_)) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (show_.contains(w->objectName()) && !painted_.contains(w)) {
                    waitingFor_.insert(w->objectName());
                    w->show();
                }
            if (waitingFor_.isEmpty())
                finish();
            return;
        }
        if (waitingFor_.remove(name) && waitingFor_.isEmpty())
            finish();
    }

    void finish()
    {
        write(QStringLiteral("hwm %1\n").arg(peakResidentKb()));
        ::_exit(0);
    }

    void write(const QString& line)
    {
        const QByteArray bytes = line.toUtf8();
        if (::write(fd_, bytes.constData(), size_t(bytes.size())) < 0)
            ::_exit(3);
    }

    int fd_;
    bool click_;
    QString until_;
    QStringList show_;
    QSet<QWidget*> painted_;
    QSet<QString> waitingFor_;
    bool firstSeen_ = false;
};

} // namespace

void installFromEnvironment()
{
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue("LEXORIA_BENCH_FD", &ok);
    if (!ok || fd < 0 || !qApp)
        return;
    auto* probe = new Probe(fd, qEnvironmentVariableIntValue("LEXORIA_BENCH_CLICK") == 1,
                            qEnvironmentVariable("LEXORIA_BENCH_UNTIL"),
                            qEnvironmentVariable("LEXORIA_BENCH_SHOW").split(QLatin1Char(','), Qt::SkipEmptyParts));
    probe->setParent(qApp);
    qApp->installEventFilter(probe);
}

} // namespace BenchProbe

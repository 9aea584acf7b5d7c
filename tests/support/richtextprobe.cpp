#include "tests/support/richtextprobe.h"

#include "tests/support/faultenv.h"

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <fcntl.h>
#include <unistd.h>

QVariant ResourceProbe::loadResource(int, const QUrl& name)
{
    requested << name.toString();
    return {};
}

QString rendered(const QString& text, Qt::TextFormat format, QStringList* requested)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    ResourceProbe document;
    document.setHtml(text);
    document.setTextWidth(400);
    (void)document.size(); // the layout asks for the images
    *requested += document.requested;
    return document.toPlainText();
}

void hover(QWidget* control)
{
    const QPoint centre = control->rect().center();
    QHelpEvent event(QEvent::ToolTip, centre, control->mapToGlobal(centre));
    QApplication::sendEvent(control, &event);
}

FifoWatch::FifoWatch(const QString& path) : path_(QFile::encodeName(path))
{
    made_ = plant(path, Planted::Fifo);
    if (made_)
        thread_ = std::thread(&FifoWatch::watch, this);
}

FifoWatch::~FifoWatch()
{
    stop();
    if (made_)
        ::unlink(path_.constData());
}

int FifoWatch::stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    return readers_;
}

void FifoWatch::watch()
{
    while (!stop_) {
        const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK); // fails while no one reads
        if (fd >= 0) {
            ++readers_;
            ::close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

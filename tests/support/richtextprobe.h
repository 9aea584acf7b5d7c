#pragma once
// What a label or tooltip really shows, and whether showing it would load an
// image: a text document that loads nothing, and a watch on a FIFO that turns a
// render waiting for ever on it into a counted, failing open.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <atomic>
#include <thread>

class QWidget;

// A text document that notes every resource its rich text asks for and loads none.
class ResourceProbe : public QTextDocument {
public:
    QStringList requested;

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};

// What a label in `format` (or, in Qt::AutoText, a tooltip) shows for `text`:
// the words the user reads, and in `requested` every image or other resource
// its rich text would load, without loading any.
QString rendered(const QString& text, Qt::TextFormat format, QStringList* requested);

// Rests the mouse on the control, as a user would, so Qt shows its tooltip.
void hover(QWidget* control);

// Makes a FIFO at `path` and stands by it while windows show: whoever opens it
// to read gets an empty file at once and is counted, so a render that would wait
// for ever fails instead. The FIFO goes with the object.
class FifoWatch {
public:
    explicit FifoWatch(const QString& path);
    ~FifoWatch();
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    // Whether the FIFO was made and is watched.
    bool made() const { return made_; }
    // Ends the watch: how many times the FIFO was opened to read.
    int stop();

private:
    void watch();

    const QByteArray path_;
    bool made_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<int> readers_{0};
    std::thread thread_;
};

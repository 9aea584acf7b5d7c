#pragma once
// Every window of the program by name, with one life cycle for all: one
// instance per name, created on first use (its load step runs then); showing an
// existing window only raises it; hiding keeps it loaded; unloading destroys it.
// The process ends when the last loaded window is unloaded.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QWidget>
#include <functional>

// The load and unload steps of a window. Windows implement what they need.
class FormHooks {
public:
    virtual ~FormHooks() = default;
    // Runs once per creation, after the controls exist and the window is known
    // to the registry (so it may refer to itself and to other windows).
    virtual void Form_Load() {}
    // The user closes the window through its frame: false keeps it loaded.
    virtual bool Form_QueryUnload() { return true; }
    // Runs once when the window is unloaded, before it is destroyed.
    virtual void Form_Unload() {}
};

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;

    static WindowRegistry& instance();

    // Registering a name again replaces its factory and keeps its place.
    void registerWindow(const QString& name, Factory factory);
    bool isRegistered(const QString& name) const;
    // Every registered name, in registration order.
    QStringList registeredWindows() const;

    // The loaded window, or nullptr; never creates one.
    QWidget* find(const QString& name) const;
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }
    QStringList loadedWindows() const;

    // The window, created (and loaded) first if needed; nullptr for an unknown name.
    QWidget* load(const QString& name);
    // Loads if needed, shows modeless and brings to the front.
    QWidget* show(const QString& name);
    void hide(const QString& name);
    // Runs the unload step and destroys the window once control returns to the
    // event loop, so a window may unload itself from one of its own handlers.
    void unload(const QString& name);
    void unload(QWidget* window);

    // Keeps the process alive while `holder` exists (a document window that
    // stands for a separate program, for instance).
    void holdProcess(QObject* holder);

    // While a hold lives, an empty registry does not end the process (the exit
    // sequence unloads every window before it brings back the splash window).
    class ScopedHold {
    public:
        ScopedHold();
        ~ScopedHold();
        ScopedHold(const ScopedHold&) = delete;
        ScopedHold& operator=(const ScopedHold&) = delete;
    };

    // True when no window is loaded and nothing holds the process.
    bool isEmpty() const;

    // Unloads everything and forgets the factories (tests start afresh with this).
    void reset();

signals:
    // The last loaded window (and the last holder) is gone: time to end the process.
    void lastWindowUnloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowRegistry() = default;
    QString nameOf(const QObject* window) const;
    void checkEmpty();

    QHash<QString, Factory> factories_;
    QStringList registered_; // registration order
    QHash<QString, QPointer<QWidget>> windows_;
    QStringList order_; // creation order of the loaded windows
    QSet<QObject*> holders_;
    QSet<QWidget*> unloading_;
    int scopedHolds_ = 0;
};

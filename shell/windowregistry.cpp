#include "shell/windowregistry.h"

#include <QCloseEvent>
#include <QPixmapCache>

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry* registry = [] {
        // Qt 6.4's style pixmap cache never lets go of its keys: they carry each
        // window's own palette and icons, so every window made anew left about
        // 45 KB behind for good (a long session grew without bound, whatever the
        // cache limit). Without the cache the style draws each time, which the
        // program's few small windows do not notice.
        QPixmapCache::setCacheLimit(0);
        return new WindowRegistry; // lives as long as the process
    }();
    return *registry;
}

void WindowRegistry::registerWindow(const QString& name, Factory factory)
{
    if (!factories_.contains(name))
        registered_.append(name);
    factories_.insert(name, std::move(factory));
}

QStringList WindowRegistry::registeredWindows() const { return registered_; }

bool WindowRegistry::isRegistered(const QString& name) const { return factories_.contains(name); }

QWidget* WindowRegistry::find(const QString& name) const
{
    const QPointer<QWidget> w = windows_.value(name);
    return w && !unloading_.contains(w.data()) ? w.data() : nullptr;
}

QStringList WindowRegistry::loadedWindows() const
{
    QStringList names;
    for (const QString& name : order_)
        if (find(name))
            names.append(name);
    return names;
}

QWidget* WindowRegistry::load(const QString& name)
{
    if (QWidget* existing = find(name))
        return existing;
    const auto factory = factories_.constFind(name);
    if (factory == factories_.constEnd())
        return nullptr;
    QWidget* window = (*factory)();
    if (!window)
        return nullptr;
    if (window->objectName().isEmpty())
        window->setObjectName(name);
    windows_.insert(name, window);
    order_.removeAll(name);
    order_.append(name);
    window->installEventFilter(this);
    // A window destroyed behind our back counts as unloaded.
    connect(window, &QObject::destroyed, this, [this, name](QObject* gone) {
        unloading_.remove(static_cast<QWidget*>(gone));
        const auto it = windows_.constFind(name);
        if (it != windows_.constEnd() && (it->isNull() || it->data() == gone)) {
            windows_.remove(name);
            order_.removeAll(name);
            checkEmpty();
        }
    });
    if (auto* hooks = dynamic_cast<FormHooks*>(window))
        hooks->Form_Load();
    return find(name);
}

QWidget* WindowRegistry::show(const QString& name)
{
    QWidget* window = load(name);
    if (!window)
        return nullptr;
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void WindowRegistry::hide(const QString& name)
{
    if (QWidget* window = find(name))
        window->hide();
}

void WindowRegistry::unload(const QString& name) { unload(find(name)); }

void WindowRegistry::unload(QWidget* window)
{
    if (!window || unloading_.contains(window))
        return;
    const QString name = nameOf(window);
    if (name.isEmpty())
        return;
    unloading_.insert(window);
    if (auto* hooks = dynamic_cast<FormHooks*>(window))
        hooks->Form_Unload();
    window->removeEventFilter(this);
    window->hide();
    windows_.remove(name);
    order_.removeAll(name);
    // Destroy later: the window may be running one of its own handlers right now.
    window->deleteLater();
    checkEmpty();
}

void WindowRegistry::holdProcess(QObject* holder)
{
    if (!holder || holders_.contains(holder))
        return;
    holders_.insert(holder);
    connect(holder, &QObject::destroyed, this, [this](QObject* gone) {
        holders_.remove(gone);
        checkEmpty();
    });
}

void WindowRegistry::reset()
{
    const QStringList names = loadedWindows();
    const QSignalBlocker quiet(this);
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        unload(*it);
    factories_.clear();
    registered_.clear();
}

bool WindowRegistry::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close) {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window && !unloading_.contains(window) && !nameOf(window).isEmpty()) {
            auto* hooks = dynamic_cast<FormHooks*>(window);
            if (hooks && !hooks->Form_QueryUnload()) {
                event->ignore();
                return true;
            }
            unload(window); // closing through the frame unloads the window
        }
    }
    return QObject::eventFilter(watched, event);
}

QString WindowRegistry::nameOf(const QObject* window) const
{
    for (auto it = windows_.cbegin(); it != windows_.cend(); ++it)
        if (it.value().data() == window)
            return it.key();
    return {};
}

bool WindowRegistry::isEmpty() const { return windows_.isEmpty() && holders_.isEmpty(); }

void WindowRegistry::checkEmpty()
{
    if (scopedHolds_ == 0 && isEmpty())
        emit lastWindowUnloaded();
}

WindowRegistry::ScopedHold::ScopedHold() { ++instance().scopedHolds_; }

WindowRegistry::ScopedHold::~ScopedHold()
{
    --instance().scopedHolds_;
    instance().checkEmpty();
}

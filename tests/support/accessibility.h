#pragma once
// What assistive technology reads from a window, through Qt's accessibility
// interfaces (QAccessible::queryAccessibleInterface), never through pixels.

#include <QAccessible>
#include <QStringList>

class QWidget;

namespace Accessibility {

// Every label with visible text whose accessible name is not that text, as
// "objectName: name \"...\" text \"...\"".
QStringList labelsNotSpeakingTheirText(QWidget* window);

// The first node of the accessibility tree below `root` (depth first) with
// this role and name, or nullptr.
QAccessibleInterface* find(QWidget* root, QAccessible::Role role, const QString& name);

QString name(QObject* object);
QString description(QObject* object);
QAccessible::Role role(QObject* object);
QStringList actionNames(QObject* object);

} // namespace Accessibility

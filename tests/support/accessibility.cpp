#include "tests/support/accessibility.h"

#include <QLabel>
#include <QTextDocument>
#include <QWidget>

namespace Accessibility {

namespace {

// What a label shows, as plain text without mnemonic marks.
QString shownText(const QLabel* label)
{
    QString text = label->text();
    if (label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

QAccessibleInterface* findBelow(QAccessibleInterface* node, QAccessible::Role role, const QString& name, int depth)
{
    if (!node || depth > 64)
        return nullptr;
    if (node->role() == role && node->text(QAccessible::Name) == name)
        return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* found = findBelow(node->child(i), role, name, depth + 1))
            return found;
    return nullptr;
}

} // namespace

QStringList labelsNotSpeakingTheirText(QWidget* window)
{
    QStringList faults;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QString text = shownText(label);
        if (text.isEmpty())
            continue; // pictures and empty fields
        const QString spoken = name(label);
        if (spoken != text)
            faults << QStringLiteral("%1: name \"%2\" text \"%3\"").arg(label->objectName(), spoken, text);
    }
    return faults;
}

QAccessibleInterface* find(QWidget* root, QAccessible::Role role, const QString& name)
{
    return findBelow(QAccessible::queryAccessibleInterface(root), role, name, 0);
}

QString name(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QString description(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Description) : QString();
}

QAccessible::Role role(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->role() : QAccessible::NoRole;
}

QStringList actionNames(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    QAccessibleActionInterface* actions = iface ? iface->actionInterface() : nullptr;
    return actions ? actions->actionNames() : QStringList();
}

} // namespace Accessibility

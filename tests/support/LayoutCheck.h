#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QStringList>
#include <QWidget>

#include <string>

// Header only: the support library is built without widgets, and every folder that has windows
// links them itself.
namespace glossivo::test {

namespace layoutcheck {

inline QString nameOf(const QWidget* widget)
{
    QString name = widget->objectName();
    if (name.isEmpty()) name = QString::fromLatin1(widget->metaObject()->className());
    QString said = widget->accessibleName();
    if (said.isEmpty())
        if (const auto* label = qobject_cast<const QLabel*>(widget)) said = label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget); button && said.isEmpty())
        said = button->text();
    if (!said.isEmpty()) name += QStringLiteral(" \"") + said.left(24) + QLatin1Char('"');
    const QRect place = widget->geometry();
    return name + QStringLiteral(" at %1,%2 %3×%4")
                      .arg(place.x())
                      .arg(place.y())
                      .arg(place.width())
                      .arg(place.height());
}

inline QString sizeText(const QSize& size)
{
    return QStringLiteral("%1×%2").arg(size.width()).arg(size.height());
}

// Content that is meant to move under its frame: a scroll area's widget.
inline bool scrolls(const QWidget* widget)
{
    const QWidget* viewport = widget->parentWidget();
    const auto* area =
        viewport ? qobject_cast<const QAbstractScrollArea*>(viewport->parentWidget()) : nullptr;
    return area && area->viewport() == viewport;
}

inline void checkText(const QWidget* widget, QStringList& faults)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty()) return;
        const QSize need = label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                                     label->heightForWidth(label->width()))
                                             : label->sizeHint();
        if (need.width() > label->width() + 1 || need.height() > label->height() + 1)
            faults.append(nameOf(label) + QStringLiteral(": text needs ") + sizeText(need) +
                          QStringLiteral(", has ") + sizeText(label->size()));
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->text().isEmpty()) return;
        const int need = button->fontMetrics().horizontalAdvance(button->text()) +
                         (button->icon().isNull() ? 0 : button->iconSize().width());
        if (need > button->width())
            faults.append(
                nameOf(button) +
                QStringLiteral(": label needs %1 px, has %2").arg(need).arg(button->width()));
    }
}

} // namespace layoutcheck

// What a picture can hide about a window's layout: a label shorter or narrower than its text
// needs, a button narrower than its label, two visible siblings on top of each other, a child
// reaching past its parent (and so past the window; an empty one shows nothing anywhere), and a
// scroll area's content wider than the area when it scrolls only up and down. A widget that lets
// the mouse through lies over its siblings on purpose (a hint over an empty list). One line per
// fault; empty when the layout holds.
inline std::string layoutFaults(const QWidget* window)
{
    using namespace layoutcheck;
    QStringList faults;
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (const QWidget* widget : all) {
        if (widget->isWindow() || !widget->isVisibleTo(window)) continue;
        checkText(widget, faults);
        const QWidget* parent = widget->parentWidget();
        if (scrolls(widget)) {
            const auto* area = static_cast<const QAbstractScrollArea*>(parent->parentWidget());
            // A strip with no bars at all (a row of chips) scrolls sideways on purpose.
            if (area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff &&
                area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
                widget->width() > parent->width())
                faults.append(nameOf(widget) + QStringLiteral(": wider than its scroll area"));
        } else if (!widget->geometry().isEmpty() && !parent->rect().contains(widget->geometry())) {
            faults.append(nameOf(widget) + QStringLiteral(" reaches past ") + nameOf(parent));
        }
        if (widget->testAttribute(Qt::WA_TransparentForMouseEvents)) continue;
        for (const QObject* other : parent->children()) {
            const auto* sibling = qobject_cast<const QWidget*>(other);
            if (!sibling || sibling == widget || sibling->isWindow() ||
                !sibling->isVisibleTo(window) ||
                sibling->testAttribute(Qt::WA_TransparentForMouseEvents))
                continue;
            // Each pair once.
            if (parent->children().indexOf(other) < parent->children().indexOf(widget)) continue;
            if (widget->geometry().intersects(sibling->geometry()))
                faults.append(nameOf(widget) + QStringLiteral(" overlaps ") + nameOf(sibling));
        }
    }
    return faults.join(QLatin1Char('\n')).toStdString();
}

} // namespace glossivo::test

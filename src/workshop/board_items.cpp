// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/board_items.h"

#include <QAccessible>
#include <QKeyEvent>

namespace workshop {

BoardItem::BoardItem(Role role, int index, QWidget* board)
    : QAbstractButton(board), role_(role), index_(index) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(this, &QAbstractButton::clicked, this, [this] { emit activated(this); });
}

void BoardItem::setNames(const QString& name, const QString& description) {
    if (accessibleName() != name)
        setAccessibleName(name);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
    setToolTip(description.isEmpty() ? name : name + QStringLiteral(": ") + description);
}

void BoardItem::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void BoardItem::repaintMarks() {
    // The board draws the focus ring a little outside the item.
    const int margin = width() / 2 + 2;
    parentWidget()->update(geometry().adjusted(-margin, -margin, margin, margin));
}

void BoardItem::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    repaintMarks();
}

void BoardItem::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    repaintMarks();
}

} // namespace workshop

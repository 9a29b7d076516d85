#include "ui/FormFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

/// `text` as shown: access-key marks taken out, "&&" shown as "&".
QString shownText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

/// The captions a widget shows (every entry of a list box); a line edit counts with an
/// empty caption, for its line height.
QStringList captionsOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        if (!label->pixmap().isNull() || label->wordWrap() || label->text().isEmpty())
            return {};
        return {shownText(label->text())};
    }
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text().isEmpty() ? QStringList() : QStringList{shownText(button->text())};
    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    if (qobject_cast<const QLineEdit *>(w))
        return {QString()};
    return {};
}

/// What the widget's frame, padding and check box take from its size, leaving the room
/// its caption is drawn in (measured through the style at the current size).
QSize overheadOf(const QWidget *w)
{
    QRect room = w->rect();
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        const int m = label->margin();
        room = label->contentsRect().adjusted(m, m, -m, -m);
    } else if (auto *box = qobject_cast<const QCheckBox *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, box);
    } else if (auto *button = qobject_cast<const QPushButton *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
    } else if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        room = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                              QStyle::SC_ComboBoxEditField, combo);
    } else if (auto *edit = qobject_cast<const QLineEdit *>(w)) {
        room = edit->contentsRect();
    }
    return w->size() - room.size();
}

/// The size the widget needs for its captions to show in full, or an empty size when it
/// shows none.
QSize neededFor(const QWidget *w)
{
    const QStringList captions = captionsOf(w);
    if (captions.isEmpty())
        return {};
    int width = 0;
    for (const QString &text : captions)
        width = std::max(width, w->fontMetrics().horizontalAdvance(text));
    return QSize(width, w->fontMetrics().height()) + overheadOf(w);
}

/// The part of `child` its caption may use: inside the form, and clear of the captioned
/// neighbours it overlaps at its bottom or right edge. A caption is centred in its widget,
/// so the overlap is taken twice: the caption then ends where the neighbour's may begin.
QRect ownRoom(const QWidget *child, const QRect &area, const QList<QWidget *> &captioned)
{
    QRect seen = child->geometry() & area;
    for (const QWidget *other : captioned) {
        const QRect o = other->geometry();
        if (other == child || !o.intersects(seen))
            continue;
        if (o.top() > seen.top())
            seen.setBottom(seen.bottom() - 2 * (seen.bottom() - o.top() + 1));
        else if (o.left() > seen.left())
            seen.setRight(seen.right() - 2 * (seen.right() - o.left() + 1));
    }
    return seen;
}

} // namespace

void fitFormToTexts(QWidget *form)
{
    const QRect area = form->rect();
    const QList<QWidget *> children = form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QList<QWidget *> captioned;
    for (QWidget *child : children)
        if (!child->isHidden() && !captionsOf(child).isEmpty())
            captioned << child;

    double fx = 1.0;
    double fy = 1.0;
    for (const QWidget *child : captioned) {
        const QSize need = neededFor(child);
        const QRect room = ownRoom(child, area, captioned);
        if (room.width() <= 0 || room.height() <= 0)
            continue; // entirely outside the form or under a neighbour: not ours to fix
        // One pixel spare: scaled edges are rounded.
        if (need.width() > room.width())
            fx = std::max(fx, double(need.width() + 1) / room.width());
        if (need.height() > room.height())
            fy = std::max(fy, double(need.height() + 1) / room.height());
    }
    if (fx == 1.0 && fy == 1.0)
        return;
    auto sx = [fx](int v) { return int(std::ceil(v * fx)); };
    auto sy = [fy](int v) { return int(std::ceil(v * fy)); };
    for (QWidget *child : children) {
        const QRect g = child->geometry();
        // Edges are scaled (not sizes), so neighbours that touched still touch.
        child->setGeometry(QRect(QPoint(sx(g.left()), sy(g.top())),
                                 QPoint(sx(g.right() + 1) - 1, sy(g.bottom() + 1) - 1)));
    }
    form->setFixedSize(sx(area.width()), sy(area.height()));
}

#include "ui/ChildDialog.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

ChildDialog::ChildDialog(QWidget *parent) : QWidget(parent) {}

void ChildDialog::setDialogButtons(QPushButton *apply, QPushButton *cancel)
{
    m_apply = apply;
    m_cancel = cancel;
}

void ChildDialog::closeForm()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void ChildDialog::keyPressEvent(QKeyEvent *event)
{
    QPushButton *button = nullptr;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        button = m_apply;
        break;
    case Qt::Key_Escape:
        button = m_cancel;
        break;
    default:
        break;
    }
    if (!button) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    button->click();
}

void ChildDialog::showEvent(QShowEvent *event)
{
    // Key events reach the focused widget first, so the dialog watches all of its widgets;
    // installing again only moves the filter to the front.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    QWidget::showEvent(event);
}

bool ChildDialog::eventFilter(QObject *watched, QEvent *event)
{
    // A ShortcutOverride accepted here keeps the key from the menu bar's shortcut and
    // sends it on as a KeyPress, which then runs the dialog's own access key.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (handleAccessKey(key, false)) {
            key->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        if (handleAccessKey(static_cast<QKeyEvent *>(event), true))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool ChildDialog::handleAccessKey(const QKeyEvent *event, bool run)
{
    if (!(event->modifiers() & Qt::AltModifier) || event->key() == Qt::Key_Alt)
        return false;
    const QKeySequence pressed(event->keyCombination());
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        if (!button->isVisibleTo(this) || QKeySequence::mnemonic(button->text()) != pressed)
            continue;
        if (run && button->isEnabled()) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
        }
        return true; // a disabled button still owns its key: the menu must not take it
    }
    for (QLabel *label : findChildren<QLabel *>()) {
        QWidget *buddy = label->buddy();
        if (!buddy || !label->isVisibleTo(this) || QKeySequence::mnemonic(label->text()) != pressed)
            continue;
        if (run)
            buddy->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return false;
}

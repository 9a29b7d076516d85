#include "ui/ChildDialog.h"

#include <QKeyEvent>
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

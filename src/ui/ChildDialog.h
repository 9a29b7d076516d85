#pragma once

#include <QWidget>

class QPushButton;

/// A small non-modal dialog shown inside the main window (or on its own): Enter is its
/// Apply button, Escape its Cancel button, and closing it closes the frame around it.
class ChildDialog : public QWidget
{
    Q_OBJECT

public:
    explicit ChildDialog(QWidget *parent = nullptr);

protected:
    /// The buttons that Enter and Escape press.
    void setDialogButtons(QPushButton *apply, QPushButton *cancel);
    /// Closes the enclosing sub-window when there is one, else the widget itself.
    void closeForm();
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPushButton *m_apply = nullptr;
    QPushButton *m_cancel = nullptr;
};

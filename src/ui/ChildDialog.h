#pragma once

#include <QWidget>

class QPushButton;

/// A small non-modal dialog shown inside the main window (or on its own): Enter is its
/// Apply button, Escape its Cancel button, and closing it closes the frame around it.
///
/// While focus is inside the dialog its own access keys (Alt+C for "&Cancel") win over
/// the main window's menu bar, which shares the same top-level window and would otherwise
/// take the key or make it ambiguous.
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
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Runs the access key of `event` when one of this dialog's buttons or labels owns
    /// it (click the button, or focus the label's buddy). `run` false only checks.
    bool handleAccessKey(const QKeyEvent *event, bool run);

    QPushButton *m_apply = nullptr;
    QPushButton *m_cancel = nullptr;
};

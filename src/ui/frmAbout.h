#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

/// The About window: the program's about picture and a "Close" control. Shown modally
/// with exec(); nothing is read or written.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    QLabel *picAbout;
    /// A flat button rather than a bare label, so the keyboard and screen readers reach it.
    QPushButton *lbClose;
    QFrame *LineN;
    QFrame *LineW;
    QFrame *LineS;
    QFrame *LineE;

private:
    void lbClose_Click();
};

#include "ui/UserDialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

QString QtUserDialogs::getOpenFileName(QWidget *parent, const QString &title,
                                       const QString &initialPath, const QString &filter)
{
    QFileDialog dialog(parent, title, initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Filters carry their visible text first and Qt's patterns last; show only the text.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::getSaveFileName(QWidget *parent, const QString &title,
                                       const QString &initialPath, const QString &filter)
{
    // The path is used exactly as chosen: no overwrite question, no extension added.
    QFileDialog dialog(parent, title, initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::getExistingDirectory(QWidget *parent, const QString &title,
                                            const QString &initialPath)
{
    return QFileDialog::getExistingDirectory(parent, title, initialPath);
}

void QtUserDialogs::showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtUserDialogs::openDocument(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

UserDialogs::UnsavedChoice QtUserDialogs::askUnsavedWork(QWidget *parent, const QString &title,
                                                         const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChoice::Save;
    case QMessageBox::Discard:
        return UnsavedChoice::Discard;
    default:
        return UnsavedChoice::Cancel;
    }
}

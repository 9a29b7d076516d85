#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

/// The one place where the program waits for a person: file choices, message boxes
/// and handing a document to the system's viewer. The program uses QtUserDialogs;
/// tests answer through a scripted implementation.
class UserDialogs
{
public:
    /// Answer to the question about unsaved work.
    enum class UnsavedChoice { Save, Discard, Cancel };

    virtual ~UserDialogs() = default;

    /// Open-file dialog. Returns the chosen path, or an empty string on Cancel.
    /// `filter` uses Qt's form: entries separated by ";;". An entry may end in a second
    /// bracket holding Qt's space-separated patterns after the text the user sees,
    /// e.g. "StarCraft Maps (*.scm;*.scx) (*.scm *.scx)"; only the text is shown.
    virtual QString getOpenFileName(QWidget *parent, const QString &title,
                                    const QString &initialPath, const QString &filter) = 0;
    /// Save-file dialog without an overwrite question; the path is returned exactly as chosen.
    virtual QString getSaveFileName(QWidget *parent, const QString &title,
                                    const QString &initialPath, const QString &filter) = 0;
    /// Folder dialog. Returns the chosen folder, or an empty string on Cancel.
    virtual QString getExistingDirectory(QWidget *parent, const QString &title,
                                         const QString &initialPath) = 0;
    /// A message box with a single OK button.
    virtual void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                             const QString &text) = 0;
    /// Asks the system to open a document with its viewer; the result is not reported.
    virtual void openDocument(const QString &path) = 0;
    /// Asks what to do with unsaved work before it would be lost: Save, Discard or Cancel.
    /// Closing the question without an answer is Cancel.
    virtual UnsavedChoice askUnsavedWork(QWidget *parent, const QString &title,
                                         const QString &text) = 0;
};

/// The real dialogs.
class QtUserDialogs : public UserDialogs
{
public:
    QString getOpenFileName(QWidget *parent, const QString &title, const QString &initialPath,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &title, const QString &initialPath,
                            const QString &filter) override;
    QString getExistingDirectory(QWidget *parent, const QString &title,
                                 const QString &initialPath) override;
    void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                     const QString &text) override;
    void openDocument(const QString &path) override;
    UnsavedChoice askUnsavedWork(QWidget *parent, const QString &title,
                                 const QString &text) override;
};

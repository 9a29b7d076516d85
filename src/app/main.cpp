#include "SignalEnding.h"
#include "core/common/MessageText.h"
#include "core/qtimage/QtImage.h"
#include "core/settings/AppPaths.h"
#include "core/settings/Language.h"
#include "ui/Artwork.h"
#include "ui/SingleInstance.h"
#include "ui/UserDialogs.h"
#include "ui/frmSplash.h"
#include "ui/mdiMain.h"
#include "ui/frmPicture.h"
#include "ui/frmPreferences.h"

#include <QApplication>
#include <QByteArrayList>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPushButton>

#include <cstdio>
#include <deque>

namespace {

/// For --self-check: answers the file dialogs from a list and writes every message to
/// standard error instead of showing it, so the real windows run without a person.
class UnattendedDialogs : public UserDialogs
{
public:
    std::deque<QString> answers;
    int messages = 0;

    QString getOpenFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return next();
    }
    QString getSaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return next();
    }
    QString getExistingDirectory(QWidget *, const QString &, const QString &) override
    {
        return next();
    }
    void showMessage(QWidget *, QMessageBox::Icon, const QString &title,
                     const QString &text) override
    {
        ++messages;
        std::fprintf(stderr, "velmora: %s: %s\n", qPrintable(title), qPrintable(text));
    }
    void openDocument(const QString &) override {}
    UnsavedChoice askUnsavedWork(QWidget *, const QString &title, const QString &text) override
    {
        // After a successful save nothing is unsaved: being asked is a failure of the run.
        showMessage(nullptr, QMessageBox::Question, title, text);
        return UnsavedChoice::Discard;
    }

private:
    QString next()
    {
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

/// --self-check: with MAP loaded at start, loads the picture, converts and saves in place,
/// then applies the preferences as they are. True when every step worked without a message.
bool selfCheck(mdiMain &window, UnattendedDialogs &dialogs, const QString &picture)
{
    if (!window.isMapLoaded() || !window.pictureWindow())
        return false;
    dialogs.answers.push_back(picture);
    window.pictureWindow()->btnLoad_Click();
    window.mnuConvertSave_Click();
    window.mnuPreferences_Click();
    auto *preferences = qobject_cast<frmPreferences *>(window.preferencesWindow()->widget());
    if (!preferences)
        return false;
    preferences->btnApply->click();
    return dialogs.messages == 0 && window.statusText() == mdiMain::tr("Map saved!");
}

/// The program's name and version, which --version prints and the lock file records.
void nameProgram()
{
    // The name matches the executable: the lock file records it, and a lock whose process
    // runs under another name is taken for a leftover.
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR));
}

/// From here on, the program speaks the language chosen in Preferences (or the desktop's).
void speakChosenLanguage()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    language::start(language::stored(AppPaths::forProgram(programDir).configFile), programDir);
}

/// Display name, desktop entry, icon and quitting rules of the windows.
void describeProgram()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    QApplication::setWindowIcon(programIcon());
    qtimage::useQtDecoders(); // for the picture variants the program's own readers leave out
    // The program ends with its main window, not with the splash that comes before it.
    QApplication::setQuitOnLastWindowClosed(false);
}

/// True when the command line only asks for text (help or version), which needs no display.
bool asksForTextOnly(int argc, char **argv)
{
    static const QByteArrayList textOptions = {"-h", "-?", "--help", "--help-all", "-v",
                                               "--version"};
    for (int i = 1; i < argc; ++i) {
        if (textOptions.contains(QByteArray(argv[i])))
            return true;
    }
    return false;
}

/// What the command line asks for.
struct StartRequest
{
    QString mapAtStart;
    bool checking = false;
    QString checkPicture;
};

/// Reads `velmora [MAP]`, --help, --version and the hidden --self-check PICTURE; --help,
/// --version and a usage error end the program here.
StartRequest parseCommandLine(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QApplication::translate("main", "Paints a picture into the terrain of a StarCraft map."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("MAP"),
                                 QApplication::translate("main", "A map (*.scm, *.scx) to load at start."),
                                 QStringLiteral("[MAP]"));
    // Used by the installation checks (see the manual page); not listed by --help.
    QCommandLineOption selfCheckOption(QStringLiteral("self-check"),
                                       QStringLiteral("Convert and save MAP with PICTURE, then end."),
                                       QStringLiteral("PICTURE"));
    selfCheckOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(selfCheckOption);
    parser.process(app);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        parser.showHelp(2);
    return {positional.value(0), parser.isSet(selfCheckOption), parser.value(selfCheckOption)};
}

} // namespace

int main(int argc, char **argv)
{
    // First, while this is the only thread: a signal ends the windows as Exit does.
    signalending::blockEndSignals();
    messagetext::installHandler("velmora");
    nameProgram();
    if (asksForTextOnly(argc, argv)) {
        // Answered on the terminal without opening a display.
        QCoreApplication terminal(argc, argv);
        speakChosenLanguage();
        (void)parseCommandLine(terminal);
    }
    QApplication app(argc, argv);
    speakChosenLanguage();
    describeProgram();
    const StartRequest request = parseCommandLine(app);
    const QString mapAtStart = request.mapAtStart;
    const bool checking = request.checking;

    const AppPaths paths = AppPaths::forProgram(QCoreApplication::applicationDirPath());
    QtUserDialogs realDialogs;
    UnattendedDialogs unattended;
    UserDialogs &dialogs = checking ? static_cast<UserDialogs &>(unattended) : realDialogs;

    SingleInstance instance(paths);
    switch (instance.start(mapAtStart)) {
    case SingleInstance::Start::HandedOver:
        return 0;
    case SingleInstance::Start::Blocked:
        dialogs.showMessage(nullptr, QMessageBox::Warning, QStringLiteral("Velmora"),
                            instance.message());
        return 1;
    case SingleInstance::Start::First:
        break;
    }

    // Settings are written from several places (preferences, recent maps); the per-user
    // folder for them exists from the start. Preferences report it if it cannot be made.
    if (paths.perUser)
        (void)makeFolder(QFileInfo(paths.configFile).absolutePath(), false);

    mdiMain mainWindow(paths, dialogs);
    QObject::connect(&mainWindow, &mdiMain::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&instance, &SingleInstance::requested, &mainWindow, &mdiMain::openMap,
                     Qt::QueuedConnection);
    // Ended by a signal: the working copy goes now, the lock as main() returns.
    signalending::endOnSignals([&mainWindow](int status) {
        mainWindow.discardWorkingCopy();
        QCoreApplication::exit(status);
    });

    if (checking) {
        // No splash and no event loop of its own: the steps run in order, then the
        // window closes as at Exit, taking its working copy with it.
        mainWindow.MDIForm_Load(mapAtStart);
        const bool ok = selfCheck(mainWindow, unattended, request.checkPicture);
        mainWindow.close();
        return ok ? 0 : 1;
    }

    frmSplash splash(paths, [&mainWindow, &dialogs, &instance, mapAtStart] {
        if (!instance.message().isEmpty())
            dialogs.showMessage(nullptr, QMessageBox::Warning, QStringLiteral("Velmora"),
                                instance.message());
        mainWindow.MDIForm_Load(mapAtStart);
    });
    splash.start();
    return app.exec();
}

#include "ui/frmSplash.h"

#include "ui/Artwork.h"
#include "core/settings/Settings.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

frmSplash::frmSplash(const QString &programDir, std::function<void()> showMain, int intervalMs)
    : frmSplash(AppPaths::portable(programDir), std::move(showMain), intervalMs)
{
}

frmSplash::frmSplash(const AppPaths &paths, std::function<void()> showMain, int intervalMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , Timer1(new QTimer(this))
    , m_configFile(paths.configFile)
    , m_showMain(std::move(showMain))
    , m_picture(new QLabel(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(programIcon());
    // Closing the splash must not count as closing the program's last window: the main
    // window is shown right after it.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(448, 298);
    setFocusPolicy(Qt::StrongFocus);

    m_picture->setObjectName(QStringLiteral("picSplash"));
    m_picture->setPixmap(splashPicture());
    m_picture->setGeometry(0, 0, 448, 298);
    m_picture->setAccessibleName(tr("Velmora, version %1.%2")
                                     .arg(VELMORA_VERSION_MAJOR)
                                     .arg(VELMORA_VERSION_MINOR));
    m_picture->setAccessibleDescription(tr("Click or press a key to continue."));

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(intervalMs);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::start()
{
    Form_Load();
}

void frmSplash::Form_Load()
{
    if (m_handedOver)
        return;
    // Topmost comes from the window flags set at creation.
    if (settings::read(m_configFile, settings::SplashScreen) == 0) {
        handOver();
        return;
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(0, 0), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    show();
    raise();
    activateWindow();
    Timer1->start();
}

void frmSplash::Timer1_Timer()
{
    handOver();
}

void frmSplash::Form_Click()
{
    handOver();
}

void frmSplash::handOver()
{
    if (m_handedOver)
        return;
    m_handedOver = true;
    Timer1->stop();
    // The splash goes first: the main window may open a file dialog at once, which the
    // topmost splash would otherwise cover.
    if (isVisible())
        close();
    if (m_showMain)
        m_showMain();
}

void frmSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Form_Click();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    // Without a mouse, any of the usual "go on" keys does what a click does.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        Form_Click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_handedOver) {
        // Closed by the window system (Alt+F4): the program must still come up. Handed
        // over after the close has finished, not from inside it.
        m_handedOver = true;
        Timer1->stop();
        QTimer::singleShot(0, this, [this] {
            if (m_showMain)
                m_showMain();
        });
    }
}

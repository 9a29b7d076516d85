#pragma once

#include "core/settings/AppPaths.h"

#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

/// The first window of a run: the splash picture, borderless and above all other windows,
/// for a few seconds or until clicked. It then hands over to the main window, exactly once.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    /// `showMain` is called exactly once, by whichever comes first: setting "SplashScreen"
    /// = 0 at start(), the timer, a click or a key, or the window being closed.
    frmSplash(const QString &programDir, std::function<void()> showMain, int intervalMs = 5000);
    /// The same, with the settings file where `paths` puts it.
    frmSplash(const AppPaths &paths, std::function<void()> showMain, int intervalMs = 5000);

    /// Reads "SplashScreen". 0: the window closes without ever being shown and hands over
    /// at once. Anything else: shown centred on the screen, and `Timer1` starts.
    void start();

    QTimer *Timer1;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Timer1_Timer();
    void Form_Click();
    void handOver();

    QString m_configFile;
    std::function<void()> m_showMain;
    QLabel *m_picture;
    bool m_handedOver = false;
};

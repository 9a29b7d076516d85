#pragma once

#include "core/settings/AppPaths.h"
#include "core/settings/InstanceLock.h"

#include <QObject>
#include <QString>

class QLocalServer;

/// One running program per user (per program folder in the portable layout). The first
/// start takes the lock and listens on a local socket only its user can reach; a later
/// start hands its map (or nothing) to the first through that socket, which brings its
/// window to the front, and ends at once.
///
/// Hand-over: the later start sends one line, "open <absolute map path>" in UTF-8 ("open"
/// alone for no map), ending in "\n", at most 64 KiB; the first answers "ok\n".
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const AppPaths &paths, QObject *parent = nullptr);
    ~SingleInstance() override;

    enum class Start {
        First,      ///< this is the running program (see warning())
        HandedOver, ///< another copy runs and took the map: end now, successfully
        Blocked,    ///< another copy holds the lock and did not answer (see message())
    };

    /// Decides which of the three this start is. `mapPath` goes to the running copy.
    Start start(const QString &mapPath, int answerTimeoutMs = 3000);

    /// For Blocked: why this start cannot go on. For First: a problem the user should hear
    /// about although the program runs (no lock could be taken), or empty.
    QString message() const { return m_message; }

    /// The socket of the copy holding `lockFile`: named after the lock's path, so each lock
    /// has its own, in the user's runtime folder, which only the user may enter.
    static QString socketFor(const QString &lockFile);

signals:
    /// A later start asked for the window, with a map to open (empty: none).
    void requested(const QString &mapPath);

private:
    bool handOver(const QString &mapPath, int timeoutMs);
    void listen();
    void readRequest(class QLocalSocket *socket);

    AppPaths m_paths;
    InstanceLock m_lock;
    QString m_socket;
    QLocalServer *m_server = nullptr;
    QString m_message;
};

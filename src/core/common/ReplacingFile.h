#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

/// A file written beside `target` and renamed over it only once it is complete and reads
/// back as written: the target is replaced whole or not at all. Symbolic links are followed
/// to the file they name (as the system would write through them), names are kept in the
/// system's bytes, and the rename waits for no signal (see endsignals).
///
/// Failures carry kind Output and, as their sentence, only the cause ("the disk is full",
/// "permission denied"): the caller names the file in its own words.
class ReplacingFile : public QIODevice
{
public:
    explicit ReplacingFile(const QString &target);
    ~ReplacingFile() override;
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    /// Makes the temporary file in the target's folder, with the target's permissions (a
    /// new file's follow the umask). A target that exists and is not a regular file is
    /// refused.
    [[nodiscard]] Status begin();
    /// Flushes the copy, reads it back, and renames it over the target.
    [[nodiscard]] Status commit();
    /// Removes the copy; the target stays as it was.
    void cancel();

    bool isSequential() const override { return true; }

    /// The cause of a failed file operation, from its errno.
    [[nodiscard]] static QString causeOf(int error);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    Status failed(int error);

    QString m_target;
    QByteArray m_final;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_writeError = 0;
    qint64 m_written = 0;
    quint64 m_hash = 0;
};

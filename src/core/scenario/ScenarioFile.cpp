#include "core/scenario/ScenarioFile.h"

#include "core/common/UserText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtEndian>

namespace {

/// This file's sentences, in their own translation context.
struct ScenarioFileText
{
    Q_DECLARE_TR_FUNCTIONS(ScenarioFile)
};

} // namespace

Result<ScenarioFile> ScenarioFile::read(const QString &path, const QString &shownName)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return fail(FailureKind::BadScenario,
                    ScenarioFileText::tr("The scenario file of \"%1\" cannot be read.")
                        .arg(shownPath(shownName)));
    if (file.size() > MaxSize)
        return fail(FailureKind::BadScenario,
                    ScenarioFileText::tr("The scenario file of \"%1\" is too large.").arg(shownPath(shownName)));
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size() || file.error() != QFileDevice::NoError)
        return fail(FailureKind::BadScenario,
                    ScenarioFileText::tr("The scenario file of \"%1\" cannot be read.")
                        .arg(shownPath(shownName)));
    return ScenarioFile(std::move(bytes));
}

qint32 ScenarioFile::findSection(QByteArrayView name) const
{
    if (name.size() != 4)
        return -1;
    const qsizetype at = m_bytes.indexOf(name);
    return at < 0 ? -1 : qint32(at + 4);
}

std::optional<quint8> ScenarioFile::u8At(qint64 offset) const
{
    if (offset < 0 || offset >= size())
        return std::nullopt;
    return quint8(m_bytes.at(offset));
}

std::optional<quint32> ScenarioFile::u32At(qint64 offset) const
{
    if (offset < 0 || offset > size() - 4)
        return std::nullopt;
    return qFromLittleEndian<quint32>(m_bytes.constData() + offset);
}

Status ScenarioPatcher::open(const QString &path, qint64 expectedSize, const QString &shownName)
{
    m_shown = shownPath(shownName);
    m_file.setFileName(path);
    // ExistingOnly: a vanished working file must not come back as a stub.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return fail(FailureKind::BadScenario,
                    ScenarioFileText::tr("The scenario file of \"%1\" cannot be opened for writing (%2).")
                        .arg(m_shown, m_file.errorString()));
    if (expectedSize >= 0 && m_file.size() != expectedSize)
        return fail(FailureKind::BadScenario,
                    ScenarioFileText::tr("The scenario file of \"%1\" changed while it was being edited. "
                                "Try again.")
                        .arg(m_shown));
    return {};
}

Failure ScenarioPatcher::writeFailure() const
{
    return fail(FailureKind::WorkingFolder,
                ScenarioFileText::tr("The scenario file of \"%1\" could not be written (%2). Check that "
                            "the disk is not full or write-protected.")
                    .arg(m_shown, m_file.errorString()));
}

Status ScenarioPatcher::write(qint64 offset, QByteArrayView data)
{
    if (offset < 0 || offset + data.size() > m_file.size())
        return fail(FailureKind::BadScenario,
                    ScenarioFileText::tr("The scenario file of \"%1\" ends before the place to write; it "
                                "may be damaged.")
                        .arg(m_shown));
    if (!m_file.seek(offset) || m_file.write(data.data(), data.size()) != data.size())
        return writeFailure();
    return {};
}

Status ScenarioPatcher::finish()
{
    const bool flushed = m_file.flush();
    m_file.close();
    if (!flushed || m_file.error() != QFileDevice::NoError)
        return writeFailure();
    return {};
}

namespace scenario {

int dimensionFromBytes(quint8 low, quint8 high)
{
    return high == 1 ? 256 : int(low);
}

bool isAcceptedDimension(int tiles)
{
    switch (tiles) {
    case 64:
    case 96:
    case 128:
    case 192:
    case 256:
        return true;
    default:
        return false;
    }
}

Result<MapSize> mapSize(const ScenarioFile &file, qint32 dimPosition, const QString &shownName)
{
    if (dimPosition < 0)
        return fail(FailureKind::UnsupportedSize,
                    ScenarioFileText::tr("The scenario of \"%1\" has no \"DIM \" section, so the map size "
                                "is unknown.")
                        .arg(shownPath(shownName)));
    const std::optional<quint32> bytes = file.u32At(qint64(dimPosition) + 4);
    if (!bytes)
        return fail(FailureKind::UnsupportedSize,
                    ScenarioFileText::tr("The scenario of \"%1\" ends inside its \"DIM \" section; the "
                                "map is damaged.")
                        .arg(shownPath(shownName)));
    const auto byte = [&](int i) { return quint8(*bytes >> (8 * i)); };
    return MapSize{qint16(dimensionFromBytes(byte(0), byte(1))),
                   qint16(dimensionFromBytes(byte(2), byte(3)))};
}

Status readMapSize(const QString &scenarioPath, qint32 dimPosition, MapSize *size)
{
    const Result<ScenarioFile> file = ScenarioFile::read(scenarioPath, scenarioPath);
    if (!file)
        return file.failure();
    const Result<MapSize> read = mapSize(*file, dimPosition, scenarioPath);
    if (!read)
        return read.failure();
    if (size)
        *size = *read;
    return {};
}

const QStringList &tilesetNames()
{
    static const QStringList names{
        QStringLiteral("Badlands"),     QStringLiteral("Space Platform"),
        QStringLiteral("Installation"), QStringLiteral("Ash World"),
        QStringLiteral("Jungle World"), QStringLiteral("Desert"),
        QStringLiteral("Ice"),          QStringLiteral("Twilight"),
    };
    return names;
}

std::optional<int> tilesetFromText(const QString &text)
{
    const QStringList &names = tilesetNames();
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < names.size() ? std::optional<int>(number) : std::nullopt;
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

} // namespace scenario

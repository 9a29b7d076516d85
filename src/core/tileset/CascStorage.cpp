#include "core/tileset/CascStorage.h"

#include "core/common/UserText.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace casc {

namespace {

const QList<QByteArray> KeptFolders{"tileset/", "sd/tileset/"};

/// The entry of `dir` called `name` in any letter case, or an empty string.
QString entryOf(const QString &dir, const QString &name, QDir::Filters filters)
{
    const QDir d(dir);
    if (QFileInfo(d.filePath(name)).exists())
        return d.filePath(name);
    for (const QString &entry : d.entryList(filters | QDir::Hidden | QDir::NoDotAndDotDot))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return d.filePath(entry);
    return {};
}

bool holdsStorage(const QString &dataFolder)
{
    return !dataFolder.isEmpty()
        && !entryOf(dataFolder, QStringLiteral("config"), QDir::Dirs).isEmpty()
        && !entryOf(dataFolder, QStringLiteral("data"), QDir::Dirs).isEmpty();
}

QString keyPath(const QString &configFolder, const Key &key)
{
    const QString hex = QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(key.data()),
                                                       int(key.size())).toHex());
    return QStringLiteral("%1/%2/%3/%4").arg(configFolder, hex.left(2), hex.mid(2, 2), hex);
}

/// Bytes [offset, offset + length) of a regular file (length -1: the whole file, at most
/// `cap`), opened read-only and without waiting on anything that is not a regular file.
Result<QByteArray> readBytes(const QString &path, qint64 offset, qint64 length, qint64 cap)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(FailureKind::GameData, errno == ENOENT ? CascStorageText::tr("is missing") : CascStorageText::tr("cannot be opened"));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(FailureKind::GameData, CascStorageText::tr("is not a regular file"));
    }
    if (length < 0) {
        if (st.st_size > cap) {
            ::close(fd);
            return fail(FailureKind::GameData, CascStorageText::tr("is far too large"));
        }
        length = st.st_size;
    }
    if (offset + length > st.st_size) {
        ::close(fd);
        return fail(FailureKind::GameData, CascStorageText::tr("is cut short (the game may need repair)"));
    }
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size_t(length - got), offset + got);
        if (n <= 0) {
            ::close(fd);
            return fail(FailureKind::GameData,
                        n == 0 ? CascStorageText::tr("is cut short (the game may need repair)") : CascStorageText::tr("cannot be read"));
        }
        got += n;
    }
    ::close(fd);
    return bytes;
}

QByteArray md5(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

QByteArray keyBytes(const Key &key)
{
    return QByteArray(reinterpret_cast<const char *>(key.data()), qsizetype(key.size()));
}

} // namespace

QString CascStorage::installationRoot(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    if (!entryOf(absolute, QStringLiteral(".build.info"), QDir::Files).isEmpty()
        || holdsStorage(entryOf(absolute, QStringLiteral("Data"), QDir::Dirs)))
        return absolute;
    if (holdsStorage(absolute))
        return QFileInfo(absolute).absolutePath();
    return {};
}

Result<std::shared_ptr<const CascStorage>> CascStorage::open(const QString &folder)
{
    // One storage per session: the last one opened, kept while its build stays the same.
    static QMutex mutex;
    static std::shared_ptr<const CascStorage> kept;
    static QString keptKey;
    const QString root = installationRoot(folder);
    const QFileInfo buildInfo(entryOf(root, QStringLiteral(".build.info"), QDir::Files));
    const QString key = folder + QLatin1Char('\n') + root + QLatin1Char('\n')
        + QString::number(buildInfo.size()) + QLatin1Char('\n')
        + QString::number(buildInfo.lastModified().toMSecsSinceEpoch());
    QMutexLocker lock(&mutex);
    if (kept && key == keptKey)
        return kept;
    auto storage = openFresh(folder);
    if (!storage)
        return storage.failure();
    kept = *storage;
    keptKey = key;
    return kept;
}

Result<std::shared_ptr<const CascStorage>> CascStorage::openFresh(const QString &folder)
{
    const QString root = installationRoot(folder);
    std::shared_ptr<CascStorage> storage(new CascStorage);
    storage->m_folder = folder;
    storage->m_root = root.isEmpty() ? QFileInfo(folder).absoluteFilePath() : root;
    if (Status loaded = storage->load(); !loaded)
        return loaded.failure();
    return std::shared_ptr<const CascStorage>(std::move(storage));
}

Failure CascStorage::failure(const QString &path, const QString &problem) const
{
    const QString inside = QDir(QFileInfo(m_folder).absoluteFilePath()).relativeFilePath(path);
    return fail(FailureKind::GameData,
                CascStorageText::tr("In the game data folder \"%1\" (a Remastered installation), \"%2\" %3.")
                    .arg(shownPath(m_folder), shownPath(inside), problem));
}

Result<QByteArray> CascStorage::readText(const QString &path) const
{
    auto text = readBytes(path, 0, -1, MaxTextBytes);
    if (!text)
        return failure(path, text.reason());
    return text;
}

QString CascStorage::dataFile(int archive) const
{
    return QStringLiteral("%1/data.%2").arg(entryOf(m_data, QStringLiteral("data"), QDir::Dirs))
        .arg(archive, 3, 10, QLatin1Char('0'));
}

Status CascStorage::load()
{
    QString buildInfoPath = entryOf(m_root, QStringLiteral(".build.info"), QDir::Files);
    if (buildInfoPath.isEmpty())
        buildInfoPath = QDir(m_root).filePath(QStringLiteral(".build.info"));
    m_data = entryOf(m_root, QStringLiteral("Data"), QDir::Dirs);
    const auto buildInfo = readText(buildInfoPath);
    if (!buildInfo)
        return buildInfo.failure();
    const auto buildKey = activeBuildKey(*buildInfo);
    if (!buildKey)
        return failure(buildInfoPath, CascStorageText::tr("cannot be used: %1").arg(buildKey.reason()));
    if (m_data.isEmpty())
        return failure(QDir(m_root).filePath(QStringLiteral("Data")), CascStorageText::tr("is missing"));
    const QString configFolder = entryOf(m_data, QStringLiteral("config"), QDir::Dirs);
    const QString configPath = keyPath(configFolder, *buildKey);
    const auto configText = readBytes(configPath, 0, -1, MaxTextBytes);
    if (!configText)
        return failure(configPath, CascStorageText::tr("(the active build's config) %1").arg(configText.reason()));
    const auto config = parseBuildConfig(*configText);
    if (!config)
        return failure(configPath, CascStorageText::tr("cannot be used: %1").arg(config.reason()));
    if (Status indexes = readIndexes(); !indexes)
        return indexes;

    // The encoding file: its header and page table now, one page per key later.
    const QString encodingName = CascStorageText::tr("the encoding file");
    const IndexEntry *record = findIndexEntry(m_index[size_t(bucketOf(config->encodingEKey))],
                                              config->encodingEKey);
    if (!record)
        return failure(m_data, CascStorageText::tr("has no %1 in its index files (the game may need repair)")
                                   .arg(encodingName));
    m_encodingRecord = *record;
    const qint64 cap = config->encodingSize.value_or(MaxFileBytes);
    {
        auto whole = readRecord(m_encodingRecord, encodingName);
        if (!whole)
            return whole.failure();
        auto chunks = parseBlteHeader(*whole, whole->size());
        if (!chunks)
            return failure(dataFile(m_encodingRecord.archive),
                           CascStorageText::tr("holds a damaged %1: %2").arg(encodingName, chunks.reason()));
        if (chunks->size() == 1) {
            auto decoded = decodeBlte(*whole, config->encodingSize.value_or(-1), cap);
            if (decoded && md5(*decoded) != keyBytes(config->encodingKey))
                decoded = fail(FailureKind::GameData, CascStorageText::tr("its content does not match its key"));
            if (!decoded)
                return failure(dataFile(m_encodingRecord.archive),
                               CascStorageText::tr("holds a damaged %1: %2").arg(encodingName, decoded.reason()));
            m_encodingWhole = std::move(*decoded);
            m_encodingSize = m_encodingWhole.size();
        } else {
            m_encodingChunks = std::move(*chunks);
            m_encodingSize = m_encodingChunks.back().decodedOffset + m_encodingChunks.back().decodedSize;
            if (m_encodingSize > cap || (config->encodingSize && m_encodingSize != *config->encodingSize))
                return failure(dataFile(m_encodingRecord.archive),
                               CascStorageText::tr("holds a damaged %1: its size is not the one the build config states")
                                   .arg(encodingName));
        }
    }
    qint64 tableBytes = 0;
    auto header = encodingRange(0, EncodingHeaderBytes);
    Result<EncodingTable> table =
        header ? parseEncodingHeader(*header, m_encodingSize, &tableBytes) : header.failure();
    if (table) {
        auto bytes = encodingRange(EncodingHeaderBytes, tableBytes);
        const Status parsed = bytes ? parseEncodingPageTable(*bytes, &table.value()) : bytes.failure();
        if (!parsed)
            table = parsed.failure();
    }
    if (!table)
        return failure(dataFile(m_encodingRecord.archive),
                       CascStorageText::tr("holds a damaged %1: %2").arg(encodingName, table.reason()));
    m_encoding = std::move(*table);

    const auto root = readContent(config->rootKey, CascStorageText::tr("the root file"), MaxFileBytes);
    if (!root)
        return root.failure();
    RootScan scan = scanRoot(*root, KeptFolders);
    m_files = std::move(scan.files);
    m_tilesetNames = std::move(scan.tilesetNames);
    return Status::success();
}

Status CascStorage::readIndexes()
{
    const QString folder = entryOf(m_data, QStringLiteral("data"), QDir::Dirs);
    static const QRegularExpression name(QStringLiteral("^([0-9a-f]{2})([0-9a-f]{8})\\.idx$"),
                                         QRegularExpression::CaseInsensitiveOption);
    std::array<QString, BucketCount> current;
    std::array<quint32, BucketCount> version{};
    const QStringList entries = folder.isEmpty() ? QStringList() : QDir(folder).entryList(QDir::Files);
    for (const QString &entry : entries) {
        const QRegularExpressionMatch m = name.match(entry);
        const int bucket = m.hasMatch() ? m.captured(1).toInt(nullptr, 16) : BucketCount;
        if (bucket >= BucketCount)
            continue;
        const quint32 v = m.captured(2).toUInt(nullptr, 16);
        if (current[size_t(bucket)].isEmpty() || v > version[size_t(bucket)]) {
            current[size_t(bucket)] = QDir(folder).filePath(entry);
            version[size_t(bucket)] = v;
        }
    }
    for (int bucket = 0; bucket < BucketCount; ++bucket) {
        const QString &path = current[size_t(bucket)];
        if (path.isEmpty())
            return failure(QStringLiteral("%1/%2????????.idx")
                               .arg(folder.isEmpty() ? m_data + QStringLiteral("/data") : folder)
                               .arg(bucket, 2, 16, QLatin1Char('0')),
                           CascStorageText::tr("is missing (the game may need repair)"));
        auto bytes = readBytes(path, 0, -1, MaxIndexBytes);
        if (!bytes)
            return failure(path, bytes.reason());
        auto parsed = parseIndex(*bytes, bucket);
        if (!parsed)
            return failure(path, CascStorageText::tr("is damaged: %1").arg(parsed.reason()));
        m_index[size_t(bucket)] = std::move(*parsed);
    }
    return Status::success();
}

Result<QByteArray> CascStorage::readRecord(const IndexEntry &entry, const QString &what) const
{
    const QString path = dataFile(entry.archive);
    if (entry.size > MaxFileBytes + (qint64(1) << 20))
        return failure(path, CascStorageText::tr("holds %1 in a record far too large").arg(what));
    auto bytes = readBytes(path, entry.offset + RecordHeaderBytes,
                           qint64(entry.size) - RecordHeaderBytes, 0);
    if (!bytes)
        return failure(path, CascStorageText::tr("(holding %1) %2").arg(what, bytes.reason()));
    return bytes;
}

Result<QByteArray> CascStorage::encodingRange(qint64 offset, qint64 length) const
{
    if (offset < 0 || length < 0 || offset + length > m_encodingSize)
        return fail(FailureKind::GameData, CascStorageText::tr("a table runs past its end"));
    if (m_encodingChunks.empty())
        return m_encodingWhole.mid(offset, length);
    QByteArray out;
    const auto first = std::upper_bound(m_encodingChunks.begin(), m_encodingChunks.end(), offset,
                                        [](qint64 at, const BlteChunk &c) { return at < c.decodedOffset; });
    for (auto it = first - 1; it != m_encodingChunks.end() && out.size() < length; ++it) {
        auto encoded = readBytes(dataFile(m_encodingRecord.archive),
                                 m_encodingRecord.offset + RecordHeaderBytes + it->encodedOffset,
                                 it->encodedSize, 0);
        if (!encoded)
            return encoded.failure();
        auto decoded = decodeChunk(*encoded, *it, m_encodingSize);
        if (!decoded)
            return decoded.failure();
        const qint64 from = std::max<qint64>(0, offset - it->decodedOffset);
        out.append(decoded->mid(from, length - out.size()));
    }
    return out;
}

Result<EncodingEntry> CascStorage::lookUp(const Key &ckey, const QString &what) const
{
    const QString file = dataFile(m_encodingRecord.archive);
    const int page = m_encoding.pageOf(ckey);
    std::optional<EncodingEntry> found;
    if (page >= 0) {
        auto bytes = encodingRange(m_encoding.pagesOffset + page * m_encoding.pageSize,
                                   m_encoding.pageSize);
        if (bytes && md5(*bytes) != keyBytes(m_encoding.pageMd5s[size_t(page)]))
            bytes = fail(FailureKind::GameData, CascStorageText::tr("a page does not match its checksum"));
        if (!bytes)
            return failure(file, CascStorageText::tr("holds a damaged encoding file: %1").arg(bytes.reason()));
        found = findInPage(*bytes, ckey);
    }
    if (!found)
        return failure(file, CascStorageText::tr("holds an encoding file without %1, which the game lists "
                                "(the game may need repair)").arg(what));
    return *found;
}

Result<QByteArray> CascStorage::readContent(const Key &ckey, const QString &what, qint64 cap) const
{
    const auto encoded = lookUp(ckey, what);
    if (!encoded)
        return encoded.failure();
    const IndexEntry *record =
        findIndexEntry(m_index[size_t(bucketOf(encoded->ekey))], encoded->ekey);
    if (!record)
        return failure(entryOf(m_data, QStringLiteral("data"), QDir::Dirs),
                       CascStorageText::tr("has %1 listed but not installed: the game may need repair").arg(what));
    const auto blte = readRecord(*record, what);
    if (!blte)
        return blte.failure();
    auto decoded = decodeBlte(*blte, encoded->contentSize, cap);
    if (decoded && md5(*decoded) != keyBytes(ckey))
        decoded = fail(FailureKind::GameData, CascStorageText::tr("its content does not match its key"));
    if (!decoded)
        return failure(dataFile(record->archive),
                       CascStorageText::tr("holds %1 damaged: %2").arg(what, decoded.reason()));
    return decoded;
}

Result<std::optional<QByteArray>> CascStorage::read(const QString &name, qint64 cap) const
{
    const QByteArray normal = name.toUtf8().toLower().replace('\\', '/');
    const auto it = m_files.constFind(normal);
    if (it == m_files.constEnd())
        return std::optional<QByteArray>();
    auto content = readContent(*it, QStringLiteral("\"%1\"").arg(name), cap);
    if (!content)
        return content.failure();
    return std::optional<QByteArray>(std::move(*content));
}

} // namespace casc

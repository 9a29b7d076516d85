#include "CascBuilder.h"

#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRandomGenerator>

#include <algorithm>
#include <map>

namespace testsupport {

namespace {

QByteArray md5(const QByteArray &b) { return QCryptographicHash::hash(b, QCryptographicHash::Md5); }

void putBe(QByteArray &out, quint64 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xff));
}

void putLe(QByteArray &out, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

QByteArray zlibChunk(const QByteArray &data)
{
    // qCompress puts a 4-byte size before the zlib stream; the stream itself is what BLTE holds.
    return 'Z' + qCompress(data, 6).mid(4);
}

/// BLTE bytes with a chunk table over `chunks` (encoded bytes, decoded size).
QByteArray withChunkTable(const QList<std::pair<QByteArray, qint64>> &chunks)
{
    QByteArray out = "BLTE";
    putBe(out, 12 + 24 * quint64(chunks.size()), 4);
    out.append(char(0x0F));
    putBe(out, quint64(chunks.size()), 3);
    for (const auto &[encoded, decoded] : chunks) {
        putBe(out, quint64(encoded.size()), 4);
        putBe(out, quint64(decoded), 4);
        out.append(md5(encoded));
    }
    for (const auto &chunk : chunks)
        out.append(chunk.first);
    return out;
}

/// BLTE bytes of `content` laid out as asked.
QByteArray blte(const QByteArray &content, CascBuilder::Layout layout)
{
    using Layout = CascBuilder::Layout;
    if (layout == Layout::Plain)
        return "BLTE" + QByteArray(4, '\0') + 'N' + content;
    QList<std::pair<QByteArray, qint64>> chunks; // encoded, decoded size
    const qsizetype third = content.size() / 3;
    switch (layout) {
    case Layout::Zlib: chunks = {{zlibChunk(content), content.size()}}; break;
    case Layout::Mixed:
        chunks = {{'N' + content.left(third), third},
                  {zlibChunk(content.mid(third, third)), third},
                  {'N' + content.mid(2 * third), content.size() - 2 * third}};
        break;
    default:
        chunks = {{'N' + content.left(third), third},
                  {'E' + content.mid(third), content.size() - third}};
    }
    return withChunkTable(chunks);
}

/// BLTE of chunks given as (bytes, compress).
QByteArray blteOf(const QList<std::pair<QByteArray, bool>> &parts)
{
    QList<std::pair<QByteArray, qint64>> chunks;
    for (const auto &[bytes, compress] : parts)
        chunks.append({compress ? zlibChunk(bytes) : 'N' + bytes, bytes.size()});
    return withChunkTable(chunks);
}

int bucketOfKey(const QByteArray &ekey)
{
    quint8 x = 0;
    for (int i = 0; i < 9; ++i)
        x ^= quint8(ekey[i]);
    return (x & 0x0F) ^ (x >> 4);
}

struct Stored
{
    QByteArray ckey, ekey, blte;
    qint64 size;
};

} // namespace

QList<CascBuilder::File> CascBuilder::tilesetFiles(const SyntheticTileset &t, const QString &folder,
                                                   const QString &stem, bool wide)
{
    const QString base = folder + stem;
    return {{base + ".cv5", t.cv5(), Layout::Plain},
            {base + (wide ? ".vx4ex" : ".vx4"), t.vx4(wide), Layout::Mixed},
            {base + ".vr4", t.vr4(), Layout::Zlib},
            {base + ".wpe", t.wpe(), Layout::Mixed}};
}

QString CascBuilder::dataFile(const QString &root, int archive) const
{
    return QStringLiteral("%1/Data/data/data.%2").arg(root).arg(archive, 3, 10, QLatin1Char('0'));
}

void CascBuilder::build(const QString &root)
{
    QRandomGenerator random(22);
    const auto randomBytes = [&](int n) {
        QByteArray b(n, Qt::Uninitialized);
        for (char &c : b)
            c = char(random.bounded(256));
        return b;
    };
    std::map<QString, Stored> stored;
    const auto store = [&](const QString &name, const QByteArray &content, const QByteArray &bytes) {
        stored[name] = {md5(content), md5(bytes), bytes, content.size()};
    };

    // Root: the files, then filler lines of other graphics.
    QByteArray rootText;
    for (const File &f : files) {
        store(f.name, f.content, blte(f.content, f.layout));
        rootText += f.name.toUtf8() + '|' + stored[f.name].ckey.toHex() + "\r\n";
    }
    for (int i = 0; i < fillerRootLines; ++i)
        rootText += "unit/neutral/filler" + QByteArray::number(i) + ".grp|"
            + randomBytes(16).toHex() + "\n";
    store("root", rootText, blte(rootText, Layout::Mixed));

    // Encoding: every file and the root, plus filler, sorted by content key.
    std::map<QByteArray, std::pair<qint64, QByteArray>> entries; // ckey -> size, ekey
    for (const auto &[name, s] : stored)
        entries[s.ckey] = {s.size, s.ekey};
    for (int i = 0; i < fillerEncodingEntries; ++i)
        entries[randomBytes(16)] = {1000 + i, randomBytes(16)};
    constexpr int PageKB = 4, PageBytes = PageKB * 1024, EntryBytes = 1 + 5 + 16 + 16;
    QList<QByteArray> pages;
    QList<QByteArray> firstKeys;
    for (const auto &[ckey, e] : entries) {
        if (pages.isEmpty() || pages.last().size() + EntryBytes > PageBytes) {
            pages.append(QByteArray());
            firstKeys.append(ckey);
        }
        QByteArray &page = pages.last();
        page.append(char(1));
        putBe(page, quint64(e.first), 5);
        page.append(ckey);
        page.append(e.second);
    }
    for (QByteArray &page : pages)
        page.append(QByteArray(PageBytes - page.size(), '\0'));
    const QByteArray espec("z\0", 2);
    QByteArray head = "EN";
    head.append(char(1)).append(char(16)).append(char(16));
    putBe(head, PageKB, 2);
    putBe(head, PageKB, 2);
    putBe(head, quint64(pages.size()), 4);
    putBe(head, 1, 4);
    head.append(char(0));
    putBe(head, quint64(espec.size()), 4);
    head += espec;
    for (qsizetype i = 0; i < pages.size(); ++i)
        head += firstKeys[i] + md5(pages[i]);
    QList<std::pair<QByteArray, bool>> parts{{head, false}};
    for (qsizetype i = 0; i < pages.size(); i += 16) {
        QByteArray group;
        for (qsizetype j = i; j < std::min(pages.size(), i + 16); ++j)
            group += pages[j];
        parts.append({group, true});
    }
    parts.append({randomBytes(PageBytes), false}); // the encoded keys' pages, not read
    QByteArray encoding;
    for (const auto &part : parts)
        encoding += part.first;
    const QByteArray encodingBlte = blteOf(parts);
    stored["encoding"] = {md5(encoding), md5(encodingBlte), encodingBlte, encoding.size()};

    // Data files: records alternate between data.000 and data.001.
    QDir().mkpath(root + "/Data/data");
    QByteArray data[2];
    QHash<int, QList<QByteArray>> index; // bucket -> 18-byte entries
    QHash<int, QList<QByteArray>> staleIndex;
    int turn = 0;
    placed.clear();
    for (const auto &[name, s] : stored) {
        const int archive = turn++ % 2;
        QByteArray &out = data[archive];
        const qint64 offset = out.size();
        QByteArray reversed = s.ekey;
        std::reverse(reversed.begin(), reversed.end());
        out += reversed;
        putLe(out, quint64(30 + s.blte.size()), 4);
        out += QByteArray(10, '\0');
        out += s.blte;
        placed[name] = {archive, offset, 30 + s.blte.size()};
        QByteArray entry = s.ekey.left(9);
        putBe(entry, quint64(archive) << 30 | quint64(offset), 5);
        putLe(entry, quint64(30 + s.blte.size()), 4);
        if (!notIndexed.contains(name))
            index[bucketOfKey(s.ekey)].append(entry);
        QByteArray stale = s.ekey.left(9);
        putBe(stale, quint64(archive) << 30 | quint64(offset + 3), 5);
        putLe(stale, quint64(30 + s.blte.size()), 4);
        staleIndex[bucketOfKey(s.ekey)].append(stale);
    }
    writeFile(dataFile(root, 0), data[0]);
    writeFile(dataFile(root, 1), data[1]);

    const auto writeIndex = [&](int bucket, quint32 version, QList<QByteArray> list) {
        std::sort(list.begin(), list.end());
        QByteArray out;
        putLe(out, 16, 4);
        putLe(out, 0, 4);
        putLe(out, 7, 2);
        out.append(char(bucket)).append(char(0)).append(char(4)).append(char(5)).append(char(9))
            .append(char(30));
        putLe(out, quint64(1) << 30, 8);
        out += QByteArray(8, '\0');
        putLe(out, quint64(list.size()) * 18, 4);
        putLe(out, 0, 4);
        for (const QByteArray &e : list)
            out += e;
        writeFile(QStringLiteral("%1/Data/data/%2%3.idx")
                      .arg(root)
                      .arg(bucket, 2, 16, QLatin1Char('0'))
                      .arg(version, 8, 16, QLatin1Char('0')),
                  out);
    };
    for (int bucket = 0; bucket < 16; ++bucket) {
        QList<QByteArray> list = index.value(bucket);
        for (int i = 0; i < fillerIndexEntries; ++i) {
            QByteArray key = randomBytes(8);
            quint8 x = 0;
            for (char c : key)
                x ^= quint8(c);
            key.append(char(x ^ bucket)); // nine bytes XOR to `bucket`
            putBe(key, 4096 + quint64(i), 5);
            putLe(key, 100, 4);
            list.append(key);
        }
        writeIndex(bucket, 0x11, list);
    }
    // An older version of the bucket of the first file, pointing a few bytes off.
    if (!stored.empty()) {
        const int bucket = bucketOfKey(stored.begin()->second.ekey);
        writeIndex(bucket, 0x0f, staleIndex.value(bucket));
    }

    // Build config and .build.info.
    const Stored &enc = stored["encoding"];
    const QByteArray config = "# Build Configuration\n\nroot = " + stored["root"].ckey.toHex()
        + "\ninstall = " + randomBytes(16).toHex() + "\nencoding = " + enc.ckey.toHex() + " "
        + enc.ekey.toHex() + "\nencoding-size = " + QByteArray::number(enc.size) + " "
        + QByteArray::number(enc.blte.size()) + "\n";
    const QByteArray buildKey = (configMissing ? randomBytes(16) : md5(config)).toHex();
    const QByteArray other = randomBytes(16).toHex();
    {
        const QByteArray key = md5(config).toHex();
        const QString dir = QStringLiteral("%1/Data/config/%2/%3")
                                .arg(root, QString(key.left(2)), QString(key.mid(2, 2)));
        QDir().mkpath(dir);
        writeFile(dir + "/" + key, config);
    }
    writeFile(root + "/.build.info",
              "Branch!STRING:0|Active!DEC:1|Build Key!HEX:16|CDN Key!HEX:16|Version!STRING:0\r\n"
              "eu|0|" + other + "||1.0\r\nus|" + (activeBuild ? "1" : "0") + "|" + buildKey
                  + "||1.23.10\r\n");
}

} // namespace testsupport

// Writes the seed corpus of fuzz_casc from a storage made by the tests' builder: each table
// of the storage, behind the byte that selects its parser. Usage: casc_fuzz_seeds DIR.
#include "CascBuilder.h"
#include "SyntheticTileset.h"
#include "TestSupport.h"

#include "core/tileset/CascFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir dir;
    testsupport::CascBuilder builder;
    builder.files = testsupport::CascBuilder::tilesetFiles(testsupport::SyntheticTileset::make(),
                                                           "TileSet/", "badlands");
    builder.fillerRootLines = 20;
    builder.fillerIndexEntries = 3;
    builder.build(dir.path());
    const auto record = [&](const QString &name) {
        const auto at = builder.placed.value(name);
        return testsupport::readFile(builder.dataFile(dir.path(), at.archive))
            .mid(at.offset + casc::RecordHeaderBytes, at.size - casc::RecordHeaderBytes);
    };
    const auto write = [&](const QString &name, char parser, const QByteArray &bytes) {
        testsupport::writeFile(out.filePath(name), parser + bytes);
    };
    const QDir data(dir.filePath("Data/data"));
    write("index", 0, testsupport::readFile(data.filePath(data.entryList({"00*.idx"}).last())));
    write("encoding", 1, *casc::decodeBlte(record("encoding"), -1, casc::MaxFileBytes));
    write("root", 2, *casc::decodeBlte(record("root"), -1, casc::MaxFileBytes));
    for (const QString &name : {"TileSet/badlands.cv5", "TileSet/badlands.vx4", "TileSet/badlands.vr4"})
        write("blte-" + name.section('.', -1), 3, record(name));
    write("build-info", 4, testsupport::readFile(dir.filePath(".build.info")));
    const QString config = QDir(dir.filePath("Data/config")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).first();
    QDir sub(dir.filePath("Data/config/" + config));
    sub.cd(sub.entryList(QDir::Dirs | QDir::NoDotAndDotDot).first());
    write("build-config", 5, testsupport::readFile(sub.filePath(sub.entryList(QDir::Files).first())));
    return 0;
}

#include "TestSupport.h"


#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

QByteArray section(const char (&name)[5], const QByteArray &data)
{
    QByteArray out(name, 4);
    char len[4];
    qToLittleEndian<quint32>(quint32(data.size()), len);
    out.append(len, 4);
    out.append(data);
    return out;
}

QByteArray dimData(quint16 width, quint16 height)
{
    char d[4];
    qToLittleEndian<quint16>(width, d);
    qToLittleEndian<quint16>(height, d + 2);
    return QByteArray(d, 4);
}

QByteArray scenario(int width, int height, quint8 tileset, quint8 tilesetHigh)
{
    const QByteArray tiles(2 * width * height, '\0');
    QByteArray era;
    era.append(char(tileset));
    era.append(char(tilesetHigh));
    return section("VER ", QByteArray("\xCD\x00", 2)) + section("DIM ", dimData(width, height))
        + section("ERA ", era) + section("TILE", tiles) + section("MTXM", tiles)
        + section("UNIT", QByteArray(36, '\x11'));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

ProgramRun runProgram(const QString &program, const QStringList &args,
                      const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ProgramRun r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << qPrintable(program) << " did not finish: " << p.errorString().toStdString();
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

quint8 noise(int x, int y, int salt)
{
    quint32 h = quint32(x) * 73856093u ^ quint32(y) * 19349663u ^ quint32(salt) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return quint8(h >> 15);
}

QByteArray jpegOf(const JpegLayout &layout, int width, int height,
                  const std::function<quint8(int x, int y, int channel)> &sample)
{
    const auto space = J_COLOR_SPACE(layout.colorSpace);
    jpeg_compress_struct c;
    jpeg_error_mgr errors;
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char *memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &memory, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
    c.in_color_space = space == JCS_GRAYSCALE ? JCS_GRAYSCALE : space == JCS_CMYK ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_colorspace(&c, space);
    jpeg_set_quality(&c, 85, TRUE);
    c.comp_info[0].h_samp_factor = layout.h;
    c.comp_info[0].v_samp_factor = layout.v;
    if (layout.progressive)
        jpeg_simple_progression(&c);
    c.restart_in_rows = layout.restartRows;
    c.arith_code = layout.arithmetic;
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * size_t(c.input_components));
    while (c.next_scanline < c.image_height) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = sample(int(i) / c.input_components, int(c.next_scanline), int(i) % c.input_components);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray out(reinterpret_cast<const char *>(memory), qsizetype(size));
    std::free(memory);
    return out;
}

void writeMap(const QString &path, const QByteArray &scenarioBytes, bool withListfile)
{
    writeArchive(path,
                 {{"staredit\\scenario.chk", scenarioBytes},
                  {"staredit\\wav\\note.wav", QByteArray(500, 'w')},
                  {"readme\\about.txt", QByteArray("made by the tests")}},
                 withListfile);
}

void writeArchive(const QString &path, const QList<MpqEntry> &entries, bool withListfile)
{
    MpqLayout layout;
    layout.entries = entries;
    layout.listfile = withListfile;
    while (layout.hashTableSize < quint32(entries.size()) * 2 + 4)
        layout.hashTableSize *= 2;
    writeFile(path, buildMpq(layout));
}

QString realMapsDir()
{
    const QByteArray dir = qgetenv("VELMORA_MAPS");
    if (dir.isEmpty())
        return {};
    const QString path = QString::fromLocal8Bit(dir);
    EXPECT_TRUE(QDir(path).exists()) << "VELMORA_MAPS names a missing folder: " << dir.constData();
    return path;
}

QStringList realMaps()
{
    const QString dir = realMapsDir();
    if (dir.isEmpty())
        return {};
    QStringList out;
    const QDir d(dir);
    for (const QString &name : d.entryList({"*.scm", "*.scx"}, QDir::Files, QDir::Name))
        out << d.filePath(name);
    EXPECT_FALSE(out.isEmpty()) << "no maps in " << dir.toStdString();
    return out;
}

ProgramFolder::ProgramFolder()
{
    EXPECT_TRUE(m_dir.isValid());
}

QList<ScriptedDialogs::Asked> ScriptedDialogs::messages() const
{
    QList<Asked> out;
    for (const Asked &a : asked)
        if (a.kind == QLatin1String("message"))
            out << a;
    return out;
}

int ScriptedDialogs::unsavedQuestions() const
{
    int n = 0;
    for (const Asked &a : asked)
        n += a.kind == QLatin1String("unsaved") ? 1 : 0;
    return n;
}

QString ScriptedDialogs::answer(const QString &kind, const QString &title,
                                const QString &initialPath, const QString &filter)
{
    asked.append({kind, title, filter, initialPath, QMessageBox::NoIcon});
    if (whileFileDialogOpen)
        whileFileDialogOpen();
    if (fileAnswers.empty())
        return {};
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString ScriptedDialogs::getOpenFileName(QWidget *, const QString &title,
                                         const QString &initialPath, const QString &filter)
{
    return answer(QStringLiteral("open"), title, initialPath, filter);
}

QString ScriptedDialogs::getSaveFileName(QWidget *, const QString &title,
                                         const QString &initialPath, const QString &filter)
{
    return answer(QStringLiteral("save"), title, initialPath, filter);
}

QString ScriptedDialogs::getExistingDirectory(QWidget *, const QString &title,
                                              const QString &initialPath)
{
    return answer(QStringLiteral("folder"), title, initialPath, QString());
}

void ScriptedDialogs::showMessage(QWidget *, QMessageBox::Icon icon, const QString &title,
                                  const QString &text)
{
    asked.append({QStringLiteral("message"), title, text, QString(), icon});
}

void ScriptedDialogs::openDocument(const QString &path)
{
    asked.append({QStringLiteral("document"), QString(), path, QString(), QMessageBox::NoIcon});
}

UserDialogs::UnsavedChoice ScriptedDialogs::askUnsavedWork(QWidget *, const QString &title,
                                                            const QString &text)
{
    asked.append({QStringLiteral("unsaved"), title, text, QString(), QMessageBox::Warning});
    if (unsavedAnswers.empty())
        return UnsavedChoice::Cancel;
    const UnsavedChoice a = unsavedAnswers.front();
    unsavedAnswers.pop_front();
    return a;
}

FullDisk::FullDisk(const QString &path) : m_path(QFile::encodeName(path))
{
    // 256 KiB is room for the few files a test places before filling it.
    if (::mount("velmora-test", m_path.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                "size=256k,mode=0777") == 0)
        m_mounted = true;
    else
        m_reason = QStringLiteral("no small file system can be mounted here (%1)")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

FullDisk::~FullDisk()
{
    // A mount left behind would outlive the test: say so rather than leave it quietly.
    if (m_mounted && ::umount2(m_path.constData(), MNT_DETACH) != 0)
        ADD_FAILURE() << "the small file system at " << m_path.constData()
                      << " could not be unmounted: " << std::strerror(errno);
}

void FullDisk::fill()
{
    ASSERT_TRUE(m_mounted);
    const QByteArray filler = m_path + "/filler";
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const std::vector<char> block(4096, 'f');
    for (size_t size = block.size(); size > 0; size /= 2)
        while (::write(fd, block.data(), size) == ssize_t(size)) {
        }
    const int error = errno;
    ::close(fd);
    ASSERT_EQ(error, ENOSPC) << std::strerror(error);
}

QStringList FullDisk::names() const
{
    return QDir(QFile::decodeName(m_path))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace testsupport

// What a JPEG file asks of any decoder, read from its markers before one starts: the number
// of scans and, for a file of more than one scan (progressive, or sequential with a scan per
// component), the coefficient memory of the whole picture, which every decoder keeps until
// the last scan. Qt's decoder has no limits of its own on either.
#include "core/picture/PictureFormats.h"

#include <QIODevice>

namespace picture::detail {
namespace {

/// Reads the file a byte at a time through a buffer.
class Bytes
{
public:
    explicit Bytes(QIODevice &file) : m_file(file) {}
    /// The next byte, or -1 at the end.
    int next()
    {
        if (m_at == m_buffer.size()) {
            m_buffer = m_file.read(64 * 1024);
            m_at = 0;
            if (m_buffer.isEmpty())
                return -1;
        }
        return quint8(m_buffer.at(m_at++));
    }
    bool skip(qint64 count)
    {
        for (qint64 i = 0; i < count; ++i)
            if (next() < 0)
                return false;
        return true;
    }
    int word()
    {
        const int high = next(), low = next();
        return high < 0 || low < 0 ? -1 : (high << 8) | low;
    }

private:
    QIODevice &m_file;
    QByteArray m_buffer;
    qsizetype m_at = 0;
};

struct Frame
{
    qint64 width = 0, height = 0;
    int components = 0;
    int h[4] = {}, v[4] = {};
    int hMax = 1, vMax = 1;
};

/// Coefficient memory of the whole picture: 64 coefficients of 2 bytes per block.
qint64 coefficientBytes(const Frame &f)
{
    qint64 total = 0;
    for (int i = 0; i < f.components && i < 4; ++i) {
        const qint64 mcuColumns = (f.width + 8 * f.hMax - 1) / (8 * f.hMax);
        const qint64 mcuRows = (f.height + 8 * f.vMax - 1) / (8 * f.vMax);
        total += mcuColumns * f.h[i] * mcuRows * f.v[i] * 128;
    }
    return total;
}

bool readFrame(Bytes &in, int length, Frame *f)
{
    if (length < 8 || in.next() < 0)
        return false;
    f->height = in.word();
    f->width = in.word();
    f->components = in.next();
    if (f->width < 0 || f->height < 0 || f->components < 0)
        return false;
    int left = length - 8;
    for (int i = 0; i < f->components && left >= 3; ++i, left -= 3) {
        (void)in.next();
        const int sampling = in.next();
        (void)in.next();
        if (sampling < 0)
            return false;
        if (i < 4) {
            f->h[i] = qMax(1, sampling >> 4);
            f->v[i] = qMax(1, sampling & 15);
            f->hMax = qMax(f->hMax, f->h[i]);
            f->vMax = qMax(f->vMax, f->v[i]);
        }
    }
    return in.skip(left);
}

} // namespace

std::optional<Area> checkJpegLimits(QIODevice &file)
{
    Bytes in(file);
    Frame frame;
    qint64 scans = 0;
    bool inScan = false;
    bool progressive = false;
    int byte = in.next();
    while (byte >= 0) {
        if (byte != 0xff) {
            byte = in.next();
            continue;
        }
        int marker = in.next();
        while (marker == 0xff)
            marker = in.next();
        if (marker < 0)
            break;
        if (marker == 0x00 || (marker >= 0xd0 && marker <= 0xd7) || marker == 0xd8
            || marker == 0x01) {
            byte = in.next(); // data, a restart, the start
            continue;
        }
        if (marker == 0xd9)
            break;
        if (inScan && marker != 0xda)
            inScan = false;
        const int length = in.word();
        if (length < 2)
            break;
        const bool sof = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8
            && marker != 0xcc;
        if (sof) {
            progressive = (marker & 3) == 2; // SOF2, SOF6, SOF10, SOF14
            if (!readFrame(in, length, &frame))
                break;
        } else if (!in.skip(length - 2)) {
            break;
        }
        if (marker == 0xda) {
            inScan = true;
            if (++scans > MaxJpegScans) // as damaged as it is complex: nothing writes that many
                return failed(Failure::Undecodable,
                              PictureText::tr("the picture is too complex: its JPEG data has more than %1 "
                                 "scans")
                                  .arg(MaxJpegScans),
                              QSize(int(frame.width), int(frame.height)));
        }
        byte = in.next();
    }
    file.seek(0);
    // A progressive file keeps every coefficient however few of its scans are there.
    if (scans <= 1 && !progressive)
        return std::nullopt;
    const qint64 bytes = coefficientBytes(frame);
    const QSize size(int(frame.width), int(frame.height));
    if (bytes > MaxWholeDecodeBytes)
        return failed(Failure::TooLarge,
                      PictureText::tr("the picture is too large: it is %1 x %2 pixels and stored in several "
                         "scans, so all of it is decoded at once; that takes %3 MiB, more than "
                         "the %4 MiB Velmora allows")
                          .arg(size.width())
                          .arg(size.height())
                          .arg(bytes >> 20)
                          .arg(MaxWholeDecodeBytes >> 20),
                      size);
    if (bytes * scans > MaxJpegScanWork)
        return failed(Failure::TooLarge,
                      PictureText::tr("the picture is too complex: %1 scans over %2 MiB of coefficients "
                         "would take more than Velmora allows (%3 GiB of scan work)")
                          .arg(scans)
                          .arg(bytes >> 20)
                          .arg(MaxJpegScanWork >> 30),
                      size);
    return std::nullopt;
}

} // namespace picture::detail

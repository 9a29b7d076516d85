#include "core/common/MessageText.h"

#include <QByteArray>

#include <cstdio>

namespace messagetext {
namespace {

const char *programName = "velmora";

bool reordersText(char16_t c)
{
    return (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) || c == 0x200e
        || c == 0x200f || c == 0x061c;
}

void handle(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg && qEnvironmentVariableIsEmpty("VELMORA_DEBUG"))
        return;
    const char *level = type == QtFatalMsg      ? "fatal"
                        : type == QtCriticalMsg ? "error"
                        : type == QtWarningMsg  ? "warning"
                                                : "note";
    const QByteArray line = escaped(message).toUtf8();
    std::fprintf(stderr, "%s: %s: %s\n", programName, level, line.constData());
    std::fflush(stderr);
}

} // namespace

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool high = QChar::isHighSurrogate(c), low = QChar::isLowSurrogate(c);
        if (high && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out.append(text.at(i)).append(text.at(i + 1));
            ++i;
        } else if (c == u'\n') {
            out.append(QLatin1String("\\n"));
        } else if (c == u'\r') {
            out.append(QLatin1String("\\r"));
        } else if (c == u'\t') {
            out.append(QLatin1String("\\t"));
        } else if (c < 0x20 || (c >= 0x7f && c < 0xa0)) {
            out.append(QLatin1String("\\x"))
                .append(QString::number(int(c), 16).toUpper().rightJustified(2, u'0'));
        } else if (reordersText(c) || high || low) {
            out.append(QLatin1String("\\u{"))
                .append(QString::number(int(c), 16).toUpper().rightJustified(4, u'0'))
                .append(u'}');
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

void installHandler(const char *program)
{
    programName = program;
    qInstallMessageHandler(handle);
}

} // namespace messagetext

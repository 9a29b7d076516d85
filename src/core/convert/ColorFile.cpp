#include "core/convert/ColorFile.h"

#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

QString ColorFile::keyFromText(const QString &text)
{
    if (const std::optional<qint32> value = colorkey::valueFromRgbText(text))
        return colorkey::colorKey(*value);
    // The forms colorKey produces: eight or more digits, or "-00000001".
    static const QRegularExpression decimal(QStringLiteral("^(-00000001|[0-9]{8,})$"));
    if (decimal.match(text).hasMatch())
        return text;
    return {};
}

Result<ColorFile> ColorFile::parse(const QString &text)
{
    ColorFile file;
    // "#FF0000=5" is a colour; so is a mistyped "#FF00=5", which must not pass as a comment.
    static const QRegularExpression colourLine(QStringLiteral("^#[^\\s=]+\\s*="));
    QHash<QString, int> lineOfKey;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('#')) && !colourLine.match(line).hasMatch())
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            return fail(FailureKind::Colors,
                        QObject::tr("line %1 is not KEY=VALUE: \"%2\"").arg(lineNo).arg(line));
        const QString keyText = line.left(eq).trimmed();
        const QString valueText = line.mid(eq + 1).trimmed();
        const QString key = keyFromText(keyText);
        if (key.isEmpty())
            return fail(FailureKind::Colors,
                        QObject::tr("line %1: \"%2\" is not a colour key (such as 00000255) "
                                       "or a colour (such as #FF0000)")
                            .arg(lineNo)
                            .arg(keyText));
        if (const auto seen = lineOfKey.constFind(key); seen != lineOfKey.cend())
            return fail(FailureKind::Colors,
                        QObject::tr("line %1 gives colour %2 a value again (first on line %3)")
                            .arg(lineNo)
                            .arg(key)
                            .arg(seen.value()));
        quint16 value = 0;
        if (!conversion::parseTileValue(valueText, &value))
            return fail(FailureKind::Values,
                        QObject::tr("line %1: the tile value \"%2\" of colour %3 is not a whole "
                                       "number from 0 to 32767")
                            .arg(lineNo)
                            .arg(valueText, key));
        lineOfKey.insert(key, lineNo);
        file.m_assignments.append({key, value, lineNo});
    }
    return file;
}

Result<ColorFile> ColorFile::read(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(FailureKind::Colors,
                    QObject::tr("cannot be read: %1").arg(in.errorString()));
    return parse(QString::fromUtf8(in.readAll()));
}

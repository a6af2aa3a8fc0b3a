#include "tests/support/expectedfiles.h"

#include <QFile>
#include <QList>
#include <QStringList>
#include <QtEndian>

#include <bit>

namespace {

constexpr int kRecord = 128;

QStringList listingLines(const QString& path, QString* error)
{
    const QByteArray bytes = readFileBytes(path);
    if (bytes.isNull())
        *error = QStringLiteral("cannot read ") + path;
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Windows-1251 (ASCII, and А..я at 0xC0..0xFF: nothing else occurs in these files), moved to the
// analysis program's DOS code page when dos is set: А..п down by 64, р..я by 16.
bool appendText(QByteArray& out, const QString& text, bool dos, QString* error)
{
    for (const QChar ch : text) {
        int c = ch.unicode();
        if (c >= 0x0410 && c <= 0x044F)
            c += 0xC0 - 0x0410;
        else if (c >= 0x80) {
            *error = QStringLiteral("no byte for ") + text;
            return false;
        }
        if (dos && c >= 0xC0)
            c -= c >= 0xF0 ? 16 : 64;
        out.append(char(c));
    }
    return true;
}

void appendInteger(QByteArray& out, const QString& text)
{
    char b[2];
    qToLittleEndian<qint16>(text.toShort(), b);
    out.append(b, 2);
}

void appendTextImage(QByteArray& out, const QString& text, QString* error)
{
    QByteArray bytes;
    appendText(bytes, text, false, error);
    appendInteger(out, QString::number(bytes.size()));
    out.append(bytes);
}

// Each field of a PARA or GROUP line is an Integer (i) or a Text (t), in this order.
bool appendFields(QByteArray& out, const QStringList& fields, const char* kinds, QString* error)
{
    if (fields.size() != qsizetype(qstrlen(kinds)))
        return false;
    for (qsizetype i = 0; i < fields.size(); ++i)
        kinds[i] == 'i' ? appendInteger(out, fields[i]) : appendTextImage(out, fields[i], error);
    return true;
}

QString difference(const QList<QByteArray>& actual, const QList<QByteArray>& expected, const char* unit)
{
    for (qsizetype i = 0; i < qMax(actual.size(), expected.size()); ++i) {
        QByteArray a = actual.value(i), e = expected.value(i);
        if (a == e)
            continue;
        while (a.endsWith('\0'))
            a.chop(1);
        while (e.endsWith('\0'))
            e.chop(1);
        return QStringLiteral("%1 %2 differs (%3 / %4 in all): actual [%5] expected [%6] (hex %7 / %8)")
            .arg(QLatin1String(unit))
            .arg(i + 1)
            .arg(actual.size())
            .arg(expected.size())
            .arg(QString::fromLatin1(a.trimmed()), QString::fromLatin1(e.trimmed()), QString::fromLatin1(a.toHex(' ')),
                 QString::fromLatin1(e.toHex(' ')));
    }
    return QString();
}

QList<QByteArray> records(const QByteArray& file)
{
    QList<QByteArray> all;
    for (qsizetype at = 0; at < file.size(); at += kRecord)
        all << file.mid(at, kRecord);
    return all;
}

} // namespace

QByteArray readFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray all = f.readAll();
    return all.isNull() ? QByteArray("") : all;
}

QByteArray encodeKvListing(const QString& path, QString* error)
{
    QByteArray out;
    for (const QString& line : listingLines(path, error)) {
        if (!appendText(out, line == QStringLiteral("<SP>") ? QStringLiteral(" ") : line, true, error))
            return {};
        out.append("\r\n");
    }
    return error->isEmpty() ? out : QByteArray();
}

QByteArray encodeZvrListing(const QString& path, QString* error)
{
    QByteArray out;
    for (const QString& line : listingLines(path, error)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString head = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        QByteArray record;
        bool known = true;
        if (head == QStringLiteral("I")) {
            appendInteger(record, rest);
        } else if (head == QStringLiteral("S")) {
            char b[4];
            qToLittleEndian<quint32>(std::bit_cast<quint32>(rest.toFloat()), b);
            record.append(b, 4);
        } else if (head == QStringLiteral("T")) {
            appendTextImage(record, rest, error);
        } else if (head == QStringLiteral("PARA")) {
            known = appendFields(record, rest.split(QLatin1Char('|')), "ttititttt", error);
        } else if (head == QStringLiteral("GROUP")) {
            const QStringList f = rest.split(QLatin1Char('|'));
            known = appendFields(record, f.mid(0, 5), "tiitt", error) && f.size() == 6;
            // The angle choice goes after its marker only where the record still has room for both.
            QByteArray sharp("\x1F\x5A\x49\x53", 4);
            appendTextImage(sharp, f.value(5), error);
            if (record.size() + sharp.size() <= kRecord)
                record.append(sharp);
        } else {
            known = false;
        }
        if (!known || record.size() > kRecord)
            *error = QStringLiteral("bad record: ") + line;
        if (!error->isEmpty())
            return {};
        out.append(record.leftJustified(kRecord, '\0'));
    }
    return out;
}

QString kvDifference(const QByteArray& actual, const QByteArray& expected)
{
    return difference(actual.split('\n'), expected.split('\n'), "line");
}

QString zvrDifference(const QByteArray& actual, const QByteArray& expected)
{
    return difference(records(actual), records(expected), "record");
}

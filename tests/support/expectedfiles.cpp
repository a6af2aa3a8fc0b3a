#include "tests/support/expectedfiles.h"

#include <QFile>
#include <QHash>
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
    return bytes.isEmpty() ? QStringList() : QString::fromUtf8(bytes.endsWith('\n') ? bytes.chopped(1) : bytes).split(QLatin1Char('\n'));
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

// One field of a record: an Integer (i), a Single (s) or a Text (t), its length first.
bool appendField(QByteArray& out, char kind, const QString& text, QString* error)
{
    char b[4];
    QByteArray bytes;
    if (kind == 'i') {
        qToLittleEndian<qint16>(text.toShort(), b);
        out.append(b, 2);
    } else if (kind == 's') {
        qToLittleEndian<quint32>(std::bit_cast<quint32>(text.toFloat()), b);
        out.append(b, 4);
    } else if (appendText(bytes, text, false, error)) {
        appendField(out, 'i', QString::number(bytes.size()), error);
        out.append(bytes);
    }
    return error->isEmpty();
}

} // namespace

QByteArray readFileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QByteArray("").append(f.readAll()) : QByteArray();
}

QByteArray encodeKvListing(const QString& path, QString* error)
{
    QByteArray out;
    for (const QString& line : listingLines(path, error))
        if (appendText(out, line == QStringLiteral("<SP>") ? QStringLiteral(" ") : line, true, error))
            out.append("\r\n");
    return error->isEmpty() ? out : QByteArray();
}

QByteArray encodeZvrListing(const QString& path, QString* error)
{
    // The fields of each kind of line; a group record then keeps its angle choice after a marker
    // where the record still has room for both.
    static const QHash<QString, QByteArray> layouts = {
        {QStringLiteral("I"), "i"},         {QStringLiteral("S"), "s"},        {QStringLiteral("T"), "t"},
        {QStringLiteral("PARA"), "ttititttt"}, {QStringLiteral("GROUP"), "tiitt"}};
    QByteArray out;
    for (const QString& line : listingLines(path, error)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString head = line.section(QLatin1Char(' '), 0, 0), rest = line.section(QLatin1Char(' '), 1);
        const QByteArray layout = layouts.value(head);
        const bool group = head == QStringLiteral("GROUP");
        const QStringList f = layout.size() == 1 ? QStringList{rest} : rest.split(QLatin1Char('|'));
        QByteArray record, sharp("\x1F\x5A\x49\x53", 4);
        bool ok = !layout.isEmpty() && f.size() == layout.size() + (group ? 1 : 0);
        for (qsizetype i = 0; ok && i < layout.size(); ++i)
            ok = appendField(record, layout[i], f[i], error);
        if (ok && group && appendField(sharp, 't', f.last(), error) && record.size() + sharp.size() <= kRecord)
            record.append(sharp);
        if (!ok || record.size() > kRecord) {
            *error = QStringLiteral("bad record: ") + line;
            return {};
        }
        out.append(record.leftJustified(kRecord, '\0'));
    }
    return out;
}

QString difference(const QList<QByteArray>& actual, const QList<QByteArray>& expected)
{
    const auto hex = [](const QByteArray& b) { return QString::fromLatin1(b.toHex(' ')); };
    for (qsizetype i = 0; i < qMax(actual.size(), expected.size()); ++i)
        if (actual.value(i) != expected.value(i))
            return QStringLiteral("%1 of %2 (expected %3) differs: %4, expected %5")
                .arg(i + 1).arg(actual.size()).arg(expected.size()).arg(hex(actual.value(i)), hex(expected.value(i)));
    return QString();
}

QString kvDifference(const QByteArray& actual, const QByteArray& expected)
{
    return difference(actual.split('\n'), expected.split('\n'));
}

QList<QByteArray> zvrRecords(const QByteArray& file)
{
    QList<QByteArray> records;
    for (qsizetype at = 0; at < file.size(); at += kRecord)
        records << file.mid(at, kRecord);
    return records;
}

#include "tests/descriptions/descriptionfiles.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <bit>

#ifndef ZUVRACK_DESCRIPTIONS_DATA
#error "the test needs the folder of its data"
#endif

namespace {

QString unescape(QString text)
{
    return text.replace(QStringLiteral("\\t"), QStringLiteral("\t")).replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
}

QStringList dataLines(const QString& file, QString* error)
{
    const QByteArray bytes = readAll(descriptionDataPath(file));
    if (bytes.isNull()) {
        *error = QStringLiteral("cannot read ") + file;
        return {};
    }
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Windows-1251: ASCII as it is, А..я at 0xC0..0xFF. Nothing else occurs in these files.
int cp1251(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    if (ch >= 0x0410 && ch <= 0x044F)
        return ch - 0x0410 + 0xC0;
    return -1;
}

// The analysis program's DOS code page: А..п move down by 64, р..я by 16.
int dosByte(int code)
{
    if (code >= 192 && code <= 239)
        return code - 64;
    if (code >= 240)
        return code - 16;
    return code;
}

bool appendText(QByteArray& out, const QString& text, bool dos, QString* error)
{
    for (const QChar ch : text) {
        const int c = cp1251(ch.unicode());
        if (c < 0) {
            *error = QStringLiteral("no byte for ") + text;
            return false;
        }
        out.append(char(dos ? dosByte(c) : c));
    }
    return true;
}

void appendInteger(QByteArray& out, qint16 v)
{
    char b[2];
    qToLittleEndian<qint16>(v, b);
    out.append(b, 2);
}

void appendTextImage(QByteArray& out, const QString& text, QString* error)
{
    QByteArray bytes;
    appendText(bytes, text, false, error);
    appendInteger(out, qint16(bytes.size()));
    out.append(bytes);
}

} // namespace

QString descriptionDataPath(const QString& file)
{
    return QStringLiteral(ZUVRACK_DESCRIPTIONS_DATA "/") + file;
}

void addDescriptionRows()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("four-bar with centres of mass") << QStringLiteral("fourbar");
    QTest::newRow("slider-crank, offset slider") << QStringLiteral("offsetslider");
    QTest::newRow("the same, slider named first") << QStringLiteral("reversedgroup");
    QTest::newRow("group of type 3") << QStringLiteral("typethree");
    QTest::newRow("six-bar, link of three pairs") << QStringLiteral("sixbar");
    QTest::newRow("forces and points of interest") << QStringLiteral("forces");
    QTest::newRow("points without force analysis") << QStringLiteral("noforces");
    QTest::newRow("questions closed with the close box") << QStringLiteral("closedboxes");
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray all = f.readAll();
    if (all.isNull())
        all = QByteArray("");
    return all;
}

Description loadDescription(const QString& name)
{
    Description d;
    for (const QString& line : dataLines(name + QStringLiteral(".txt"), &d.error)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString rest = line.section(QLatin1Char(' '), 1);
        const QString head = line.section(QLatin1Char(' '), 0, 0);
        DescriptionStep step;
        if (head == QStringLiteral(">")) {
            step.kind = DescriptionStep::Type;
            step.text = rest;
        } else if (head == QStringLiteral("E")) {
            step.kind = DescriptionStep::EndStage;
        } else if (head == QStringLiteral("?") || head == QStringLiteral("?x")) {
            const bool closed = head == QStringLiteral("?x");
            const QStringList f = rest.split(QLatin1Char('|'));
            if (f.size() != (closed ? 3 : 4)) {
                d.error = QStringLiteral("bad question line: ") + line;
                return d;
            }
            step.kind = closed ? DescriptionStep::AskClosed : DescriptionStep::Ask;
            step.mode = f[0].toFloat();
            step.defaultText = f[1];
            step.answer = closed ? QString() : f[2];
            step.text = unescape(f.last());
        } else if (head == QStringLiteral("!")) {
            step.kind = DescriptionStep::Error;
            step.code = qint16(rest.toShort());
        } else if (head == QStringLiteral("S")) {
            step.kind = DescriptionStep::Save;
            step.text = rest;
        } else if (head == QStringLiteral("=")) {
            d.protocol << unescape(rest);
            continue;
        } else {
            d.error = QStringLiteral("unknown line: ") + line;
            return d;
        }
        d.steps << step;
    }
    return d;
}

QByteArray expectedKvBytes(const QString& name, QString* error)
{
    QByteArray out;
    for (const QString& line : dataLines(name + QStringLiteral(".kv.txt"), error)) {
        if (!appendText(out, line == QStringLiteral("<SP>") ? QStringLiteral(" ") : line, true, error))
            return {};
        out.append("\r\n");
    }
    return out;
}

QByteArray expectedZvrBytes(const QString& name, QString* error)
{
    QByteArray out;
    for (const QString& line : dataLines(name + QStringLiteral(".zvr.txt"), error)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString head = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        const QStringList f = rest.split(QLatin1Char('|'));
        QByteArray record;
        if (head == QStringLiteral("I")) {
            appendInteger(record, rest.toShort());
        } else if (head == QStringLiteral("S")) {
            const quint32 bits = std::bit_cast<quint32>(rest.toFloat());
            char b[4];
            qToLittleEndian<quint32>(bits, b);
            record.append(b, 4);
        } else if (head == QStringLiteral("T")) {
            appendTextImage(record, rest, error);
        } else if (head == QStringLiteral("PARA") && f.size() == 9) {
            appendTextImage(record, f[0], error);
            appendTextImage(record, f[1], error);
            appendInteger(record, f[2].toShort());
            appendTextImage(record, f[3], error);
            appendInteger(record, f[4].toShort());
            for (int i = 5; i < 9; ++i)
                appendTextImage(record, f[i], error);
        } else if (head == QStringLiteral("GROUP") && f.size() == 6) {
            appendTextImage(record, f[0], error);
            appendInteger(record, f[1].toShort());
            appendInteger(record, f[2].toShort());
            appendTextImage(record, f[3], error);
            appendTextImage(record, f[4], error);
            QByteArray sharp("\x1F\x5A\x49\x53", 4);
            appendTextImage(sharp, f[5], error);
            if (record.size() + sharp.size() <= 128)
                record.append(sharp);
        } else {
            *error = QStringLiteral("unknown record: ") + line;
            return {};
        }
        if (record.size() > 128) {
            *error = QStringLiteral("record too long: ") + line;
            return {};
        }
        record.append(128 - record.size(), '\0');
        out.append(record);
    }
    return out;
}

QString kvDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected)
        return QString();
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < qMax(a.size(), e.size()); ++i) {
        const QByteArray al = a.value(i), el = e.value(i);
        if (al != el)
            return QStringLiteral("line %1 differs: actual [%2] expected [%3] (hex %4 / %5)")
                .arg(i + 1)
                .arg(QString::fromLatin1(al.trimmed()), QString::fromLatin1(el.trimmed()),
                     QString::fromLatin1(al.toHex(' ')), QString::fromLatin1(el.toHex(' ')));
    }
    return QStringLiteral("files differ");
}

QString zvrDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected)
        return QString();
    for (qsizetype r = 0; r * 128 < qMax(actual.size(), expected.size()); ++r) {
        const QByteArray a = actual.mid(r * 128, 128), e = expected.mid(r * 128, 128);
        if (a != e) {
            QByteArray at = a, et = e;
            while (at.endsWith('\0'))
                at.chop(1);
            while (et.endsWith('\0'))
                et.chop(1);
            return QStringLiteral("record %1 differs (%2 / %3 records): actual %4 expected %5")
                .arg(r + 1)
                .arg(actual.size() / 128)
                .arg(expected.size() / 128)
                .arg(QString::fromLatin1(at.toHex(' ')), QString::fromLatin1(et.toHex(' ')));
        }
    }
    return QStringLiteral("files differ");
}

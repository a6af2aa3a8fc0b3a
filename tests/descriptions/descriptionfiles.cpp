#include "tests/descriptions/descriptionfiles.h"
#include "tests/support/expectedfiles.h"

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
    return readFileBytes(path);
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
    return encodeKvListing(descriptionDataPath(name + QStringLiteral(".kv.txt")), error);
}

QByteArray expectedZvrBytes(const QString& name, QString* error)
{
    return encodeZvrListing(descriptionDataPath(name + QStringLiteral(".zvr.txt")), error);
}

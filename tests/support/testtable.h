#pragma once

#include <QFile>
#include <QStringList>

// The hand-written tables in a test's data/ folder (TESTDATA): one row a line, fields split by " | ", blank lines and lines
// starting with "#" skipped. Written out, "\r", "\n" and "\t" stand for those characters, and
// "\s" for a space that ends a line.
inline QList<QStringList> dataRows(const char* file)
{
    QFile f(QStringLiteral(TESTDATA "/") + QLatin1String(file));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read the test table %s", file);
    QList<QStringList> rows;
    for (QString line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        line.replace(QStringLiteral("\\r"), QStringLiteral("\r")).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        line.replace(QStringLiteral("\\t"), QStringLiteral("\t")).replace(QStringLiteral("\\s"), QStringLiteral(" "));
        rows << line.split(QStringLiteral(" | "));
    }
    return rows;
}

// A field that holds a list: words split by single spaces, none when the field is empty.
inline QStringList words(const QString& field)
{
    return field.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

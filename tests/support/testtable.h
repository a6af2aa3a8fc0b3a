#pragma once

#include <QFile>
#include <QStringList>
#include <QTest>

// The hand-written tables of the tests' data folders. Blank lines and lines starting with "#" are
// notes. Written out, "\r", "\n" and "\t" stand for those characters, "\s" for a space that ends a
// line, "\|" for a bar inside a field.

inline QStringList tableLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read the test table %s", qPrintable(path));
    QStringList lines;
    for (QString line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line.replace(QStringLiteral("\\r"), QStringLiteral("\r")).replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                         .replace(QStringLiteral("\\t"), QStringLiteral("\t")).replace(QStringLiteral("\\s"), QStringLiteral(" "))
                         .replace(QStringLiteral("\\|"), QChar(0x1F)); // given back as a bar once split
    return lines;
}

// A file of sections, each starting with a line "== title".
struct TableSection {
    QString title;
    QStringList lines;
};
inline QList<TableSection> tableSections(const QString& path)
{
    QList<TableSection> sections;
    for (const QString& line : tableLines(path)) {
        if (line.startsWith(QStringLiteral("== ")))
            sections.append({line.mid(3), {}});
        else if (!sections.isEmpty())
            sections.last().lines.append(QString(line).replace(QChar(0x1F), QLatin1Char('|')));
    }
    return sections;
}

// A field that holds a list: words split by single spaces, none when the field is empty.
inline QStringList words(const QString& field)
{
    return field.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The current QTest row's text in a column of a named table; null when the text is empty.
inline QString cell(const char* column)
{
    const QString text = *static_cast<const QString*>(QTest::qData(column, QMetaType::QString));
    return text.isEmpty() ? QString() : text;
}

#ifdef TESTDATA
namespace {

// A table of TESTDATA: one row a line, fields split by " | ", untrimmed (or as asked).
inline QList<QStringList> dataRows(const char* file, const QString& separator = QStringLiteral(" | "), bool trimmed = false)
{
    QList<QStringList> rows;
    for (const QString& line : tableLines(QStringLiteral(TESTDATA "/") + QLatin1String(file))) {
        rows << line.split(separator);
        for (QString& f : rows.last())
            f = (trimmed ? f.trimmed() : f).replace(QChar(0x1F), QLatin1Char('|'));
    }
    return rows;
}

// A named table of TESTDATA as QTest rows: its first line names the columns, each further line is
// a row, its name first; fields are split by "|" and trimmed, every column a text, a row may leave
// its last columns out.
inline void addRows(const char* file)
{
    static QList<QByteArray> columnNames; // QTest keeps only pointers to them
    const QList<QStringList> rows = dataRows(file, QStringLiteral("|"), true);
    for (const QString& name : rows.value(0).mid(1))
        QTest::addColumn<QString>((columnNames << name.toLatin1()).last().constData());
    for (const QStringList& fields : rows.mid(1)) {
        QTestData& row = QTest::newRow(qPrintable(fields.first()));
        for (qsizetype i = 1; i < rows[0].size(); ++i)
            row << fields.value(i);
    }
}

} // namespace
#endif

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
    for (QString line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        line.replace(QStringLiteral("\\r"), QStringLiteral("\r")).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        line.replace(QStringLiteral("\\t"), QStringLiteral("\t")).replace(QStringLiteral("\\s"), QStringLiteral(" "));
        lines << line.replace(QStringLiteral("\\|"), QChar(0x1F));
    }
    return lines;
}

// A line's fields: split by "|", trimmed when asked, the escaped bars given back.
inline QStringList tableFields(const QString& line, const QString& separator, bool trimmed)
{
    QStringList fields = line.split(separator);
    for (QString& f : fields)
        f = (trimmed ? f.trimmed() : f).replace(QChar(0x1F), QLatin1Char('|'));
    return fields;
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

// A table of TESTDATA: one row a line, fields split by " | ", untrimmed.
inline QList<QStringList> dataRows(const char* file)
{
    QList<QStringList> rows;
    for (const QString& line : tableLines(QStringLiteral(TESTDATA "/") + QLatin1String(file)))
        rows << tableFields(line, QStringLiteral(" | "), false);
    return rows;
}

inline QList<TableSection> dataSections(const QString& file)
{
    return tableSections(QStringLiteral(TESTDATA "/") + file);
}

// A named table of TESTDATA as QTest rows: its first line names the columns, each further line is
// a row, its name first; fields are split by "|" and trimmed, every column a text.
inline void addRows(const char* file)
{
    static QList<QByteArray> columnNames; // QTest keeps only pointers to them
    const QStringList lines = tableLines(QStringLiteral(TESTDATA "/") + QLatin1String(file));
    const qsizetype columns = lines.isEmpty() ? 0 : tableFields(lines.first(), QStringLiteral("|"), true).size();
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QStringList fields = tableFields(lines[n], QStringLiteral("|"), true);
        QTestData* row = n ? &QTest::newRow(qPrintable(fields.first())) : nullptr;
        for (qsizetype i = 1; i < columns; ++i) { // a row may leave its last columns out
            if (row)
                *row << fields.value(i);
            else
                QTest::addColumn<QString>((columnNames << fields[i].toLatin1()).last().constData());
        }
    }
}

} // namespace
#endif

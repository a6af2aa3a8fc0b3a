#pragma once

#include "files/kvcompiler.h"
#include "model/session.h"

#include <QByteArray>
#include <QStringList>

// Descriptions for the output-file tests written as text, the tables of cases kept in the data
// folder, and the few file helpers the tests share.
namespace testmech {

// Applies a description, its lines separated by ";", in order. "@name" applies the data file
// name.mech; "new" starts a new description (leaving the group count, as the wizard does);
// "session f=v ..." sets session fields;
// "pair|link|group T f=v ..." sets fields of record T, of a record added when T is "+", of every
// link when T is "*"; "point L f=v ..." adds a point to link L, "extrapair L name index length
// angle" an additional pair. A line it cannot read stops the run.
void build(Session& s, const QString& description);

// A text file of the tests' data folder, line by line (none when missing).
QStringList dataLines(const QString& name);

// A table of cases in the data folder: the first line names the columns, each further line is a
// row, its name first; columns are separated by "|" and trimmed, every one text; "#" starts a note.
void addRows(const QString& name);

// The current row's text in a column of such a table; null when the text is empty.
QString cell(const char* column);

QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace testmech

#define CHECK_SCRIPT(d) QVERIFY2((d).problems().isEmpty(), qPrintable((d).problems().join(QLatin1Char('\n'))))

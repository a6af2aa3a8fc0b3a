#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The expected output files are kept as readable listings next to the tests and encoded here,
// byte for byte, the way the program must write them.
//
// An analysis-program listing (.kv.txt): one line of the file per line, in UTF-8; a line "<SP>"
// is a line holding one space. Each line becomes DOS Cyrillic bytes ended with CR LF.
//
// A project-file listing (.zvr.txt): one 128-byte record per line,
//   I n                    an Integer
//   S x                    a Single
//   T text                 a Text ("T" alone is empty text)
//   PARA a|b|1|c|2|r|x|y|g a pair record
//   GROUP n|1|2|t|c|s      a group record; s is the angle choice kept after the marker
// lines starting with "#" and empty lines being notes.
//
// Both set *error and return nothing when the listing cannot be read or a line cannot be encoded.
QByteArray encodeKvListing(const QString& path, QString* error);
QByteArray encodeZvrListing(const QString& path, QString* error);

// Where two lists of lines or records first differ, shown in hex (empty when they are equal);
// kvDifference compares two analysis-program files line by line.
QString difference(const QList<QByteArray>& actual, const QList<QByteArray>& expected);
QString kvDifference(const QByteArray& actual, const QByteArray& expected);
// A project file cut into its records.
QList<QByteArray> zvrRecords(const QByteArray& file);

// The whole file; a null array when it cannot be read (an empty file gives an empty one).
QByteArray readFileBytes(const QString& path);

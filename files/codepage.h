#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// Both output files are written byte by byte through these tables, never through the locale, so
// the files are the same whatever system the program runs on.

// The Windows-1251 code of one character, or -1 when the code page has no such character.
int cp1251Code(char32_t ch);

// One byte per character in Windows-1251; a character the code page lacks is written as "?".
QByteArray toCp1251(QStringView text);
void appendCp1251(QByteArray& out, QStringView text);

// Windows-1251 bytes back to text; the one code that the page leaves unassigned reads as "?".
QString fromCp1251(QByteArrayView bytes);

// The byte the analysis program expects for a Windows-1251 code: its Cyrillic letters sit at the
// DOS code-page positions, so А..п move down by 64 and р..я by 16; every other code stays.
char kvByte(unsigned char cp1251);

// A text as the analysis program's bytes (no line end).
QByteArray toKvBytes(QStringView text);

// The whole analysis-program file: every line converted and followed by CR LF.
QByteArray kvFileBytes(const QStringList& lines);

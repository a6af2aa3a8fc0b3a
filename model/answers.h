#pragma once

#include <QString>

#include <optional>

class Dialogs;
class Session;

// The text that answer checking returns for a rejected answer.
inline const QString kRejected = QStringLiteral("/E");

// Answer kinds for CheckAnswer.
inline constexpr qint16 kModePairType = 1;
inline constexpr qint16 kModeLinkNumber = 2;
inline constexpr qint16 kModeName = 3;
inline constexpr qint16 kModeNumber = 4;

// Checks an answer by kind: returns it unchanged, or "/E" after reporting the fault (code 14
// or 18). Mode 3 sets ReservedWord. Any other mode returns empty text.
QString CheckAnswer(Session& session, Dialogs& dialogs, const QString& answer, qint16 mode);

// True when the text holds a character below U+0020 (a Tab, a line break), which no answer may
// carry into the records or the files: the other kinds of answer refuse it by their own rules.
bool hasControlCharacter(const QString& text);

// n characters "0"; empty for n <= 0.
QString Zeros(int n);

// True when the text is a decimal number: an optional leading "-", digits with at most one
// point ".", and at least one digit. Independent of the system locale. Numeric answers pass
// this after CheckAnswer; a text that fails it is reported as code 5.
bool isNumberText(const QString& text);

// The value of a number text, or nothing when isNumberText fails.
std::optional<double> numberValue(const QString& text);

// The 23-character number layout of the analysis program's file: sign (space or "-"),
// d.dddddddddddddd, "E", exponent sign, 4 exponent digits. "/E" for empty text and for a
// text that is not a number.
QString ToKvNumber(const QString& value);

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One whole description as kept in data/<name>.txt: what the student does and what the program
// must ask and write, in the order it happens.
//   > text          a typed answer (Enter in the answer box)
//   E               the end-of-stage command
//   ? m|def|ans|q   a question in mode m with default text def, answered with ans
//   ?x m|def|q      the same question closed with its close box
//   ! code          the message of an error code
//   S title         the save dialog, answered with <output folder>/title
//   = line          a line of the input protocol
// "\t" stands for a tab and "\n" for a line break (CR LF) in questions and lines.
struct DescriptionStep {
    enum Kind { Type, EndStage, Ask, AskClosed, Error, Save };
    Kind kind = Type;
    QString text; // typed text, question, or file title
    float mode = 0;
    QString defaultText;
    QString answer;
    qint16 code = 0;
};

struct Description {
    QList<DescriptionStep> steps; // in the order they happen
    QStringList protocol;
    QString error; // why the file could not be read
};

QString descriptionDataPath(const QString& file);

// The data rows of a test over every description: one column "name", the base name in data/.
void addDescriptionRows();
Description loadDescription(const QString& name);

// The expected analysis-program file from data/<name>.kv.txt: one line of the file per line, in
// UTF-8; a line "<SP>" is a line holding one space. Each line is turned into the DOS Cyrillic
// bytes and ended with CR LF. error is set when a character has no byte.
QByteArray expectedKvBytes(const QString& name, QString* error);

// The expected project file from data/<name>.zvr.txt, one 128-byte record per line:
//   I n                    an Integer
//   S x                    a Single
//   T text                 a Text ("T" alone is empty text)
//   PARA a|b|1|c|2|r|x|y|g a pair record
//   GROUP n|1|2|t|c|s      a group record; s is the angle choice kept after the marker
// Lines starting with "#" and empty lines are notes.
QByteArray expectedZvrBytes(const QString& name, QString* error);

#include "tests/support/expectedfiles.h"

QByteArray readAll(const QString& path);

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Session;

// The progress bar's value once the first afterLines lines have been produced.
struct ProgressMark {
    qsizetype afterLines = 0;
    int percent = 0;
    friend bool operator==(const ProgressMark&, const ProgressMark&) = default;
};

// The analysis-program file as text lines (unconverted), with the progress marks the compiler
// window shows on the way.
struct KvListing {
    QStringList lines;
    QList<ProgressMark> marks;
};

// Compiles the description into the analysis program's input lines, ending with "y". Reads the
// records only; a count or index outside its array is read as an empty record, never past it.
KvListing compileKv(const Session& session);

// A name spelled out for the analysis program: first and last character for two characters or
// more, else the one character (or an empty line) and two empty lines.
QStringList NameLines(const QString& name);

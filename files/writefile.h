#pragma once

#include <QString>

class Dialogs;
class Session;

// The filter of every dialog that chooses an analysis-program file.
inline const QString kKvertaFilter = QStringLiteral("Файлы KVERTA (*.kv)| *.kv");

// Where a chosen file goes: the full name with the file title cut off its end, so the folder keeps
// its trailing separator; empty for a cancelled dialog.
QString destinationFolder(const QString& fileName, const QString& fileTitle);

// What the compiler window shows while WriteFile works. Tests pass none.
class CompilerView {
public:
    virtual ~CompilerView() = default;
    virtual void start() = 0;                      // show the window, clear the list, progress 0
    virtual void addLine(const QString& line) = 0; // one line of the file, unconverted
    virtual void setProgress(int percent) = 0;
    virtual void markFailed() = 0;                 // the close button reads "ОШИБКА!"
};

// Compiles the description into the analysis-program file at destination + fileName and writes the
// project file into the data folder. Reports every failure through the error reporter; returns
// true only when both files were written.
bool WriteFile(Session& session, Dialogs& dialogs, CompilerView* view, const QString& destination,
               const QString& fileName);

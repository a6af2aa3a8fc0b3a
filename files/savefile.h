#pragma once

#include <QByteArray>
#include <QString>

class CompilerView;
class Dialogs;
class QIODevice;
class QSaveFile;
class Session;

// Writes every byte to the device; false as soon as the device takes fewer than it was given
// (a full disk, a broken device), so a short write is never taken for a whole one.
bool writeAll(QIODevice& device, const QByteArray& data);

// Opens the file and writes all of data into its temporary copy; true only when every byte has
// reached the file system, so that commit() may replace the older file.
bool prepareSaveFile(QSaveFile& file, const QByteArray& data);

// The save the student asked for: the analysis file at destination + fileName and its project
// file, as WriteFile writes them. When a project of another description lies where this one goes,
// the student is asked first, and "Нет" writes neither file. After a save the project is this
// run's own and SavedFiles names both files. True only when both files were written.
bool saveDescriptionFiles(Session& session, Dialogs& dialogs, CompilerView* view, const QString& destination,
                          const QString& fileName);

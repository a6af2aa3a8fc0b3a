#pragma once

#include <QByteArray>
#include <QString>

class Dialogs;
class Session;

// The project file that belongs to an analysis-program file name ("Mech1.kv" -> <data>/d_files/mech1.zvr);
// empty when the name is too short to derive one. With several project folders it is the file of
// that name modified last (the earlier folder on a tie), or the one a save would write.
QString projectFilePath(const Session& session, const QString& kvFileName);

// The folder new project files are written to: the d_files folder below the data folder, or with
// several project folders the first one that can be written (the last one when none can).
QString projectFolder(const Session& session);

// The project file a save writes for that name, in projectFolder(); empty as projectFilePath.
QString projectFileForWriting(const Session& session, const QString& kvFileName);

// Whether the project file at path is this run's own: it read or wrote the file, and the bytes it
// left there are still there. Anything else at that path belongs to another description.
bool isOwnProject(const Session& session, const QString& path);
// Notes the bytes now at path as this run's own project.
void claimProject(Session& session, const QString& path, const QByteArray& bytes);

// Reading a project file from a path, wherever it lies: Read, or why not. Every result but Read
// leaves the records in hand as they were; errorText gets the system's words for Unopened.
enum class ReadResult { Read, Unopened, Empty, Damaged };
ReadResult readProjectAt(const QString& path, Session& session, QString* errorText = nullptr);

// The records of a project just read (into a separate session) replace those in hand; the
// description can then be saved again (OutputReady).
void adoptProject(Session& session, Session& read);

enum class LoadResult { Loaded, Missing, Damaged };

// Reads the project file of fileName into the records (ResetMechanism first). A damaged file
// leaves the records reset and is reported; the caller then starts a new description.
// Every result other than Loaded has been reported (201 for a file that cannot be opened, 202 for
// a damaged one) and leaves the records reset, no groups and OutputReady 0. filepath is unused:
// the project always lives in the data folder.
LoadResult LoadFile(Session& session, Dialogs& dialogs, const QString& filepath, const QString& fileName);

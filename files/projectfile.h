#pragma once

#include <QString>

class Dialogs;
class Session;

// The project file that belongs to an analysis-program file name ("Mech1.kv" -> <data>/d_files/mech1.zvr);
// empty when the name is too short to derive one.
QString projectFilePath(const Session& session, const QString& kvFileName);

enum class LoadResult { Loaded, Missing, Damaged };

// Reads the project file of fileName into the records (ResetMechanism first). A damaged file
// leaves the records reset and is reported; the caller then starts a new description.
LoadResult LoadFile(Session& session, Dialogs& dialogs, const QString& filepath, const QString& fileName);

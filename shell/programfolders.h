#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its data folder (pictures, icon) and keeps its project files.
struct ProgramFolders {
    QString data;
    QStringList projects; // looked in in this order; saved to the first that can be written
};

// programFolder: the folder of the executable. The data folder is "data" beside it, or, for an
// installed program (bin/zuvrack), "../share/zuvrack/data". Project files go to the d_files folder
// of the data folder, or to userData/d_files (the user's own data folder) where that cannot be written.
ProgramFolders findProgramFolders(const QString& programFolder, const QString& userData);

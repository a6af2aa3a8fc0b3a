#include "projectfile.h"

QString projectFilePath(const Session&, const QString&)
{
    return QString();
}

LoadResult LoadFile(Session&, Dialogs&, const QString&, const QString&)
{
    return LoadResult::Missing; // placeholder until the reader lands
}

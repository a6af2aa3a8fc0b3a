#pragma once

#include <QByteArrayView>
#include <QString>

// Plays a project file through free edit as a student would: the tree built from it, every value
// node edited through the node editor as the tree's double-click does, the description saved with
// free edit's save command, the saved project read again. The answers come from the bytes after the
// last whole record (once they run out, "1" and "yes"). Returns what went wrong, empty when
// nothing did: a saved project that does not read back, or reads back to another tree.
QString editRoundTrip(QByteArrayView bytes);

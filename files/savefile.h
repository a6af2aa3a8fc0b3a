#pragma once

#include <QByteArray>

class QIODevice;
class QSaveFile;

// Writes every byte to the device; false as soon as the device takes fewer than it was given
// (a full disk, a broken device), so a short write is never taken for a whole one.
bool writeAll(QIODevice& device, const QByteArray& data);

// Opens the file and writes all of data into its temporary copy; true only when every byte has
// reached the file system, so that commit() may replace the older file.
bool prepareSaveFile(QSaveFile& file, const QByteArray& data);

#pragma once

#include <QByteArray>

class QIODevice;

// Writes every byte to the device; false as soon as the device takes fewer than it was given
// (a full disk, a broken device), so a short write is never taken for a whole one.
bool writeAll(QIODevice& device, const QByteArray& data);

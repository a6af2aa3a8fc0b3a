#include "files/savefile.h"

#include <QIODevice>
#include <QSaveFile>

bool writeAll(QIODevice& device, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const qint64 n = device.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool prepareSaveFile(QSaveFile& file, const QByteArray& data)
{
    // Unbuffered: a buffered write takes the bytes a full disk or a size limit refuses, and the
    // commit would then put the cut-short file in place of the old one. The size is asked of the
    // file system itself.
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, data) && file.flush() &&
           file.size() == data.size();
}

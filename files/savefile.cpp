#include "files/savefile.h"

#include <QIODevice>

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

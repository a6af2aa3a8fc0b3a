// Writes the wizard fuzzer's first inputs: one file for each stored description, its answer script
// as the bytes that play it. The fuzz build runs it: wizard_seeds <scripts folder> <corpus folder>.
#include "tests/wizardfuzz/wizarddriver.h"

#include <QDir>
#include <QFile>

int main(int argc, char** argv)
{
    const QDir scripts(QString::fromLocal8Bit(argc == 3 ? argv[1] : "")), corpus(QString::fromLocal8Bit(argc == 3 ? argv[2] : ""));
    int written = 0;
    for (const QFileInfo& f : scripts.entryInfoList({QStringLiteral("*.txt")}, QDir::Files)) {
        QFile script(f.filePath()), seed(corpus.filePath(f.completeBaseName() + QStringLiteral(".seed")));
        // The listings beside the scripts have two dots.
        if (f.fileName().count(u'.') == 1 && QDir().mkpath(corpus.path()) && script.open(QIODevice::ReadOnly) && seed.open(QIODevice::WriteOnly))
            written += seed.write(wizardSeed(QString::fromUtf8(script.readAll()))) > 0;
    }
    return argc == 3 && written > 0 ? 0 : 1;
}

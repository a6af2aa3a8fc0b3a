#include "files/codepage.h"
#include "tests/files/mechanisms.h"
#include "files/projectfile.h"
#include "files/projectformat.h"
#include "files/savefile.h"
#include "tests/support/scripteddialogs.h"
#include "files/writefile.h"

#include <QtCore>
#include <QTest>

namespace {

// Remembers what the compiler window was told, in order: "start", each line, "%n" for the
// progress, "failed".
class RecordingView : public CompilerView {
public:
    void start() override { events << QStringLiteral("start"); }
    void addLine(const QString& line) override { events << line; }
    void setProgress(int percent) override { events << QStringLiteral("%") + QString::number(percent); }
    void markFailed() override { events << QStringLiteral("failed"); }
    QStringList events;
};

// A device with room for so many bytes, as a full disk has.
struct FullDevice : QBuffer {
    qint64 room = 0;
    qint64 writeData(const char* data, qint64 len) override
    {
        return size() >= room ? -1 : QBuffer::writeData(data, qMin(len, room - size()));
    }
};

const QString kPlain = QStringLiteral("kv_crankslider_plain.txt");

} // namespace

class WriteFileTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("data")) && QDir(m_dir->path()).mkpath(QStringLiteral("out")));
        m_s = std::make_unique<Session>();
        testmech::build(*m_s, QStringLiteral("@crankslider"));
        m_s->DataFolder = path(QStringLiteral("data"));
    }

    void save_data() { testmech::addRows(QStringLiteral("writefile_save.cases")); }
    void save()
    {
        const QString destination = testmech::cell("destination");
        const QString detail = testmech::cell("detail");
        const QStringList olderFiles = testmech::cell("older").split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& f : olderFiles) {
            QVERIFY(QDir(m_dir->path()).mkpath(f.endsWith(QLatin1Char('/')) ? f : f.section(QLatin1Char('/'), 0, -2)));
            QVERIFY(f.endsWith(QLatin1Char('/')) || testmech::writeBytes(path(f), f.toUtf8()));
        }
        const QStringList before = tree();
        const int code = testmech::cell("error").toInt();
        if (code == 204)
            m_s->Zvenos[2].Mass = detail;
        ScriptedDialogs d(*m_s);
        if (code)
            d.expectError(qint16(code), code == 203 ? QDir::toNativeSeparators(path(detail)) : detail);
        RecordingView view;
        QCOMPARE(WriteFile(*m_s, d, &view, destination.isNull() ? QString() : path(destination), testmech::cell("fileName")), !code);
        CHECK_SCRIPT(d);
        QCOMPARE(m_s->OutputReady, 1.0f);
        // Each line is shown as it is made, the progress in between, whether the save fails or not.
        QCOMPARE(view.events, QStringList{QStringLiteral("start")} + testmech::dataLines(kPlain) +
                                  (code ? QStringList{QStringLiteral("failed")} : QStringList()));
        if (code) {
            QCOMPARE(tree(), before);
            for (const QString& f : olderFiles)
                QVERIFY(f.endsWith(QLatin1Char('/')) || testmech::readBytes(path(f)) == f.toUtf8());
            return;
        }
        QCOMPARE(testmech::readBytes(path(QStringLiteral("out/Mech1.kv"))), kvFileBytes(compileKv(*m_s).lines));
        // The project goes to the data folder, made on the way, named after the file in lower case.
        QCOMPARE(testmech::readBytes(path(QStringLiteral("data/d_files/mech1.zvr"))), projectFileBytes(*m_s, nullptr).value());
    }

    void writeAll_reportsAShortWrite_data() { testmech::addRows(QStringLiteral("writeall.cases")); }
    void writeAll_reportsAShortWrite()
    {
        FullDevice device;
        device.room = testmech::cell("room").toLongLong();
        QVERIFY(device.open(QIODevice::WriteOnly));
        QCOMPARE(writeAll(device, QByteArray(300, 'z')), testmech::cell("written") == QStringLiteral("true"));
    }

    void writeThenLoad_givesTheSameFiles()
    {
        // Saving a loaded project again must lose nothing, the acute/obtuse choices included.
        testmech::build(*m_s, QStringLiteral("@sixlinks"));
        ScriptedDialogs d(*m_s);
        QVERIFY(WriteFile(*m_s, d, nullptr, path(QStringLiteral("out")), QStringLiteral("mech.kv")));
        Session loaded;
        loaded.DataFolder = m_s->DataFolder;
        QCOMPARE(LoadFile(loaded, d, QString(), QStringLiteral("mech.kv")), LoadResult::Loaded);
        QCOMPARE(loaded.OutputReady, 1.0f);
        QCOMPARE(loaded.Paras[loaded.ParaCount + 1].Name, kNotSet);
        QCOMPARE(projectFileBytes(loaded, nullptr), projectFileBytes(*m_s, nullptr));
        QVERIFY(WriteFile(loaded, d, nullptr, path(QStringLiteral("out")), QStringLiteral("again.kv")));
        CHECK_SCRIPT(d);
        QCOMPARE(testmech::readBytes(path(QStringLiteral("out/again.kv"))), testmech::readBytes(path(QStringLiteral("out/mech.kv"))));
    }

private:
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    // Every file and folder in the temporary folder.
    QStringList tree() const
    {
        QStringList entries;
        for (QDirIterator it(m_dir->path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();)
            entries << it.next();
        entries.sort();
        return entries;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Session> m_s;
};

QTEST_GUILESS_MAIN(WriteFileTest)
#include "writefile_test.moc"

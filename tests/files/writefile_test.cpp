#include "codepage.h"
#include "errors.h"
#include "kvcompiler.h"
#include "mechanisms.h"
#include "projectfile.h"
#include "projectformat.h"
#include "savefile.h"
#include "scripteddialogs.h"
#include "session.h"
#include "writefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Remembers what the compiler window was told, in order.
class RecordingView : public CompilerView {
public:
    void start() override { events << QStringLiteral("start"); }
    void addLine(const QString& line) override
    {
        lines << line;
        events << QStringLiteral("line");
    }
    void setProgress(int percent) override { events << QStringLiteral("progress %1").arg(percent); }
    void markFailed() override { events << QStringLiteral("failed"); }

    QStringList events;
    QStringList lines;
};

// A device that takes only the first few bytes it is given, as a full disk does.
class FullDevice : public QBuffer {
public:
    explicit FullDevice(qint64 room)
        : m_room(room)
    {
    }

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 n = qMin(len, m_room - size());
        return n <= 0 ? -1 : QBuffer::writeData(data, n);
    }

private:
    qint64 m_room;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

#define CHECK_SCRIPT(d) QVERIFY2((d).problems().isEmpty(), qPrintable((d).problems().join(QLatin1Char('\n'))))

} // namespace

class WriteFileTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_session = std::make_unique<Session>();
        testmech::crankSlider(*m_session);
        m_session->DataFolder = m_dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("data")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("out")));
    }

    void writesBothFiles_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::newRow("folder ending with a separator") << QStringLiteral("out/");
        QTest::newRow("folder without the separator") << QStringLiteral("out");
    }
    void writesBothFiles()
    {
        QFETCH(QString, destination);
        Session& s = *m_session;
        s.OutputReady = 0.0f;
        ScriptedDialogs d(s);
        RecordingView view;
        QVERIFY(WriteFile(s, d, &view, m_dir.filePath(destination), QStringLiteral("Mech1.kv")));
        CHECK_SCRIPT(d);
        QCOMPARE(s.OutputReady, 1.0f);

        const QByteArray kv = readAll(m_dir.filePath(QStringLiteral("out/Mech1.kv")));
        const QByteArray start = QByteArray::fromHex("5F8DA0E7A0ABAE5FAEAFA8E1A0ADA8EF5FAFA0E00D0A") +
                                 QByteArray("r\r\n0\r\n\r\n\r\n1\r\n");
        QVERIFY(kv.startsWith(start));
        QVERIFY(kv.endsWith("\r\ny\r\n"));
        QCOMPARE(kv, kvFileBytes(compileKv(s).lines));

        // The project goes to the data folder, made on the way, named after the file in lower case.
        const QByteArray project = readAll(m_dir.filePath(QStringLiteral("data/d_files/mech1.zvr")));
        QCOMPARE(project, *projectFileBytes(s, nullptr));
        QCOMPARE(project.size(), (4 + 8 * 26 + 1 + 4 + 1 + 1) * kProjectRecordSize);
    }

    void compilerWindow_getsEveryLineAndTheProgress()
    {
        Session& s = *m_session;
        ScriptedDialogs d(s);
        RecordingView view;
        QVERIFY(WriteFile(s, d, &view, m_dir.filePath(QStringLiteral("out")), QStringLiteral("m.kv")));
        const KvListing listing = compileKv(s);
        QCOMPARE(view.lines, listing.lines);
        QCOMPARE(view.events.first(), QStringLiteral("start"));
        QVERIFY(!view.events.contains(QStringLiteral("failed")));
        // The progress comes between the lines it follows: 10 right after the last pair's name
        // (three pairs of ten lines, D1 of nine).
        const qsizetype ten = view.events.indexOf(QStringLiteral("progress 10"));
        QCOMPARE(view.events.mid(1, ten - 1).size(), 1 + 3 * 10 + 9);
        QCOMPARE(view.events.mid(view.events.size() - 2),
                 (QStringList{QStringLiteral("progress 100"), QStringLiteral("line")}));
    }

    void replacesAnEarlierFile()
    {
        Session& s = *m_session;
        const QString kvPath = m_dir.filePath(QStringLiteral("out/old.kv"));
        writeText(kvPath, QByteArray(100000, 'x'));
        ScriptedDialogs d(s);
        QVERIFY(WriteFile(s, d, nullptr, m_dir.filePath(QStringLiteral("out")), QStringLiteral("old.kv")));
        QCOMPARE(readAll(kvPath), kvFileBytes(compileKv(s).lines));
    }

    void noFolderOrName_error17AndNothingWritten_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("no folder") << QString() << QStringLiteral("mech.kv");
        QTest::newRow("no name") << QStringLiteral("out") << QString();
        QTest::newRow("name too short for a project name") << QStringLiteral("out") << QStringLiteral("ab");
        QTest::newRow("the save dialog cancelled") << QString() << QString();
    }
    void noFolderOrName_error17AndNothingWritten()
    {
        QFETCH(QString, destination);
        QFETCH(QString, fileName);
        Session& s = *m_session;
        s.OutputReady = 0.0f;
        ScriptedDialogs d(s);
        d.expectError(17);
        RecordingView view;
        const QString folder = destination.isEmpty() ? QString() : m_dir.filePath(destination);
        QVERIFY(!WriteFile(s, d, &view, folder, fileName));
        CHECK_SCRIPT(d);
        QCOMPARE(view.events.last(), QStringLiteral("failed"));
        QCOMPARE(view.lines, compileKv(s).lines); // the list still shows what was compiled
        QCOMPARE(s.OutputReady, 1.0f);
        QVERIFY(QDir(m_dir.filePath(QStringLiteral("out"))).isEmpty());
        QVERIFY(!QDir(m_dir.filePath(QStringLiteral("data/d_files"))).exists());
    }

    void valueTooLong_error204AndNeitherFileTouched()
    {
        Session& s = *m_session;
        const QString kvPath = m_dir.filePath(QStringLiteral("out/mech.kv"));
        const QString projectPath = m_dir.filePath(QStringLiteral("data/d_files/mech.zvr"));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("data/d_files")));
        writeText(kvPath, "older kv");
        writeText(projectPath, "older project");
        s.Zvenos[2].Mass = QString(200, QLatin1Char('9'));
        ScriptedDialogs d(s);
        d.expectError(kErrValueTooLong, s.Zvenos[2].Mass);
        RecordingView view;
        QVERIFY(!WriteFile(s, d, &view, m_dir.filePath(QStringLiteral("out")), QStringLiteral("mech.kv")));
        CHECK_SCRIPT(d);
        QCOMPARE(view.events.last(), QStringLiteral("failed"));
        QCOMPARE(readAll(kvPath), QByteArray("older kv"));
        QCOMPARE(readAll(projectPath), QByteArray("older project"));
    }

    void folderMissing_error203NamingTheFile()
    {
        Session& s = *m_session;
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("data/d_files")));
        const QString projectPath = m_dir.filePath(QStringLiteral("data/d_files/mech.zvr"));
        writeText(projectPath, "older project");
        const QString kvPath = m_dir.filePath(QStringLiteral("gone/mech.kv"));
        ScriptedDialogs d(s);
        d.expectError(kErrWriteFailed, QDir::toNativeSeparators(kvPath));
        RecordingView view;
        QVERIFY(!WriteFile(s, d, &view, m_dir.filePath(QStringLiteral("gone")), QStringLiteral("mech.kv")));
        CHECK_SCRIPT(d);
        QCOMPARE(view.events.last(), QStringLiteral("failed"));
        QCOMPARE(readAll(projectPath), QByteArray("older project"));
    }

    void destinationIsAFile_error203()
    {
        Session& s = *m_session;
        const QString notAFolder = m_dir.filePath(QStringLiteral("out/plain"));
        writeText(notAFolder, "x");
        ScriptedDialogs d(s);
        d.expectError(kErrWriteFailed, QDir::toNativeSeparators(notAFolder + QStringLiteral("/mech.kv")));
        QVERIFY(!WriteFile(s, d, nullptr, notAFolder, QStringLiteral("mech.kv")));
        CHECK_SCRIPT(d);
        QCOMPARE(readAll(notAFolder), QByteArray("x"));
    }

    void projectFolderCannotBeMade_error203AndTheEarlierKvFileKept()
    {
        Session& s = *m_session;
        writeText(m_dir.filePath(QStringLiteral("data/d_files")), "a file where the folder should be");
        const QString kvPath = m_dir.filePath(QStringLiteral("out/mech.kv"));
        writeText(kvPath, "older kv");
        ScriptedDialogs d(s);
        d.expectError(kErrWriteFailed, QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("data/d_files/mech.zvr"))));
        QVERIFY(!WriteFile(s, d, nullptr, m_dir.filePath(QStringLiteral("out")), QStringLiteral("mech.kv")));
        CHECK_SCRIPT(d);
        // Neither file is replaced unless both are written.
        QCOMPARE(readAll(kvPath), QByteArray("older kv"));
    }

    void projectFileIsAFolder_error203()
    {
        Session& s = *m_session;
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("data/d_files/mech.zvr")));
        ScriptedDialogs d(s);
        d.expectError(kErrWriteFailed, QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("data/d_files/mech.zvr"))));
        QVERIFY(!WriteFile(s, d, nullptr, m_dir.filePath(QStringLiteral("out")), QStringLiteral("mech.kv")));
        CHECK_SCRIPT(d);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("out/mech.kv"))));
    }

    void writeAll_reportsAShortWrite_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::addColumn<bool>("written");
        QTest::newRow("room for all") << qint64(1000) << true;
        QTest::newRow("exactly enough room") << qint64(300) << true;
        QTest::newRow("one byte short") << qint64(299) << false;
        QTest::newRow("no room") << qint64(0) << false;
    }
    void writeAll_reportsAShortWrite()
    {
        QFETCH(qint64, room);
        QFETCH(bool, written);
        FullDevice device(room);
        QVERIFY(device.open(QIODevice::WriteOnly));
        QCOMPARE(writeAll(device, QByteArray(300, 'z')), written);
    }

    void writeThenLoad_keepsTheAngleChoice()
    {
        // Saving a loaded project again must not lose the student's acute/obtuse choices.
        Session& s = *m_session;
        ScriptedDialogs d(s);
        QVERIFY(WriteFile(s, d, nullptr, m_dir.filePath(QStringLiteral("out")), QStringLiteral("mech.kv")));
        const QByteArray firstKv = readAll(m_dir.filePath(QStringLiteral("out/mech.kv")));

        Session loaded;
        loaded.DataFolder = s.DataFolder;
        ScriptedDialogs d2(loaded);
        QCOMPARE(LoadFile(loaded, d2, QString(), QStringLiteral("mech.kv")), LoadResult::Loaded);
        QCOMPARE(loaded.Groups[1].IsSharp, QStringLiteral("y"));
        QVERIFY(WriteFile(loaded, d2, nullptr, m_dir.filePath(QStringLiteral("out")), QStringLiteral("again.kv")));
        CHECK_SCRIPT(d2);
        QCOMPARE(readAll(m_dir.filePath(QStringLiteral("out/again.kv"))), firstKv);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Session> m_session;

private slots:
    void cleanup()
    {
        // Each case starts from empty folders.
        QDir(m_dir.filePath(QStringLiteral("out"))).removeRecursively();
        QDir(m_dir.filePath(QStringLiteral("data"))).removeRecursively();
        QFile::remove(m_dir.filePath(QStringLiteral("data")));
    }
};

QTEST_GUILESS_MAIN(WriteFileTest)
#include "writefile_test.moc"

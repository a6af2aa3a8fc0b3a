#include "shell/programfolders.h"
#include "files/projectfile.h"
#include "tests/support/scripteddialogs.h"
#include "model/session.h"
#include "files/writefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// A small mechanism in the records, enough for both files to be written.
void oneCrank(Session& s)
{
    s.NewMechanism();
    s.ParaCount = 1;
    s.Paras[1].Name = QStringLiteral("A");
    s.Paras[1].ParaType = QStringLiteral("r");
    s.ZvenoCount = 1;
    s.Zvenos[1].Name = QStringLiteral("1");
    s.FrameIndex = 1;
    s.ForceAnalysis = 7.0f;
    s.MorePoints = 7.0f;
}

} // namespace

class ProgramFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void dataFolder_besideTheProgramOrInstalled_data()
    {
        QTest::addColumn<QStringList>("folders"); // made below the temporary folder
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside the program") << QStringList{QStringLiteral("bin/data")} << QStringLiteral("bin/data");
        QTest::newRow("installed") << QStringList{QStringLiteral("share/zuvrack/data")}
                                   << QStringLiteral("share/zuvrack/data");
        QTest::newRow("beside wins over installed")
            << QStringList{QStringLiteral("bin/data"), QStringLiteral("share/zuvrack/data")} << QStringLiteral("bin/data");
        // Neither: the usual place, so that what is missing is named where people look for it.
        QTest::newRow("none") << QStringList{} << QStringLiteral("bin/data");
    }
    void dataFolder_besideTheProgramOrInstalled()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        for (const QString& f : folders)
            QVERIFY(QDir(dir.path()).mkpath(f));
        const ProgramFolders found = findProgramFolders(dir.filePath(QStringLiteral("bin")), dir.filePath(QStringLiteral("user")));
        QCOMPARE(found.data, dir.filePath(expected));
        QCOMPARE(found.projects, (QStringList{dir.filePath(expected + QStringLiteral("/d_files")),
                                              dir.filePath(QStringLiteral("user/d_files"))}));
    }

    // The user's own data folder named as the program's data folder, however it is spelt: its
    // d_files is listed once.
    void projects_userFolderIsTheDataFolder_listedOnce_data()
    {
        QTest::addColumn<QString>("user"); // below the temporary folder; "@" a link to bin/data
        QTest::newRow("the same path") << QStringLiteral("bin/data");
        QTest::newRow("with a trailing separator") << QStringLiteral("bin/data/");
        QTest::newRow("through a parent") << QStringLiteral("bin/../bin/data");
        QTest::newRow("through a link") << QStringLiteral("@");
    }
    void projects_userFolderIsTheDataFolder_listedOnce()
    {
        QFETCH(QString, user);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin/data/d_files")));
        QVERIFY(user != QStringLiteral("@") || QFile::link(dir.filePath(QStringLiteral("bin/data")), dir.filePath(user)));
        const ProgramFolders found = findProgramFolders(dir.filePath(QStringLiteral("bin")), dir.filePath(user));
        QCOMPARE(found.projects, QStringList{dir.filePath(QStringLiteral("bin/data/d_files"))});
    }

    void projects_noUserFolder_onlyTheDataFolder()
    {
        QTemporaryDir dir;
        const ProgramFolders found = findProgramFolders(dir.path(), QString());
        QCOMPARE(found.projects, QStringList{dir.filePath(QStringLiteral("data/d_files"))});
    }

    // Tests run as the superuser, who may write anywhere; a data folder below a plain file can
    // never be made, which is what a read-only installation looks like to the program.
    void save_dataFolderCannotBeWritten_goesToTheUsersFolderAndLoadsFromThere()
    {
        QTemporaryDir dir;
        writeText(dir.filePath(QStringLiteral("blocked")), "a file, not a folder");
        const QString data = dir.filePath(QStringLiteral("blocked/data/d_files"));
        const QString user = dir.filePath(QStringLiteral("user/d_files"));
        Session s;
        s.DataFolder = dir.filePath(QStringLiteral("blocked/data"));
        s.ProjectFolders = {data, user};
        oneCrank(s);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("out")));
        QCOMPARE(projectFolder(s), user);

        ScriptedDialogs d(s);
        QVERIFY(WriteFile(s, d, nullptr, dir.filePath(QStringLiteral("out")), QStringLiteral("Mech1.kv")));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("out/Mech1.kv"))));
        QVERIFY(QFile::exists(user + QStringLiteral("/mech1.zvr")));
        QCOMPARE(projectFilePath(s, QStringLiteral("Mech1.kv")), user + QStringLiteral("/mech1.zvr"));

        Session loaded;
        loaded.DataFolder = s.DataFolder;
        loaded.ProjectFolders = s.ProjectFolders;
        ScriptedDialogs d2(loaded);
        QCOMPARE(LoadFile(loaded, d2, QString(), QStringLiteral("Mech1.kv")), LoadResult::Loaded);
        QCOMPARE(loaded.Zvenos[1].Name, QStringLiteral("1"));
        QCOMPARE(loaded.Paras[1].Name, QStringLiteral("A"));
    }

    void save_dataFolderWritable_staysThereAndTheUsersFolderIsNotMade()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data/d_files"));
        const QString user = dir.filePath(QStringLiteral("user/d_files"));
        Session s;
        s.DataFolder = dir.filePath(QStringLiteral("data"));
        s.ProjectFolders = {data, user};
        oneCrank(s);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("out")));
        ScriptedDialogs d(s);
        QVERIFY(WriteFile(s, d, nullptr, dir.filePath(QStringLiteral("out")), QStringLiteral("Mech1.kv")));
        QVERIFY(QFile::exists(data + QStringLiteral("/mech1.zvr")));
        QVERIFY(!QFileInfo::exists(user));
        // The writability test leaves nothing behind.
        QCOMPARE(QDir(data).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("mech1.zvr")});
    }

    void lookup_dataFolderFirstThenTheUsers_data()
    {
        QTest::addColumn<bool>("inData");
        QTest::addColumn<bool>("inUser");
        QTest::addColumn<QString>("expected"); // the folder of the path found
        QTest::newRow("in both") << true << true << QStringLiteral("data/d_files");
        QTest::newRow("only the user's") << false << true << QStringLiteral("user/d_files");
        QTest::newRow("only the data folder") << true << false << QStringLiteral("data/d_files");
        // Nowhere: where a save would put it, so the caller's "not ours" test fails on it.
        QTest::newRow("nowhere") << false << false << QStringLiteral("data/d_files");
    }
    void lookup_dataFolderFirstThenTheUsers()
    {
        QFETCH(bool, inData);
        QFETCH(bool, inUser);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        Session s;
        s.DataFolder = dir.filePath(QStringLiteral("data"));
        s.ProjectFolders = {dir.filePath(QStringLiteral("data/d_files")), dir.filePath(QStringLiteral("user/d_files"))};
        if (inData)
            writeText(dir.filePath(QStringLiteral("data/d_files/mech.zvr")), "data");
        if (inUser)
            writeText(dir.filePath(QStringLiteral("user/d_files/mech.zvr")), "user");
        QCOMPARE(projectFilePath(s, QStringLiteral("MECH.KV")), dir.filePath(expected + QStringLiteral("/mech.zvr")));
        QCOMPARE(projectFileForWriting(s, QStringLiteral("MECH.KV")), dir.filePath(QStringLiteral("data/d_files/mech.zvr")));
    }

    void lookup_nameTooShort_noPath()
    {
        Session s;
        s.ProjectFolders = {QStringLiteral("/nonexistent/d_files")};
        QCOMPARE(projectFilePath(s, QStringLiteral("kv")), QString());
        QCOMPARE(projectFileForWriting(s, QStringLiteral("kv")), QString());
    }

    void save_nowhereToWrite_error203NamesTheUsersFolder()
    {
        QTemporaryDir dir;
        writeText(dir.filePath(QStringLiteral("blocked")), "a file, not a folder");
        Session s;
        s.DataFolder = dir.filePath(QStringLiteral("blocked/data"));
        s.ProjectFolders = {dir.filePath(QStringLiteral("blocked/data/d_files")),
                            dir.filePath(QStringLiteral("blocked/user/d_files"))};
        oneCrank(s);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("out")));
        ScriptedDialogs d(s);
        d.expectError(203, QDir::toNativeSeparators(dir.filePath(QStringLiteral("blocked/user/d_files/mech1.zvr"))));
        QVERIFY(!WriteFile(s, d, nullptr, dir.filePath(QStringLiteral("out")), QStringLiteral("Mech1.kv")));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out/Mech1.kv"))));
    }
};

QTEST_MAIN(ProgramFoldersTest)
#include "programfolders_test.moc"

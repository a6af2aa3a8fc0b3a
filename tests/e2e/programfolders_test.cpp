#include "files/projectfile.h"
#include "files/writefile.h"
#include "model/session.h"
#include "shell/programfolders.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Folders (ending in "/") and files (holding their own name) made below the temporary folder.
void make(const QTemporaryDir& dir, const QStringList& paths)
{
    for (const QString& path : paths) {
        QFile f(dir.filePath(path));
        QVERIFY(QDir(dir.path()).mkpath(path.endsWith(u'/') ? path : QFileInfo(path).path()));
        QVERIFY(path.endsWith(u'/') || (f.open(QIODevice::WriteOnly) && f.write(path.toUtf8()) > 0));
    }
}

QStringList below(const QTemporaryDir& dir, QStringList paths)
{
    return paths.replaceInStrings(QRegularExpression(QStringLiteral("^")), dir.path() + u'/');
}

} // namespace

// Where the installed program finds its data and keeps project files.
class ProgramFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void folders_found_data()
    {
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QString>("user"); // "@": a link to bin/data; empty: none
        QTest::addColumn<QStringList>("expected"); // the data folder, then the project folders
        const QStringList beside{u"bin/data"_s, u"bin/data/d_files"_s, u"user/d_files"_s};
        QTest::newRow("beside the program") << QStringList{u"bin/data/"_s} << u"user"_s << beside;
        QTest::newRow("installed") << QStringList{u"share/zuvrack/data/"_s} << u"user"_s
                                   << QStringList{u"share/zuvrack/data"_s, u"share/zuvrack/data/d_files"_s, u"user/d_files"_s};
        QTest::newRow("beside wins over installed") << QStringList{u"bin/data/"_s, u"share/zuvrack/data/"_s} << u"user"_s << beside;
        // Neither: the usual place, so that what is missing is named where people look for it.
        QTest::newRow("none") << QStringList{u"bin/"_s} << u"user"_s << beside;
        QTest::newRow("no user folder") << QStringList{u"bin/"_s} << QString() << beside.mid(0, 2);
        // The user's own data folder named as the program's, however it is spelt: listed once.
        for (const QString& same : {u"bin/data"_s, u"bin/data/"_s, u"bin/../bin/data"_s, u"@"_s})
            QTest::addRow("the same folder as %s", qPrintable(same)) << QStringList{u"bin/data/d_files/"_s} << same << beside.mid(0, 2);
    }
    void folders_found()
    {
        QFETCH(QStringList, made);
        QFETCH(QString, user);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        make(dir, made);
        QVERIFY(user != u"@"_s || QFile::link(dir.filePath(u"bin/data"_s), dir.filePath(user)));
        const ProgramFolders found = findProgramFolders(dir.filePath(u"bin"_s), user.isEmpty() ? QString() : dir.filePath(user));
        QCOMPARE(QStringList{found.data} + found.projects, below(dir, expected));
    }

    // Tests run as the superuser, who may write anywhere; a folder below a plain file can never be
    // made, which is what a read-only installation looks like to the program.
    void save_goesToTheFirstFolderThatCanBeWritten_andLoadsFromThere_data()
    {
        QTest::addColumn<QString>("projects"); // the two project folders, below the temporary folder
        QTest::addColumn<QString>("written"); // the project file; empty: error 203 on the user's
        QTest::newRow("the data folder") << u"data/d_files user/d_files"_s << u"data/d_files/mech1.zvr"_s;
        QTest::newRow("the data folder blocked") << u"blocked/data/d_files user/d_files"_s << u"user/d_files/mech1.zvr"_s;
        QTest::newRow("nowhere") << u"blocked/data/d_files blocked/user/d_files"_s << QString();
    }
    void save_goesToTheFirstFolderThatCanBeWritten_andLoadsFromThere()
    {
        QFETCH(QString, projects);
        QFETCH(QString, written);
        QTemporaryDir dir;
        make(dir, {u"blocked"_s, u"out/"_s});
        Session s;
        s.ProjectFolders = below(dir, projects.split(u' '));
        s.DataFolder = QFileInfo(s.ProjectFolders[0]).path();
        buildMechanism(s, u"@crankslider"_s);
        ScriptedDialogs d(s);
        if (written.isEmpty())
            d.expectError(203, QDir::toNativeSeparators(s.ProjectFolders[1] + u"/mech1.zvr"_s));
        QCOMPARE(WriteFile(s, d, nullptr, dir.filePath(u"out"_s), u"Mech1.kv"_s), !written.isEmpty());
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QCOMPARE(QFile::exists(dir.filePath(u"out/Mech1.kv"_s)), !written.isEmpty());
        if (written.isEmpty())
            return;
        // The file alone in its folder (the writability test leaves nothing behind), the user's
        // folder made only when it is needed.
        QCOMPARE(QDir(QFileInfo(dir.filePath(written)).path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"mech1.zvr"_s});
        QCOMPARE(QFileInfo::exists(s.ProjectFolders[1]), written.startsWith(u"user"_s));
        Session loaded;
        loaded.DataFolder = s.DataFolder;
        loaded.ProjectFolders = s.ProjectFolders;
        ScriptedDialogs d2(loaded);
        QCOMPARE(LoadFile(loaded, d2, QString(), u"Mech1.kv"_s), LoadResult::Loaded);
        QCOMPARE(loaded.Zvenos[1].Name + loaded.Paras[1].Name, u"0A"_s);
    }

    // A save goes to the user's folder while the data folder cannot be written, so both may hold
    // the name: the copy saved last is the one that loads (the first one made is a minute older).
    void lookup_theCopySavedLast_data()
    {
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found"); // what a load reads; a save writes to the data folder here
        const QString inData = u"data/d_files/mech.zvr"_s, inUser = u"user/d_files/mech.zvr"_s;
        QTest::newRow("in both, the user's saved last") << QStringList{inData, inUser} << u"MECH.KV"_s << inUser;
        QTest::newRow("in both, the data folder's saved last") << QStringList{inUser, inData} << u"MECH.KV"_s << inData;
        QTest::newRow("only the user's") << QStringList{inUser} << u"MECH.KV"_s << inUser;
        QTest::newRow("only the data folder") << QStringList{inData} << u"MECH.KV"_s << inData;
        // Nowhere: where a save would put it, so the caller's "not ours" test fails on it.
        QTest::newRow("nowhere") << QStringList{} << u"MECH.KV"_s << inData;
        QTest::newRow("name too short") << QStringList{inData} << u"kv"_s << QString();
    }
    void lookup_theCopySavedLast()
    {
        QFETCH(QStringList, made);
        QFETCH(QString, name);
        QFETCH(QString, found);
        QTemporaryDir dir;
        make(dir, made);
        QFile first(dir.filePath(made.value(0)));
        QVERIFY(made.size() < 2 || (first.open(QIODevice::ReadWrite) &&
                                    first.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime)));
        Session s;
        s.DataFolder = dir.filePath(u"data"_s);
        s.ProjectFolders = below(dir, {u"data/d_files"_s, u"user/d_files"_s});
        QCOMPARE(projectFilePath(s, name), found.isEmpty() ? QString() : dir.filePath(found));
        QCOMPARE(projectFileForWriting(s, name), found.isEmpty() ? QString() : dir.filePath(u"data/d_files/mech.zvr"_s));
    }
};

QTEST_MAIN(ProgramFoldersTest)
#include "programfolders_test.moc"

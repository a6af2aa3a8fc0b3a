#include "errors.h"
#include "projectfile.h"
#include "scripteddialogs.h"
#include "session.h"
#include "shellactions.h"
#include "shellcommands.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kYesNoDefault = QStringLiteral("0");

// Records what the commands asked of the windows, in order.
class RecordingActions : public ShellActions {
public:
    explicit RecordingActions(Session& session)
        : m_session(session)
    {
    }

    QStringList log;
    LoadResult loadResult = LoadResult::Loaded;
    bool realLoad = false; // read the project through the real LoadFile
    Dialogs* dialogs = nullptr;
    // What the session looked like when the loader was called.
    float readyAtLoad = -5;
    float modeAtLoad = -5;
    qint16 countAtLoad = -5;

    void startNewDescription() override
    {
        log << QStringLiteral("new description");
        m_session.NewMechanism();
        m_session.WizardState = 11;
    }
    void layOutWizard() override { log << QStringLiteral("lay out wizard"); }
    void closeWizard() override { log << QStringLiteral("close wizard"); }
    void openChooser() override { log << QStringLiteral("chooser"); }
    void openFreeEdit() override { log << QStringLiteral("free edit"); }
    LoadResult loadProject(const QString& folder, const QString& fileName) override
    {
        log << QStringLiteral("load %1 | %2").arg(folder, fileName);
        readyAtLoad = m_session.OutputReady;
        modeAtLoad = m_session.WindowMode;
        countAtLoad = m_session.ParaCount;
        if (realLoad)
            return LoadFile(m_session, *dialogs, folder, fileName);
        return loadResult;
    }
    CompilerView* compilerView() override { return nullptr; }

private:
    Session& m_session;
};

// A small finished description: a crank on the frame, one pair, two links.
void fillCrank(Session& s)
{
    s.NewMechanism();
    s.ParaCount = 1;
    PARA& a = s.Paras[1];
    a.Name = QStringLiteral("A");
    a.Zveno1 = QStringLiteral("0");
    a.Zveno1Index = 1;
    a.Zveno2 = QStringLiteral("1");
    a.Zveno2Index = 2;
    a.ParaType = QStringLiteral("r");
    a.X = QStringLiteral("0");
    a.Y = QStringLiteral("12.5");
    s.ZvenoCount = 2;
    s.Zvenos[1].Name = QStringLiteral("0");
    s.Zvenos[1].IsFrame = 1.0f;
    s.Zvenos[1].Para1 = QStringLiteral("A");
    s.Zvenos[1].Para1Index = 1;
    s.Zvenos[2].Name = QStringLiteral("1");
    s.Zvenos[2].IsDriving = 1.0f;
    s.Zvenos[2].Para1 = QStringLiteral("A");
    s.Zvenos[2].Para1Index = 1;
    s.Zvenos[2].ZType = QStringLiteral("rr");
    s.Zvenos[2].ZLength = QStringLiteral("40");
    s.Zvenos[2].Mass = QStringLiteral("Ж"); // a Cyrillic value must come back as it was
    s.FrameIndex = 1;
    s.ForceAnalysis = 7.0f;
    s.MorePoints = 7.0f;
    s.GroupCount = 0;
}

void touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

} // namespace

class ShellCommandsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_data;

    QString kvIn(const QString& name) const { return QDir(m_data.path()).filePath(QStringLiteral("user/") + name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("d_files")));
        QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("user")));
        touch(QDir(m_data.path()).filePath(QStringLiteral("d_files/mech1.zvr")));
    }

    // The opening question: what each answer leads to. The dialog gives "6" or "7"; closed
    // without a button it gives back whatever Answer already held.
    void openingQuestion_dispatchesOnTheAnswer_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<float>("windowMode");
        QTest::addColumn<qint16>("state");

        const QStringList fresh = {QStringLiteral("new description")};
        const QStringList chooser = {QStringLiteral("close wizard"), QStringLiteral("chooser")};
        QTest::newRow("yes") << QString() << false << QStringLiteral("6") << fresh << 1.0f << qint16(11);
        QTest::newRow("closed, previous 6") << QStringLiteral("6") << true << QString() << fresh << 1.0f << qint16(11);
        QTest::newRow("closed, previous 2") << QStringLiteral("2") << true << QString() << chooser << 0.0f << qint16(0);
        QTest::newRow("closed, previous 2 with blanks")
            << QStringLiteral(" 2 ") << true << QString() << chooser << 0.0f << qint16(0);
        QTest::newRow("closed, previous empty") << QString() << true << QString() << QStringList() << 1.0f << qint16(0);
        QTest::newRow("closed, previous text") << QStringLiteral("AB") << true << QString() << QStringList() << 1.0f
                                               << qint16(0);
        QTest::newRow("closed, previous 5") << QStringLiteral("5") << true << QString() << QStringList() << 1.0f
                                            << qint16(0);
        QTest::newRow("closed, previous /E") << QStringLiteral("/E") << true << QString() << QStringList() << 1.0f
                                             << qint16(0);
        QTest::newRow("closed, previous 6x") << QStringLiteral("6x") << true << QString() << QStringList() << 1.0f
                                             << qint16(0);
    }
    void openingQuestion_dispatchesOnTheAnswer()
    {
        QFETCH(QString, previous);
        QFETCH(bool, closed);
        QFETCH(QString, answer);
        QFETCH(QStringList, log);
        QFETCH(float, windowMode);
        QFETCH(qint16, state);

        Session s;
        s.DataFolder = m_data.path();
        s.Answer = previous;
        s.WindowMode = 1.0f;
        s.OutputReady = 1.0f;
        s.OutputSaved = 1.0f;
        ScriptedDialogs d(s);
        if (closed)
            d.expectQuestionClosed(kOpeningQuestion, 1.0f, kYesNoDefault);
        else
            d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, answer);
        RecordingActions a(s);
        ShellCommands(s, d, a).openingQuestion(QPoint(10, 20));

        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(a.log, log);
        QCOMPARE(s.WindowMode, windowMode);
        QCOMPARE(s.WizardState, state);
        QCOMPARE(s.Answer, closed ? previous : answer);
        QCOMPARE(s.OutputReady, 0.0f);
        QCOMPARE(s.OutputSaved, 0.0f);
    }

    void openingQuestion_textIsExact()
    {
        QCOMPARE(kOpeningQuestion, QStringLiteral("Нажмите 'Да' для создания нового механизма\r\n"
                                                  "Нажмите 'Нет' для загрузки механизма из файла"));
        QCOMPARE(kShellFileFilter, QStringLiteral("Файлы KVERTA (*.kv)| *.kv"));
    }

    // The "no" branch: every way the chosen file can fail ends in its message and a new description.
    void load_refusedFileStartsANewDescription_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("fileTitle");
        QTest::addColumn<int>("error");

        QTest::newRow("dialog cancelled") << QString() << QString() << 20;
        QTest::newRow("not a .kv file") << kvIn(QStringLiteral("mech1.txt")) << QStringLiteral("mech1.txt") << 20;
        QTest::newRow(".kv inside the name only") << kvIn(QStringLiteral("mech1.kv.bak")) << QStringLiteral("mech1.kv.bak")
                                                  << 20;
        QTest::newRow(".k only") << kvIn(QStringLiteral("mech1.k")) << QStringLiteral("mech1.k") << 20;
        QTest::newRow("no project in d_files") << kvIn(QStringLiteral("other.kv")) << QStringLiteral("other.kv") << 201;
        QTest::newRow("title too short for a project name")
            << kvIn(QStringLiteral(".kv")) << QStringLiteral(".kv") << 201;
    }
    void load_refusedFileStartsANewDescription()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, fileTitle);
        QFETCH(int, error);

        Session s;
        s.DataFolder = m_data.path();
        s.WindowMode = 1.0f;
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("7"))
            .expectOpenFile(kShellFileFilter, FileChoice{fileName, fileTitle})
            .expectError(qint16(error));
        RecordingActions a(s);
        ShellCommands(s, d, a).openingQuestion(QPoint());

        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(a.log, (QStringList{QStringLiteral("lay out wizard"), QStringLiteral("new description")}));
        QCOMPARE(s.Answer, QStringLiteral("6"));
        QCOMPARE(s.WizardState, qint16(11));
        QCOMPARE(s.WindowMode, 1.0f);
        QCOMPARE(s.OutputReady, 0.0f);
    }

    // The extension test ignores letter case; the project name is the lower-cased base.
    void load_foundProjectOpensFreeEdit_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("lower case") << QStringLiteral("mech1.kv");
        QTest::newRow("capitals") << QStringLiteral("MECH1.KV");
        QTest::newRow("mixed") << QStringLiteral("Mech1.kV");
    }
    void load_foundProjectOpensFreeEdit()
    {
        QFETCH(QString, title);
        Session s;
        s.DataFolder = m_data.path();
        s.WindowMode = 1.0f;
        s.ParaCount = 3; // an old mechanism, reset before the load
        ScriptedDialogs d(s);
        d.expectOpenFile(kShellFileFilter, FileChoice{kvIn(title), title});
        RecordingActions a(s);
        s.Answer = QStringLiteral("7");
        ShellCommands(s, d, a).dispatchOpening();

        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        const QString folder = QDir(m_data.path()).filePath(QStringLiteral("user")) + QLatin1Char('/');
        QCOMPARE(a.log, (QStringList{QStringLiteral("lay out wizard"), QStringLiteral("load %1 | %2").arg(folder, title),
                                     QStringLiteral("free edit")}));
        QCOMPARE(a.readyAtLoad, 1.0f);
        QCOMPARE(a.modeAtLoad, 2.0f);
        QCOMPARE(a.countAtLoad, qint16(0));
        QCOMPARE(s.OutputReady, 1.0f);
        QCOMPARE(s.WindowMode, 2.0f);
        QCOMPARE(s.WizardState, qint16(0));
        QCOMPARE(s.Answer, QStringLiteral("7"));
    }

    // A project the loader could not read (it has said why) leaves nothing to save and the
    // wizard following the strip, with a new description.
    void load_unreadableProjectStartsANewDescription_data()
    {
        QTest::addColumn<int>("result");
        QTest::newRow("damaged") << int(LoadResult::Damaged);
        QTest::newRow("gone since the look-up") << int(LoadResult::Missing);
    }
    void load_unreadableProjectStartsANewDescription()
    {
        QFETCH(int, result);
        Session s;
        s.DataFolder = m_data.path();
        s.WindowMode = 1.0f;
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("7"))
            .expectOpenFile(kShellFileFilter, FileChoice{kvIn(QStringLiteral("mech1.kv")), QStringLiteral("mech1.kv")});
        RecordingActions a(s);
        a.loadResult = LoadResult(result);
        ShellCommands(s, d, a).openingQuestion(QPoint());

        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(a.log.size(), 3);
        QCOMPARE(a.log.last(), QStringLiteral("new description"));
        QCOMPARE(s.OutputReady, 0.0f);
        QCOMPARE(s.WindowMode, 1.0f);
        QCOMPARE(s.WizardState, qint16(11));
        QCOMPARE(s.Answer, QStringLiteral("6"));
    }

    void save_doesNothingUntilOutputIsReady_data()
    {
        QTest::addColumn<float>("ready");
        QTest::newRow("new description") << 0.0f;
        QTest::newRow("unset") << -1.0f;
        QTest::newRow("two") << 2.0f;
    }
    void save_doesNothingUntilOutputIsReady()
    {
        QFETCH(float, ready);
        Session s;
        s.DataFolder = m_data.path();
        s.OutputReady = ready;
        ScriptedDialogs d(s); // no dialog at all
        RecordingActions a(s);
        ShellCommands(s, d, a).saveOutput();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(s.OutputSaved, 0.0f);
        QVERIFY(a.log.isEmpty());
    }

    void save_cancelledDialogWritesAndReportsNothing()
    {
        Session s;
        s.DataFolder = m_data.path();
        fillCrank(s);
        s.OutputReady = 1.0f;
        ScriptedDialogs d(s);
        d.expectSaveFile(kShellFileFilter, FileChoice{});
        RecordingActions a(s);
        ShellCommands(s, d, a).saveOutput();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(s.OutputSaved, 0.0f);
        QCOMPARE(s.OutputReady, 1.0f);
    }

    void save_failedWriteIsNotSaved()
    {
        Session s;
        s.DataFolder = m_data.path();
        fillCrank(s);
        s.OutputReady = 1.0f;
        const QString missing = QDir(m_data.path()).filePath(QStringLiteral("no such folder/crank.kv"));
        ScriptedDialogs d(s);
        d.expectSaveFile(kShellFileFilter, FileChoice{missing, QStringLiteral("crank.kv")})
            .expectError(kErrWriteFailed, QDir::toNativeSeparators(missing));
        RecordingActions a(s);
        ShellCommands(s, d, a).saveOutput();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(s.OutputSaved, 0.0f);
    }

    // What a teacher does: save a description, then load it again from the opening question.
    void saveThenLoad_bringsTheMechanismBack()
    {
        QTemporaryDir data;
        QVERIFY(data.isValid());
        Session s;
        s.DataFolder = data.path();
        fillCrank(s);
        s.OutputReady = 1.0f;
        const QString kv = QDir(data.path()).filePath(QStringLiteral("Crank.kv"));

        ScriptedDialogs d(s);
        d.expectSaveFile(kShellFileFilter, FileChoice{kv, QStringLiteral("Crank.kv")});
        RecordingActions a(s);
        a.realLoad = true;
        a.dialogs = &d;
        ShellCommands commands(s, d, a);
        commands.saveOutput();
        QCOMPARE(s.OutputSaved, 1.0f);
        QVERIFY(QFile::exists(kv));
        QVERIFY(QFile::exists(QDir(data.path()).filePath(QStringLiteral("d_files/crank.zvr"))));

        s.NewMechanism();
        s.ParaCount = 0;
        s.ZvenoCount = 0;
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("7"))
            .expectOpenFile(kShellFileFilter, FileChoice{kv, QStringLiteral("Crank.kv")});
        commands.openingQuestion(QPoint());
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(a.log.last(), QStringLiteral("free edit"));
        QCOMPARE(s.WindowMode, 2.0f);
        QCOMPARE(s.OutputReady, 1.0f);
        QCOMPARE(s.OutputSaved, 0.0f);
        QCOMPARE(s.ParaCount, qint16(1));
        QCOMPARE(s.ZvenoCount, qint16(2));
        QCOMPARE(s.FrameIndex, qint16(1));
        QCOMPARE(s.Paras[1].Name, QStringLiteral("A"));
        QCOMPARE(s.Paras[1].Y, QStringLiteral("12.5"));
        QCOMPARE(s.Zvenos[2].ZLength, QStringLiteral("40"));
        QCOMPARE(s.Zvenos[2].Mass, QStringLiteral("Ж"));
        QCOMPARE(s.Zvenos[2].IsDriving, 1.0f);
    }
};

QTEST_GUILESS_MAIN(ShellCommandsTest)
#include "shellcommands_test.moc"

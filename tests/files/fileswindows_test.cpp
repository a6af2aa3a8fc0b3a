#include "files/ui/loaderwindow.h"
#include "files/ui/compilerwindow.h"
#include "tests/files/mechanisms.h"
#include "files/projectformat.h"
#include "tests/support/scripteddialogs.h"

#include <QTest>
#include <QtWidgets>

class FilesWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void compilerWindow_showsTheRun_marksAFailure_andClosesOnTheButton()
    {
        CompilerWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("            KVERTA file compillator [v 0.1.0f]"));
        auto* close = w.findChild<QPushButton*>(QStringLiteral("btn_Close"));
        auto* bar = w.findChild<QProgressBar*>(QStringLiteral("pb_Overall"));
        auto* list = w.findChild<QListWidget*>(QStringLiteral("lst_Output"));
        QVERIFY(close && bar && list);
        QCOMPARE(close->text(), QStringLiteral("З А К Р Ы Т Ь"));
        w.start();
        w.addLine(QStringLiteral("_Массы"));
        w.setProgress(100);
        w.markFailed();
        QVERIFY(w.isVisible());
        QCOMPARE(list->count() == 1 ? list->item(0)->text() : QString(), QStringLiteral("_Массы"));
        QCOMPARE(bar->value(), 100);
        QCOMPARE(close->text(), QStringLiteral("ОШИБКА!"));
        w.start(); // the next run starts clean
        QCOMPARE(close->text(), QStringLiteral("З А К Р Ы Т Ь"));
        QCOMPARE(list->count() + bar->value(), 0);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    // Loading through the waiting window: a file that cannot be read is reported, the window
    // closes, and no half mechanism is left behind.
    void loaderWindow_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: none there
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << QByteArray() << 201;
        Session six;
        testmech::build(six, QStringLiteral("@sixlinks"));
        QTest::newRow("cut short in its last record: damaged") << projectFileBytes(six, nullptr)->chopped(1) << 202;
    }
    void loaderWindow()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, error);
        LoaderWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("            KVERTA file loader [v 0.0.1a]"));
        QCOMPARE(w.findChild<QLabel*>()->text(), QStringLiteral("Ж Д И Т Е . . ."));
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("d_files")));
        QVERIFY(file.isNull() || testmech::writeBytes(dir.filePath(QStringLiteral("d_files/mech.zvr")), file));
        Session s;
        s.DataFolder = dir.path();
        testmech::build(s, QStringLiteral("@crankslider;session ExtraPairsFlag=1"));
        s.OutputReady = 1.0f;
        ScriptedDialogs d(s);
        d.expectError(qint16(error));
        // The project always comes from the data folder, named after the file.
        QCOMPARE(loadProjectWithWindow(s, d, QStringLiteral("/elsewhere"), QStringLiteral("Mech.kv")),
                 error == 201 ? LoadResult::Missing : LoadResult::Damaged);
        CHECK_SCRIPT(d);
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(top == &w || !top->isVisible());
        QCOMPARE(s.ZvenoCount + s.ParaCount + s.GroupCount, 0);
        QCOMPARE(s.Zvenos[1].Name + s.Paras[1].Name, kNotSet + kNotSet);
        QCOMPARE(s.OutputReady + s.ExtraPairsFlag, 0.0f);
    }
};

QTEST_MAIN(FilesWindowsTest)
#include "fileswindows_test.moc"

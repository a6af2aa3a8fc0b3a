#include "files/projectformat.h"
#include "files/ui/compilerwindow.h"
#include "files/ui/loaderwindow.h"
#include "freeedit/ui/freeeditwindow.h"
#include "tests/freeedit/treelines.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/scripteddialogs.h"

#include <QtWidgets>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {


// The four labels, the two buttons, then every tree item.
QStringList texts(const FreeEditWindow& w)
{
    QStringList all;
    for (const char* name : {"lbl_text1", "lbl_text2", "lbl_text3", "lbl_text4", "cmd_Save", "cmd_Exit"})
        all << w.findChild<QWidget*>(QLatin1String(name))->property("text").toString();
    for (const QTreeWidgetItem* item : w.nodeItems())
        all << item->text(0);
    return all;
}

// Notes whether the window was still on screen when the yes/no box came up.
struct WatchingDialogs : ScriptedDialogs {
    using ScriptedDialogs::ScriptedDialogs;
    const QWidget* window = nullptr;
    bool visibleWhenAsked = true;
    int yesNoBox(const QString& text, const QString& title) override
    {
        visibleWhenAsked = window->isVisible();
        return ScriptedDialogs::yesNoBox(text, title);
    }
};


bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

// The program's windows: the free-edit window, the compiler and loader windows.
class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void formLoad_placesWindowAndShowsTheRecordsAsTheyAreNow()
    {
        Session s = mechanism(u"@rich; session ForceAnalysis=6 MorePoints=6 ExtraPairsFlag=1 FrameIndex=1"_s);
        ScriptedDialogs d(s);
        QWidget main;
        main.setGeometry(120, 60, 847, 54);
        FreeEditWindow w(s, d, &main);
        QCOMPARE(w.objectName() + w.windowTitle(), u"form_FreeLancerModeFreeLancer Mode [v 0.1.0f]"_s);
        QCOMPARE(texts(w).mid(0, 6).join(u'|'), u"Label1|Label1|Label1|Label1|С О Х Р А Н И Т Ь|В Ы Х О Д"_s);
        const int height = w.height();
        s.Paras[1].Name = s.Zvenos[2].Para1 = u"Q"_s; // changed after the window was made
        w.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect m = main.frameGeometry();
        QCOMPARE(w.frameGeometry().topLeft(), QPoint(m.left(), m.bottom() + 1));
        QCOMPARE(QSize(w.frameGeometry().width(), w.height()), QSize(m.width(), height)); // the outer width
        // Item by item: key, parent, text, mark, open roots, an empty check box.
        QList<TreeNode> shown;
        for (const QTreeWidgetItem* item : w.nodeItems()) {
            QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
            const QString parent = item->parent() ? item->parent()->data(0, Qt::UserRole).toString() : QString();
            shown.append({item->data(0, Qt::UserRole).toString(), parent, item->text(0),
                          w.NodeMarks().value(shown.size() + 1) == u"/n"_s, item->isExpanded(),
                          item->checkState(0) != Qt::Unchecked});
        }
        QCOMPARE(treeLines(shown), treeLines(buildMechanismTree(s)));
        QCOMPARE(w.findChild<QTreeWidget*>(u"tw_Main"_s)->topLevelItemCount(), 3);
    }

    void clickAndDoubleClick_showSelectionAndEditValueNodes()
    {
        Session s = mechanism(u"@fourbar; session ForceAnalysis=6 MorePoints=7 ExtraPairsFlag=0 FrameIndex=1"_s);
        ScriptedDialogs d(s);
        d.expectQuestion(u"Введите расстояние от пары A до центра масс S1"_s, 2.0f, u"0"_s, u"5"_s);
        FreeEditWindow w(s, d, nullptr);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* tree = w.findChild<QTreeWidget*>(u"tw_Main"_s);
        // Node 13 of the four-bar's tree (data/trees.txt), a value under the crank's centre of mass.
        QTreeWidgetItem* item = w.nodeItems().value(12);
        for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
            up->setExpanded(true);
        QStringList expected = QStringList{u"Расстояние от A: 0.05"_s, u"Z_2_CM_length"_s,
                                           u"Звенья\\1\\Центр масс: S1\\Расстояние от A: 0.05"_s, u"13"_s};
        expected << texts(w).mid(4);
        expected[6 + 12] = u"Расстояние от A: 5"_s;
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QCOMPARE(texts(w), expected);
    }

    void exit_closesFirstThenAsks_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("yes opens the chooser") << 6;
        QTest::newRow("no leaves the main window alone") << 7;
    }

    void exit_closesFirstThenAsks()
    {
        QFETCH(int, button);
        Session s = mechanism(u"@fourbar"_s);
        WatchingDialogs d(s);
        d.expectYesNo(u"Вы уверены? Все, что не сохранено будет утеряно!"_s, u"KVERTA Mode"_s, button);
        FreeEditWindow w(s, d, nullptr);
        d.window = &w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy chooser(&w, &FreeEditWindow::chooserRequested);
        QTest::mouseClick(w.findChild<QWidget*>(u"cmd_Exit"_s), Qt::LeftButton);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QCOMPARE(chooser.count(), button == 6 ? 1 : 0);
        QVERIFY(!d.visibleWhenAsked && !w.isVisible());
        QCOMPARE(s.Answer, QString::number(button));
    }

    void save_cancelledWritesNothing_thenWritesThroughTheMainWindowsCompilerWindow()
    {
        QTemporaryDir dir;
        Session s = mechanism(u"@fourbar; session ForceAnalysis=6 MorePoints=7 ExtraPairsFlag=0 FrameIndex=1"_s);
        s.DataFolder = dir.filePath(u"data"_s);
        const QString filter = u"Файлы KVERTA (*.kv)| *.kv"_s, kv = dir.filePath(u"mech.kv"_s);
        ScriptedDialogs d(s);
        d.expectSaveFile(filter, FileChoice{}).expectError(17).expectSaveFile(filter, FileChoice{dir.path() + u'/', {}});
        d.expectError(17).expectSaveFile(filter, FileChoice{kv, u"mech.kv"_s});
        QWidget main;
        auto* existing = new CompilerWindow(&main); // the one the shell keeps
        FreeEditWindow w(s, d, &main);
        auto* save = w.findChild<QWidget*>(u"cmd_Save"_s);
        QTest::mouseClick(save, Qt::LeftButton);
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(s.OutputReady, 0.0f);
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QVERIFY(QDir(dir.path()).exists(u"mech.kv"_s));
        QCOMPARE(main.findChildren<CompilerWindow*>().size(), 1);
        const auto* list = existing->findChild<QListWidget*>(u"lst_Output"_s);
        QVERIFY(existing->isVisible() && list->count() > 10);
        QCOMPARE(list->item(list->count() - 1)->text(), u"y"_s);
        QCOMPARE(s.OutputSaved, 0.0f); // the wizard's flag stays as it was
    }

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
        buildMechanism(six, QStringLiteral("@sixlinks"));
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
        QVERIFY(file.isNull() || writeBytes(dir.filePath(QStringLiteral("d_files/mech.zvr")), file));
        Session s;
        s.DataFolder = dir.path();
        buildMechanism(s, QStringLiteral("@crankslider;session ExtraPairsFlag=1"));
        s.OutputReady = 1.0f;
        ScriptedDialogs d(s);
        d.expectError(qint16(error));
        // The project always comes from the data folder, named after the file.
        QCOMPARE(loadProjectWithWindow(s, d, QStringLiteral("/elsewhere"), QStringLiteral("Mech.kv")),
                 error == 201 ? LoadResult::Missing : LoadResult::Damaged);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(top == &w || !top->isVisible());
        QCOMPARE(s.ZvenoCount + s.ParaCount + s.GroupCount, 0);
        QCOMPARE(s.Zvenos[1].Name + s.Paras[1].Name, kNotSet + kNotSet);
        QCOMPARE(s.OutputReady + s.ExtraPairsFlag, 0.0f);
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"

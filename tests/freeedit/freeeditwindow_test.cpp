#include "freeedit/ui/freeeditwindow.h"
#include "files/ui/compilerwindow.h"
#include "tests/support/scripteddialogs.h"
#include "tests/freeedit/testdata.h"

#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

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

} // namespace

class FreeLancerModeWindowTest : public QObject {
    Q_OBJECT
private slots:
    void formLoad_placesWindowAndShowsTheRecordsAsTheyAreNow()
    {
        Session s = mechanism(u"rich; F 6 6 1 1"_s);
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
        QCOMPARE(w.size(), QSize(m.width(), height));
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
        Session s = mechanism(u"fourbar; F 6 7 0 1"_s);
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
        Session s = mechanism(u"fourbar"_s);
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
        Session s = mechanism(u"fourbar; F 6 7 0 1"_s);
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
};

QTEST_MAIN(FreeLancerModeWindowTest)
#include "freeeditwindow_test.moc"

#include "fixtures.h"
#include "form_kvertafileshow.h"
#include "form_freelancermode.h"
#include "mechanismtree.h"
#include "scripteddialogs.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

QString str(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QTreeWidgetItem* itemWithKey(const form_FreeLancerMode& w, const QString& key)
{
    for (QTreeWidgetItem* item : w.nodeItems())
        if (item->data(0, Qt::UserRole).toString() == key)
            return item;
    return nullptr;
}

QStringList labelTexts(const form_FreeLancerMode& w)
{
    QStringList texts;
    for (const char* name : {"lbl_text1", "lbl_text2", "lbl_text3", "lbl_text4"})
        texts << w.findChild<QLabel*>(QLatin1String(name))->text();
    return texts;
}

QStringList itemTexts(const form_FreeLancerMode& w)
{
    QStringList texts;
    for (QTreeWidgetItem* item : w.nodeItems())
        texts << item->text(0);
    return texts;
}

void verifyScript(const ScriptedDialogs& d)
{
    QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
}

// Notes what the screen looked like when the yes/no box came up.
class WatchingDialogs : public ScriptedDialogs {
public:
    using ScriptedDialogs::ScriptedDialogs;
    std::function<void()> beforeYesNo;
    int yesNoBox(const QString& text, const QString& title) override
    {
        if (beforeYesNo)
            beforeYesNo();
        return ScriptedDialogs::yesNoBox(text, title);
    }
};

} // namespace

class FreeLancerModeWindowTest : public QObject {
    Q_OBJECT
private slots:
    void window_hasItsControlsAndTexts();
    void tree_showsTheBuiltNodes();
    void click_fillsSelectionAndLabels();
    void doubleClick_editsOnlyThatNode();
    void doubleClick_onStructuralNode_doesNothing();
    void setUpPosition_placesWindowUnderMainWindow();
    void exit_closesFirstThenAsks_data();
    void exit_closesFirstThenAsks();
    void saveCancelled_reportsError17();
    void save_writesThroughTheMainWindowsCompilerWindow();
    void largestMechanism_fillsTheTree();
    void formLoad_showsRecordsChangedSinceTheWindowWasMade();
};

void FreeLancerModeWindowTest::window_hasItsControlsAndTexts()
{
    Session s = fixtures::fourBar(6.0f);
    ScriptedDialogs d(s);
    form_FreeLancerMode w(s, d, nullptr);
    QCOMPARE(w.objectName(), QStringLiteral("form_FreeLancerMode"));
    QCOMPARE(w.windowTitle(), QStringLiteral("FreeLancer Mode [v 0.1.0f]"));
    QVERIFY(w.findChild<QTreeWidget*>(QStringLiteral("tw_Main")));
    QCOMPARE(labelTexts(w), QStringList(4, QStringLiteral("Label1")));
    QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cmd_Save"))->text(), str("С О Х Р А Н И Т Ь"));
    QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cmd_Exit"))->text(), str("В Ы Х О Д"));
    verifyScript(d);
}

void FreeLancerModeWindowTest::tree_showsTheBuiltNodes()
{
    Session s = fixtures::richLinks();
    ScriptedDialogs d(s);
    form_FreeLancerMode w(s, d, nullptr);
    const QList<TreeNode> nodes = buildMechanismTree(s);
    const auto* tree = w.findChild<QTreeWidget*>(QStringLiteral("tw_Main"));
    QCOMPARE(tree->topLevelItemCount(), 3);
    QCOMPARE(w.nodeItems().size(), nodes.size());
    QCOMPARE(w.NodeMarks(), nodeMarks(nodes));
    for (qsizetype n = 0; n < nodes.size(); ++n) {
        const QTreeWidgetItem* item = w.nodeItems()[n];
        QCOMPARE(item->text(0), nodes[n].text);
        QCOMPARE(item->data(0, Qt::UserRole).toString(), nodes[n].key);
        QCOMPARE(item->parent() ? item->parent()->data(0, Qt::UserRole).toString() : QString(), nodes[n].parentKey);
        QCOMPARE(item->isExpanded(), nodes[n].expanded);
        QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
        QCOMPARE(item->checkState(0), Qt::Unchecked);
    }
}

void FreeLancerModeWindowTest::click_fillsSelectionAndLabels()
{
    Session s = fixtures::fourBar(6.0f);
    ScriptedDialogs d(s);
    form_FreeLancerMode w(s, d, nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* tree = w.findChild<QTreeWidget*>(QStringLiteral("tw_Main"));

    QTreeWidgetItem* root = itemWithKey(w, QStringLiteral("PARAS"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(root).center());
    QCOMPARE(labelTexts(w), (QStringList{str("Пары"), QStringLiteral("PARAS"), str("Пары"), QStringLiteral("1")}));
    QCOMPARE(w.SelIndex, qint16(1));

    QTreeWidgetItem* deep = itemWithKey(w, QStringLiteral("Z_2_CM_length"));
    tree->setCurrentItem(deep);
    w.tw_Main_Click();
    const qsizetype index = w.nodeItems().indexOf(deep) + 1;
    QCOMPARE(labelTexts(w), (QStringList{str("Расстояние от A: 0.05"), QStringLiteral("Z_2_CM_length"),
                                         str("Звенья\\1\\Центр масс: S1\\Расстояние от A: 0.05"), QString::number(index)}));
    QCOMPARE(w.SelKey, QStringLiteral("Z_2_CM_length"));
    QCOMPARE(w.SelPath, str("Звенья\\1\\Центр масс: S1\\Расстояние от A: 0.05"));

    // A click that leaves nothing selected changes nothing.
    tree->clearSelection();
    w.tw_Main_Click();
    QCOMPARE(w.SelKey, QStringLiteral("Z_2_CM_length"));
    QCOMPARE(labelTexts(w)[1], QStringLiteral("Z_2_CM_length"));
    verifyScript(d);
}

void FreeLancerModeWindowTest::doubleClick_editsOnlyThatNode()
{
    Session s = fixtures::fourBar(6.0f);
    ScriptedDialogs d(s);
    d.expectQuestion(str("Введите координату Х пары A"), 2.0f, QStringLiteral("0"), QStringLiteral("5"));
    form_FreeLancerMode w(s, d, nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* tree = w.findChild<QTreeWidget*>(QStringLiteral("tw_Main"));
    QTreeWidgetItem* x = itemWithKey(w, QStringLiteral("P_1_X"));
    x->parent()->setExpanded(true);
    QStringList expected = itemTexts(w);
    expected[w.nodeItems().indexOf(x)] = str("Координата Х: 5");

    const QPoint at = tree->visualItemRect(x).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    verifyScript(d);
    QCOMPARE(itemTexts(w), expected);
    QCOMPARE(s.Paras[1].X, QStringLiteral("5"));
}

void FreeLancerModeWindowTest::doubleClick_onStructuralNode_doesNothing()
{
    Session s = fixtures::fourBar(6.0f);
    ScriptedDialogs d(s);
    form_FreeLancerMode w(s, d, nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* tree = w.findChild<QTreeWidget*>(QStringLiteral("tw_Main"));
    const QStringList before = itemTexts(w);
    for (const QString& key : {QStringLiteral("PARAS"), QStringLiteral("P_1"), QStringLiteral("Z_2")}) {
        const QPoint at = tree->visualItemRect(itemWithKey(w, key)).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w.SelKey, key);
    }
    QVERIFY(d.asked().isEmpty());
    QCOMPARE(itemTexts(w), before);
    verifyScript(d);
}

void FreeLancerModeWindowTest::setUpPosition_placesWindowUnderMainWindow()
{
    Session s = fixtures::fourBar(6.0f);
    ScriptedDialogs d(s);
    QWidget main;
    main.setGeometry(120, 60, 847, 54);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    form_FreeLancerMode w(s, d, &main);
    const int height = w.height();
    w.Form_Load();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect m = main.frameGeometry();
    QCOMPARE(w.frameGeometry().topLeft(), QPoint(m.left(), m.top() + m.height()));
    QCOMPARE(w.width(), m.width());
    QCOMPARE(w.height(), height);
    QVERIFY(w.isVisible());
    QCOMPARE(w.nodeItems().size(), buildMechanismTree(s).size());
}

void FreeLancerModeWindowTest::exit_closesFirstThenAsks_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("chooser");
    QTest::newRow("yes opens the chooser") << 6 << 1;
    QTest::newRow("no leaves the main window alone") << 7 << 0;
}

void FreeLancerModeWindowTest::exit_closesFirstThenAsks()
{
    QFETCH(int, button);
    QFETCH(int, chooser);
    Session s = fixtures::fourBar(6.0f);
    WatchingDialogs d(s);
    d.expectYesNo(str("Вы уверены? Все, что не сохранено будет утеряно!"), QStringLiteral("KVERTA Mode"), button);
    form_FreeLancerMode w(s, d, nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy spy(&w, &form_FreeLancerMode::chooserRequested);
    // The question comes after the window has closed.
    bool visibleWhenAsked = true;
    d.beforeYesNo = [&] { visibleWhenAsked = w.isVisible(); };
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmd_Exit")), Qt::LeftButton);
    verifyScript(d);
    QCOMPARE(spy.count(), chooser);
    QVERIFY(!w.isVisible());
    QVERIFY(!visibleWhenAsked);
    QCOMPARE(s.Answer, QString::number(button));
}

void FreeLancerModeWindowTest::saveCancelled_reportsError17()
{
    Session s = fixtures::fourBar(6.0f);
    ScriptedDialogs d(s);
    d.expectSaveFile(str("Файлы KVERTA (*.kv)| *.kv"), FileChoice{});
    d.expectError(17);
    form_FreeLancerMode w(s, d, nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmd_Save")), Qt::LeftButton);
    verifyScript(d);
    QVERIFY(w.isVisible());
}

void FreeLancerModeWindowTest::save_writesThroughTheMainWindowsCompilerWindow()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Session s = fixtures::fourBar(6.0f);
    s.DataFolder = dir.filePath(QStringLiteral("data"));
    const QString kv = dir.filePath(QStringLiteral("mech.kv"));
    ScriptedDialogs d(s);
    d.expectSaveFile(str("Файлы KVERTA (*.kv)| *.kv"), FileChoice{kv, QStringLiteral("mech.kv")});
    d.expectSaveFile(str("Файлы KVERTA (*.kv)| *.kv"), FileChoice{kv, QStringLiteral("mech.kv")});
    QWidget main;
    auto* existing = new form_KvertaFileShow(&main); // the one the shell keeps
    form_FreeLancerMode w(s, d, &main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* save = w.findChild<QPushButton*>(QStringLiteral("cmd_Save"));
    QTest::mouseClick(save, Qt::LeftButton);
    QTest::mouseClick(save, Qt::LeftButton);
    verifyScript(d);
    QVERIFY(QFileInfo::exists(kv));
    QCOMPARE(main.findChildren<form_KvertaFileShow*>().size(), 1);
    QVERIFY(existing->isVisible());
    const auto* list = existing->findChild<QListWidget*>(QStringLiteral("lst_Output"));
    QVERIFY(list->count() > 10);
    QCOMPARE(list->item(list->count() - 1)->text(), QStringLiteral("y"));
    QVERIFY(w.isVisible());
    QCOMPARE(s.OutputSaved, 0.0f);
}

void FreeLancerModeWindowTest::largestMechanism_fillsTheTree()
{
    Session s = fixtures::largest();
    ScriptedDialogs d(s);
    form_FreeLancerMode w(s, d, nullptr);
    const qsizetype count = buildMechanismTree(s).size();
    QCOMPARE(w.nodeItems().size(), count);
    QCOMPARE(w.NodeMarks().size(), count + 1);
    auto* tree = w.findChild<QTreeWidget*>(QStringLiteral("tw_Main"));
    tree->setCurrentItem(w.nodeItems().last());
    w.tw_Main_Click();
    QCOMPARE(w.SelKey, QStringLiteral("G_64_is_sharp"));
    QCOMPARE(qsizetype(w.SelIndex), count);
}

void FreeLancerModeWindowTest::formLoad_showsRecordsChangedSinceTheWindowWasMade()
{
    Session s = fixtures::fourBar(6.0f);
    ScriptedDialogs d(s);
    form_FreeLancerMode w(s, d, nullptr);
    // Unchanged records: the items made with the window stay.
    const QList<QTreeWidgetItem*> made = w.nodeItems();
    w.Form_Load();
    QCOMPARE(w.nodeItems(), made);
    // Changed ones: the tree shows them, each node under its own parent.
    s.Paras[2].Name = QStringLiteral("Q");
    s.Zvenos[2].Para2 = QStringLiteral("Q");
    w.Form_Load();
    const QList<TreeNode> nodes = buildMechanismTree(s);
    QStringList texts;
    for (const TreeNode& node : nodes)
        texts << node.text;
    QCOMPARE(itemTexts(w), texts);
    QVERIFY(itemTexts(w) != QStringList());
    for (qsizetype n = 0; n < nodes.size(); ++n) {
        const QTreeWidgetItem* parent = w.nodeItems()[n]->parent();
        QCOMPARE(parent ? parent->data(0, Qt::UserRole).toString() : QString(), nodes[n].parentKey);
    }
    verifyScript(d);
}

QTEST_MAIN(FreeLancerModeWindowTest)
#include "form_freelancermode_test.moc"

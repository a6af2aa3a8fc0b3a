#include "wizard/ui/wizardwindow.h"
#include "tests/support/scripteddialogs.h"
#include "model/session.h"
#include "wizard/stagetree.h"
#include "tests/support/testtable.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

struct Window {
    Session s;
    ScriptedDialogs d{s};
    QWidget main;
    WizardWindow w{s, d, &main};
    QLineEdit* answer = w.findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
    QTreeWidget* tree = w.findChild<QTreeWidget*>(QStringLiteral("tw_Prog"));
    QListWidget* input = w.findChild<QListWidget*>(QStringLiteral("lst_Input"));
    QLabel* question = w.findChild<QLabel*>(QStringLiteral("lbl_Question"));
    QLabel* help = w.findChild<QLabel*>(QStringLiteral("img_Help"));

    explicit Window(const QString& dataFolder = QStringLiteral(ZUVRACK_TEST_DATA))
    {
        s.DataFolder = dataFolder;
        main.setGeometry(100, 40, 847, 54);
        main.show();
        w.startNewDescription();
    }
    void enter(const QString& words)
    {
        for (const QString& word : words.split(QLatin1Char(' '))) {
            QTest::keyClicks(answer, word);
            QTest::keyClick(answer, Qt::Key_Return);
        }
    }
    // The keys of the stage-tree nodes checked, or expanded.
    QStringList marked(bool expanded = false) const
    {
        QStringList keys;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (expanded ? (*it)->isExpanded() : (*it)->checkState(0) == Qt::Checked)
                keys << (*it)->data(0, Qt::UserRole).toString();
        return keys;
    }
};

} // namespace

class FormMainWindowDiTest : public QObject {
    Q_OBJECT
private slots:
    void controls_namesTextsMenuAndTree();
    void typing_underTheMainWindow();
    void shiftEnter_endsTheStageWhileTheButtonIsDisabled();
    void marksAndPicture_followTheStateOnTheTimer();
    void missingPicture_leavesTheImageEmpty();
    void updateLabel_refreshesThePairsList();
};

void FormMainWindowDiTest::controls_namesTextsMenuAndTree()
{
    Window f;
    const QList<QObject*> objects = f.w.findChildren<QObject*>() << &f.w;
    for (const QStringList& row : dataRows("window.txt")) {
        QStringList found;
        for (const QObject* o : objects)
            if (row.at(0) == QStringLiteral("*") || o->objectName() == row.at(0))
                found << o->property(row.at(1).toLatin1().constData()).toString();
        QVERIFY2(found.contains(row.value(2)), qPrintable(row.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                                                          found.join(QLatin1Char(','))));
    }
    auto* menu = f.w.findChild<QMenu*>(QStringLiteral("mnu_BACK_MAIN"));
    QVERIFY(!menu->menuAction()->isVisible() && !menu->menuAction()->isEnabled());
    QCOMPARE(menu->actions().size(), 9);
    QStringList shown, expected;
    for (QTreeWidgetItemIterator it(f.tree); *it; ++it)
        shown << QStringList{(*it)->data(0, Qt::UserRole).toString(),
                             (*it)->parent() ? (*it)->parent()->data(0, Qt::UserRole).toString() : QString(),
                             (*it)->text(0)}.join(QLatin1Char('|'));
    for (const StageNode& n : stageTree())
        expected << QStringList{n.key, n.parent, n.text}.join(QLatin1Char('|'));
    QCOMPARE(shown, expected);
}

void FormMainWindowDiTest::typing_underTheMainWindow()
{
    Window f;
    QCOMPARE(f.w.pos(), QPoint(f.main.frameGeometry().left(), f.main.frameGeometry().bottom() + 1));
    QCOMPARE(f.w.width(), f.main.width());
    f.enter(QStringLiteral("r 0 1 A r 1 2 B"));
    QCOMPARE(f.w.findChild<QListWidget*>(QStringLiteral("List1"))->count(), 20);
    QTest::mouseClick(f.w.findChild<QPushButton*>(QStringLiteral("btn_EndStage")), Qt::LeftButton);
    QCOMPARE(int(f.s.WizardState), 2);
    QCOMPARE(f.question->text(), StatePrompt(2, 0));
    QVERIFY(f.w.findChild<QAction*>(QStringLiteral("mnu_Stage(1)"))->isEnabled());
    QVERIFY(!f.w.findChild<QAction*>(QStringLiteral("mnu_Stage(2)"))->isEnabled());
    QTRY_COMPARE(f.input->currentRow(), 1); // the newest line comes into view
}

void FormMainWindowDiTest::shiftEnter_endsTheStageWhileTheButtonIsDisabled()
{
    Window f;
    QVERIFY(!f.w.findChild<QPushButton*>(QStringLiteral("btn_EndStage"))->isEnabled());
    QTest::keyClick(f.answer, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    QCOMPARE(int(f.s.WizardState), 2);
    QCOMPARE(f.question->text(), StatePrompt(2, 0));
}

void FormMainWindowDiTest::marksAndPicture_followTheStateOnTheTimer()
{
    Window f;
    const QStringList typing = {QStringLiteral("S1"), QStringLiteral("S11")};
    QTRY_COMPARE(f.marked(), typing);
    QCOMPARE(f.marked(true), stageMarks(11).expanded);
    QVERIFY(!f.help->pixmap().isNull());
    const QImage first = f.help->pixmap().toImage();
    f.enter(QStringLiteral("r"));
    QCOMPARE(f.w.ShownState(), qint16(11)); // the marks change on the timer's next tick, not with the answer
    QTRY_COMPARE(f.w.ShownState(), qint16(12));
    QCOMPARE(f.marked(), typing);
    QCOMPARE(f.help->pixmap().toImage(), first); // state 12 keeps the picture
    f.s.WizardState = 81; // straight into stage 1.5 by hand: the second picture comes
    QTRY_COMPARE(f.marked(), (QStringList{QStringLiteral("S1"), QStringLiteral("S15")}));
    QVERIFY(f.help->pixmap().toImage() != first);
    for (qint16 state : {2, 3, 4, 51, 52, 6, 71, 72, 82, 9, 10, 110, 120, 130, 140, 150, 200}) {
        f.s.WizardState = state;
        QTRY_COMPARE(f.w.ShownState(), state);
        QCOMPARE(f.marked(), stageMarks(state).checked);
    }
}

void FormMainWindowDiTest::missingPicture_leavesTheImageEmpty()
{
    QTemporaryDir empty;
    Window f(empty.path());
    QTRY_COMPARE(f.w.ShownState(), qint16(11));
    QVERIFY(f.help->pixmap().isNull());
    f.enter(QStringLiteral("p"));
    QCOMPARE(int(f.s.WizardState), 12);
}

void FormMainWindowDiTest::updateLabel_refreshesThePairsList()
{
    Window f;
    auto* list1 = f.w.findChild<QListWidget*>(QStringLiteral("List1"));
    f.s.ParaCount = 1;
    f.s.Paras[1].Name = QStringLiteral("Q");
    QCOMPARE(list1->count(), 0);
    QTest::mouseClick(f.w.findChild<QLabel*>(QStringLiteral("lbl_Update")), Qt::LeftButton);
    QCOMPARE(list1->count(), 10);
    QCOMPARE(list1->item(6)->text(), QStringLiteral("Пара: имя - Q"));
}

QTEST_MAIN(FormMainWindowDiTest)
#include "wizardwindow_test.moc"

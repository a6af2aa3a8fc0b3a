#include "form_mainwindow_di.h"
#include "scripteddialogs.h"
#include "session.h"
#include "stagetree.h"
#include "wizarddata.h"
#include "wizardengine.h"

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
    form_MainWindow_Di w{s, d, &main};
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
    QStringList checked() const
    {
        QStringList keys;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->checkState(0) == Qt::Checked)
                keys << (*it)->data(0, Qt::UserRole).toString();
        return keys;
    }
};

} // namespace

class FormMainWindowDiTest : public QObject {
    Q_OBJECT
private slots:
    void controls_namesTextsMenuAndTree();
    void fourBar_typedUnderTheMainWindow();
    void shiftEnter_endsTheStageWhileTheButtonIsDisabled();
    void marksAndPicture_followTheStateOnTheTimer();
    void marks_everyState_data();
    void marks_everyState();
    void missingPicture_leavesTheImageEmpty();
    void updateLabel_refreshesThePairsList();
};

void FormMainWindowDiTest::controls_namesTextsMenuAndTree()
{
    Window f;
    QList<QObject*> objects = f.w.findChildren<QObject*>();
    objects << &f.w;
    for (const QStringList& row : dataRows("window.txt")) {
        QStringList found;
        for (const QObject* o : objects)
            if (row.at(0) == QStringLiteral("*") || o->objectName() == row.at(0))
                found << o->property(row.at(1).toLatin1().constData()).toString();
        QVERIFY2(found.contains(row.value(2)), qPrintable(row.join(QLatin1Char(' ')) + QStringLiteral(": ") + found.join(QLatin1Char(','))));
    }
    auto* menu = f.w.findChild<QMenu*>(QStringLiteral("mnu_BACK_MAIN"));
    QVERIFY(!menu->menuAction()->isVisible() && !menu->menuAction()->isEnabled());
    QCOMPARE(menu->actions().size(), 9);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(menu->actions().at(i)->objectName(), QStringLiteral("mnu_Stage(%1)").arg(i + 1));
        QVERIFY(!menu->actions().at(i)->isEnabled());
    }
    QCOMPARE(f.tree->topLevelItemCount(), 3);
    QList<StageNode> shown;
    for (QTreeWidgetItemIterator it(f.tree); *it; ++it)
        shown << StageNode{(*it)->data(0, Qt::UserRole).toString(),
                           (*it)->parent() ? (*it)->parent()->data(0, Qt::UserRole).toString() : QString(),
                           (*it)->text(0)};
    QCOMPARE(shown.size(), stageTree().size());
    for (qsizetype i = 0; i < shown.size(); ++i)
        QCOMPARE(shown.at(i).key + shown.at(i).parent + shown.at(i).text,
                 stageTree().at(i).key + stageTree().at(i).parent + stageTree().at(i).text);
}

void FormMainWindowDiTest::fourBar_typedUnderTheMainWindow()
{
    Window f;
    QCOMPARE(f.w.pos(), QPoint(f.main.frameGeometry().left(), f.main.frameGeometry().bottom() + 1));
    QCOMPARE(f.w.width(), f.main.width());
    QCOMPARE(f.question->text(), StatePrompt(11, 0));
    f.d.expectQuestion(QStringLiteral("Будет производиться силовой анализ?"), 1, QStringLiteral("0"), QStringLiteral("7"))
        .expectQuestion(QStringLiteral("Есть еще точки, представляющие интерес?"), 1, QStringLiteral("0"),
                        QStringLiteral("7"));
    // Stage 1 only: the chain stops where stage 2 begins.
    f.w.engine().setProcedureRunner([](Stage2Context&, qint16) { return qint16(0); });
    f.enter(QStringLiteral("r 0 1 A r 1 2 B r 2 3 C r 3 0 D"));
    QCOMPARE(f.input->count(), 4);
    QCOMPARE(f.input->item(3)->text(), QStringLiteral("r\t|3\t|0\t|D"));
    QTest::mouseClick(f.w.findChild<QPushButton*>(QStringLiteral("btn_EndStage")), Qt::LeftButton);
    QCOMPARE(int(f.s.WizardState), 2);
    f.enter(QStringLiteral("0 1 2 3"));
    QVERIFY2(f.d.problems().isEmpty(), qPrintable(f.d.problems().join(QLatin1Char('\n'))));
    QCOMPARE(int(f.s.WizardState), 9);
    QCOMPARE(f.input->count(), 7);
    QCOMPARE(f.input->item(6)->text(), QStringLiteral("Звено 1 -   2 Звено 2 -   3"));
    QCOMPARE(f.question->text(), StatePrompt(9, 0));
    QCOMPARE(f.answer->text(), QString());
    QCOMPARE(f.w.findChild<QListWidget*>(QStringLiteral("List1"))->count(), 40);
    QCOMPARE(f.w.findChild<QListWidget*>(QStringLiteral("List2"))->count(), 40);
    QVERIFY(f.w.findChild<QAction*>(QStringLiteral("mnu_Stage(1)"))->isEnabled());
    QVERIFY(!f.w.findChild<QAction*>(QStringLiteral("mnu_Stage(4)"))->isEnabled());
    QTRY_COMPARE(f.input->currentRow(), 6); // the newest line comes into view
}

void FormMainWindowDiTest::shiftEnter_endsTheStageWhileTheButtonIsDisabled()
{
    Window f;
    QVERIFY(!f.w.findChild<QPushButton*>(QStringLiteral("btn_EndStage"))->isEnabled());
    QTest::keyClick(f.answer, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(int(f.s.WizardState), 2);
    QCOMPARE(f.question->text(), StatePrompt(2, 0));
    // In state 12 there is no end of stage: the key changes nothing.
    f.w.engine().StageReturn();
    f.enter(QStringLiteral("r"));
    QTest::keyClick(f.answer, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    QCOMPARE(int(f.s.WizardState), 12);
}

void FormMainWindowDiTest::marksAndPicture_followTheStateOnTheTimer()
{
    Window f;
    const QStringList typing = {QStringLiteral("S1"), QStringLiteral("S11")};
    QTRY_COMPARE(f.checked(), typing);
    QVERIFY(!f.help->pixmap().isNull());
    const QImage first = f.help->pixmap().toImage();
    f.enter(QStringLiteral("r"));
    QCOMPARE(f.w.ShownState(), qint16(11)); // the marks change on the timer's next tick, not with the answer
    QTRY_COMPARE(f.w.ShownState(), qint16(12));
    QCOMPARE(f.checked(), typing);
    QCOMPARE(f.help->pixmap().toImage(), first); // state 12 keeps the picture
    f.s.WizardState = 81; // straight into stage 1.5 by hand: the second picture comes
    QTRY_COMPARE(f.checked(), (QStringList{QStringLiteral("S1"), QStringLiteral("S15")}));
    QVERIFY(f.help->pixmap().toImage() != first);
}

void FormMainWindowDiTest::marks_everyState_data()
{
    QTest::addColumn<int>("state");
    for (int state : {11, 12, 2, 3, 4, 51, 52, 6, 71, 72, 81, 82, 9, 10, 110, 120, 130, 140, 150, 200})
        QTest::addRow("%d", state) << state;
}

void FormMainWindowDiTest::marks_everyState()
{
    QFETCH(int, state);
    Window f;
    f.s.WizardState = qint16(state);
    QTRY_COMPARE(f.w.ShownState(), qint16(state));
    const StageMarks marks = stageMarks(qint16(state));
    QCOMPARE(f.checked(), marks.checked);
    for (QTreeWidgetItemIterator it(f.tree); *it; ++it)
        QCOMPARE((*it)->isExpanded(), marks.expanded.contains((*it)->data(0, Qt::UserRole).toString()));
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
#include "form_mainwindow_di_test.moc"

#include "form_mainwindow_di.h"
#include "scripteddialogs.h"
#include "session.h"
#include "stagetree.h"
#include "wizardengine.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

QTreeWidgetItem* node(QTreeWidget* tree, const QString& key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    return nullptr;
}

QStringList checkedKeys(QTreeWidget* tree)
{
    QStringList keys;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->checkState(0) == Qt::Checked)
            keys << (*it)->data(0, Qt::UserRole).toString();
    return keys;
}

struct Window {
    Session s;
    ScriptedDialogs d{s};
    QWidget main;
    form_MainWindow_Di w{s, d, &main};
    QLineEdit* answer = w.findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
    QTreeWidget* tree = w.findChild<QTreeWidget*>(QStringLiteral("tw_Prog"));
    QListWidget* input = w.findChild<QListWidget*>(QStringLiteral("lst_Input"));

    explicit Window(const QString& dataFolder = QStringLiteral(ZUVRACK_TEST_DATA))
    {
        s.DataFolder = dataFolder;
        main.setGeometry(100, 40, 847, 54);
        main.show();
    }
    void enter(const QString& text)
    {
        QTest::keyClicks(answer, text);
        QTest::keyClick(answer, Qt::Key_Return);
    }
};

} // namespace

class FormMainWindowDiTest : public QObject {
    Q_OBJECT
private slots:
    void controls_namedWithTheirTexts_data();
    void controls_namedWithTheirTexts();
    void returnMenu_hiddenWithNineDisabledItems();
    void stageTree_seventeenNodes();
    void refreshTimer_runsEvery400ms();
    void startNewDescription_placesUnderTheMainWindow();
    void fourBar_typedIntoTheAnswerBox();
    void shiftEnter_endsTheStageWhileTheButtonIsDisabled();
    void marksAndPicture_followTheStateAfterTheTimer();
    void marks_everyStateRow_data();
    void marks_everyStateRow();
    void missingPicture_leavesTheImageEmpty();
    void updateLabel_refreshesThePairsList();
};

void FormMainWindowDiTest::controls_namedWithTheirTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::newRow("btn_Return") << QStringLiteral("btn_Return") << QString() << QStringLiteral("Ввести данные");
    QTest::newRow("btn_EndStage") << QStringLiteral("btn_EndStage") << QStringLiteral("ЗАВЕРШИТЬ ЭТАП")
                                  << QStringLiteral("Завершить ввод данных этапа");
    QTest::newRow("btn_BCK") << QStringLiteral("btn_BCK") << QStringLiteral("ШАГ НАЗАД")
                             << QStringLiteral("Отменить последнее действие (если возможно)");
    QTest::newRow("btn_PREV") << QStringLiteral("btn_PREV") << QStringLiteral("ЭТАП НАЗАД")
                              << QStringLiteral("Вернуться на близжайший этап");
    QTest::newRow("btn_FreeLancerMode") << QStringLiteral("btn_FreeLancerMode")
                                        << QStringLiteral("Режим свободного редактирования") << QString();
}

void FormMainWindowDiTest::controls_namedWithTheirTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    Window f;
    QCOMPARE(f.w.windowTitle(), QStringLiteral("Zuvrack: KVERTA mode [v 0.1.1a]"));
    QCOMPARE(f.w.objectName(), QStringLiteral("form_MainWindow_Di"));
    auto* b = f.w.findChild<QPushButton*>(name);
    QVERIFY(b);
    if (!text.isEmpty())
        QCOMPARE(b->text(), text);
    QCOMPARE(b->toolTip(), tip);
    if (name == QStringLiteral("btn_Return"))
        QVERIFY(b->isDefault());
    if (name == QStringLiteral("btn_EndStage") || name == QStringLiteral("btn_BCK") || name == QStringLiteral("btn_PREV"))
        QVERIFY(!b->isEnabled());
    for (const char* other : {"lbl_Question", "txt_Answer", "lst_Input", "List1", "List2", "tw_Prog", "img_Help"})
        QVERIFY2(f.w.findChild<QWidget*>(QLatin1String(other)), other);
    QStringList labels;
    for (auto* label : f.w.findChildren<QLabel*>())
        labels << label->text();
    for (const char* label : {"Текущая информация: пары", "Текущая информация: звенья", "UPDATE"})
        QVERIFY2(labels.contains(QString::fromUtf8(label)), label);
    QStringList frames;
    for (auto* frame : f.w.findChildren<QGroupBox*>())
        frames << frame->title();
    QCOMPARE(frames, (QStringList{QStringLiteral("Прогресс"), QStringLiteral("Ввод"),
                                  QStringLiteral("Дополнительная информация")}));
}

void FormMainWindowDiTest::returnMenu_hiddenWithNineDisabledItems()
{
    Window f;
    auto* menu = f.w.findChild<QMenu*>(QStringLiteral("mnu_BACK_MAIN"));
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("Список возврата"));
    QVERIFY(!menu->menuAction()->isVisible());
    QVERIFY(!menu->menuAction()->isEnabled());
    const QList<QAction*> items = menu->actions();
    QCOMPARE(items.size(), 9);
    const QStringList captions = {QStringLiteral("Этап 1.1"), QStringLiteral("Этап 1.2"), QStringLiteral("Этап 1.3"),
                                  QStringLiteral("Этап 1.4"), QStringLiteral("Этап 1.5"), QStringLiteral("Этап 1.6"),
                                  QStringLiteral("Этап 1.7"), QStringLiteral("Этап 1.8"), QStringLiteral("Этап 2.1")};
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(items[i]->text(), captions[i]);
        QCOMPARE(items[i]->objectName(), QStringLiteral("mnu_Stage(%1)").arg(i + 1));
        QVERIFY(!items[i]->isEnabled());
    }
}

void FormMainWindowDiTest::stageTree_seventeenNodes()
{
    Window f;
    QCOMPARE(f.tree->topLevelItemCount(), 3);
    int count = 0;
    for (QTreeWidgetItemIterator it(f.tree); *it; ++it) {
        const StageNode& expected = stageTree().at(count);
        QCOMPARE((*it)->data(0, Qt::UserRole).toString(), expected.key);
        QCOMPARE((*it)->text(0), expected.text);
        QCOMPARE((*it)->parent() ? (*it)->parent()->data(0, Qt::UserRole).toString() : QString(), expected.parent);
        QCOMPARE((*it)->checkState(0), Qt::Unchecked);
        ++count;
    }
    QCOMPARE(count, 17);
}

void FormMainWindowDiTest::refreshTimer_runsEvery400ms()
{
    Window f;
    auto* timer = f.w.findChild<QTimer*>(QStringLiteral("tmr_ListInputSCROLL"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 400);
    QVERIFY(timer->isActive());
}

void FormMainWindowDiTest::startNewDescription_placesUnderTheMainWindow()
{
    Window f;
    f.w.startNewDescription();
    QVERIFY(f.w.isVisible());
    QCOMPARE(f.w.x(), f.main.frameGeometry().left());
    QCOMPARE(f.w.y(), f.main.frameGeometry().top() + f.main.frameGeometry().height());
    QCOMPARE(f.w.width(), f.main.width());
    QCOMPARE(int(f.s.WizardState), 11);
    QCOMPARE(f.w.findChild<QLabel*>(QStringLiteral("lbl_Question"))->text(), StatePrompt(11, 0));
}

void FormMainWindowDiTest::fourBar_typedIntoTheAnswerBox()
{
    Window f;
    f.d.expectQuestion(QStringLiteral("Будет производиться силовой анализ?"), 1, QStringLiteral("0"), QStringLiteral("7"))
        .expectQuestion(QStringLiteral("Есть еще точки, представляющие интерес?"), 1, QStringLiteral("0"),
                        QStringLiteral("7"));
    // Stage 1 only: the chain stops where stage 2 begins.
    f.w.engine().setProcedureRunner([](Stage2Context&, qint16) { return qint16(0); });
    f.w.startNewDescription();
    for (const char* word : {"r", "0", "1", "A", "r", "1", "2", "B", "r", "2", "3", "C", "r", "3", "0", "D"})
        f.enter(QLatin1String(word));
    QCOMPARE(f.input->count(), 4);
    QCOMPARE(f.input->item(3)->text(), QStringLiteral("r\t|3\t|0\t|D"));
    QVERIFY(f.w.findChild<QPushButton*>(QStringLiteral("btn_EndStage"))->isEnabled());
    QTest::mouseClick(f.w.findChild<QPushButton*>(QStringLiteral("btn_EndStage")), Qt::LeftButton);
    QCOMPARE(int(f.s.WizardState), 2);
    for (const char* word : {"0", "1", "2", "3"})
        f.enter(QLatin1String(word));
    QVERIFY2(f.d.problems().isEmpty(), qPrintable(f.d.problems().join(QLatin1Char('\n'))));
    QCOMPARE(int(f.s.WizardState), 9);
    QCOMPARE(f.input->count(), 7);
    QCOMPARE(f.input->item(6)->text(), QStringLiteral("Звено 1 -   2 Звено 2 -   3"));
    QCOMPARE(f.w.findChild<QLabel*>(QStringLiteral("lbl_Question"))->text(),
             QStringLiteral("Задание координат пар стойки"));
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
    f.w.startNewDescription();
    auto* endStage = f.w.findChild<QPushButton*>(QStringLiteral("btn_EndStage"));
    QVERIFY(!endStage->isEnabled());
    QTest::keyClick(f.answer, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(int(f.s.WizardState), 2);
    QCOMPARE(f.w.findChild<QLabel*>(QStringLiteral("lbl_Question"))->text(), StatePrompt(2, 0));
    // In state 12 there is no end of stage: the key changes nothing.
    f.w.engine().StageReturn();
    f.enter(QStringLiteral("r"));
    QTest::keyClick(f.answer, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    QCOMPARE(int(f.s.WizardState), 12);
}

void FormMainWindowDiTest::marksAndPicture_followTheStateAfterTheTimer()
{
    Window f;
    auto* help = f.w.findChild<QLabel*>(QStringLiteral("img_Help"));
    f.w.startNewDescription();
    QTRY_COMPARE(checkedKeys(f.tree), (QStringList{QStringLiteral("S1"), QStringLiteral("S11")}));
    QCOMPARE(f.w.ShownState(), qint16(11));
    QVERIFY(node(f.tree, QStringLiteral("S14"))->isExpanded());
    QVERIFY(node(f.tree, QStringLiteral("S2"))->isExpanded());
    QVERIFY(!help->pixmap().isNull());
    const QImage first = help->pixmap().toImage();

    f.enter(QStringLiteral("r"));
    // The marks change on the timer's next tick, not with the answer.
    QCOMPARE(checkedKeys(f.tree), (QStringList{QStringLiteral("S1"), QStringLiteral("S11")}));
    QTRY_COMPARE(f.w.ShownState(), qint16(12));
    QCOMPARE(checkedKeys(f.tree), (QStringList{QStringLiteral("S1"), QStringLiteral("S11")}));
    QCOMPARE(help->pixmap().toImage(), first); // state 12 keeps the picture

    QTest::keyClick(f.answer, Qt::Key_Return, Qt::ShiftModifier); // nothing in 12
    for (const char* word : {"0", "1", "A"})
        f.enter(QLatin1String(word));
    QTest::keyClick(f.answer, Qt::Key_Return, Qt::ShiftModifier);
    QTRY_COMPARE(checkedKeys(f.tree), (QStringList{QStringLiteral("S1"), QStringLiteral("S12")}));

    // Straight into stage 1.5 by hand: the second picture comes.
    f.s.WizardState = 81;
    QTRY_COMPARE(checkedKeys(f.tree), (QStringList{QStringLiteral("S1"), QStringLiteral("S15")}));
    QVERIFY(help->pixmap().toImage() != first);
    f.s.WizardState = 82;
    QTRY_VERIFY(checkedKeys(f.tree).isEmpty());
}

void FormMainWindowDiTest::marks_everyStateRow_data()
{
    QTest::addColumn<int>("state");
    for (int state : {11, 12, 13, 14, 2, 3, 4, 51, 52, 6, 71, 72, 81, 82, 9, 10, 110, 120, 130, 140, 150, 200})
        QTest::addRow("%d", state) << state;
}

void FormMainWindowDiTest::marks_everyStateRow()
{
    QFETCH(int, state);
    Window f;
    f.w.startNewDescription();
    f.s.WizardState = qint16(state);
    QTRY_COMPARE(f.w.ShownState(), qint16(state));
    const StageMarks marks = stageMarks(qint16(state));
    QCOMPARE(checkedKeys(f.tree), marks.checked);
    for (const StageNode& n : stageTree())
        QCOMPARE(node(f.tree, n.key)->isExpanded(), marks.expanded.contains(n.key));
}

void FormMainWindowDiTest::missingPicture_leavesTheImageEmpty()
{
    QTemporaryDir empty;
    Window f(empty.path());
    f.w.startNewDescription();
    QTRY_COMPARE(f.w.ShownState(), qint16(11));
    QVERIFY(f.w.findChild<QLabel*>(QStringLiteral("img_Help"))->pixmap().isNull());
    f.enter(QStringLiteral("p"));
    QCOMPARE(int(f.s.WizardState), 12);
}

void FormMainWindowDiTest::updateLabel_refreshesThePairsList()
{
    Window f;
    f.w.startNewDescription();
    auto* list1 = f.w.findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(list1->count(), 0);
    f.s.ParaCount = 1;
    f.s.Paras[1].Name = QStringLiteral("Q");
    QCOMPARE(list1->count(), 0);
    auto* update = f.w.findChild<QLabel*>(QStringLiteral("lbl_Update"));
    QCOMPARE(update->text(), QStringLiteral("UPDATE"));
    QTest::mouseClick(update, Qt::LeftButton);
    QCOMPARE(list1->count(), 10);
    QCOMPARE(list1->item(6)->text(), QStringLiteral("Пара: имя - Q"));
}

QTEST_MAIN(FormMainWindowDiTest)
#include "form_mainwindow_di_test.moc"

#include "stagetree.h"

#include <QTest>

class StageTreeTest : public QObject {
    Q_OBJECT
private slots:
    void tree_hasSeventeenNodesInOrder_data();
    void tree_hasSeventeenNodesInOrder();
    void tree_parentsComeBeforeChildren();
    void marks_followTheState_data();
    void marks_followTheState();
    void prompt_perState_data();
    void prompt_perState();
    void prompt_stateElevenUsesCyrillicEr();
    void picture_onlyElevenAndEightyOneLoad_data();
    void picture_onlyElevenAndEightyOneLoad();
};

void StageTreeTest::tree_hasSeventeenNodesInOrder_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("text");
    const struct {
        const char* key;
        const char* parent;
        const char* text;
    } rows[] = {
        {"S1", "", "Этап 1: КИНЕМАТИЧЕСКОЕ ОПИСАНИЕ МЕХАНИЗМА"},
        {"S11", "S1", "Этап 1.1: описание кинематических пар"},
        {"S12", "S1", "Этап 1.2: выбор стойки"},
        {"S13", "S1", "Этап 1.3: выбор начального звена"},
        {"S14", "S1", "Этап 1.4: установка дополнительных точек"},
        {"S141", "S14", "Этап 1.4.1: ввод данных для силового анализа"},
        {"S142", "S14", "Этап 1.4.2: ввод остальных точек"},
        {"S15", "S1", "Этап 1.5: структурный анализ механизма"},
        {"S2", "", "Этап 2: ЗАДАНИЕ РАЗМЕРОВ"},
        {"S21", "S2", "Этап 2.1: Задание координат пар стойки"},
        {"S22", "S2", "Этап 2.2: Задание длин звеньев"},
        {"S23", "S2", "Этап 2.3: Анализ сборки групп механизма"},
        {"S24", "S2", "Этап 2.4: Определение координат дополнительных точек на звеньях"},
        {"S25", "S2", "Этап 2.5: Определение координат центров масс звеньев"},
        {"S26", "S2", "Этап 2.6: Определение положения точек приложения силы и значения сил"},
        {"S27", "S2",
         "Этап 2.7: Определение величины масс звеньев, их моментов инерции и внешних приведенных моментов"},
        {"S3", "", "Этап 3: ОКНЧАНИЕ"},
    };
    int position = 1;
    for (const auto& row : rows) {
        QTest::addRow("%d %s", position, row.key)
            << position << QString::fromUtf8(row.key) << QString::fromUtf8(row.parent) << QString::fromUtf8(row.text);
        ++position;
    }
}

void StageTreeTest::tree_hasSeventeenNodesInOrder()
{
    QFETCH(int, position);
    QFETCH(QString, key);
    QFETCH(QString, parent);
    QFETCH(QString, text);
    const QList<StageNode>& nodes = stageTree();
    QCOMPARE(nodes.size(), 17);
    const StageNode& node = nodes.at(position - 1);
    QCOMPARE(node.key, key);
    QCOMPARE(node.parent, parent);
    QCOMPARE(node.text, text);
}

void StageTreeTest::tree_parentsComeBeforeChildren()
{
    QStringList seen;
    for (const StageNode& node : stageTree()) {
        if (!node.parent.isEmpty())
            QVERIFY2(seen.contains(node.parent), qPrintable(node.key));
        QVERIFY2(!seen.contains(node.key), qPrintable(node.key));
        seen << node.key;
    }
}

void StageTreeTest::marks_followTheState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("expanded");
    const QStringList pairsExpand{QStringLiteral("S1"), QStringLiteral("S14"), QStringLiteral("S2")};
    for (int s : {11, 12, 13, 14})
        QTest::addRow("%d", s) << s << QStringList{QStringLiteral("S1"), QStringLiteral("S11")} << pairsExpand;
    const struct {
        int state;
        const char* parent;
        const char* child;
    } rows[] = {{2, "S1", "S12"},   {3, "S1", "S13"},   {4, "S1", "S14"},   {51, "S1", "S141"}, {71, "S1", "S142"},
                {81, "S1", "S15"},  {9, "S2", "S21"},   {10, "S2", "S22"},  {110, "S2", "S23"}, {120, "S2", "S24"},
                {130, "S2", "S25"}, {140, "S2", "S26"}, {150, "S2", "S27"}};
    for (const auto& r : rows)
        QTest::addRow("%d", r.state) << r.state << QStringList{QLatin1String(r.parent), QLatin1String(r.child)}
                                     << QStringList();
    for (int s : {0, 6, 52, 72, 82, 200, 1, -5})
        QTest::addRow("%d none", s) << s << QStringList() << QStringList();
}

void StageTreeTest::marks_followTheState()
{
    QFETCH(int, state);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, expanded);
    const StageMarks marks = stageMarks(qint16(state));
    QCOMPARE(marks.checked, checked);
    QCOMPARE(marks.expanded, expanded);
}

void StageTreeTest::prompt_perState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("w");
    QTest::addColumn<QString>("prompt");
    const QString groups = QStringLiteral("Разбейте механизмы на группы Ассура и перечислите их в порядке возможности "
                                          "кинематического анализа\r\n\r\n\r\n");
    QTest::newRow("12") << 12 << 0 << QStringLiteral("ВВЕДИТЕ ПЕРВОЕ ЗВЕНО ПАРЫ");
    QTest::newRow("13") << 13 << 0 << QStringLiteral("ВВЕДИТЕ ВТОРОЕ ЗВЕНО ПАРЫ");
    QTest::newRow("14") << 14 << 0 << QStringLiteral("ВВЕДИТЕ ИМЯ ПАРЫ");
    QTest::newRow("2") << 2 << 0 << QStringLiteral("Введите имя звена, являющегося стойкой");
    QTest::newRow("3 W=1") << 3 << 1 << QStringLiteral("Введите имя звена, являющегося начальным\r\nW = 1");
    QTest::newRow("3 W=2") << 3 << 2 << QStringLiteral("Введите имя звена, являющегося начальным\r\nW = 2");
    QTest::newRow("3 W=-3") << 3 << -3 << QStringLiteral("Введите имя звена, являющегося начальным\r\nW = -3");
    QTest::newRow("4") << 4 << 0 << QStringLiteral("Введите центр масс звена ");
    QTest::newRow("51") << 51 << 0 << QStringLiteral("Перечислите точки приложения сил на звеньях\r\n\r\nЗВЕНО:");
    QTest::newRow("52") << 52 << 0
                        << QStringLiteral("Перечислите точки приложения сил на звеньях\r\n\r\nТОЧКА ПРИЛОЖЕНИЯ СИЛЫ:");
    QTest::newRow("6") << 6 << 0 << QStringLiteral("Есть еще точки, представляющие интерес?");
    QTest::newRow("71") << 71 << 0 << QStringLiteral("ВВЕДИТЕ ИМЯ ЗВЕНА: ");
    QTest::newRow("72") << 72 << 0 << QStringLiteral("ВВЕДИТЕ ИМЯ ТОЧКИ: ");
    QTest::newRow("81") << 81 << 0 << groups + QStringLiteral("Введите имя первого звена группы");
    QTest::newRow("82") << 82 << 0 << groups + QStringLiteral("Введите имя второго звена группы");
    QTest::newRow("9") << 9 << 0 << QStringLiteral("Задание координат пар стойки");
    QTest::newRow("10 empty") << 10 << 0 << QString();
    QTest::newRow("110") << 110 << 0 << QStringLiteral("Выбор сборки групп механизма");
    QTest::newRow("120") << 120 << 0 << QStringLiteral("Установка дополнительных точек");
    QTest::newRow("130") << 130 << 0 << QStringLiteral("Установка координат центров масс");
    QTest::newRow("140") << 140 << 0 << QStringLiteral("Задание сил");
    QTest::newRow("150") << 150 << 0 << QStringLiteral("Задание масс, моментов инерции и внешних моментов");
    QTest::newRow("200") << 200 << 0 << QStringLiteral("К О Н Е Ц !!!");
    QTest::newRow("0 empty") << 0 << 0 << QString();
    QTest::newRow("5 empty") << 5 << 0 << QString();
    QTest::newRow("201 empty") << 201 << 0 << QString();
}

void StageTreeTest::prompt_perState()
{
    QFETCH(int, state);
    QFETCH(int, w);
    QFETCH(QString, prompt);
    QCOMPARE(StatePrompt(qint16(state), qint16(w)), prompt);
}

void StageTreeTest::prompt_stateElevenUsesCyrillicEr()
{
    const QString prompt = StatePrompt(11, 0);
    QCOMPARE(prompt, QStringLiteral("ВВЕДИТЕ ТИП ПАРЫ:\r\nR - вращательная пара, \u0420 - поступательная"));
    const qsizetype line = prompt.indexOf(QStringLiteral("\r\n")) + 2;
    QCOMPARE(prompt.at(line), QLatin1Char('R'));                 // the Latin R
    QCOMPARE(prompt.at(prompt.indexOf(QStringLiteral(" - поступательная")) - 1).unicode(), char16_t(0x0420));
}

void StageTreeTest::picture_onlyElevenAndEightyOneLoad_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("file");
    QTest::newRow("11") << 11 << int(StagePicture::Load) << QStringLiteral("Bitmaps/stage-01-.gif");
    QTest::newRow("81") << 81 << int(StagePicture::Load) << QStringLiteral("Bitmaps/stage-02-.gif");
    QTest::newRow("0") << 0 << int(StagePicture::Nothing) << QString();
    for (int code : {2, 3, 12, 52, 82, 9, 200})
        QTest::addRow("%d", code) << code << int(StagePicture::Keep) << QString();
}

void StageTreeTest::picture_onlyElevenAndEightyOneLoad()
{
    QFETCH(int, code);
    QFETCH(int, action);
    QFETCH(QString, file);
    const StagePicture picture = stagePicture(qint16(code));
    QCOMPARE(int(picture.action), action);
    QCOMPARE(picture.file, file);
}

QTEST_GUILESS_MAIN(StageTreeTest)
#include "stagetree_test.moc"

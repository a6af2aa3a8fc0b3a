#include "kvcompiler.h"
#include "mechanisms.h"
#include "session.h"

#include <QTest>

#include <functional>

namespace {

// An expected file written out line by line; "<sp>" stands for the line holding one space so
// that it stays visible here.
QStringList file(const char* text)
{
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l == QStringLiteral("<sp>"))
            l = QStringLiteral(" ");
    return lines;
}

// The pair section is the same for every variant of the crank and slider.
#define CRANK_SLIDER_PAIRS \
    "_Начало_описания_пар\n" \
    "r\n0\n\n\n1\n\n\nA\n\n\n" \
    "r\n1\n\n\n2\n\n\nB\n\n\n" \
    "r\n2\n\n\n3\n\n\nC\n\n\n" \
    "p\n3\n\n\n0\n\n\nD\n1\n" \
    "<sp>\n_Конец_описания_пар\ny\n" \
    "_Ввод_стойки\n0\n\n\n" \
    "_Ввод_начального_звена\n1\n\n\n" \
    "_Ввод_дополнительных_точек\n"

// Force analysis and further points both declined.
const char* const kCrankSliderPlain = CRANK_SLIDER_PAIRS R"(n
n
_Конец_ввода_пар,_звеньев_и_точек
_Начало_разбивки_механизма_на_группы
2


3


y
_Конец_описания_структуры_механизма
_Начало_задания_размеров_механизма
_Положение_шарниров_стойки
_Пара_A
 0.00000000000000E+0000
 0.00000000000000E+0000
_Пара_D1
 0.00000000000000E+0000
 5.00000000000000E-0002
 3.00000000000000E+0001
_Задание_размеров_звеньев
_Звено_1
 1.00000000000000E-0001
_Звено_2
 3.00000000000000E-0001
_Звено_3
y
_Выбор_сборки
y
_Конец_здания_размеров
y)";

// Force analysis and further points both asked for; the frame's guide angle left empty.
const char* const kCrankSliderFull = CRANK_SLIDER_PAIRS R"(y
S
1
S
2
S
3
y
1


F
1
<sp>
y
y
2


K


2


L


<sp>
_Конец_ввода_пар,_звеньев_и_точек
_Начало_разбивки_механизма_на_группы
2


3


y
_Конец_описания_структуры_механизма
_Начало_задания_размеров_механизма
_Положение_шарниров_стойки
_Пара_A
 0.00000000000000E+0000
 0.00000000000000E+0000
_Пара_D1
 0.00000000000000E+0000
 5.00000000000000E-0002
_Задание_размеров_звеньев
_Звено_1
 1.00000000000000E-0001
_Звено_2
 3.00000000000000E-0001
_Звено_3
y
_Выбор_сборки
y
_Положение_точек_на_звеньях
_Положение_просто_точек
_Точка_K
 1.00000000000000E-0001
 1.50000000000000E+0001
_Точка_L
 2.00000000000000E-0001
-1.50000000000000E+0001
_Положение_центров_масс
 5.00000000000000E-0002
 0.00000000000000E+0000
 1.50000000000000E-0001
 0.00000000000000E+0000
 0.00000000000000E+0000
 0.00000000000000E+0000
_Положение_точек_приложения_сил
 8.00000000000000E-0002
 0.00000000000000E+0000
_Конец_здания_размеров
_Ввод_сил_и_масс
_Массы
 2.00000000000000E+0000
 1.00000000000000E-0002
 3.00000000000000E+0000
 2.00000000000000E-0002
 1.00000000000000E+0000
 0.00000000000000E+0000
y
_Силы
 1.00000000000000E+0002
 9.00000000000000E+0001
_Моменты
 0.00000000000000E+0000
-5.00000000000000E+0000
_Конец_задания_сил
y)";

// Both flags never answered (0.0): the points are still listed in the structure, but no
// dimension section of points, masses or forces follows.
const char* const kCrankSliderUnanswered = CRANK_SLIDER_PAIRS R"(y
S
1
S
2
S
3
y
1


F
1
<sp>
y
y
2


K


2


L


<sp>
_Конец_ввода_пар,_звеньев_и_точек
_Начало_разбивки_механизма_на_группы
2


3


y
_Конец_описания_структуры_механизма
_Начало_задания_размеров_механизма
_Положение_шарниров_стойки
_Пара_A
 0.00000000000000E+0000
 0.00000000000000E+0000
_Пара_D1
 0.00000000000000E+0000
 5.00000000000000E-0002
 3.00000000000000E+0001
_Задание_размеров_звеньев
_Звено_1
 1.00000000000000E-0001
_Звено_2
 3.00000000000000E-0001
_Звено_3
y
_Выбор_сборки
y
_Конец_здания_размеров
y)";

#define SIX_LINKS_PAIRS \
    "_Начало_описания_пар\n" \
    "r\n0\n\n\n1\n\n\nA\n\n\n" \
    "r\n1\n\n\n2\n\n\nB\n\n\n" \
    "r\n2\n\n\n3\n\n\nC\n\n\n" \
    "r\n3\n\n\n0\n\n\nD\n\n\n" \
    "r\n3\n\n\n4\n\n\nE\n\n\n" \
    "p\n4\n\n\n5\n\n\nF\n\n\n" \
    "r\n5\n\n\n0\n\n\nG\n\n\n" \
    "<sp>\n_Конец_описания_пар\ny\n" \
    "_Ввод_стойки\n0\n\n\n" \
    "_Ввод_начального_звена\n1\n\n\n" \
    "_Ввод_дополнительных_точек\n" \
    "n\n"

#define SIX_LINKS_STRUCTURE \
    "_Конец_ввода_пар,_звеньев_и_точек\n" \
    "_Начало_разбивки_механизма_на_группы\n" \
    "2\n\n\n3\n\n\n" \
    "4\n\n\n5\n\n\n" \
    "y\n_Конец_описания_структуры_механизма\n"

#define SIX_LINKS_SIZES \
    "_Начало_задания_размеров_механизма\n" \
    "_Положение_шарниров_стойки\n" \
    "_Пара_A\n 0.00000000000000E+0000\n 0.00000000000000E+0000\n" \
    "_Пара_D\n 4.00000000000000E-0001\n 0.00000000000000E+0000\n" \
    "_Пара_G\n 2.00000000000000E-0001\n-3.00000000000000E-0001\n" \
    "_Задание_размеров_звеньев\n" \
    "_Звено_1\n 5.00000000000000E-0002\n" \
    "_Звено_2\n 2.00000000000000E-0001\n" \
    "_Звено_3\n 2.50000000000000E-0001\n" \
    "_Звено_4\nn\n 2.00000000000000E-0002\n" \
    "_Звено_5\nn\n 1.00000000000000E-0002\n" \
    "_Выбор_сборки\n" \
    "y\n" /* group 1, type 1: its own choice */ \
    "y\nn\n" /* group 2, type 3: the links off their guides */ \
    "n\n" /* and the angle */

// Additional pairs and a point of interest.
const char* const kSixLinksPoints = SIX_LINKS_PAIRS "y\n3\n\n\nM\n\n\n<sp>\n" SIX_LINKS_STRUCTURE SIX_LINKS_SIZES R"(_Положение_точек_на_звеньях
_Положение_просто_точек
_Пара_G
 3.60000000000000E-0001
-5.63000000000000E+0001
_Пара_E
 1.00000000000000E-0001
 4.50000000000000E+0001
_Точка_M
 5.00000000000000E-0002
 9.00000000000000E+0001
_Конец_здания_размеров
y)";

// Additional pairs without further points.
const char* const kSixLinksPairsOnly = SIX_LINKS_PAIRS "n\n" SIX_LINKS_STRUCTURE SIX_LINKS_SIZES R"(_Положение_точек_на_звеньях
_Положение_просто_точек
_Пара_G
 3.60000000000000E-0001
-5.63000000000000E+0001
_Пара_E
 1.00000000000000E-0001
 4.50000000000000E+0001
_Конец_здания_размеров
y)";

// The flag of additional pairs clear: their section is left out even though links hold some.
const char* const kSixLinksNoPairFlag = SIX_LINKS_PAIRS "n\n" SIX_LINKS_STRUCTURE SIX_LINKS_SIZES R"(_Конец_здания_размеров
y)";

using Setup = std::function<void(Session&)>;

} // namespace

Q_DECLARE_METATYPE(Setup)

class KvCompilerTest : public QObject {
    Q_OBJECT
private slots:
    void nameLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one character") << QStringLiteral("3") << QStringList{QStringLiteral("3"), {}, {}};
        QTest::newRow("two characters") << QStringLiteral("12") << QStringList{QStringLiteral("1"), QStringLiteral("2")};
        QTest::newRow("empty") << QString() << QStringList{{}, {}, {}};
        QTest::newRow("three characters: first and last")
            << QStringLiteral("ABC") << QStringList{QStringLiteral("A"), QStringLiteral("C")};
        QTest::newRow("not set") << QStringLiteral("/n") << QStringList{QStringLiteral("/"), QStringLiteral("n")};
    }
    void nameLines()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        QCOMPARE(NameLines(name), lines);
    }

    void compile_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("crank-slider, no forces, no further points")
            << Setup([](Session& s) { testmech::crankSlider(s); }) << file(kCrankSliderPlain);
        QTest::newRow("crank-slider, forces and further points, guide angle empty")
            << Setup([](Session& s) {
                   testmech::crankSlider(s);
                   testmech::addPoints(s);
                   s.Paras[4].XAngle.clear();
                   s.ForceAnalysis = 6.0f;
                   s.MorePoints = 6.0f;
               })
            << file(kCrankSliderFull);
        QTest::newRow("crank-slider, flags never answered")
            << Setup([](Session& s) {
                   testmech::crankSlider(s);
                   testmech::addPoints(s);
                   s.ForceAnalysis = 0.0f;
                   s.MorePoints = 0.0f;
               })
            << file(kCrankSliderUnanswered);
        QTest::newRow("six links, additional pairs and a point of interest")
            << Setup([](Session& s) { testmech::sixLinks(s); }) << file(kSixLinksPoints);
        QTest::newRow("six links, additional pairs, no further points")
            << Setup([](Session& s) {
                   testmech::sixLinks(s);
                   s.MorePoints = 7.0f;
               })
            << file(kSixLinksPairsOnly);
        QTest::newRow("six links, flag of additional pairs clear")
            << Setup([](Session& s) {
                   testmech::sixLinks(s);
                   s.MorePoints = 7.0f;
                   s.ExtraPairsFlag = 0.0f;
               })
            << file(kSixLinksNoPairFlag);
    }
    void compile()
    {
        QFETCH(Setup, setup);
        QFETCH(QStringList, expected);
        Session s;
        setup(s);
        const QStringList lines = compileKv(s).lines;
        for (qsizetype i = 0; i < qMin(lines.size(), expected.size()); ++i)
            QVERIFY2(lines[i] == expected[i], qPrintable(QStringLiteral("line %1: got '%2', expected '%3'")
                                                             .arg(i + 1)
                                                             .arg(lines[i], expected[i])));
        QCOMPARE(lines.size(), expected.size());
    }

    void progressMarks_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("nextLine");
        // The line that follows each mark in the crank and slider with everything asked for.
        QTest::newRow("10") << 10 << QStringLiteral(" ");
        QTest::newRow("12") << 12 << QStringLiteral("_Ввод_стойки");
        QTest::newRow("16") << 16 << QStringLiteral("_Ввод_начального_звена");
        QTest::newRow("25") << 25 << QStringLiteral("y");
        QTest::newRow("45") << 45 << QStringLiteral("y");
        QTest::newRow("60") << 60 << QStringLiteral("_Начало_разбивки_механизма_на_группы");
        QTest::newRow("64") << 64 << QStringLiteral("_Начало_задания_размеров_механизма");
        QTest::newRow("70") << 70 << QStringLiteral("_Задание_размеров_звеньев");
        QTest::newRow("80") << 80 << QStringLiteral("_Выбор_сборки");
        QTest::newRow("82") << 82 << QStringLiteral("_Положение_точек_на_звеньях");
        QTest::newRow("86") << 86 << QStringLiteral("_Положение_точек_на_звеньях");
        QTest::newRow("94") << 94 << QStringLiteral("_Положение_центров_масс");
        QTest::newRow("97") << 97 << QStringLiteral("_Ввод_сил_и_масс");
        QTest::newRow("100") << 100 << QStringLiteral("y");
    }
    void progressMarks()
    {
        QFETCH(int, percent);
        QFETCH(QString, nextLine);
        Session s;
        testmech::crankSlider(s);
        testmech::addPoints(s);
        s.ForceAnalysis = 6.0f;
        s.MorePoints = 6.0f;
        const KvListing listing = compileKv(s);
        const auto mark = std::find_if(listing.marks.cbegin(), listing.marks.cend(),
                                       [&](const ProgressMark& m) { return m.percent == percent; });
        QVERIFY(mark != listing.marks.cend());
        QVERIFY(mark->afterLines < listing.lines.size());
        QCOMPARE(listing.lines[mark->afterLines], nextLine);
    }

    void progressMarks_inOrderAndEndingBeforeTheLastLine()
    {
        Session s;
        testmech::sixLinks(s);
        const KvListing listing = compileKv(s);
        QList<int> percents;
        for (qsizetype i = 0; i < listing.marks.size(); ++i) {
            percents << listing.marks[i].percent;
            if (i > 0)
                QVERIFY(listing.marks[i].afterLines >= listing.marks[i - 1].afterLines);
        }
        QCOMPARE(percents, (QList<int>{10, 12, 16, 25, 45, 60, 64, 70, 80, 82, 86, 94, 97, 100}));
        QCOMPARE(listing.marks.last().afterLines, listing.lines.size() - 1);
    }

    void fieldsNeverFilled_writeEmptyNamesAndRejectedNumbers()
    {
        // A loaded project keeps "/n" in what it never held; a new one keeps empty text.
        Session s;
        testmech::crankSlider(s);
        s.Paras[1].X.clear();
        s.Paras[1].Y = QStringLiteral("/n");
        const QStringList lines = compileKv(s).lines;
        const qsizetype at = lines.indexOf(QStringLiteral("_Пара_A"));
        QVERIFY(at > 0);
        QCOMPARE(lines[at + 1], QStringLiteral("/E"));
        QCOMPARE(lines[at + 2], QStringLiteral("/E"));
    }

    void indicesOutsideTheRecords_readAsEmptyLinks()
    {
        // A removed group points at -1 and a frame never chosen at -2: nothing is read outside
        // the arrays, and the names come out empty.
        Session s;
        testmech::crankSlider(s);
        s.FrameIndex = -2;
        s.Groups[1].Zveno1Index = -1;
        s.Groups[1].Zveno2Index = 300;
        s.Groups[1].IsSharp = QStringLiteral("n");
        s.ParaCount = 200;   // counts beyond the arrays are cut to them
        s.Zvenos[2].DPCount = 90;
        s.Zvenos[2].TwafzCount = 90;
        const QStringList lines = compileKv(s).lines;
        const qsizetype frame = lines.indexOf(QStringLiteral("_Ввод_стойки"));
        QCOMPARE(lines.mid(frame + 1, 3), (QStringList{{}, {}, {}}));
        const qsizetype groups = lines.indexOf(QStringLiteral("_Начало_разбивки_механизма_на_группы"));
        QCOMPARE(lines.mid(groups + 1, 7), (QStringList{{}, {}, {}, {}, {}, {}, QStringLiteral("y")}));
        const qsizetype assembly = lines.indexOf(QStringLiteral("_Выбор_сборки"));
        // Out-of-range links have an empty perpendicular, which is not "/n": their empty choices
        // are written before the group's own.
        QCOMPARE(lines.mid(assembly + 1, 3), (QStringList{{}, {}, QStringLiteral("n")}));
        QCOMPARE(lines.last(), QStringLiteral("y"));
    }

    void unknownGroupType_writesNoAssemblyChoice()
    {
        Session s;
        testmech::crankSlider(s);
        s.Groups[1].GType = QStringLiteral("/n");
        const QStringList lines = compileKv(s).lines;
        const qsizetype assembly = lines.indexOf(QStringLiteral("_Выбор_сборки"));
        QCOMPARE(lines[assembly + 1], QStringLiteral("_Конец_здания_размеров"));
    }
};

QTEST_APPLESS_MAIN(KvCompilerTest)
#include "kvcompiler_test.moc"

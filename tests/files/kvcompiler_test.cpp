#include "kvcompiler.h"
#include "mechanisms.h"
#include "session.h"

#include <QTest>

class KvCompilerTest : public QObject {
    Q_OBJECT
private slots:
    void nameLines_data() { testmech::addRows(QStringLiteral("kv_namelines.cases")); }
    void nameLines()
    {
        QFETCH(QString, name);
        QFETCH(QString, lines);
        QCOMPARE(NameLines(name), lines.split(QLatin1Char(';')));
    }

    void compile_data() { testmech::addRows(QStringLiteral("kv_compile.cases")); }
    void compile()
    {
        QFETCH(QString, description);
        QFETCH(QString, expected);
        Session s;
        testmech::build(s, description);
        const KvListing got = compileKv(s);
        const KvListing want = testmech::expectedKv(expected);
        QVERIFY(!want.lines.isEmpty());
        QCOMPARE(got.lines, want.lines);
        QCOMPARE(got.marks, want.marks);
    }

    void oddRecords_data() { testmech::addRows(QStringLiteral("kv_oddrecords.cases")); }
    void oddRecords()
    {
        QFETCH(QString, changes);
        QFETCH(QString, heading);
        QFETCH(QString, following);
        Session s;
        testmech::build(s, QStringLiteral("@crankslider;") + changes);
        const QStringList lines = compileKv(s).lines;
        const QStringList expected = following.split(QLatin1Char(';'));
        const qsizetype at = lines.indexOf(heading);
        QVERIFY(at >= 0);
        QCOMPARE(lines.mid(at + 1, expected.size()), expected);
        QCOMPARE(lines.last(), QStringLiteral("y"));
    }
};

QTEST_APPLESS_MAIN(KvCompilerTest)
#include "kvcompiler_test.moc"

#include "translator.h"

#include <QTest>

class TranslatorTest : public QObject {
    Q_OBJECT
private slots:
    void translateCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("basepoint") << QStringLiteral("basepoint") << QStringLiteral("опорная точка");
        QTest::newRow("joint") << QStringLiteral("joint") << QStringLiteral("шарнир");
        QTest::newRow("slider") << QStringLiteral("slider") << QStringLiteral("ползун");
        QTest::newRow("joint_on") << QStringLiteral("joint_on") << QStringLiteral("шарнир на звене");
        QTest::newRow("slider_on") << QStringLiteral("slider_on") << QStringLiteral("ползун на звене");
        QTest::newRow("connector") << QStringLiteral("connector") << QStringLiteral("звено");
        QTest::newRow("rr") << QStringLiteral("rr") << QStringLiteral("R");
        QTest::newRow("rp") << QStringLiteral("rp") << QStringLiteral("P");
        QTest::newRow("pr") << QStringLiteral("pr") << QStringLiteral("P");
        QTest::newRow("yp") << QStringLiteral("yp") << QStringLiteral("По часовой стрелке");
        QTest::newRow("np") << QStringLiteral("np") << QStringLiteral("Против часовой стрелки");
        QTest::newRow("yG") << QStringLiteral("yG") << QStringLiteral("острый угол");
        QTest::newRow("nG") << QStringLiteral("nG") << QStringLiteral("тупой угол");
        QTest::newRow("pp has no row") << QStringLiteral("pp") << QString();
        QTest::newRow("YP") << QStringLiteral("YP") << QString();
        QTest::newRow("yg") << QStringLiteral("yg") << QString();
        QTest::newRow("Rr") << QStringLiteral("Rr") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("trailing blank") << QStringLiteral("yp ") << QString();
        QTest::newRow("unset flag") << QStringLiteral("/np") << QString();
    }
    void translateCode()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        QCOMPARE(TranslateCode(code), text);
    }
};

QTEST_GUILESS_MAIN(TranslatorTest)
#include "translator_test.moc"

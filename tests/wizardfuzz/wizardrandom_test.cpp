// The wizard fuzz driver with fixed pseudo-random answer sequences, so every test run (and the
// sanitizer run) walks the same thousands of odd paths through the wizard.
#include "tests/wizardfuzz/wizarddriver.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

class WizardRandomTest : public QObject {
    Q_OBJECT
private slots:
    void randomSessions_keepRecordsConsistent_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("length");
        for (quint32 seed = 1; seed <= 40; ++seed)
            QTest::addRow("seed %u", seed) << seed << int(200 + seed * 50);
    }
    void randomSessions_keepRecordsConsistent()
    {
        QFETCH(quint32, seed);
        QFETCH(int, length);
        // Mostly typed answers, so that runs get deep into the stages; now and then a command.
        QRandomGenerator random(seed);
        QByteArray bytes;
        while (bytes.size() < length)
            bytes.append(char(random.bounded(100) < 85 ? 5 + random.bounded(11) : random.bounded(5))).append(char(random.bounded(256)));
        QCOMPARE(playWizard(bytes), QString());
    }

    // The fuzzer's first inputs: each stored description, turned into bytes, is played to its end
    // with the protocol it keeps.
    void storedDescriptions_asSeeds_playToTheEnd_data()
    {
        QTest::addColumn<QString>("path");
        for (const QFileInfo& f : QDir(QStringLiteral(ZUVRACK_DESCRIPTIONS_DATA)).entryInfoList({QStringLiteral("*.txt")}))
            if (f.fileName().count(u'.') == 1)
                QTest::newRow(qPrintable(f.baseName())) << f.filePath();
    }
    void storedDescriptions_asSeeds_playToTheEnd()
    {
        QFETCH(QString, path);
        QFile script(path);
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(script.readAll());
        // The protocol lines the script expects ("\\t" a tab, "\\n" a line break).
        QStringList protocol;
        for (const QString& line : text.split(u'\n'))
            if (line.startsWith(QLatin1String("= ")))
                protocol << line.mid(2).replace(QLatin1String("\\t"), QLatin1String("\t")).replace(QLatin1String("\\n"), QLatin1String("\r\n"));
        WizardEnd end;
        QCOMPARE(playWizard(wizardSeed(text), &end), QString());
        QCOMPARE(end.protocol, protocol);
        QCOMPARE(end.state, qint16(200));
    }
};

QTEST_GUILESS_MAIN(WizardRandomTest)
#include "wizardrandom_test.moc"

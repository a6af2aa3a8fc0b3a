#include "filenames.h"
#include "geometry.h"

#include <QTest>

class GeometryTest : public QObject {
    Q_OBJECT
private slots:
    void twipsToPixels_fifteenPerPixel_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("strip width") << 12705.0 << 847;
        QTest::newRow("strip height") << 810.0 << 54;
        QTest::newRow("strip top") << 1000.0 << 67;
        QTest::newRow("question dialog width") << 6375.0 << 425;
        QTest::newRow("chooser picture") << 855.0 << 57;
        QTest::newRow("zero") << 0.0 << 0;
    }
    void twipsToPixels_fifteenPerPixel()
    {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        QCOMPARE(twipsToPixels(twips), pixels);
    }

    void strip_isCentredBelowTheTop_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("strip");
        // (1280 * 15 - 12705) / 2 = 3247.5 twips = 216.5 pixels
        QTest::newRow("1280 wide") << QRect(0, 0, 1280, 800) << QRect(217, 67, 847, 54);
        QTest::newRow("1920 wide") << QRect(0, 0, 1920, 1080) << QRect(537, 67, 847, 54);
        QTest::newRow("second screen") << QRect(1920, 0, 1024, 768) << QRect(1920 + 89, 67, 847, 54);
        QTest::newRow("narrower than the strip") << QRect(0, 0, 800, 600) << QRect(0, 67, 800, 54);
        QTest::newRow("odd half pixel") << QRect(0, 0, 1024, 768) << QRect(89, 67, 847, 54);
    }
    void strip_isCentredBelowTheTop()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, strip);
        QCOMPARE(stripGeometry(screen), strip);
        const TwipsRect t = stripGeometryTwips(screen.width() * 15.0);
        QCOMPARE(t.top, 1000.0);
        QCOMPARE(t.width, 12705.0);
        QCOMPARE(t.height, 810.0);
        QCOMPARE(t.left, (screen.width() * 15.0 - 12705.0) / 2);
    }

    void followerFor_windowMode_data()
    {
        QTest::addColumn<float>("mode");
        QTest::addColumn<int>("follower");
        QTest::newRow("start") << 0.0f << int(Follower::None);
        QTest::newRow("chooser open") << -1.0f << int(Follower::None);
        QTest::newRow("wizard") << 1.0f << int(Follower::Wizard);
        QTest::newRow("free edit") << 2.0f << int(Follower::FreeEdit);
        QTest::newRow("between") << 1.5f << int(Follower::None);
        QTest::newRow("three") << 3.0f << int(Follower::None);
    }
    void followerFor_windowMode()
    {
        QFETCH(float, mode);
        QFETCH(int, follower);
        QCOMPARE(int(followerFor(mode)), follower);
    }

    void followStep_firstTickAlwaysMoves()
    {
        FollowState state;
        QVERIFY(!state.left.has_value());
        // Even a strip at 0,0 of height 0 is a change from "never moved".
        QCOMPARE(followStep(state, QRect(0, 0, 847, 0)), std::optional<QPoint>(QPoint(0, 0)));
        QCOMPARE(state.left, std::optional<int>(0));
        QCOMPARE(state.bottom, 0);
    }

    // A sequence of main-window frames and the follower moves they cause.
    void followStep_movesOnlyWhenTheStripMoved_data()
    {
        QTest::addColumn<QList<QRect>>("frames");
        QTest::addColumn<QList<QPoint>>("moves"); // (-1,-1) for "no move"
        const QPoint none(-1, -1);
        QTest::newRow("still") << QList<QRect>{QRect(217, 67, 847, 54), QRect(217, 67, 847, 54)}
                               << QList<QPoint>{QPoint(217, 121), none};
        QTest::newRow("dragged right") << QList<QRect>{QRect(217, 67, 847, 54), QRect(300, 67, 847, 54)}
                                       << QList<QPoint>{QPoint(217, 121), QPoint(300, 121)};
        QTest::newRow("dragged down") << QList<QRect>{QRect(217, 67, 847, 54), QRect(217, 90, 847, 54)}
                                      << QList<QPoint>{QPoint(217, 121), QPoint(217, 144)};
        QTest::newRow("taller, same bottom") << QList<QRect>{QRect(217, 67, 847, 54), QRect(217, 47, 847, 74)}
                                             << QList<QPoint>{QPoint(217, 121), none};
        QTest::newRow("wider only") << QList<QRect>{QRect(217, 67, 847, 54), QRect(217, 67, 900, 54)}
                                    << QList<QPoint>{QPoint(217, 121), none};
        QTest::newRow("there and back") << QList<QRect>{QRect(217, 67, 847, 54), QRect(0, 0, 847, 54),
                                                        QRect(217, 67, 847, 54)}
                                        << QList<QPoint>{QPoint(217, 121), QPoint(0, 54), QPoint(217, 121)};
    }
    void followStep_movesOnlyWhenTheStripMoved()
    {
        QFETCH(QList<QRect>, frames);
        QFETCH(QList<QPoint>, moves);
        FollowState state;
        for (qsizetype i = 0; i < frames.size(); ++i) {
            const std::optional<QPoint> to = followStep(state, frames[i]);
            QCOMPARE(to.value_or(QPoint(-1, -1)), moves[i]);
        }
    }

    void qtFileFilter_fromTheProgramsFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("the program's own") << QStringLiteral("Файлы KVERTA (*.kv)| *.kv")
                                           << QStringLiteral("Файлы KVERTA (*.kv)");
        QTest::newRow("description without pattern")
            << QStringLiteral("Файлы KVERTA| *.kv") << QStringLiteral("Файлы KVERTA (*.kv)");
        QTest::newRow("two entries") << QStringLiteral("Файлы KVERTA (*.kv)|*.kv|Все файлы|*.*")
                                     << QStringLiteral("Файлы KVERTA (*.kv);;Все файлы (*.*)");
        QTest::newRow("several patterns") << QStringLiteral("Картинки|*.gif;*.ico")
                                          << QStringLiteral("Картинки (*.gif *.ico)");
        QTest::newRow("different pattern in brackets") << QStringLiteral("Старые (*.old)|*.kv")
                                                       << QStringLiteral("Старые (*.old) (*.kv)");
        QTest::newRow("pattern only") << QStringLiteral("|*.kv") << QStringLiteral("*.kv (*.kv)");
        QTest::newRow("empty") << QString() << QString();
    }
    void qtFileFilter_fromTheProgramsFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtFileFilter(filter), qt);
    }

    void fileChoice_titleAndFolder_data()
    {
        QTest::addColumn<QString>("fullName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << QStringLiteral("/home/st/mech1.kv") << QStringLiteral("mech1.kv")
                               << QStringLiteral("/home/st/");
        QTest::newRow("no extension") << QStringLiteral("/home/st/mech") << QStringLiteral("mech")
                                      << QStringLiteral("/home/st/");
        QTest::newRow("spaces and Cyrillic") << QStringLiteral("/home/ст/Мои файлы/Кривошип.kv")
                                             << QStringLiteral("Кривошип.kv") << QStringLiteral("/home/ст/Мои файлы/");
        QTest::newRow("root") << QStringLiteral("/m.kv") << QStringLiteral("m.kv") << QStringLiteral("/");
        QTest::newRow("cancelled") << QString() << QString() << QString();
    }
    void fileChoice_titleAndFolder()
    {
        QFETCH(QString, fullName);
        QFETCH(QString, title);
        QFETCH(QString, folder);
        const FileChoice choice = fileChoiceFor(fullName);
        QCOMPARE(choice.fileName, fullName);
        QCOMPARE(choice.fileTitle, title);
        QCOMPARE(folderOf(choice), folder);
        QCOMPARE(choice.cancelled(), fullName.isEmpty());
    }

    void folderOf_titleNotAtTheEnd_usesThePath()
    {
        QCOMPARE(folderOf(FileChoice{QStringLiteral("/a/b/c.kv"), QStringLiteral("x.kv")}), QStringLiteral("/a/b/"));
    }

    void hasKvExtension_lastThreeCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("kv");
        QTest::newRow("lower") << QStringLiteral("a.kv") << true;
        QTest::newRow("upper") << QStringLiteral("A.KV") << true;
        QTest::newRow("mixed") << QStringLiteral("a.Kv") << true;
        QTest::newRow("only the extension") << QStringLiteral(".kv") << true;
        QTest::newRow("kv without a dot") << QStringLiteral("akv") << false;
        QTest::newRow("kvx") << QStringLiteral("a.kvx") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("Cyrillic к") << QStringLiteral("a.кv") << false;
    }
    void hasKvExtension_lastThreeCharacters()
    {
        QFETCH(QString, name);
        QFETCH(bool, kv);
        QCOMPARE(hasKvExtension(name), kv);
    }
};

QTEST_GUILESS_MAIN(GeometryTest)
#include "geometry_test.moc"

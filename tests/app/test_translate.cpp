#include "app/clock.h"
#include "app/clocktimer.h"
#include "app/placement.h"
#include "app/translate.h"
#include "keyboard/keyids.h"
#include "tests/support/screenarea.h"
#include "tests/support/testsupport.h"

#include <QDialogButtonBox>
#include <QPushButton>

// Catalogues, window placement and the timers on the stopped clock.
class TestTranslate : public QObject
{
    Q_OBJECT

    static QString translatedLessonOne(QTranslator *t)
    {
        return t ? t->translate("Lessons", Keys::lessonTextSource(1).toUtf8().constData()) : QString();
    }

private slots:
    void initTestCase() { Clock::setManual(true); }
    void cleanup()
    {
        translate::clearCatalogues();
        translate::loadCatalogues(QDir(":/tr/lang/"));
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void catalogueKey_data()
    {
        QTest::addColumn<QString>("baseName");
        QTest::addColumn<QString>("key");
        // case and the short names are the scan's
        QTest::newRow("four parts") << "ar_en_us_x" << "AR_en_US";
        QTest::newRow("empty part") << "ar__us" << "AR__US";
    }
    void catalogueKey()
    {
        QFETCH(QString, baseName);
        QFETCH(QString, key);
        QCOMPARE(Catalogue::keyForBaseName(baseName), key);
    }

    void scanIgnoresOtherNamesAndLaterFileWins()
    {
        QTemporaryDir dir;
        auto copy = [&](const QString &from, const QString &to) {
            QVERIFY(QFile::copy(":/tr/lang/" + from, dir.filePath(to)));
        };
        // Both map to AR_ar_AR; "ar_ar_ar.qm" sorts after "AR_AR_ar.qm" and wins.
        copy("ar_ar_ar.qm", "AR_AR_ar.qm");
        copy("ar_en_us.qm", "ar_ar_ar.qm");
        copy("ar_en_us.qm", "plain.qm");    // no "_": not a catalogue name
        copy("ar_en_us.qm", "ar_en.qm");    // two parts: skipped
        copy("ar_en_us.qm", "ar_en_us.txt");
        QFile broken(dir.filePath("zz_zz_zz.qm"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a catalogue") > 0);
        broken.close();

        translate::clearCatalogues();
        translate::loadCatalogues(QDir(dir.path()));
        QCOMPARE(translate::availableLanguages(), QStringList{"AR_ar_AR"});
        QCOMPARE(translate::catalogueBaseNames(), (QStringList{"AR_AR_ar", "ar_ar_ar", "zz_zz_zz"}));
        translate::applyLanguage("AR_ar_AR");
        QVERIFY(translatedLessonOne(translate::currentTranslator()).contains("Lesson 1"));
    }

    void unknownKeyLeavesNoCatalogue()
    {
        translate::applyLanguage("AR_ar_AR");
        QVERIFY(Keys::caption(Keys::Layer::Plain, "R3_1") != "key_R3_1");
        translate::applyLanguage("XX_yy_ZZ");
        QVERIFY(!translate::currentTranslator());
        QCOMPARE(Keys::caption(Keys::Layer::Plain, "R3_1"), QString("key_R3_1"));
    }

    void standardButtonsFollowTheInterfaceLanguage()
    {
        QTranslator qtArabic;
        if (!qtArabic.load("qtbase_ar", QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
            QSKIP("Qt's Arabic translation is not installed");
        const auto okText = []() -> QString {
            QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::No);
            return box.button(QDialogButtonBox::Ok)->text() + ' ' + box.button(QDialogButtonBox::No)->text();
        };
        const QString english = okText();
        const QString arabic = qtArabic.translate("QPlatformTheme", "OK") + ' ' + qtArabic.translate("QPlatformTheme", "&No");
        QVERIFY(arabic.trimmed().size() > 1);
        for (const QString key : {"AR_ar_AR", "AR_en_US", "AR_ar_EG", "XX_yy_ZZ"}) {
            translate::applyLanguage(key);
            QCOMPARE(okText(), key.startsWith("AR_ar") ? arabic : english);
        }
    }

    void setLanguageSlotIsReachableByName()
    {
        auto *app = qobject_cast<translate *>(qApp);
        QVERIFY(app);
        QVERIFY(QMetaObject::invokeMethod(app, "setLanguage", Q_ARG(QString, "AR_en_US")));
        QVERIFY(translatedLessonOne(translate::currentTranslator()).contains("Lesson 1"));
    }

    void directionFallsBackToFirstBaseName()
    {
        const QString french = "Arabic Typing - French GUI";
        QCOMPARE(Catalogue::directionForLabel(french, {"ar_en_us", "ar_ar_ar"}), Qt::LeftToRight);
        QCOMPARE(Catalogue::directionForLabel(french, {"ar_ar_ar", "ar_en_us"}), Qt::RightToLeft);
        QCOMPARE(Catalogue::directionForLabel("Arabic Typing - Arabic GUI-MAC", {"ar_en_us", "ar_ar_mac"}),
                 Qt::RightToLeft);
    }

    // A desktop with a task bar: windows are centred on what the bar leaves free.
    void centredOnAvailableArea_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("bar at the bottom") << QRect(0, 0, 1280, 760) << QPoint(540, 330);
        QTest::newRow("bar at the left") << QRect(64, 0, 1216, 800) << QPoint(572, 350);
        QTest::newRow("bar at the top") << QRect(0, 48, 1280, 752) << QPoint(540, 374);
    }
    void centredOnAvailableArea()
    {
        QFETCH(QRect, available);
        QFETCH(QPoint, topLeft);
        ScreenArea desktop(QRect(0, 0, 1280, 800), available);
        QWidget window;
        window.resize(200, 100);
        Placement::centre(&window);
        QCOMPARE(window.geometry(), QRect(topLeft, QSize(200, 100)));
    }

    // A window is moved the least that brings it inside the area; one that
    // touches an edge from inside stays where it is.
    void keptInside_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("inside") << QRect(100, 100, 200, 100) << QPoint(100, 100);
        QTest::newRow("flush right and bottom") << QRect(824, 500, 200, 100) << QPoint(824, 500);
        QTest::newRow("past the right") << QRect(900, 100, 200, 100) << QPoint(824, 100);
        QTest::newRow("above and left") << QRect(-50, -20, 200, 100) << QPoint(0, 0);
        QTest::newRow("wider than the area") << QRect(300, 0, 1100, 100) << QPoint(0, 0);
    }
    void keptInside()
    {
        QFETCH(QRect, window);
        QFETCH(QPoint, topLeft);
        QCOMPARE(Placement::keptInside(window, QRect(0, 0, 1024, 600)), QRect(topLeft, window.size()));
    }

    // Timers on the stopped clock fire when Clock::advance passes their
    // deadline, a repeating one once per period however far the clock jumps.
    void firesOncePerPeriod_data()
    {
        QTest::addColumn<bool>("repeating");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<int>("fired");
        QTest::addColumn<bool>("active");
        QTest::newRow("single shot, due") << false << 50 << QList<int>{50, 500} << 1 << false;
        QTest::newRow("single shot, not yet") << false << 50 << QList<int>{49} << 0 << true;
        QTest::newRow("repeating, one jump") << true << 50 << QList<int>{1000} << 20 << true;
        QTest::newRow("repeating, small steps") << true << 50 << QVector<int>(100, 10).toList() << 20 << true;
        QTest::newRow("repeating, just before the next") << true << 40 << QList<int>{119} << 2 << true;
    }
    void firesOncePerPeriod()
    {
        QFETCH(bool, repeating);
        QFETCH(int, interval);
        QFETCH(QList<int>, steps);
        ClockTimer timer;
        timer.setSingleShot(!repeating);
        int fired = 0;
        connect(&timer, &ClockTimer::timeout, [&] { ++fired; });
        timer.start(interval);
        for (int step : steps)
            Clock::advance(step);
        QTEST(fired, "fired");
        QTEST(timer.isActive(), "active");
    }

    void stoppedOrDeletedTimersStayQuiet()
    {
        int fired = 0;
        ClockTimer stopped;
        connect(&stopped, &ClockTimer::timeout, [&] { ++fired; });
        stopped.start(10);
        stopped.stop();
        {
            ClockTimer gone;
            connect(&gone, &ClockTimer::timeout, [&] { ++fired; });
            gone.start(10);
        }
        Clock::advance(100);
        QCOMPARE(fired, 0);
    }
};

HARFORA_TEST_MAIN(TestTranslate)
#include "test_translate.moc"

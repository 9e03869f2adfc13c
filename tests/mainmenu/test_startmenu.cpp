#include "app/translate.h"
#include "games/gameselectionwindow.h"
#include "mainmenu/harforamain.h"
#include "tests/store/storefixture.h"
#include "tests/support/screenarea.h"
#include "tests/support/testsupport.h"

#include <QLabel>
#include <QPushButton>

// Where the start menu opens the game chooser and the configuration page.
class TestStartMenu : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    MessageRecorder recorder;

    // The page the button opens: the modeless chooser, or the modal page closed as it opens.
    static QRect openedPage(QPushButton *button)
    {
        QRect page;
        QTimer::singleShot(0, [&page] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                page = modal->frameGeometry();
                modal->close();
            }
        });
        button->click();
        if (GameSelectionWindow *chooser = shownWindows<GameSelectionWindow>(false).value(0)) {
            page = chooser->frameGeometry();
            delete chooser->keyDialog();
            delete chooser;
        }
        return page;
    }

private slots:
    void initTestCase()
    {
        freshProfile(home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
    }

    // The page opens below the menu and under its button, on the screen in
    // either direction; left to right it is shifted from the button's left
    // edge. Moving the menu moves it.
    void pageFollowsTheMenuAndItsButton_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QPoint>("menuAt");
        for (const auto &[name, direction] : {std::pair("ltr", Qt::LeftToRight), std::pair("rtl", Qt::RightToLeft)})
            for (const QPoint at : {QPoint(0, 0), QPoint(310, 240)}) {
                QTest::addRow("%s games, menu at %d", name, at.x()) << int(direction) << "games" << 163 << at;
                QTest::addRow("%s settings, menu at %d", name, at.x()) << int(direction) << "settings" << 58 << at;
            }
    }
    void pageFollowsTheMenuAndItsButton()
    {
        QFETCH(int, direction);
        QFETCH(QString, button);
        QFETCH(int, offset);
        QFETCH(QPoint, menuAt);
        ScreenArea desktop(QRect(0, 0, 1600, 900), QRect(0, 0, 1600, 860));
        QGuiApplication::setLayoutDirection(Qt::LayoutDirection(direction));
        HarforaMain menu(nullptr);
        menu.move(menuAt);
        menu.show();
        auto *pressed = menu.findChild<QPushButton *>(button);
        const QRect page = openedPage(pressed);
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        const QPoint under = pressed->mapToGlobal(pressed->rect().center());
        QVERIFY2(QRect(0, 0, 1600, 860).contains(page), qPrintable(QString::number(page.x())));
        QVERIFY(page.left() < under.x() && under.x() < page.right());
        QCOMPARE(page.top(), menuAt.y() + menu.height() - 22);
        if (direction == Qt::LeftToRight)
            QCOMPARE(page.left(), menuAt.x() + pressed->pos().x() - offset);
    }

    // The strip sits at the work area's top-left corner, clear of a task bar.
    void menuSitsInsideTheWorkArea_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<int>("direction");
        QTest::newRow("bar above") << QRect(0, 40, 1024, 560) << int(Qt::LeftToRight);
        QTest::newRow("bar left, rtl") << QRect(60, 0, 964, 600) << int(Qt::RightToLeft);
        QTest::newRow("whole screen") << QRect(0, 0, 1024, 600) << int(Qt::LeftToRight);
    }
    void menuSitsInsideTheWorkArea()
    {
        QFETCH(QRect, area);
        QFETCH(int, direction);
        ScreenArea netbook(QRect(0, 0, 1024, 600), area);
        QGuiApplication::setLayoutDirection(Qt::LayoutDirection(direction));
        HarforaMain menu(nullptr);
        menu.show();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        QCOMPARE(menu.frameGeometry().topLeft(), area.topLeft());
        QCOMPARE(menu.size(), QSize(656, 114));
    }

    // Six buttons in the fixed strip, in the table's order along the reading
    // direction, each with its icon and its caption whole, none on another.
    void sixButtonsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("direction");
        QTest::newRow("English, left to right") << "AR_en_US" << int(Qt::LeftToRight);
        QTest::newRow("Arabic, right to left") << "AR_ar_AR" << int(Qt::RightToLeft);
    }
    void sixButtonsFit()
    {
        QFETCH(QString, language);
        QFETCH(int, direction);
        translate::applyLanguage(language);
        QGuiApplication::setLayoutDirection(Qt::LayoutDirection(direction));
        HarforaMain menu(nullptr);
        menu.show();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        const char *order[] = {"lessons", "training", "games", "testings", "report", "settings"};
        const char *captions[] = {"label", "label_3", "label_2", "label_5", "label_4", "label_6"};
        QRect previous;
        for (int i = 0; i < 6; ++i) {
            auto *button = menu.findChild<QPushButton *>(order[i]);
            auto *caption = menu.findChild<QLabel *>(captions[i]);
            QVERIFY2(button && caption, order[i]);
            QVERIFY(menu.rect().contains(button->geometry()) && menu.rect().contains(caption->geometry()));
            QVERIFY2(button->width() >= 80 && button->height() >= 80, order[i]);
            QVERIFY2(caption->width() >= caption->sizeHint().width(), qPrintable(caption->text()));
            QVERIFY2(caption->height() >= caption->sizeHint().height(), qPrintable(caption->text()));
            if (i > 0) {
                QVERIFY(!previous.intersects(button->geometry()));
                QVERIFY(direction == Qt::LeftToRight ? previous.right() < button->x() : button->geometry().right() < previous.x());
            }
            previous = button->geometry();
        }
        QCOMPARE(menu.findChild<QPushButton *>("testings")->toolTip(),
                 QCoreApplication::translate("HarforaMain", "Take a test to estimate your current level"));
        translate::applyLanguage("AR_en_US");
    }

    // A finished game reports its number: games 1 and 2 show the menu again.
    void gameResultsShowTheMenu()
    {
        HarforaMain menu(nullptr);
        menu.From_Game_Show_GetSelection(2, {"a"});
        QVERIFY(menu.isVisible());
        menu.hide();
        menu.From_Game_Show_GetSelection(0, {});
        QVERIFY(!menu.isVisible());
    }
};

HARFORA_TEST_MAIN(TestStartMenu)
#include "test_startmenu.moc"

#include "lessons/lessons.h"

#include "app/activitykey.h"
#include "app/resources.h"
#include "app/screenfit.h"
#include "app/slotsbyname.h"
#include "games/gamespacewindow.h"
#include "keyboard/keyids.h"
#include "keyboard/keyboardpanel.h"
#include "practice/fingers.h"
#include "practice/handpicture.h"
#include "practice/practising.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

namespace {
// Used when no login window is behind the viewer (the viewer is never
// opened that way by the program itself).
QString detachedActivityKey;

QLabel *bigLabel(const QString &name, const QString &text)
{
    auto *label = new QLabel(text);
    label->setObjectName(name);
    QFont f = label->font();
    f.setPointSize(26);
    label->setFont(f);
    return label;
}
}

Lessons::Lessons(QWidget *parent) : QWidget(parent)
{
    buildForm();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    read = false;
    handScene = new QGraphicsScene(0, 0, 201, 180, this);
    if (QGuiApplication::layoutDirection() == Qt::RightToLeft) {
        previous_Btn->setIcon(Resources::pngIcon(":/images/rightarrow32.png"));
        next_Btn->setIcon(Resources::pngIcon(":/images/leftarrow32.png"));
    }
    SetKeyBoardLayoutCaption(0);
    state.currentLesson = 1;
    const QString text = loadlessontext(1, 0);
    lessonnumber->setText(QString::number(state.currentLesson));
    textBrowser->setHtml(text);
    showTaughtLayer();
    textBrowser->setContextMenuPolicy(Qt::NoContextMenu);
    previous_Btn->setEnabled(false);
    draw_hand();
    connect(textBrowser->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &Lessons::onVerticalScrollBarValueChanged);
    SlotsByName::connect(this);
}

void Lessons::buildForm()
{
    setObjectName("Lessons");
    setFixedSize(774, 600);
    setBaseSize(770, 600);
    setWindowTitle(tr("Form"));

    auto *container = new QWidget(this);
    container->setGeometry(1, 0, 771, 591);
    // On a low screen the lesson text, which scrolls, gives up the height.
    ScreenFit::install(
        this,
        [this, container](const QSize &fitted) {
            setFixedSize(fitted);
            container->setGeometry(1, 0, fitted.width() - 3, fitted.height() - 9);
        },
        QSize(774, 430));
    auto *grid = new QGridLayout(container);
    grid->setObjectName("gridLayout_2");
    grid->setContentsMargins(0, 0, 0, 0);

    auto *header = new QHBoxLayout;
    header->setObjectName("horizontalLayout");
    auto *keyboardName = new QLabel(tr("Arabic Windows Keyboard"));
    keyboardName->setObjectName("TrainingKeyboard");
    keyboardName->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    header->addWidget(keyboardName);
    header->addSpacerItem(new QSpacerItem(40, 20, QSizePolicy::Expanding));
    QLabel *title = bigLabel("lessonlbl", tr("Lesson number"));
    title->setAlignment(Qt::AlignCenter);
    header->addWidget(title);
    lessonnumber = bigLabel("lessonnumber", "1");
    header->addWidget(lessonnumber);
    header->addSpacerItem(new QSpacerItem(40, 20, QSizePolicy::Expanding));
    grid->addLayout(header, 0, 0);

    QFrame *panel = KeyboardPanel::build(container, {"PushButton_Ctrl", "Lessons", QString()});
    panel->setMinimumHeight(190);
    view = new QGraphicsView(panel);
    view->setObjectName("view");
    view->setGeometry(560, 10, 201, 181);
    view->setStyleSheet("#view\n{\nbackground: transparent;\nborder: 0px;\n}");
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->addWidget(panel, 1, 0);

    textBrowser = new QTextBrowser;
    textBrowser->setObjectName("textBrowser");
    textBrowser->setMaximumSize(769, 233);
    grid->addWidget(textBrowser, 2, 0);

    grid->addLayout(buildButtons(), 3, 0);
    previous_Btn = findChild<QPushButton *>("previous_Btn");
    next_Btn = findChild<QPushButton *>("next_Btn");
}

QGridLayout *Lessons::buildButtons()
{
    auto *buttons = new QGridLayout;
    buttons->setObjectName("gridLayout");
    buttons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding), 0, 0);
    struct Button {
        const char *name, *icon, *tip, *label, *caption;
    };
    const Button list[] = {
        {"previous_Btn", ":/images/leftarrow32.png", QT_TR_NOOP("Previous lesson"), "label", QT_TR_NOOP("Previous lesson")},
        {"pushButton", ":/images/icons/learn1.PNG", QT_TR_NOOP("Practise lesson"), "label_2", QT_TR_NOOP("Learn lesson")},
        {"pushButton_4", ":/images/icons/login-icon.png", QT_TR_NOOP("Play typing game"), "label_3", QT_TR_NOOP("Play game")},
        {"next_Btn", ":/images/rightarrow32.png", QT_TR_NOOP("Next lesson"), "label_4", QT_TR_NOOP("Next lesson")},
    };
    int column = 1;
    for (const Button &b : list) {
        auto *button = new QPushButton;
        button->setObjectName(b.name);
        button->setIcon(QIcon(b.icon));
        button->setIconSize(QSize(64, 64));
        button->setToolTip(tr(b.tip));
        auto *caption = new QLabel(tr(b.caption));
        caption->setObjectName(b.label);
        caption->setAlignment(Qt::AlignCenter);
        buttons->addWidget(button, 0, column);
        buttons->addWidget(caption, 1, column++);
    }
    return buttons;
}

QString Lessons::keyOfInterestText(int lesson)
{
    return Keys::keysOfInterestText(lesson);
}

void Lessons::SetKeyBoardLayoutCaption(int addkey)
{
    KeyboardPanel::setCaptions(this, addkey);
}

void Lessons::ClearKeyBoardLayoutColors()
{
    for (const QString &id : Keys::characterKeyIds())
        if (QPushButton *key = KeyboardPanel::key(this, id))
            key->setStyleSheet(QString());
    for (const char *name : {"PushButton_Shift", "PushButton_Ctrl"})
        if (auto *key = findChild<QPushButton *>(name))
            key->setStyleSheet(QString());
}

void Lessons::SetInterestKeyColor(QString interestkeys)
{
    for (const QString &token : interestkeys.split(' ', Qt::SkipEmptyParts, Qt::CaseSensitive)) {
        if (colourShiftedKey(token))
            continue;
        const int row = Keys::rowOf(token), column = Keys::columnOf(token);
        int finger = 0, hand = 0;
        Fingers::assign(row, column, finger, hand);
        if (row == 0 && column == 0) {
            if (token.contains("Shift"))
                finger = 5;
            if (token.contains("Ctrl"))
                finger = 6;
        }
        auto *button = findChild<QPushButton *>("PushButton_" + token);
        if (!button)
            continue;
        if (finger >= 1 && finger <= 6)
            button->setStyleSheet("background-color: " + Fingers::colour(finger).name(QColor::HexRgb));
        captions += " " + KeyboardPanel::caption(button);
    }
    captions = captions.trimmed();
}

// A shifted key "Shift_" + identifier: the key in its finger's colour, the
// Shift key in its own, and the character it types with Shift collected.
bool Lessons::colourShiftedKey(const QString &token)
{
    static const QString prefix = QStringLiteral("Shift_");
    if (!token.startsWith(prefix))
        return false;
    const QString id = token.mid(prefix.size());
    auto *key = findChild<QPushButton *>("PushButton_" + id);
    auto *shift = findChild<QPushButton *>("PushButton_Shift");
    if (!key || !shift || !Keys::characterKeyIds().contains(id))
        return true; // names no key: ignored
    int finger = 0, hand = 0;
    Fingers::assign(Keys::rowOf(id), Keys::columnOf(id), finger, hand);
    key->setStyleSheet("background-color: " + Fingers::colour(finger).name(QColor::HexRgb));
    shift->setStyleSheet("background-color: " + Fingers::colour(5).name(QColor::HexRgb));
    captions += " " + Keys::caption(Keys::Layer::Shift, id);
    return true;
}

void Lessons::onVerticalScrollBarValueChanged()
{
    const QScrollBar *bar = textBrowser->verticalScrollBar();
    if (double(bar->value()) >= double(bar->maximum()) * 0.8) {
        read = true;
        secondsRead = QString::number(readClock.elapsed() / 1000);
    }
}

void Lessons::on_PushButton_Shift_released() { SetKeyBoardLayoutCaption(0); }
void Lessons::on_PushButton_Shift_pressed() { SetKeyBoardLayoutCaption(1); }
void Lessons::on_PushButton_CTRL_released() { SetKeyBoardLayoutCaption(0); }
void Lessons::on_PushButton_CTRL_pressed() { SetKeyBoardLayoutCaption(2); }
void Lessons::on_PushButton_Ctrl_pressed() {}
void Lessons::on_PushButton_Ctrl_released() {}

QString Lessons::loadlessontext(int lesson, int mode)
{
    QString result;
    if (lesson >= 1 && lesson <= state.lessonLimit && mode == 0)
        ClearKeyBoardLayoutColors();
    if (lesson < 1 || lesson > Keys::lessonSlots)
        return result;
    result = QCoreApplication::translate("Lessons", Keys::lessonTextSource(lesson).toUtf8().constData());
    const QString keys = keyOfInterestText(lesson);
    if (mode != 0)
        return result;
    SetInterestKeyColor(keys);
    return result;
}

void Lessons::showLesson()
{
    // Replacing the text moves the scroll bar back to the top, which would
    // count as a scroll "at 80 %" of the still empty range: the read state
    // is reset only after the new text is in place.
    textBrowser->setHtml(loadlessontext(state.currentLesson, 0));
    showTaughtLayer();
    read = false;
    readClock.restart();
    secondsRead.clear();
    lessonnumber->setText(QString::number(state.currentLesson));
}

// A lesson of characters typed with Shift ("Shift_" keys only) shows the
// Shift layer, so the keys carry the characters it teaches; the Shift key
// still switches layers as in every lesson.
void Lessons::showTaughtLayer()
{
    static const QString shifted = QStringLiteral("Shift_");
    int shiftedKeys = 0, plainKeys = 0;
    for (const QString &token : keyOfInterestText(state.currentLesson).split(' ', Qt::SkipEmptyParts)) {
        if (token.startsWith(shifted) && Keys::characterKeyIds().contains(token.mid(shifted.size())))
            ++shiftedKeys;
        else if (Keys::characterKeyIds().contains(token))
            ++plainKeys;
    }
    SetKeyBoardLayoutCaption(shiftedKeys > 0 && plainKeys == 0 ? 1 : 0);
}

void Lessons::on_next_Btn_clicked()
{
    if (state.currentLesson > state.lessonLimit)
        return;
    logLessonVisit();
    ++state.currentLesson;
    showLesson();
    previous_Btn->setEnabled(true);
    if (state.currentLesson == state.lessonLimit || loadlessontext(state.currentLesson + 1, 1).trimmed().isEmpty())
        next_Btn->setEnabled(false);
}

void Lessons::on_previous_Btn_clicked()
{
    if (state.currentLesson <= 1)
        return;
    logLessonVisit();
    --state.currentLesson;
    showLesson();
    next_Btn->setEnabled(true);
    if (state.currentLesson == 1)
        previous_Btn->setEnabled(false);
}

void Lessons::logLessonVisit()
{
    if (!read)
        return;
    const QString lesson = QString::number(state.currentLesson);
    ActivityKey::logOnce(activityKey.keyOr(detachedActivityKey),
                         {lesson + " Read " + QChar(0x0001), "Lesson", lesson, secondsRead, "", "", "", ""}, this);
}

void Lessons::closeEvent(QCloseEvent *event)
{
    if (gameWindow) // it plays this viewer's letters: it goes with it
        gameWindow->close();
    logLessonVisit();
    // The menu deletes itself on close: then the login window comes back.
    if (callerWindow)
        callerWindow->show();
    else if (activityKey.owner)
        qobject_cast<QWidget *>(activityKey.owner.data())->show();
    event->accept();
}

void Lessons::on_pushButton_clicked()
{
    auto *practice = new practising(true, state.currentLesson, state.currentLesson, nullptr);
    practice->setAttribute(Qt::WA_DeleteOnClose);
    practice->lessonViewer = this;
    practice->show();
    hide();
}

void Lessons::on_pushButton_4_clicked()
{
    const QStringList letters = captions.split(' ', Qt::KeepEmptyParts);
    delete gameWindow; // one space game window at a time
    gameWindow = new GamespaceWindow(letters, nullptr);
    gameWindow->setAttribute(Qt::WA_DeleteOnClose);
    hide();
    gameWindow->show();
    show();
}

void Lessons::on_Space_pressed() { draw_fingers(0, 0, 0); }
void Lessons::on_Space_released() { draw_hand(); }

void Lessons::draw_hand()
{
    draw_image(":/images/handlocationB.jpg", 1, 0);
}

void Lessons::draw_fingers(int row, int keynumber, int drawcircle)
{
    int finger = 0, hand = Fingers::Right, mirror = 1;
    if (drawcircle != 0) {
        Fingers::assign(row, keynumber, finger, hand);
        if (hand == Fingers::Left)
            mirror = -1;
    }
    draw_image(":/images/hand3d1s.jpg", mirror, finger);
}

namespace {
QGraphicsEllipseItem *lessonCircle = nullptr;
}

void Lessons::draw_image(QString path, int mirror, int fingernumber)
{
    handView = view;
    handScene->clear();
    lessonCircle = Fingers::drawHand(Fingers::Variant::LessonViewer, path, mirror, fingernumber, view, handScene);
}

void Lessons::timer_slot() {}

void Lessons::on_PushButton_R1_1_pressed() { draw_fingers(1, 1, 1); }
void Lessons::on_PushButton_R1_1_released() { draw_hand(); }
void Lessons::on_PushButton_R1_2_pressed() { draw_fingers(1, 2, 1); }
void Lessons::on_PushButton_R1_2_released() { draw_hand(); }
void Lessons::on_PushButton_R1_3_pressed() { draw_fingers(1, 3, 1); }
void Lessons::on_PushButton_R1_3_released() { draw_hand(); }
void Lessons::on_PushButton_R1_4_pressed() { draw_fingers(1, 4, 1); }
void Lessons::on_PushButton_R1_4_released() { draw_hand(); }
void Lessons::on_PushButton_R1_5_pressed() { draw_fingers(1, 5, 1); }
void Lessons::on_PushButton_R1_5_released() { draw_hand(); }
void Lessons::on_PushButton_R1_6_pressed() { draw_fingers(1, 6, 1); }
void Lessons::on_PushButton_R1_6_released() { draw_hand(); }
void Lessons::on_PushButton_R1_7_pressed() { draw_fingers(1, 7, 1); }
void Lessons::on_PushButton_R1_7_released() { draw_hand(); }
void Lessons::on_PushButton_R1_8_pressed() { draw_fingers(1, 8, 1); }
void Lessons::on_PushButton_R1_8_released() { draw_hand(); }
void Lessons::on_PushButton_R1_9_pressed() { draw_fingers(1, 9, 1); }
void Lessons::on_PushButton_R1_9_released() { draw_hand(); }
void Lessons::on_PushButton_R1_10_pressed() { draw_fingers(1, 10, 1); }
void Lessons::on_PushButton_R1_10_released() { draw_hand(); }
void Lessons::on_PushButton_R1_11_pressed() { draw_fingers(1, 11, 1); }
void Lessons::on_PushButton_R1_11_released() { draw_hand(); }
void Lessons::on_PushButton_R1_12_pressed() { draw_fingers(1, 12, 1); }
void Lessons::on_PushButton_R1_12_released() { draw_hand(); }
void Lessons::on_PushButton_R1_13_pressed() { draw_fingers(1, 13, 1); }
void Lessons::on_PushButton_R1_13_released() { draw_hand(); }
void Lessons::on_PushButton_R2_1_pressed() { draw_fingers(2, 1, 1); }
void Lessons::on_PushButton_R2_1_released() { draw_hand(); }
void Lessons::on_PushButton_R2_2_pressed() { draw_fingers(2, 2, 1); }
void Lessons::on_PushButton_R2_2_released() { draw_hand(); }
void Lessons::on_PushButton_R2_3_pressed() { draw_fingers(2, 3, 1); }
void Lessons::on_PushButton_R2_3_released() { draw_hand(); }
void Lessons::on_PushButton_R2_4_pressed() { draw_fingers(2, 4, 1); }
void Lessons::on_PushButton_R2_4_released() { draw_hand(); }
void Lessons::on_PushButton_R2_5_pressed() { draw_fingers(2, 5, 1); }
void Lessons::on_PushButton_R2_5_released() { draw_hand(); }
void Lessons::on_PushButton_R2_6_pressed() { draw_fingers(2, 6, 1); }
void Lessons::on_PushButton_R2_6_released() { draw_hand(); }
void Lessons::on_PushButton_R2_7_pressed() { draw_fingers(2, 7, 1); }
void Lessons::on_PushButton_R2_7_released() { draw_hand(); }
void Lessons::on_PushButton_R2_8_pressed() { draw_fingers(2, 8, 1); }
void Lessons::on_PushButton_R2_8_released() { draw_hand(); }
void Lessons::on_PushButton_R2_9_pressed() { draw_fingers(2, 9, 1); }
void Lessons::on_PushButton_R2_9_released() { draw_hand(); }
void Lessons::on_PushButton_R2_10_pressed() { draw_fingers(2, 10, 1); }
void Lessons::on_PushButton_R2_10_released() { draw_hand(); }
void Lessons::on_PushButton_R2_11_pressed() { draw_fingers(2, 11, 1); }
void Lessons::on_PushButton_R2_11_released() { draw_hand(); }
void Lessons::on_PushButton_R2_12_pressed() { draw_fingers(2, 12, 1); }
void Lessons::on_PushButton_R2_12_released() { draw_hand(); }
void Lessons::on_PushButton_R3_1_pressed() { draw_fingers(3, 1, 1); }
void Lessons::on_PushButton_R3_1_released() { draw_hand(); }
void Lessons::on_PushButton_R3_2_pressed() { draw_fingers(3, 2, 1); }
void Lessons::on_PushButton_R3_2_released() { draw_hand(); }
void Lessons::on_PushButton_R3_3_pressed() { draw_fingers(3, 3, 1); }
void Lessons::on_PushButton_R3_3_released() { draw_hand(); }
void Lessons::on_PushButton_R3_4_pressed() { draw_fingers(3, 4, 1); }
void Lessons::on_PushButton_R3_4_released() { draw_hand(); }
void Lessons::on_PushButton_R3_5_pressed() { draw_fingers(3, 5, 1); }
void Lessons::on_PushButton_R3_5_released() { draw_hand(); }
void Lessons::on_PushButton_R3_6_pressed() { draw_fingers(3, 6, 1); }
void Lessons::on_PushButton_R3_6_released() { draw_hand(); }
void Lessons::on_PushButton_R3_7_pressed() { draw_fingers(3, 7, 1); }
void Lessons::on_PushButton_R3_7_released() { draw_hand(); }
void Lessons::on_PushButton_R3_8_pressed() { draw_fingers(3, 8, 1); }
void Lessons::on_PushButton_R3_8_released() { draw_hand(); }
void Lessons::on_PushButton_R3_9_pressed() { draw_fingers(3, 9, 1); }
void Lessons::on_PushButton_R3_9_released() { draw_hand(); }
void Lessons::on_PushButton_R3_10_pressed() { draw_fingers(3, 10, 1); }
void Lessons::on_PushButton_R3_10_released() { draw_hand(); }
void Lessons::on_PushButton_R3_11_pressed() { draw_fingers(3, 11, 1); }
void Lessons::on_PushButton_R3_11_released() { draw_hand(); }
void Lessons::on_PushButton_R3_12_pressed() { draw_fingers(3, 12, 1); }
void Lessons::on_PushButton_R3_12_released() { draw_hand(); }
void Lessons::on_PushButton_R4_1_pressed() { draw_fingers(4, 1, 1); }
void Lessons::on_PushButton_R4_1_released() { draw_hand(); }
void Lessons::on_PushButton_R4_2_pressed() { draw_fingers(4, 2, 1); }
void Lessons::on_PushButton_R4_2_released() { draw_hand(); }
void Lessons::on_PushButton_R4_3_pressed() { draw_fingers(4, 3, 1); }
void Lessons::on_PushButton_R4_3_released() { draw_hand(); }
void Lessons::on_PushButton_R4_4_pressed() { draw_fingers(4, 4, 1); }
void Lessons::on_PushButton_R4_4_released() { draw_hand(); }
void Lessons::on_PushButton_R4_5_pressed() { draw_fingers(4, 5, 1); }
void Lessons::on_PushButton_R4_5_released() { draw_hand(); }
void Lessons::on_PushButton_R4_6_pressed() { draw_fingers(4, 6, 1); }
void Lessons::on_PushButton_R4_6_released() { draw_hand(); }
void Lessons::on_PushButton_R4_7_pressed() { draw_fingers(4, 7, 1); }
void Lessons::on_PushButton_R4_7_released() { draw_hand(); }
void Lessons::on_PushButton_R4_8_pressed() { draw_fingers(4, 8, 1); }
void Lessons::on_PushButton_R4_8_released() { draw_hand(); }
void Lessons::on_PushButton_R4_9_pressed() { draw_fingers(4, 9, 1); }
void Lessons::on_PushButton_R4_9_released() { draw_hand(); }
void Lessons::on_PushButton_R4_10_pressed() { draw_fingers(4, 10, 1); }
void Lessons::on_PushButton_R4_10_released() { draw_hand(); }
void Lessons::on_PushButton_R4_11_pressed() { draw_fingers(4, 11, 1); }
void Lessons::on_PushButton_R4_11_released() { draw_hand(); }
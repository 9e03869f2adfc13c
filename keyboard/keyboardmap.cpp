#include "keyboard/keyboardmap.h"

#include "app/messages.h"
#include "app/screenfit.h"
#include "app/slotsbyname.h"
#include "keyboard/keyids.h"
#include "keyboard/keyboardpanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
const char startButtonStyle[] = R"(
#StartButton:enabled {
    border: 0px;
    border-radius: 6px;
    background-color: blue;
}
#StartButton:pressed {
    border: 0px;
    border-radius: 6px;
    background-color: red;
}
)";
}

KeyBoardMap::KeyBoardMap(int build, QWidget *parent) : QDialog(parent)
{
    if (build != 0) {
        buildWidgets();
        KeyboardPanel::setCaptions(this, 0);
        fillKeyGroups();
        SlotsByName::connect(this);
    }
    buildTables();
}

void KeyBoardMap::buildTables()
{
    for (unsigned s = 0; s <= 54; ++s) {
        scanCodes.append(int(s));
        const QString id = Keys::keyIdForScanCode(s);
        keyIds.append(id);
        keyCaptions.append(QCoreApplication::translate("KeyBoardMap", ("key_" + id).toUtf8().constData()));
    }
}

void KeyBoardMap::buildWidgets()
{
    setObjectName("KeyBoardMap");
    resize(774, 234);
    ScreenFit::install(this);
    setWindowTitle(tr("Dialog"));
    QFrame *panel = KeyboardPanel::build(this, {"PushButton_CTRL", "KeyBoardMap", startButtonStyle});
    panel->setGeometry(0, 40, 769, 190);
    findChild<QPushButton *>("PushButton_R2_1")->setCheckable(false);

    groups = new QComboBox(panel);
    groups->setObjectName("lessonkeyofinterst");
    groups->setGeometry(583, 29, 161, 26);
    letters = new QLabel(panel);
    letters->setObjectName("gameletterstxt");
    letters->setGeometry(584, 65, 161, 71);
    letters->setFrameShape(QFrame::StyledPanel);
    letters->setWordWrap(true);
    letters->setTextInteractionFlags(Qt::NoTextInteraction);
    letters->setToolTip(tr("Keys used in the game"));
    auto *start = new QPushButton(tr("Start the Game"), panel);
    start->setObjectName("StartButton");
    start->setGeometry(612, 147, 114, 32);
    start->setToolTip(tr("Click here to start the game"));
    auto *hint = new QLabel(tr("Select key groups from the dropdown list or one by one from the virtual keyboard"), this);
    hint->setObjectName("label");
    hint->setGeometry(40, 10, 711, 16);
    hint->setAlignment(Qt::AlignCenter);
}

void KeyBoardMap::fillKeyGroups()
{
    groups->addItem("Select Key groups");
    for (int n = 0; n <= Keys::lessonSlots; ++n) {
        QString text = Keys::keysOfInterestText(n);
        if (text == Keys::keysOfInterestSource(n))
            continue; // no list of its own
        text.replace("R", "key_R");
        QString group;
        for (QString token : text.split(' ', Qt::KeepEmptyParts)) {
            if (token.contains("Shift"))
                token.remove("_key");
            group += " " + QCoreApplication::translate("KeyBoardMap", token.toUtf8().constData());
        }
        groups->addItem(QString::number(n) + ")" + group);
    }
}

void KeyBoardMap::setGameType(int type)
{
    selectedGameType = type;
}

int KeyBoardMap::gameType() const
{
    return selectedGameType;
}

QString KeyBoardMap::keyIdForScanCode(unsigned scanCode, double) const
{
    return Keys::keyIdForScanCode(scanCode);
}

QString KeyBoardMap::keyTextForScanCode(unsigned scanCode, double, bool shifted) const
{
    const QString id = Keys::keyIdForScanCode(scanCode);
    if (shifted && scanCode != 58 && Keys::characterKeyIds().contains(id)) // Caps Lock shares the A key's id
        return Keys::caption(Keys::Layer::Shift, id);
    QString text;
    if (scanCode >= 2 && scanCode <= 53)
        text = keyCaptions.value(int(scanCode)); // 51-53 included: the balls carry those letters too
    if (scanCode == 57)
        text = "R5_5";
    if (scanCode == 58)
        text = "Caps";
    if (scanCode == 86)
        text = Keys::caption(Keys::Layer::Plain, "R4_1");
    if (scanCode == 42 || scanCode == 54)
        text = "Shift";
    if (scanCode == 347)
        text = "Start";
    if (scanCode == 29)
        text = "ctrl";
    if (scanCode == 56)
        text = "Alt";
    if (scanCode == 1)
        text = "ESC";
    return text;
}

void KeyBoardMap::on_lessonkeyofinterst_currentIndexChanged(int index)
{
    const QString entry = groups->itemText(index);
    const int bracket = entry.indexOf(')');
    if (bracket <= 0)
        return;
    const QString rest = entry.mid(bracket + 2);
    letters->setText(rest);
    selected = rest.split(' ', Qt::KeepEmptyParts);
}

void KeyBoardMap::selectKey(int row, int column, int)
{
    auto *button = findChild<QPushButton *>("PushButton_" + Keys::idFor(row, column));
    if (!button)
        return;
    const QString caption = KeyboardPanel::caption(button);
    if (selected.contains(caption, Qt::CaseSensitive))
        selected.removeOne(caption);
    else
        selected.append(caption);
    showSelection();
}

void KeyBoardMap::showSelection()
{
    QString shown;
    for (const QString &s : selected)
        shown += s + " ";
    if (letters)
        letters->setText(shown);
}

void KeyBoardMap::on_StartButton_clicked()
{
    if (selected.isEmpty()) {
        Messages::information(this, "Info",
                              "No keys were selected, please select keys either from the dropdown list or by "
                              "clicking required keys in the keyboard, note that double clickings keys deselects them");
        return;
    }
    startPressed = true;
    emit ExitKbMap(true, selected, selectedGameType);
}

// Escape rejects: it ends the dialog the way closing it does, so the
// chooser hears that nothing was started.
void KeyBoardMap::reject()
{
    close();
}

void KeyBoardMap::closeEvent(QCloseEvent *event)
{
    if (!startPressed)
        emit ExitKbMap(false, selected, selectedGameType);
    event->accept();
}

void KeyBoardMap::on_PushButton_Shift_released() { KeyboardPanel::setCaptions(this, 0); }
void KeyBoardMap::on_PushButton_Shift_pressed() { KeyboardPanel::setCaptions(this, 1); }
void KeyBoardMap::on_Space_pressed() { selectKey(0, 0, 0); }
void KeyBoardMap::on_Space_released() {}
void KeyBoardMap::on_PushButton_R2_1_clicked() {}

void KeyBoardMap::on_PushButton_R1_1_pressed() { selectKey(1, 1, 1); }
void KeyBoardMap::on_PushButton_R1_1_released() {}
void KeyBoardMap::on_PushButton_R1_2_pressed() { selectKey(1, 2, 1); }
void KeyBoardMap::on_PushButton_R1_2_released() {}
void KeyBoardMap::on_PushButton_R1_3_pressed() { selectKey(1, 3, 1); }
void KeyBoardMap::on_PushButton_R1_3_released() {}
void KeyBoardMap::on_PushButton_R1_4_pressed() { selectKey(1, 4, 1); }
void KeyBoardMap::on_PushButton_R1_4_released() {}
void KeyBoardMap::on_PushButton_R1_5_pressed() { selectKey(1, 5, 1); }
void KeyBoardMap::on_PushButton_R1_5_released() {}
void KeyBoardMap::on_PushButton_R1_6_pressed() { selectKey(1, 6, 1); }
void KeyBoardMap::on_PushButton_R1_6_released() {}
void KeyBoardMap::on_PushButton_R1_7_pressed() { selectKey(1, 7, 1); }
void KeyBoardMap::on_PushButton_R1_7_released() {}
void KeyBoardMap::on_PushButton_R1_8_pressed() { selectKey(1, 8, 1); }
void KeyBoardMap::on_PushButton_R1_8_released() {}
void KeyBoardMap::on_PushButton_R1_9_pressed() { selectKey(1, 9, 1); }
void KeyBoardMap::on_PushButton_R1_9_released() {}
void KeyBoardMap::on_PushButton_R1_10_pressed() { selectKey(1, 10, 1); }
void KeyBoardMap::on_PushButton_R1_10_released() {}
void KeyBoardMap::on_PushButton_R1_11_pressed() { selectKey(1, 11, 1); }
void KeyBoardMap::on_PushButton_R1_11_released() {}
void KeyBoardMap::on_PushButton_R1_12_pressed() { selectKey(1, 12, 1); }
void KeyBoardMap::on_PushButton_R1_12_released() {}
void KeyBoardMap::on_PushButton_R1_13_pressed() { selectKey(1, 13, 1); }
void KeyBoardMap::on_PushButton_R1_13_released() {}
void KeyBoardMap::on_PushButton_R2_1_pressed() { selectKey(2, 1, 1); }
void KeyBoardMap::on_PushButton_R2_1_released() {}
void KeyBoardMap::on_PushButton_R2_2_pressed() { selectKey(2, 2, 1); }
void KeyBoardMap::on_PushButton_R2_2_released() {}
void KeyBoardMap::on_PushButton_R2_3_pressed() { selectKey(2, 3, 1); }
void KeyBoardMap::on_PushButton_R2_3_released() {}
void KeyBoardMap::on_PushButton_R2_4_pressed() { selectKey(2, 4, 1); }
void KeyBoardMap::on_PushButton_R2_4_released() {}
void KeyBoardMap::on_PushButton_R2_5_pressed() { selectKey(2, 5, 1); }
void KeyBoardMap::on_PushButton_R2_5_released() {}
void KeyBoardMap::on_PushButton_R2_6_pressed() { selectKey(2, 6, 1); }
void KeyBoardMap::on_PushButton_R2_6_released() {}
void KeyBoardMap::on_PushButton_R2_7_pressed() { selectKey(2, 7, 1); }
void KeyBoardMap::on_PushButton_R2_7_released() {}
void KeyBoardMap::on_PushButton_R2_8_pressed() { selectKey(2, 8, 1); }
void KeyBoardMap::on_PushButton_R2_8_released() {}
void KeyBoardMap::on_PushButton_R2_9_pressed() { selectKey(2, 9, 1); }
void KeyBoardMap::on_PushButton_R2_9_released() {}
void KeyBoardMap::on_PushButton_R2_10_pressed() { selectKey(2, 10, 1); }
void KeyBoardMap::on_PushButton_R2_10_released() {}
void KeyBoardMap::on_PushButton_R2_11_pressed() { selectKey(2, 11, 1); }
void KeyBoardMap::on_PushButton_R2_11_released() {}
void KeyBoardMap::on_PushButton_R2_12_pressed() { selectKey(2, 12, 1); }
void KeyBoardMap::on_PushButton_R2_12_released() {}
void KeyBoardMap::on_PushButton_R3_1_pressed() { selectKey(3, 1, 1); }
void KeyBoardMap::on_PushButton_R3_1_released() {}
void KeyBoardMap::on_PushButton_R3_2_pressed() { selectKey(3, 2, 1); }
void KeyBoardMap::on_PushButton_R3_2_released() {}
void KeyBoardMap::on_PushButton_R3_3_pressed() { selectKey(3, 3, 1); }
void KeyBoardMap::on_PushButton_R3_3_released() {}
void KeyBoardMap::on_PushButton_R3_4_pressed() { selectKey(3, 4, 1); }
void KeyBoardMap::on_PushButton_R3_4_released() {}
void KeyBoardMap::on_PushButton_R3_5_pressed() { selectKey(3, 5, 1); }
void KeyBoardMap::on_PushButton_R3_5_released() {}
void KeyBoardMap::on_PushButton_R3_6_pressed() { selectKey(3, 6, 1); }
void KeyBoardMap::on_PushButton_R3_6_released() {}
void KeyBoardMap::on_PushButton_R3_7_pressed() { selectKey(3, 7, 1); }
void KeyBoardMap::on_PushButton_R3_7_released() {}
void KeyBoardMap::on_PushButton_R3_8_pressed() { selectKey(3, 8, 1); }
void KeyBoardMap::on_PushButton_R3_8_released() {}
void KeyBoardMap::on_PushButton_R3_9_pressed() { selectKey(3, 9, 1); }
void KeyBoardMap::on_PushButton_R3_9_released() {}
void KeyBoardMap::on_PushButton_R3_10_pressed() { selectKey(3, 10, 1); }
void KeyBoardMap::on_PushButton_R3_10_released() {}
void KeyBoardMap::on_PushButton_R3_11_pressed() { selectKey(3, 11, 1); }
void KeyBoardMap::on_PushButton_R3_11_released() {}
void KeyBoardMap::on_PushButton_R3_12_pressed() { selectKey(3, 12, 1); }
void KeyBoardMap::on_PushButton_R3_12_released() {}
void KeyBoardMap::on_PushButton_R4_1_pressed() { selectKey(4, 1, 1); }
void KeyBoardMap::on_PushButton_R4_1_released() {}
void KeyBoardMap::on_PushButton_R4_2_pressed() { selectKey(4, 2, 1); }
void KeyBoardMap::on_PushButton_R4_2_released() {}
void KeyBoardMap::on_PushButton_R4_3_pressed() { selectKey(4, 3, 1); }
void KeyBoardMap::on_PushButton_R4_3_released() {}
void KeyBoardMap::on_PushButton_R4_4_pressed() { selectKey(4, 4, 1); }
void KeyBoardMap::on_PushButton_R4_4_released() {}
void KeyBoardMap::on_PushButton_R4_5_pressed() { selectKey(4, 5, 1); }
void KeyBoardMap::on_PushButton_R4_5_released() {}
void KeyBoardMap::on_PushButton_R4_6_pressed() { selectKey(4, 6, 1); }
void KeyBoardMap::on_PushButton_R4_6_released() {}
void KeyBoardMap::on_PushButton_R4_7_pressed() { selectKey(4, 7, 1); }
void KeyBoardMap::on_PushButton_R4_7_released() {}
void KeyBoardMap::on_PushButton_R4_8_pressed() { selectKey(4, 8, 1); }
void KeyBoardMap::on_PushButton_R4_8_released() {}
void KeyBoardMap::on_PushButton_R4_9_pressed() { selectKey(4, 9, 1); }
void KeyBoardMap::on_PushButton_R4_9_released() {}
void KeyBoardMap::on_PushButton_R4_10_pressed() { selectKey(4, 10, 1); }
void KeyBoardMap::on_PushButton_R4_10_released() {}
void KeyBoardMap::on_PushButton_R4_11_pressed() { selectKey(4, 11, 1); }
void KeyBoardMap::on_PushButton_R4_11_released() {}
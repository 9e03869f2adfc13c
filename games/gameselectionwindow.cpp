#include "games/gameselectionwindow.h"

#include "app/screenfit.h"

#include "games/fallinggame.h"
#include "keyboard/keyboardmap.h"
#include "store/dbstuff.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDebug>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <cmath>

namespace {
const char closeButtonStyle[] =
    "QPushButton:enabled { border: 2px solid #8f8f91; border-radius: 6px; "
    "background-color: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 1, stop: 0 #eb5287, stop: 1 #ffff0a); "
    "max-width: 32px; max-height: 32px; color: white; }"
    "QPushButton:pressed { background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffff0a, "
    "stop: 1 #eb5287); color: black; }";
const char titleStyle[] = "QLabel {     border: 0px solid #8f8f91; color:black; background-color: transparent;}";

QString gameButtonStyle(const char *picture)
{
    return QString("QPushButton:enabled { padding-left: 4px; border: 2px solid #8f8f91; border-radius: 6px; "
                   "background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffff0a, stop: 1 #eb5287); "
                   "background-image: url(%1); color: white; max-width: 124px; max-height: 124px; }"
                   "QPushButton:pressed { background-color: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 1, "
                   "stop: 0 #aaaaaa, stop: 1 #ffff0a); color: black; }")
        .arg(picture);
}

QLabel *title(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(titleStyle);
    return label;
}
}

GameSelectionWindow::GameSelectionWindow(int x, int y, int pageMode, QWidget *parent) : QDialog(parent), mode(pageMode)
{
    if (mode == 0) {
        keyMap = new KeyBoardMap(1, nullptr);
        connect(keyMap.data(), &KeyBoardMap::ExitKbMap, this, &GameSelectionWindow::ReturnFrKbMap);
        qDebug() << "connected signal";
    }
    resize(mode == 0 ? QSize(508, 204) : QSize(300, 200));
    move(x, y);
    ScreenFit::install(this);
    setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::CustomizeWindowHint);
    setWindowFlags(Qt::FramelessWindowHint);

    auto *close = new QPushButton("X", this);
    close->setObjectName("CloseBtn");
    close->setGeometry(20, 50, 32, 32);
    close->setStyleSheet(closeButtonStyle);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    setStyleSheet("QWidget { background: transparent; border: 0 px;  }");

    if (mode == 0)
        buildGamesPage();
    else if (mode == 2)
        buildConfigurationPage();
}

void GameSelectionWindow::buildGamesPage()
{
    setWindowTitle(tr("Select a typing game"));
    title(this, windowTitle(), QRect(170, 35, 260, 20));
    auto *falling = new QPushButton(this);
    falling->setObjectName("gamebutton1");
    falling->setGeometry(180, 60, 124, 124);
    falling->setStyleSheet(gameButtonStyle(":/images/game_falling_keys_124_ar.png"));
    falling->setToolTip(tr("Falling keys game"));
    connect(falling, &QPushButton::clicked, this, &GameSelectionWindow::onclick_button1);
    auto *space = new QPushButton(this);
    space->setObjectName("gamebutton2");
    space->setGeometry(320, 60, 124, 124);
    space->setStyleSheet(gameButtonStyle(":/images/game_space_keys_124_ar.png"));
    space->setToolTip(tr("Keys in space game"));
    connect(space, &QPushButton::clicked, this, &GameSelectionWindow::onclick_button2);
}

void GameSelectionWindow::buildConfigurationPage()
{
    setWindowTitle(tr("Configuration Page"));
    title(this, windowTitle(), QRect(width() / 4, 40, width() / 2, 20));
    auto *check = new QCheckBox("Automatic check for update", this);
    check->setObjectName("autocheck");
    check->setGeometry(50, 50, 250, 124);
    check->setToolTip(tr("Automatic check for new versions"));
    // The page's transparent, borderless style would hide the box itself.
    check->setStyleSheet("QCheckBox::indicator { width: 16px; height: 16px; border: 2px solid #4a4a4a; "
                         "border-radius: 3px; background: white; }"
                         "QCheckBox::indicator:checked { background: #2e7d32; }");
    // Show what is stored, without writing it back.
    const QString stored = dB_Stuff().userSetting("AutoCheckUpdate", QString(), 2);
    check->setCheckState(stored == "2" ? Qt::Checked : Qt::Unchecked);
    connect(check, &QCheckBox::stateChanged, this, &GameSelectionWindow::OnUpdateCheck_config);
    setLayoutDirection(Qt::LeftToRight);
}

void GameSelectionWindow::chooseGame(int code)
{
    selectionCode = code;
    hide();
    if (keyMap) {
        keyMap->setGameType(code);
        keyMap->show();
    }
}

void GameSelectionWindow::onclick_button1()
{
    chooseGame(1);
}

void GameSelectionWindow::onclick_button2()
{
    chooseGame(2);
}

void GameSelectionWindow::OnUpdateCheck_config(int newstate)
{
    dB_Stuff().userSetting("AutoCheckUpdate", QString::number(newstate), 1);
}

void GameSelectionWindow::ReturnFrKbMap(bool NoSel, QStringList st, int)
{
    if (!NoSel) {
        emit showTypingmain();
        show();
        return;
    }
    int type = 0;
    if (keyMap) {
        type = keyMap->gameType();
        // The dialog is inside its own start button's signal: free it later.
        keyMap->hide();
        keyMap->deleteLater();
    }
    QDialog *game = nullptr;
    if (type == 1)
        game = new game1(st, nullptr);
    else if (type == 2)
        game = new game2(st, nullptr);
    if (!game)
        return;
    const int result = game->exec();
    delete game; // however it ended
    emit SendGameSelectionBackToTypingMain(selectionCode, st);
    if (result == QDialog::Accepted) {
        QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
    }
}

QPainterPath GameSelectionWindow::outline() const
{
    QPainterPath path;
    path.addRoundedRect(QRectF(1.0, 30.0, width() - 2, height() - 39), 30, 30, Qt::RelativeSize);
    path.addRect(QRectF(width() / 2 - 5, 15.0, 10.0, 15.0));
    return path;
}

void GameSelectionWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    const QPainterPath path = outline();
    painter.setPen(Qt::gray);
    painter.drawPath(path);
    painter.setClipPath(path);
    const QRegion shape(path.toFillPolygon().toPolygon());
    if (mask() != shape)
        setMask(shape);
    QLinearGradient fill(80, 80, 120, 120);
    fill.setColorAt(1.0, QColor(180, 214, 56));
    if (mode == 0) {
        fill.setColorAt(0.0, QColor(255, 0, 9));
        fill.setColorAt(0.3, QColor(225, 132, 10));
        fill.setColorAt(0.9, QColor(225, 255, 255));
    }
    painter.fillPath(path, fill);
    painter.restore();
}

void GameSelectionWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging = true;
    dragX = qint32(std::floor(event->screenPos().x() + 0.5));
    dragY = qint32(std::floor(event->screenPos().y() + 0.5));
}

void GameSelectionWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !dragging)
        return;
    const qint32 x = qint32(std::floor(event->screenPos().x() + 0.5));
    const qint32 y = qint32(std::floor(event->screenPos().y() + 0.5));
    move(pos() + QPoint(x - dragX, y - dragY));
    dragX = x;
    dragY = y;
}

void GameSelectionWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragging = false;
}

// The key dialog is this page's: it goes with it, without reporting back.
void GameSelectionWindow::closeEvent(QCloseEvent *event)
{
    if (keyMap) {
        disconnect(keyMap.data(), nullptr, this, nullptr);
        keyMap->hide();
        keyMap->deleteLater();
    }
    done(1);
    event->accept();
}

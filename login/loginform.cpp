#include "login/login.h"

#include "app/resources.h"
#include "app/screenfit.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>

// The login window's form: fields, buttons, title and style.
namespace {

const char loginStyleSheet[] = R"(
#frame { border: 3px solid gray; border-radius: 40px;
  background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0.5 #eef, stop: 0.9 #FFFFFF); }
*[mandatoryField="true"] { background-color: #d4d6d6; }
QDialog#mywindow, #MyBrowse { border: 3px solid gray;
  background: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 1, stop: 0 #e4eb86, stop: 1 #FFFFFF); }
QPushButton:enabled { border: 2px solid #8f8f91; border-radius: 6px;
  background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #88d, stop: 0.1 #99e, stop: 0.49 #77c, stop: 0.5 #66b, stop: 1 #77c);
  color: white; min-width: 80px; }
QPushButton:pressed {
  background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #77c, stop: 0.1 #66b, stop: 0.49 #77c, stop: 0.5 #99e, stop: 1 #88d);
  color: black; }
QPushButton:flat { border: none; }
QPushButton:default { border-color: navy; }
QScrollBar:horizontal { border: 2px solid gray; height: 10px; margin: 0px 20px 0 20px;
  background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #eef, stop: 1 #ccf); }
QScrollBar::handle:horizontal { background: lavender; min-width: 20px; }
QScrollBar::add-line:horizontal { width: 20px; subcontrol-position: right; subcontrol-origin: margin; }
QScrollBar::sub-line:horizontal { width: 20px; subcontrol-position: left; subcontrol-origin: margin; }
QScrollBar::right-arrow:horizontal { image: url(:/images/rightarrow32.png); width: 32px; height: 32px; }
)";

QWidget *gridContainer(QWidget *parent, const QRect &geometry, QGridLayout **grid, const char *name)
{
    auto *container = new QWidget(parent);
    container->setGeometry(geometry);
    *grid = new QGridLayout(container);
    (*grid)->setObjectName(name);
    (*grid)->setContentsMargins(0, 0, 0, 0);
    return container;
}
}

void Login::buildForm()
{
    setObjectName("Login");
    resize(690, 365);
    setFont(QFont("Verdana", 13));
    setWindowOpacity(0.9);
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setStyleSheet(loginStyleSheet);

    frame = new QFrame(this);
    frame->setObjectName("frame");
    frame->setGeometry(50, 80, 581, 221);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Plain);

    buildFields();
    buildHeader();
    setTabOrders();
    ScreenFit::install(this);
}

void Login::buildFields()
{
    QGridLayout *grid;
    gridContainer(frame, QRect(40, 13, 511, 145), &grid, "gridLayout");
    label_3 = new QLabel;
    label_3->setObjectName("label_3");
    logindBList = new QComboBox;
    logindBList->setObjectName("logindBList");
    loginbrowse = new QPushButton;
    loginbrowse->setObjectName("loginbrowse");
    loginserver = new QPushButton;
    loginserver->setObjectName("loginserver");
    label_6 = new QLabel;
    label_6->setObjectName("label_6");
    logincurrentusers = new QComboBox;
    logincurrentusers->setObjectName("logincurrentusers");
    label_2 = new QLabel;
    label_2->setObjectName("label_2");
    loginpassword = new QLineEdit;
    loginpassword->setObjectName("loginpassword");
    grid->addWidget(label_3, 0, 0);
    grid->addWidget(logindBList, 0, 1);
    grid->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed), 0, 2);
    grid->addWidget(loginbrowse, 0, 3);
    grid->addWidget(loginserver, 0, 4);
    grid->addWidget(label_6, 1, 0);
    grid->addWidget(logincurrentusers, 1, 1, 1, 3);
    grid->addWidget(label_2, 2, 0);
    grid->addWidget(loginpassword, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    QGridLayout *buttons;
    gridContainer(frame, QRect(40, 180, 511, 32), &buttons, "gridLayout_2");
    QPushButton **row[] = {&logincreateuser, &logindeleteuser, &loginchangepassword, &loginbutton};
    const char *names[] = {"logincreateuser", "logindeleteuser", "loginchangepassword", "loginbutton"};
    for (int i = 0; i < 4; ++i) {
        *row[i] = new QPushButton;
        (*row[i])->setObjectName(names[i]);
        (*row[i])->setMinimumWidth(84);
        buttons->addWidget(*row[i], 0, i);
    }

    QGridLayout *bottom;
    gridContainer(this, QRect(50, 310, 581, 51), &bottom, "gridLayout_4");
    langlist = new QComboBox;
    langlist->setObjectName("langlist");
    langlist->setMaxVisibleItems(3);
    bottom->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding), 0, 0);
    bottom->addWidget(langlist, 0, 1);
}

void Login::buildHeader()
{
    key = new QPushButton(this);
    key->setObjectName("key");
    key->setGeometry(590, 10, 80, 64);
    key->setMinimumSize(80, 64);
    key->setIcon(Resources::pngIcon(":/images/icons/user-login-icon.png"));
    key->setIconSize(QSize(64, 64));
    key->setStyleSheet("QPushButton { background-color: transparent; border: 0px; }");

    titleLabel = new QLabel("Harfora", this);
    titleLabel->setObjectName("titleLabel");
    QFont titleFont("Arial", 22);
    titleFont.setWeight(75);
    titleLabel->setFont(titleFont);
    titleLabel->setGeometry(150, 10, 391, 41);
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setStyleSheet("QLabel {border: 1px solid gray; background: QLinearGradient(x1: 0, y1: 0, x2: 0.5, "
                              "y2: 0.5, stop: 0 #e8af54, stop: 1 #FFFFFF);}");

    versionLabel = new QLabel("Ver 5.4 R2017", this);
    versionLabel->setObjectName("versionLabel");
    QFont versionFont = font();
    versionFont.setPointSize(8);
    versionFont.setItalic(true);
    versionFont.setWeight(QFont::Normal);
    versionLabel->setFont(versionFont);
    versionLabel->setGeometry(453, 43, 131, 31);
    versionLabel->setAlignment(Qt::AlignCenter);
    versionLabel->setStyleSheet("QLabel {border: 0px solid #8f8f91; color:black; background-color: transparent;}");
}

void Login::setTabOrders()
{
    QWidget::setTabOrder(logindBList, loginbrowse);
    QWidget::setTabOrder(loginbrowse, loginserver);
    QWidget::setTabOrder(loginserver, logincurrentusers);
    QWidget::setTabOrder(logincurrentusers, loginpassword);
    QWidget::setTabOrder(loginpassword, logincreateuser);
    QWidget::setTabOrder(logincreateuser, logindeleteuser);
    QWidget::setTabOrder(logindeleteuser, loginchangepassword);
    QWidget::setTabOrder(loginchangepassword, loginbutton);
    QWidget::setTabOrder(loginbutton, langlist);
    QWidget::setTabOrder(langlist, key);
}

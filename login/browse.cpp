#include "login/browse.h"

#include "app/slotsbyname.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

Browse::Browse(QString file, QString rootPath, QWidget *parent) : QDialog(parent), fileName(file)
{
    setWindowModality(Qt::ApplicationModal);
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Select folder containing the database file - Users.dB  !")), 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Folders")), 1, 0);
    grid->addWidget(new QLabel(tr("Database Files")), 1, 1);

    model = new QFileSystemModel(this);
    model->setRootPath(rootPath);
    model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    dirview = new QTreeView;
    dirview->setObjectName("dirview");
    dirview->setModel(model);
    for (int column = 1; column < model->columnCount(); ++column)
        dirview->hideColumn(column);
    dirview->header()->hide();
    dirview->setCurrentIndex(model->index(rootPath));
    dirview->scrollTo(model->index(rootPath));
    grid->addWidget(dirview, 2, 0);

    fileList = new QListWidget;
    fileList->setObjectName("filelist");
    grid->addWidget(fileList, 2, 1);

    okButton = new QPushButton(tr("OK"));
    okButton->setObjectName("ok_pushbutton");
    okButton->setEnabled(false);
    grid->addWidget(okButton, 3, 1);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(okButton, &QPushButton::clicked, this, &Browse::ok_pushbutton_clicked);
    resize(600, 400);
    SlotsByName::connect(this);
}

void Browse::chooseFolder(const QString &folder)
{
    const QModelIndex index = model->index(folder);
    dirview->setCurrentIndex(index);
    on_dirview_clicked(index);
}

void Browse::on_dirview_clicked(QModelIndex index)
{
    const QString candidate = model->fileInfo(index).absoluteFilePath() + "/" + fileName;
    if (!QFileInfo::exists(candidate))
        return;
    fileList->clear();
    fileList->addItem(fileName);
    fileList->setCurrentRow(0);
    resultPath = candidate;
    okButton->setEnabled(true);
}

void Browse::ok_pushbutton_clicked()
{
    QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
}

#pragma once

#include <QDialog>
#include <QModelIndex>

class QFileSystemModel;
class QListWidget;
class QPushButton;
class QTreeView;

// Folder chooser: the user clicks a folder; when it holds `fileName`, that
// file's path becomes `resultPath` and OK is enabled.
class Browse : public QDialog
{
    Q_OBJECT
public:
    Browse(QString fileName, QString rootPath, QWidget *parent);
    QString resultPath;
    // Acts as a click on the given folder in the tree.
    void chooseFolder(const QString &folder);

private slots:
    void on_dirview_clicked(QModelIndex index);
    void ok_pushbutton_clicked();

private:
    QString fileName;
    QFileSystemModel *model;
    QTreeView *dirview;
    QListWidget *fileList;
    QPushButton *okButton;
};

// The folder picker behind the Browse button: a list of places (the drives, or where
// the system has none, the file-system root and the user's home and pictures folders),
// the folder tree of the chosen place, and the folder name, which may also be typed.
// The caller sets FolderName, shows the picker modally and reads OkPressed and
// FolderName; the picker is kept hidden for the next use.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace quillon {

class frmSelectFolder : public QDialog {
    Q_OBJECT

public:
    explicit frmSelectFolder(QWidget *parent = nullptr);

    bool OkPressed() const { return m_okPressed; }
    // The text of the folder name box, unchecked when typed by hand.
    QString FolderName() const;
    // Moves the folder list to the folder (or, when it is gone, to its nearest existing
    // parent), which puts the path into the folder name box.
    void SetFolderName(const QString &strNewValue);

    // The places of the drive list, in their order.
    static QStringList DrivePlaces();
    // The place whose tree shows the folder: the longest place that holds it.
    static QString PlaceOf(const QString &folder, const QStringList &places);

    QLabel *Label1;
    QComboBox *drvChange;
    QTreeView *dirLook;
    QLabel *Label2;
    QLineEdit *txtFolderName;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;

public slots:
    // Esc: Cancel.
    void reject() override;
    void cmdOk_Click();
    void cmdCancel_Click();
    void dirLook_Change();
    void drvChange_Change();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ShowPlace(const QString &place);
    void SelectDriveQuietly(const QString &place);

    QFileSystemModel *m_model;
    QString m_place;
    bool m_okPressed = false;
    bool m_settingDrive = false;
};

} // namespace quillon

// The about box: product name, version and a notice; modeless, one at a time.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quillon {

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // "Version 1.1.8": the first, second and fourth numbers of the file version.
    static QString VersionText();
    // "Desktop Calendar/Schedule for " and the system the program runs on.
    static QString DescriptionText();
    static QString DisclaimerText();

private:
    void Form_Load();

    QLabel *m_icon;
    QLabel *m_title;
    QLabel *m_version;
    QLabel *m_description;
    QLabel *m_disclaimer;
    QPushButton *m_ok;
};

} // namespace quillon

// The help pages in a small window of our own, for a desktop without a browser: the
// page, its links followed within the window, Back and Contents. Modeless; the window's
// title is the page's.
#pragma once

#include <QDialog>
#include <QUrl>

class QPushButton;
class QTextBrowser;

namespace quillon {

class frmHelp : public QDialog {
    Q_OBJECT

public:
    explicit frmHelp(QWidget *parent = nullptr);

    // Shows the page; the contents page is where Contents goes back to.
    void ShowPage(const QUrl &page);
    QTextBrowser *Browser() const { return m_page; }

private:
    QTextBrowser *m_page;
    QPushButton *m_back;
    QUrl m_contents;
};

} // namespace quillon

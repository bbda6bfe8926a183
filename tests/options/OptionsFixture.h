// Opens the options dialog on the test's own settings, with stand-ins for the program
// starter and the colour, font and folder dialogs that answer what the test queued.
#pragma once

#include "QuillonTestEnvironment.h"
#include "OptionsRules.h"
#include "frmOptions.h"

#include <QColor>
#include <QFont>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quillon {

namespace optionstest {

struct Started {
    QString program;
    QStringList arguments;
};

class OptionsTest : public quillontest::QuillonTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the dialog and loads it; Open also waits until the picture folder and
    // the stored picture have been read.
    frmOptions &Load();
    frmOptions &Open();
    frmOptions &Form() { return *m_form; }
    void WaitForImageList();

    // One settings value as stored now; "<none>" when it is absent.
    static QString Stored(const char *name);
    static void Store(const char *name, const QString &value);
    // A folder of (empty-bodied) files, and a real little picture.
    QString MakeFolder(const QString &name, const QStringList &files);
    QString MakePicture(const QString &path, const QColor &color);

    // The error reports shown under that operation name.
    int ReportsUnder(const QString &operation) const;
    int ReportCount() const;
    // Messages other than error reports, as "title|text".
    QStringList Notices() const;

    QSize screen{1920, 1080};
    QString calendarProgram = QStringLiteral("/nonexistent/calendar");
    std::int32_t startResult = 0;
    std::vector<Started> started;
    std::deque<std::optional<QColor>> colorAnswers;   // empty: the dialog is cancelled
    std::deque<std::optional<QFont>> fontAnswers;
    bool systemFontDialog = false;   // the real font dialog instead of fontAnswers
    std::vector<QColor> colorDialogStarts;
    std::function<void(frmSelectFolder &)> folderPicker;
    std::unique_ptr<frmOptions> m_form;
};

} // namespace optionstest

} // namespace quillon

// The list of picture files of one folder (lstImages): the names, without folder,
// of the files that match a pattern, sorted by name. The folder is checked and read
// off the GUI thread, so a folder of thousands of files, or one on a network share
// that does not answer, never freezes the dialog; the names appear when the reading
// is done.
#pragma once

#include "basOperation.h"

#include <QFutureWatcher>
#include <QListView>
#include <QStringList>

#include <functional>
#include <optional>

class QStringListModel;

namespace quillon {

class ImageFileList : public QListView {
    Q_OBJECT

public:
    explicit ImageFileList(QWidget *parent = nullptr);
    ~ImageFileList() override;

    // "*.jpg;*.gif;*.bmp": patterns separated by ";", matched in any letter case.
    void SetPattern(const QString &pattern);

    // Points the list at a folder and starts reading it; the list is empty until
    // Listed(). A folder that turns out not to exist is handed to missing as the
    // failure "Path not found" just before Listed(), for the caller to report.
    using Missing = std::function<void(const basOperation::Failure &)>;
    void SetPath(const QString &folder, Missing missing = {});
    QString Path() const { return m_path; }
    bool IsListing() const { return m_watcher != nullptr; }

    int ListCount() const;
    QString List(int index) const;
    // The selected entry, -1 for none. Setting it by program raises no Click.
    int ListIndex() const;
    void SetListIndex(int index);
    QString FileName() const;

    // Selects the first entry exactly equal to the name, at once or as soon as the
    // folder has been read. A new SetPath forgets it.
    void SelectWhenListed(const QString &name);

signals:
    // The user selected an entry (mouse or keys).
    void Click();
    // The names of the folder are in the list.
    void Listed();

private:
    void ShowNames(const QStringList &names);
    void SelectName(const QString &name);

    QStringListModel *m_model;
    QStringList m_filters;
    QString m_path;
    QString m_pendingName;
    QFutureWatcher<std::optional<QStringList>> *m_watcher = nullptr;
    bool m_programmatic = false;
};

} // namespace quillon

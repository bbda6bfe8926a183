#include "OccurrenceChoice.h"

#include "platform/basPlatform.h"

#include <QMessageBox>
#include <QPushButton>

namespace quillon {

namespace OccurrenceChoice {

std::optional<EventService::Occurrences> Ask(QWidget *parent, const QString &text, const QString &title)
{
    // Nothing is deleted or changed unseen.
    if (basPlatform::IsNonInteractive())
        return std::nullopt;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Cancel, parent);
    QPushButton *only = box.addButton(QString::fromLatin1(kOnlyThis), QMessageBox::AcceptRole);
    QPushButton *following = box.addButton(QString::fromLatin1(kThisAndFollowing), QMessageBox::AcceptRole);
    QPushButton *all = box.addButton(QString::fromLatin1(kAll), QMessageBox::AcceptRole);
    box.setDefaultButton(only);
    box.exec();
    if (box.clickedButton() == only)
        return EventService::Occurrences::OnlyThis;
    if (box.clickedButton() == following)
        return EventService::Occurrences::ThisAndFollowing;
    if (box.clickedButton() == all)
        return EventService::Occurrences::All;
    return std::nullopt;
}

} // namespace OccurrenceChoice

} // namespace quillon

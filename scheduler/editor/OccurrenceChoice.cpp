#include "OccurrenceChoice.h"

#include "platform/basPlatform.h"

#include <QCoreApplication>
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
    QPushButton *only = box.addButton(QCoreApplication::translate("OccurrenceChoice", kOnlyThis), QMessageBox::AcceptRole);
    QPushButton *following = box.addButton(QCoreApplication::translate("OccurrenceChoice", kThisAndFollowing), QMessageBox::AcceptRole);
    QPushButton *all = box.addButton(QCoreApplication::translate("OccurrenceChoice", kAll), QMessageBox::AcceptRole);
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

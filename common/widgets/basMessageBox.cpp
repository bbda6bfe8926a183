#include "basMessageBox.h"

#include "platform/basPlatform.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace quillon {

namespace basMessageBox {

namespace {
using basPlatform::MessageButtons;
using basPlatform::MessageIcon;
using basPlatform::MessageRequest;
using basPlatform::MessageResult;

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonMap {
    MessageResult result;
    QMessageBox::StandardButton qt;
};

std::vector<ButtonMap> ButtonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return {{MessageResult::Ok, QMessageBox::Ok}};
    case MessageButtons::OkCancel:
        return {{MessageResult::Ok, QMessageBox::Ok}, {MessageResult::Cancel, QMessageBox::Cancel}};
    case MessageButtons::YesNo:
        return {{MessageResult::Yes, QMessageBox::Yes}, {MessageResult::No, QMessageBox::No}};
    case MessageButtons::YesNoCancel:
        return {{MessageResult::Yes, QMessageBox::Yes}, {MessageResult::No, QMessageBox::No},
                {MessageResult::Cancel, QMessageBox::Cancel}};
    case MessageButtons::RetryCancel:
        return {{MessageResult::Retry, QMessageBox::Retry}, {MessageResult::Cancel, QMessageBox::Cancel}};
    }
    return {{MessageResult::Ok, QMessageBox::Ok}};
}

MessageResult Show(const MessageRequest &request)
{
    QMessageBox box(ToQtIcon(request.icon), request.title, request.text);
    const auto map = ButtonsOf(request.buttons);
    for (size_t i = 0; i < map.size(); ++i) {
        const ButtonMap &button = map[i];
        QPushButton *added = box.addButton(button.qt);
        // A caption of its own loses the standard button's picture ("Create" is no tick).
        if (qsizetype(i) < request.buttonTexts.size() && !request.buttonTexts[qsizetype(i)].isEmpty()) {
            added->setText(request.buttonTexts[qsizetype(i)]);
            added->setIcon(QIcon());
        }
        if (button.result == request.defaultButton)
            box.setDefaultButton(button.qt);
    }
    if (!request.details.isEmpty())
        box.setDetailedText(request.details);
    const int pressed = box.exec();
    for (const ButtonMap &button : map)
        if (pressed == button.qt)
            return button.result;
    // Closed with Escape or the title bar: the box's cancel answer, else its only one.
    for (const ButtonMap &button : map)
        if (button.result == MessageResult::Cancel || button.result == MessageResult::No)
            return button.result;
    return map.front().result;
}
} // namespace

void Install()
{
    // Only a widgets application can show a box; anything else keeps the stderr answer.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        basPlatform::SetMessagePresenter(Show);
}

} // namespace basMessageBox

} // namespace quillon

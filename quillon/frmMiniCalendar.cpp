#include "frmMiniCalendar.h"

#include "ApplicationIcon.h"
#include "MiniCalendarDock.h"
#include "basLocale.h"
#include "basOperation.h"
#include "basQuillon.h"
#include "views/MonthView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace quillon {

frmMiniCalendar::frmMiniCalendar(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_month(new MonthView(this))
{
    setObjectName(QStringLiteral("frmMiniCalendar"));
    setWindowTitle(QStringLiteral("Quillon"));
    setWindowIcon(ApplicationIcon::Icon());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_month);

    // A small face, as a calendar beside the clock should be.
    QFont small = font();
    small.setPointSizeF(qMax(6.0, small.pointSizeF() * 0.85));
    m_month->setFont(small);
    m_month->SetSelectableRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    m_month->Calendar()->setNavigationBarVisible(true);

    // The window's size comes from its contents and does not change.
    setFixedSize(sizeHint());

    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::primaryScreenChanged, this, [this](QScreen *screen) {
            WatchScreen(screen);
            MoveForm();
        });
    }
    WatchScreen(QGuiApplication::primaryScreen());
    MoveForm();
}

void frmMiniCalendar::WatchScreen(QScreen *screen)
{
    if (m_watched)
        disconnect(m_watched, nullptr, this, nullptr);
    m_watched = screen;
    if (!screen)
        return;
    connect(screen, &QScreen::availableGeometryChanged, this, &frmMiniCalendar::MoveForm);
    connect(screen, &QScreen::geometryChanged, this, &frmMiniCalendar::MoveForm);
    connect(screen, &QObject::destroyed, this, [this] { m_watched = nullptr; });
}

void frmMiniCalendar::MoveForm()
{
    basOperation::TrapVoid("quillon.exe:frmMiniCalendar.MoveForm", [this](basOperation::Steps &step) {
        step(20);
        QScreen *screen = m_icon.isEmpty() ? nullptr : QGuiApplication::screenAt(m_icon.center());
        if (!screen)
            screen = m_watched ? m_watched : QGuiApplication::primaryScreen();
        if (!screen)
            return; // no screen at all: nothing to dock against
        step(30);
        const QRect screenArea = screen->geometry();
        const QRect workArea = screen->availableGeometry();
        step(220);
        m_dockedFrame = frameGeometry().size();
        move(MiniCalendarDock::DockPosition(screenArea, workArea, m_dockedFrame, m_icon));
    });
}

void frmMiniCalendar::SetIconGeometry(const QRect &icon)
{
    m_icon = icon;
    MoveForm();
}

namespace {
// A press on the tray icon takes the focus from the window before the icon reports
// the click; within this span the click is the one that hid it.
constexpr qint64 kOutsideClickMs = 500;
// How long after showing a move or a frame comes from the window manager's mapping.
constexpr qint64 kSettleMs = 1000;
} // namespace

void frmMiniCalendar::Toggle()
{
    if (isVisible()) {
        hide();
        return;
    }
    if (m_hiddenByOutsideClick.isValid() && !m_hiddenByOutsideClick.hasExpired(kOutsideClickMs)) {
        m_hiddenByOutsideClick.invalidate();
        return;
    }
    show();
    raise();
    activateWindow();   // so that a click elsewhere takes the focus and hides it
}

void frmMiniCalendar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmMiniCalendar::event(QEvent *event)
{
    // A click anywhere else hides it, as a popup would; it keeps no state worth keeping.
    if (event->type() == QEvent::WindowDeactivate && isVisible()) {
        hide();
        m_hiddenByOutsideClick.start();
    }
    return QWidget::event(event);
}

void frmMiniCalendar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Read afresh: the options may have changed it since the launcher started.
    m_month->SetFirstDayOfWeek(basLocale::FirstDayOfWeek(
        basQuillon::GetOption(QLatin1String(basLocale::kWeekStartsOn), QLatin1String(basLocale::kWeekStartsOnLocale))));
    MoveForm();
    m_shown.start();
}

void frmMiniCalendar::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // A window manager may map the window where it was first placed and add its frame:
    // dock again once it says where the window is. Later moves are the user's, but a
    // frame the manager reports late (a busy machine) still changes the size docked
    // with, which a move by the user never does.
    const bool settling = m_shown.isValid() && !m_shown.hasExpired(kSettleMs);
    if (event->spontaneous() && isVisible() && (settling || frameGeometry().size() != m_dockedFrame))
        QTimer::singleShot(0, this, &frmMiniCalendar::MoveForm);
}

} // namespace quillon

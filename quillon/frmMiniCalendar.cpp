#include "frmMiniCalendar.h"

#include "ApplicationIcon.h"
#include "MiniCalendarDock.h"
#include "basOperation.h"
#include "views/MonthView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

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
        QScreen *screen = m_watched ? m_watched : QGuiApplication::primaryScreen();
        if (!screen)
            return; // no screen at all: nothing to dock against
        step(30);
        const QRect screenArea = screen->geometry();
        const QRect workArea = screen->availableGeometry();
        step(220);
        move(MiniCalendarDock::DockPosition(screenArea, workArea, frameGeometry().size()));
    });
}

void frmMiniCalendar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    MoveForm();
}

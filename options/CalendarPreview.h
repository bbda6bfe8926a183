// The options dialog's preview: the primary screen's desktop as the renderer would draw
// it with the values being edited, reduced to the pane. The drawing is the renderer's
// own (CalendarDrawing); changes are gathered for a moment and drawn once.
#pragma once

#include "basCalendarFonts.h"
#include "basQuillon.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

class QLabel;

namespace quillon {

class CalendarPreview : public QWidget {
    Q_OBJECT

public:
    // The values a drawing is made with.
    struct Values {
        basQuillon::GeneralSettingsRecord settings;
        basCalendarFonts::CalendarFontSet fonts;
        bool backgroundOnly = false;   // the desktop calendar switched off: "calendar -1"
    };
    // How long changes are gathered before one drawing: typing a run of changes draws
    // once, and the pane still follows within 200 ms.
    static constexpr int kGatherMs = 50;

    // width: the drawing's width in pixels; its height follows the screen's shape.
    CalendarPreview(int width, QWidget *parent);

    // Draws these values once the gathering pause is over; a newer request replaces them.
    void Request(Values values);
    // What the pane shows now (the drawing reduced to imgPreview's pixels), and how many
    // drawings it has made.
    const QImage &Shown() const { return m_shown; }
    // The drawing around today pixel for pixel, as it will look on the desktop.
    const QImage &ShownToday() const { return m_today; }
    int Drawings() const { return m_drawings; }
    // The size, in device pixels, the drawing is reduced to.
    QSize ImageSize() const;

    QLabel *lblPreview;       // the caption above the drawing
    QLabel *imgPreview;
    QLabel *imgPreviewToday;  // a 1:1 crop of the drawing around today
    QLabel *lblPreviewNote;   // why the calendar would not be drawn; hidden when it would

signals:
    void Drawn();

private:
    void Draw();
    void Show(const QImage &image);

    Values m_values;
    QTimer m_gather;
    QImage m_shown;
    QImage m_today;
    int m_drawings = 0;
    bool m_drawing = false;
};

} // namespace quillon

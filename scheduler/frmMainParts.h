// What the main window's source files share: the window's design values and the
// scopes that keep its rebuilds quiet.
#pragma once

#include "frmMain.h"

#include <cstdint>

namespace quillon {

namespace frmMainParts {

// Design values of the controls, twips.
inline constexpr std::int32_t kToolbarHeight = 420;
inline constexpr std::int32_t kTodayButtonWidth = 735;
inline constexpr std::int32_t kTodayStripHeight = 250;
inline constexpr std::int32_t kNotesLabelTop = 120;
inline constexpr std::int32_t kNotesLabelWidth = 735;
inline constexpr std::int32_t kNotesLabelHeight = 250;
inline constexpr std::int32_t kNotesTop = 350;

inline constexpr auto kCaption = "Quillon Scheduler";
inline constexpr auto kCaptionFontFamily = "MS Sans Serif";
inline constexpr int kCaptionFontPoints = 12;
inline constexpr auto kFactFontFamily = "Arial";
inline constexpr int kFactFontPoints = 9;

inline constexpr int kStatusClockInterval = 1000;
inline constexpr int kLeastPaneSize = 24; // pixels

// Sets a flag for the span of a scope and puts the previous value back.
class FlagScope {
public:
    explicit FlagScope(bool &flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_previous; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
    bool m_previous;
};

} // namespace frmMainParts

// Suspends painting of the part of the window whose view is rebuilt, so no
// intermediate state is ever drawn; nested rebuilds keep the one suspension, and
// painting resumes when the outermost ends. Only that part is drawn again then: a
// whole-window redraw costs more than the rebuild itself.
class frmMain::PaintingSuspended {
public:
    PaintingSuspended(frmMain &window, QWidget &part);
    ~PaintingSuspended();
    PaintingSuspended(const PaintingSuspended &) = delete;
    PaintingSuspended &operator=(const PaintingSuspended &) = delete;

private:
    frmMain &m_window;
    bool m_locked = false;
};

} // namespace quillon

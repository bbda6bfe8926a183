// Colour values as the settings and the database keep them: red + 256 x green +
// 65536 x blue in a signed 32-bit number, -1 meaning "no colour chosen".
#pragma once

#include <QColor>

#include <cstdint>

namespace quillon {

namespace basColor {

inline constexpr std::int32_t kNoColor = -1;

inline QColor ToQColor(std::int32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline std::int32_t FromQColor(const QColor &color)
{
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

// Black or white, whichever reads on the background: text on a block of the user's colour.
inline QColor ReadableTextOn(const QColor &background)
{
    const double luminance = 0.299 * background.redF() + 0.587 * background.greenF() + 0.114 * background.blueF();
    return luminance > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace basColor

} // namespace quillon

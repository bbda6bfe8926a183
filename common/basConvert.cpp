#include "basConvert.h"

#include "basOperation.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace quillon {

namespace basConvert {

double RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

double ToDouble(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        basOperation::ThrowTypeMismatch();
    bool ok = false;
    // Stored numbers are locale-free: "10.5", never "10,5".
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        basOperation::ThrowTypeMismatch();
    return value;
}

namespace {
template <class Int>
Int ToWhole(const QString &text)
{
    const double rounded = RoundHalfEven(ToDouble(text));
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        basOperation::ThrowOverflow();
    return static_cast<Int>(rounded);
}
} // namespace

std::int16_t ToInt16(const QString &text) { return ToWhole<std::int16_t>(text); }
std::int32_t ToInt32(const QString &text) { return ToWhole<std::int32_t>(text); }

bool ToBoolean(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return ToDouble(trimmed) != 0.0;
}

} // namespace basConvert

} // namespace quillon

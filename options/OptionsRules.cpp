#include "OptionsRules.h"

#include "OptionsTexts.h"
#include "basConvert.h"
#include "basOperation.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace OptionsRules {

int PositionFromCode(const QString &code)
{
    const int position = basOperation::TrapSilently(static_cast<int>(kFullScreen), [&](basOperation::Steps &) {
        return static_cast<int>(basConvert::ToInt32(code));
    });
    return position >= kCenter && position <= kBottomRight ? position : kFullScreen;
}

QString CodeOfPosition(int position)
{
    return QString::number(position >= kCenter && position <= kBottomRight ? position : kFullScreen);
}

bool IsSmallScreen(QSize pixels)
{
    return pixels.width() <= kSmallScreenWidth || pixels.height() <= kSmallScreenHeight;
}

bool IsNumber(const QString &text)
{
    return basOperation::TrapSilently(false, [&](basOperation::Steps &) {
        basConvert::ToDouble(text);
        return true;
    });
}

TimeoutProblem CheckTimeoutWhileTyping(const QString &text)
{
    return !text.isEmpty() && !IsNumber(text) ? TimeoutProblem::NotANumber : TimeoutProblem::None;
}

TimeoutProblem CheckTimeoutOnLeave(const QString &text)
{
    if (text.isEmpty())
        return TimeoutProblem::Required;
    const double value = basConvert::ToDouble(text);
    if (value != std::floor(value))
        return TimeoutProblem::NotWhole;
    if (value <= 0)
        return TimeoutProblem::NotPositive;
    return TimeoutProblem::None;
}

Message MessageFor(TimeoutProblem problem)
{
    using namespace OptionsTexts;
    switch (problem) {
    case TimeoutProblem::NotANumber: return {kMustBeNumber, kInvalidEntry};
    case TimeoutProblem::Required: return {kTimeoutRequired, kRequiredEntry};
    case TimeoutProblem::NotWhole: return {kMustBeWhole, kInvalidEntry};
    case TimeoutProblem::NotPositive: return {kMustBePositive, kInvalidEntry};
    case TimeoutProblem::None: break;
    }
    return {"", ""};
}

QString StepTimeout(const QString &text, int steps)
{
    const double value = basOperation::TrapSilently(0.5, [&](basOperation::Steps &) {
        return basConvert::ToDouble(text);
    });
    if (value != std::floor(value))
        return QLatin1String(OptionsTexts::kDefaultTimeout);
    const double next = std::clamp(value + steps, double(kTimeoutMinimum), double(kTimeoutMaximum));
    return QString::number(static_cast<int>(next));
}

QFont KeepUntouchedFont(const QFont &stored, const QFont &shown, const QFont &chosen)
{
    QFont font = stored;
    if (chosen.family() != shown.family())
        font.setFamily(chosen.family());
    if (chosen.weight() != shown.weight() || chosen.style() != shown.style()) {
        font.setWeight(chosen.weight());
        font.setStyle(chosen.style());
    }
    if (chosen.pointSizeF() != shown.pointSizeF())
        font.setPointSizeF(chosen.pointSizeF());
    return font;
}

} // namespace OptionsRules

} // namespace quillon

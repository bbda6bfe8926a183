// Text-to-number and text-to-boolean conversions with the rules the stored settings
// rely on. A text that does not convert raises "Type mismatch" (13); a number that
// does not fit raises "Overflow" (6), both as basOperation::Failure.
#pragma once

#include <QString>

#include <cstdint>

namespace quillon {

namespace basConvert {

// Whole numbers: blanks around the text are ignored, a sign and a fraction are
// accepted, and a fraction is rounded half to even (2.5 gives 2, 3.5 gives 4).
std::int16_t ToInt16(const QString &text);
std::int32_t ToInt32(const QString &text);
double ToDouble(const QString &text);

// Any non-zero number is true, "0" false, the words true and false in any letter case.
bool ToBoolean(const QString &text);

// Round half to even, as the stored forms expect.
double RoundHalfEven(double value);

} // namespace basConvert

} // namespace quillon

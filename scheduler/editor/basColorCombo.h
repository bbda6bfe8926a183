// The scheduler's sixteen event colours: their names, the colour of each name, and the
// colour combo whose entries carry a key, an optional text and a painted swatch.
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

#include <cstdint>

class QComboBox;

namespace quillon {

namespace basColorCombo {

// The names in combo order, "Fuschia" spelled so.
inline constexpr auto kColorList =
    "White,Black,Maroon,Green,Olive,Navy,Purple,Teal,Gray,Silver,Red,Lime,Yellow,Blue,Fuschia,Aqua";
inline constexpr auto kDefaultKey = "Default";
//: The event takes the Scheduler's own event colour.
inline constexpr auto kDefaultText = QT_TRANSLATE_NOOP("basColorCombo", "(Default)");

// Swatch size in device-independent pixels.
inline constexpr int kSwatchWidthWithNames = 32;
inline constexpr int kSwatchWidthWithoutNames = 64;
inline constexpr int kSwatchHeight = 12;

QStringList ColorNames();

// Exact, case-sensitive: red + 256 x green + 65536 x blue; black for any other text.
std::int32_t ColorFromName(const QString &name);

// A swatch filled with the colour and outlined in black, drawn at every device pixel
// ratio the screens use so it stays crisp.
QIcon AddColorImage(const QString &name, bool showNames);

// Fills the combo: "(Default)" with key "Default", then the sixteen colours. The key of
// an entry is its item data (Qt::UserRole).
void LoadColorCombo(QComboBox &combo, bool showNames);

// The key of the selected entry, empty when nothing is selected.
QString SelectedKey(const QComboBox &combo);
// The position of the entry with this key, or -1.
int FindKey(const QComboBox &combo, const QString &key);

} // namespace basColorCombo

} // namespace quillon

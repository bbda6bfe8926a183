// The 16 event colour names and the CSS names calendar files carry for them (COLOR).
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

namespace EventColors {

// In the colour list's order ("Fuschia" spelled so).
inline const QStringList &Names()
{
    static const QStringList names = QStringLiteral("White,Black,Maroon,Green,Olive,Navy,Purple,Teal,Gray,Silver,"
                                                    "Red,Lime,Yellow,Blue,Fuschia,Aqua")
                                         .split(QLatin1Char(','));
    return names;
}

// The CSS name of an event colour ("Fuschia" -> "fuchsia"); empty for any other text.
inline QString CssNameOf(const QString &eventColor)
{
    if (!Names().contains(eventColor))
        return QString();
    // The one name the list spells differently from CSS.
    if (eventColor == QLatin1String("Fuschia"))
        return QStringLiteral("fuchsia");
    return eventColor.toLower();
}

} // namespace EventColors

} // namespace quillon

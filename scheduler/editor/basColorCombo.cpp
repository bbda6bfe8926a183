#include "basColorCombo.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <array>
#include <set>

namespace quillon {

namespace basColorCombo {

namespace {

struct NamedColor {
    const char *name;
    int red;
    int green;
    int blue;
};

constexpr std::array<NamedColor, 16> kColors{{
    {QT_TRANSLATE_NOOP("basColorCombo", "Black"), 0, 0, 0},       {QT_TRANSLATE_NOOP("basColorCombo", "Maroon"), 128, 0, 0},    {QT_TRANSLATE_NOOP("basColorCombo", "Green"), 0, 128, 0},
    {QT_TRANSLATE_NOOP("basColorCombo", "Olive"), 128, 128, 0},   {QT_TRANSLATE_NOOP("basColorCombo", "Navy"), 0, 0, 128},      {QT_TRANSLATE_NOOP("basColorCombo", "Purple"), 128, 0, 128},
    {QT_TRANSLATE_NOOP("basColorCombo", "Teal"), 0, 128, 128},    {QT_TRANSLATE_NOOP("basColorCombo", "Gray"), 128, 128, 128},  {QT_TRANSLATE_NOOP("basColorCombo", "Silver"), 192, 192, 192},
    {QT_TRANSLATE_NOOP("basColorCombo", "Red"), 255, 0, 0},       {QT_TRANSLATE_NOOP("basColorCombo", "Lime"), 0, 255, 0},      {QT_TRANSLATE_NOOP("basColorCombo", "Yellow"), 255, 255, 0},
    {QT_TRANSLATE_NOOP("basColorCombo", "Blue"), 0, 0, 255},      {QT_TRANSLATE_NOOP("basColorCombo", "Fuschia"), 255, 0, 255}, {QT_TRANSLATE_NOOP("basColorCombo", "Aqua"), 0, 255, 255},
    {QT_TRANSLATE_NOOP("basColorCombo", "White"), 255, 255, 255},
}};

QPixmap Swatch(const QColor &color, int width, qreal ratio)
{
    QPixmap pixmap(QSize(qRound(width * ratio), qRound(kSwatchHeight * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    // One device pixel wide along the very edge, whatever the ratio.
    QPen pen(Qt::black);
    pen.setWidthF(1.0 / ratio);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const qreal half = 0.5 / ratio;
    painter.drawRect(QRectF(half, half, width - 1.0 / ratio, kSwatchHeight - 1.0 / ratio));
    return pixmap;
}

} // namespace

QStringList ColorNames()
{
    return QString::fromLatin1(kColorList).split(QLatin1Char(','));
}

std::int32_t ColorFromName(const QString &name)
{
    for (const NamedColor &color : kColors) {
        if (name == QLatin1String(color.name))
            return color.red + 256 * color.green + 65536 * color.blue;
    }
    return 0;
}

QIcon AddColorImage(const QString &name, bool showNames)
{
    const std::int32_t value = ColorFromName(name);
    const QColor color(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    const int width = showNames ? kSwatchWidthWithNames : kSwatchWidthWithoutNames;
    std::set<qreal> ratios{1.0, 2.0};
    for (const QScreen *screen : QGuiApplication::screens())
        ratios.insert(screen->devicePixelRatio());
    QIcon icon;
    for (qreal ratio : ratios)
        icon.addPixmap(Swatch(color, width, ratio));
    return icon;
}

void LoadColorCombo(QComboBox &combo, bool showNames)
{
    const QStringList names = ColorNames();
    combo.clear();
    combo.setIconSize(QSize(showNames ? kSwatchWidthWithNames : kSwatchWidthWithoutNames, kSwatchHeight));
    // Shown in the user's words; the stored key is the English name.
    combo.addItem(QCoreApplication::translate("basColorCombo", kDefaultText), QString::fromLatin1(kDefaultKey));
    for (const QString &name : names)
        combo.addItem(AddColorImage(name, showNames),
                      showNames ? QCoreApplication::translate("basColorCombo", name.toLatin1().constData()) : QString(), name);
    combo.update();
}

QString SelectedKey(const QComboBox &combo)
{
    return combo.currentIndex() < 0 ? QString() : combo.currentData().toString();
}

int FindKey(const QComboBox &combo, const QString &key)
{
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemData(i).toString() == key)
            return i;
    }
    return -1;
}

} // namespace basColorCombo

} // namespace quillon

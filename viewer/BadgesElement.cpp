#include "BadgesElement.h"

#include "Badges.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace Badges {
namespace {

constexpr int kTwipsPerPoint = 20;
constexpr int kLargestFontTwips = 2160 * kTwipsPerPoint;  // the largest size a device offers
constexpr int kMostKnownTypefaces = 256;

enum Kind { Text = 0, Picture = 1, Box = 2, Line = 3 };

QColor fromViewColour(std::int32_t colour) {
    const auto bits = static_cast<std::uint32_t>(colour);
    return QColor(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

// Offset of content of the given extent inside a box side of size boxExtent: 0 start,
// 1 centred, 2 end.
double alignedOffset(int alignment, double boxExtent, double extent) {
    switch (alignment) {
    case 1: return (boxExtent - extent) / 2;
    case 2: return boxExtent - extent;
    default: return 0;
    }
}

// fontconfig answers every family name with some face; a name counts as available when it is
// installed or is an alias of a face other than the one unknown names fall back to
// ("Times New Roman" is served by a metric-compatible face).
bool typefaceAvailable(const QString& name) {
    static QHash<QString, bool> known;
    static const QString fallback = QFontInfo(QFont(QStringLiteral("No Such Typeface Anywhere"))).family();
    const auto found = known.constFind(name);
    if (found != known.constEnd()) return *found;
    const bool available = QFontDatabase::hasFamily(name) || QFontInfo(QFont(name)).family() != fallback;
    if (known.size() >= kMostKnownTypefaces) known.clear();  // a file of ever new names stays small
    known.insert(name, available);
    return available;
}

QFont sizedFont(QFont font, double points) {
    const double twips = std::clamp(points * kTwipsPerPoint, 1.0, double(kLargestFontTwips));
    font.setPixelSize(static_cast<int>(std::lround(twips)));
    return font;
}

// Font size after grow or shrink fits the text to its box; sizes are in points, the text's
// width and height in twips at the element's own size.
double fittedSize(const ViewItemRecord& item, double width, double height) {
    const double size = item.fontSize;
    if (item.grow == 1 && width < item.w && width > 0) return size * item.w / width;
    if (item.grow == 2 && std::nearbyint(height) < item.h && height > 0) return size * item.h / std::nearbyint(height);
    if (item.shrink == 1 && std::nearbyint(width) > item.w) return size * item.w / std::nearbyint(width);
    if (item.shrink == 2 && std::nearbyint(height) > item.h) return size * item.h / std::nearbyint(height);
    return size;
}

// The part of the page that the surface shows, in twips.
QRectF visibleArea(const QPainter& surface) {
    const QRectF device(0, 0, surface.device()->width(), surface.device()->height());
    return surface.worldTransform().inverted().mapRect(device);
}

void drawText(QPainter& surface, const ViewItemRecord& item, const QString& text) {
    if (item.fontSize <= 0) return;  // no device offers such a size
    QFont font = surface.font();
    const QString& fontName = FontName(item);
    if (!fontName.isEmpty() && typefaceAvailable(fontName)) font.setFamily(fontName);
    font.setBold(item.bold);
    font.setItalic(item.italic);
    // Design metrics: measures grow in proportion to the size, and the screen measures text as
    // the printer does. The text is measured once; its measures at the fitted size follow.
    font.setHintingPreference(QFont::PreferNoHinting);
    font = sizedFont(font, item.fontSize);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    const double height = metrics.height();
    const double ascent = metrics.ascent();

    const double size = fittedSize(item, width, height);
    if (!(size > 0)) return;  // shrunk into a box without room
    const int measuredPixels = font.pixelSize();
    font = sizedFont(font, size);
    surface.setFont(font);
    const double scale = double(font.pixelSize()) / measuredPixels;

    const double x = item.x + alignedOffset(item.horizontalAlignment, item.w, width * scale);
    const double y = item.y + alignedOffset(item.verticalAlignment, item.h, height * scale);
    // Glyphs may reach past their advance by a fraction of the height: keep that much margin.
    const QRectF reach = QRectF(x, y, width * scale, height * scale).adjusted(-height * scale, 0, height * scale, 0);
    if (!reach.intersects(visibleArea(surface))) return;
    surface.setPen(fromViewColour(item.colour));
    surface.setBackgroundMode(Qt::TransparentMode);
    surface.drawText(QPointF(x, y + ascent * scale), text);
}

// Only regular files: opening a device or a pipe could block or never end.
bool loadPicture(const QString& path, QImage& picture) {
    picture = QImage();
    if (!FileExists(path) || !QFileInfo(path).isFile()) return false;
    return picture.load(path) && picture.width() > 0 && picture.height() > 0;
}

void drawPicture(QPainter& surface, const ViewItemRecord& item, const QString& path, QImage& picture) {
    if (!loadPicture(path, picture) || item.w <= 0 || item.h <= 0) return;
    const double pw = picture.width();
    const double ph = picture.height();
    QRectF target;
    if (pw / ph >= double(item.w) / item.h) {
        const double height = std::nearbyint(item.w * ph / pw);
        target = QRectF(item.x, item.y + alignedOffset(item.verticalAlignment, item.h, height), item.w, height);
    } else {
        const double width = std::nearbyint(pw * item.h / ph);
        target = QRectF(item.x + alignedOffset(item.horizontalAlignment, item.w, width), item.y, width, item.h);
    }
    surface.drawImage(target, picture);
}

// Pen of a box or a line: the width in twips turned into whole device pixels, at least one.
QPen outlinePen(const QPainter& surface, const ViewItemRecord& item) {
    const double twipsPerPixel = 1.0 / surface.worldTransform().m11();
    const double pixels = std::nearbyint(item.lineWidth / twipsPerPixel);
    QPen pen(fromViewColour(item.colour), std::max(1.0, pixels), Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

void drawElement(QPainter& surface, const ViewItemRecord& item, QImage& picture) {
    const QString text = item.variables == 1 ? SubstituteVariables(ItemText(item)) : ItemText(item);
    switch (item.kind) {
    case Text:
        drawText(surface, item, text);
        break;
    case Picture:
        drawPicture(surface, item, text, picture);
        break;
    case Box:
        surface.setPen(outlinePen(surface, item));
        surface.setBrush(QBrush(fromViewColour(item.fillColour), Qt::SolidPattern));
        surface.drawRect(QRectF(item.x, item.y, item.w, item.h).normalized());
        break;
    case Line:
        surface.setPen(outlinePen(surface, item));
        surface.drawLine(QPointF(item.x, item.y), QPointF(item.x + item.w, item.y + item.h));
        break;
    default:
        break;
    }
}

}  // namespace

QString SubstituteVariables(const QString& text) {
    const QStringList pieces = text.split(QLatin1Char('#'));
    QString joined;
    for (const QString& piece : pieces) {
        const auto variable = std::find_if(ViewVariable.begin() + 1, ViewVariable.end(),
                                           [&](const ViewVariableRecord& v) { return v.name == piece; });
        joined += variable == ViewVariable.end() ? piece : variable->value;
    }
    return joined;
}

void DrawPageElements(QPainter& surface, QImage& picture, int page) {
    if (page < 1 || page > TotalPages()) return;
    const ViewPageRecord& range = ViewPage[page];
    for (int index = range.firstItem; index <= range.lastItem; ++index) {
        if (index >= 1 && index < static_cast<int>(ViewItem.size())) drawElement(surface, ViewItem[index], picture);
    }
}

}  // namespace Badges

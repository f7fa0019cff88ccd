#include "ViewFileLayout.h"

#include "ViewFileLines.h"
#include "Windows1252.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <set>

using namespace viewfilelines;

namespace viewfilelayout {
namespace {

void ensureApplication()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "core_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

QString fromWindows1252(const std::string& bytes)
{
    QString text;
    for (const char byte : bytes)
        text += QChar(static_cast<char16_t>(codepage::fromWindows1252(static_cast<unsigned char>(byte))));
    return text.trimmed();
}

double number(const std::string& line, int field)
{
    return static_cast<double>(twips(viewfilelines::field(line, field)));
}

bool isElement(const std::string& line)
{
    return line.rfind("LORIMAND10", 0) != 0;
}

double aligned(int alignment, double boxExtent, double extent)
{
    return alignment == 1 ? (boxExtent - extent) / 2 : alignment == 2 ? boxExtent - extent : 0.0;
}

std::string describe(const Area& area)
{
    return "page " + std::to_string(area.page) + " \"" + area.text + "\" [" + std::to_string(area.left) + ", " +
           std::to_string(area.right) + "] at " + std::to_string(area.top);
}

}  // namespace

std::vector<Area> drawnTexts(const std::vector<std::string>& lines, int totalPages)
{
    ensureApplication();
    std::set<std::string> pages;
    for (const std::string& line : lines) {
        if (isElement(line))
            pages.insert(field(line, 1));
    }
    std::vector<Area> texts;
    for (const std::string& line : lines) {
        if (!isElement(line) || field(line, 7) != "0")
            continue;
        QString text = fromWindows1252(field(line, 19));
        if (field(line, 6) == "1")
            text.replace(QStringLiteral("#TotalPaginas"),
                         QString::number(totalPages != 0 ? static_cast<std::size_t>(totalPages) : pages.size()));
        if (text.isEmpty())
            continue;
        QFont font(QString::fromStdString(field(line, 14)));
        font.setBold(number(line, 16) != 0);
        font.setItalic(number(line, 17) != 0);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(static_cast<int>(number(line, 15)) * 20);
        const QFontMetricsF metrics(font);
        const double boxWidth = number(line, 4);
        double width = metrics.horizontalAdvance(text);
        if (number(line, 11) == 1 && width > boxWidth)
            width = boxWidth;
        const double height = metrics.height();
        Area area;
        area.page = static_cast<int>(number(line, 1));
        area.left = number(line, 2) + aligned(static_cast<int>(number(line, 8)), boxWidth, width);
        area.right = area.left + width;
        area.top = number(line, 3) + aligned(static_cast<int>(number(line, 9)), number(line, 5), height);
        area.bottom = area.top + height;
        area.text = text.toStdString();
        texts.push_back(area);
    }
    return texts;
}

std::vector<Area> boxes(const std::vector<std::string>& lines)
{
    std::vector<Area> found;
    for (const std::string& line : lines) {
        if (!isElement(line) || field(line, 7) != "2")
            continue;
        Area area;
        area.page = static_cast<int>(number(line, 1));
        area.left = number(line, 2);
        area.right = area.left + number(line, 4);
        area.top = number(line, 3);
        area.bottom = area.top + number(line, 5);
        found.push_back(area);
    }
    return found;
}

std::vector<std::string> crowdedRows(const std::vector<Area>& texts, double separation)
{
    const auto within = [](double y, const Area& area) { return area.top <= y && y <= area.bottom; };
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const Area& a = texts[i];
            const Area& b = texts[j];
            if (a.page != b.page || !within((a.top + a.bottom) / 2, b) || !within((b.top + b.bottom) / 2, a))
                continue;
            const double gap = std::max(b.left - a.right, a.left - b.right);
            if (gap < separation)
                problems.push_back(describe(a) + " and " + describe(b));
        }
    }
    return problems;
}

std::vector<std::string> pastTheirColumn(const std::vector<Area>& texts,
                                         const std::function<std::vector<double>(const Area&)>& edges)
{
    std::vector<std::string> problems;
    for (const Area& text : texts) {
        std::vector<double> sides = edges(text);
        std::sort(sides.begin(), sides.end());
        const auto next = std::upper_bound(sides.begin(), sides.end(), text.left);
        if (next != sides.end() && text.right > *next)
            problems.push_back(describe(text) + " past " + std::to_string(*next));
    }
    return problems;
}

std::vector<std::string> pastTheRight(const std::vector<Area>& areas, double right)
{
    std::vector<std::string> problems;
    for (const Area& area : areas) {
        if (area.right > right)
            problems.push_back(describe(area) + " past " + std::to_string(right));
    }
    return problems;
}

}  // namespace viewfilelayout

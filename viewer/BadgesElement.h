#pragma once
#include <QString>

class QImage;
class QPainter;

// What the screen and the printer share: the elements of one page drawn by the same rules.
namespace Badges {

// Draws the elements of page number page in file order; an element that cannot be drawn is
// skipped. The painter's units are twips.
void DrawPageElements(QPainter& surface, QImage& picture, int page);

// Replaces every "#"-marked piece that names a document variable by its value; other "#" vanish.
QString SubstituteVariables(const QString& text);

}  // namespace Badges

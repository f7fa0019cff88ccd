#include "PrinterPage.h"

#include <QPageLayout>
#include <QPrinterInfo>

bool PrinterPageSize(const QPrinter& printer, float& widthInches, float& heightInches)
{
    const QRectF page = printer.pageLayout().fullRect(QPageLayout::Inch);
    if (!page.isValid())
        return false;
    widthInches = float(page.width());
    heightInches = float(page.height());
    return true;
}

void SetPrinterPageSize(QPrinter& printer, float widthInches, float heightInches)
{
    const bool landscape = widthInches > heightInches;
    const QSizeF portrait = landscape ? QSizeF(heightInches, widthInches) : QSizeF(widthInches, heightInches);
    printer.setPageSize(QPageSize(portrait, QPageSize::Inch));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::unique_ptr<QPrinter> DefaultPrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(printer);
}

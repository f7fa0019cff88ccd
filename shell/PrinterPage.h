#pragma once
#include <QPrinter>

#include <memory>

// The printer's page size in inches (its width and height in twips / 1440), as printed lists
// lay out their pages. False, sizes untouched, when the printer has no valid page.
bool PrinterPageSize(const QPrinter& printer, float& widthInches, float& heightInches);

// Sets the printer's page to the size in inches (landscape when wider than high).
void SetPrinterPageSize(QPrinter& printer, float widthInches, float heightInches);

// The default printer, nullptr when the system has none.
std::unique_ptr<QPrinter> DefaultPrinter();

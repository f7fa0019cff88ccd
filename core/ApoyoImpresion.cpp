#include "ApoyoImpresion.h"

#include "ApoyoLorimand.h"
#include "Recordset.h"
#include "ViewFileFormat.h"
#include "ViewFileReport.h"

#include <cmath>

namespace {

constexpr float kLeft = 0.6f;
constexpr float kCellHeight = 0.25f;
constexpr float kRowStep = 0.15f;
constexpr float kGap = 0.05f;
constexpr float kHeadingsHeight = 0.2f;
constexpr qint16 kFontSize = 10;

// The specification with its columns kept within the page's printable width.
ColumnSpecification withinPage(const QString& specification, float pageWidth)
{
    ColumnSpecification columns(specification);
    columns.keepWithin(kLeft, PrintableRight(pageWidth), kGap);
    return columns;
}

class ListReport : public ReportBody {
public:
    ListReport(const QString& headingSpecification, const QString& fieldSpecification, float pageWidth)
        : headingSpecification_(withinPage(headingSpecification, pageWidth)),
          fieldSpecification_(withinPage(fieldSpecification, pageWidth))
    {
    }

    float recordHeight() const override { return kRowStep; }
    float shortestRecordHeight() const override { return kRowStep; }
    float pageStartHeight() const override { return kHeadingsHeight; }

    void startPage(ViewFile& file, qint16 page, float& y) override
    {
        WriteViewColumnHeadings(file, kLeft, y, kCellHeight, 0.001f, viewcolour::Grey, viewcolour::Grey,
                                viewcolour::Black, kFontSize, kGap, headingSpecification_, page);
        y = y + kHeadingsHeight;
    }

    void writeRecord(ViewFile& file, const Recordset& records, qint32, qint16 page, float& y) override
    {
        WriteViewRow(file, records, kLeft, y, kCellHeight, viewcolour::Black, kFontSize, kGap, fieldSpecification_,
                     page);
        y = y + kRowStep;
    }

private:
    const ColumnSpecification headingSpecification_;
    const ColumnSpecification fieldSpecification_;
};

}  // namespace

bool PrintRecordset(Recordset& records, const QString& filePath, float pageWidth, float pageHeight,
                    const QString& heading, const QString& title, const QString& subtitle,
                    const QString& headingSpecification, const QString& fieldSpecification, QString& error)
{
    ListReport body(headingSpecification, fieldSpecification, pageWidth);
    return WriteReport(records, {filePath, pageWidth, pageHeight, heading, title, subtitle}, body, error);
}

QString ColumnSpecificationWidth(int widthTwips)
{
    const double hundredths = std::nearbyint(widthTwips * 100.0 / 1440.0);
    std::string text;
    AppendDecimal(text, hundredths / 100.0, 15);
    return QString::fromLatin1(text);
}

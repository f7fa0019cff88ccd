#include "ApoyoLorimand.h"
#include "ChargeReportBody.h"
#include "ChargeReports.h"
#include "ViewFileFormat.h"
#include "ViewFileTextWidth.h"

#include <algorithm>

namespace {

constexpr float kLeft = 0.5f;
constexpr float kFrameWidth = 7.0f;
constexpr float kCellHeight = 0.25f;
constexpr float kBlockGap = 0.15f;
constexpr float kPageStartHeight = 0.2f;
constexpr float kValueIndent = 0.1f;
constexpr qint32 kFirstColumnCells = 7;
constexpr qint16 kValueSize = 10;

using namespace viewalign;

// Small plain caption at the top left of a cell.
void writeLabel(ViewFile& file, qint16 page, float x, float y, QStringView label)
{
    WriteViewText(file, page, x, y, 2.0f, 0.2f, Left, Top, viewcolour::Black, 6, false, false, label);
}

// A value in italics on the bottom line of a cell, followed by its code or date in
// parentheses: the value is cut to end, with the parentheses, before the column's right line.
void writeValue(ViewFile& file, qint16 page, float x, float y, float columnEnd, QStringView value,
                QStringView ending)
{
    WriteViewText(file, page, x, y, 2.3f, 0.24f, Left, Bottom, viewcolour::Black, kValueSize, false, true,
                  FitViewText(value, ending, columnEnd - kColumnSeparation - x, kValueSize, false, true));
}

// A code or date in parentheses after a value, with the blanks before it.
QString inParentheses(const QString& blanks, const QString& code, const QString& after = QStringLiteral(")"))
{
    return blanks + u'(' + code + after;
}

class DetailedChargeReport : public ChargeReportBody {
public:
    using ChargeReportBody::ChargeReportBody;

    float recordHeight() const override { return blockHeight() + kBlockGap; }
    float shortestRecordHeight() const override
    {
        return static_cast<float>(kFirstColumnCells) * kCellHeight + kBlockGap;
    }
    float pageStartHeight() const override { return kPageStartHeight; }

    void startPage(ViewFile&, qint16, float& y) override { y = y + kPageStartHeight; }

    void writeRecord(ViewFile& file, const Recordset& records, qint32, qint16 page, float& y) override
    {
        const float column = 7.3f / 3.0f;
        const float secondColumn = kLeft + column;
        const float thirdColumn = kLeft + 2.0f * column;
        const float frameEnd = kLeft + kFrameWidth;
        const float height = blockHeight();

        WriteViewBox(file, page, kLeft, y, kFrameWidth, height, 0.02f, viewcolour::White, viewcolour::Black);
        WriteViewBox(file, page, secondColumn, y, column, height, 0.02f, viewcolour::White, viewcolour::Black);
        for (int k = 1; k < kFirstColumnCells; ++k)
            WriteViewBox(file, page, kLeft, cellY(y, k), column, 0.005f, 0.001f, viewcolour::Black,
                         viewcolour::Black);

        // Label, value and the code or date after it.
        const QString cells[kFirstColumnCells][3] = {
            {QStringLiteral("Patient"), text(records, QStringLiteral("Names")),
             inParentheses(QStringLiteral("  "), text(records, QStringLiteral("DateOfBirth")), QStringLiteral(") "))},
            {QStringLiteral("Date of Service"), text(records, QStringLiteral("ChargeRealDate")), QString()},
            {QStringLiteral("Evaluation & Managment"), text(records, QStringLiteral("EMDescription")),
             inParentheses(QStringLiteral("  "), emCode(records))},
            {QStringLiteral("Facility"), text(records, QStringLiteral("Facility")),
             inParentheses(QStringLiteral("  "), facilityCode(records))},
            {QStringLiteral("Refer Doctor"), text(records, QStringLiteral("ReferDoctor")),
             inParentheses(QStringLiteral("  "), text(records, QStringLiteral("BillingReferDoctorCode")))},
            {QStringLiteral("Billing Doctor"), text(records, QStringLiteral("Doctor")),
             inParentheses(QStringLiteral("  "), text(records, QStringLiteral("BillingDoctorCode")))},
            {QStringLiteral("Insurance"), text(records, QStringLiteral("Insurance")), QString()},
        };
        for (int k = 0; k < kFirstColumnCells; ++k) {
            writeLabel(file, page, 0.51f, cellY(y, k), cells[k][0]);
            writeValue(file, page, kLeft + kValueIndent, cellY(y, k), secondColumn, cells[k][1], cells[k][2]);
        }

        writeCodes(file, page, secondColumn, thirdColumn, y, u"Diagnosis", diagnoses_);
        writeCodes(file, page, thirdColumn, frameEnd, y, u"Procedures", procedures_);
        y = y + recordHeight();
    }

private:
    static float cellY(float y, int k) { return y + kCellHeight * static_cast<float>(k); }

    // Seven cells, or as many as the longer of the two code lists when that is more.
    float blockHeight() const
    {
        const qint32 lines = std::max({kFirstColumnCells, diagnoses_.count(), procedures_.count()});
        return static_cast<float>(lines) * kCellHeight;
    }

    void writeCodes(ViewFile& file, qint16 page, float columnX, float columnEnd, float y, QStringView label,
                    const ChargeCodes& codes) const
    {
        writeLabel(file, page, columnX + 0.01f, y, label);
        codes.forEach(realCodes_, [&](qint32 k, const QString& description, const QString& code) {
            writeValue(file, page, columnX + kValueIndent, cellY(y, k - 1), columnEnd, description,
                       inParentheses(QStringLiteral(" "), code));
        });
    }
};

}  // namespace

bool PrintChargeReport(Recordset& records, const QString& filePath, float pageWidth, float pageHeight,
                       const QString& heading, const QString& title, const QString& subtitle, bool realCodes,
                       QString& error)
{
    DetailedChargeReport body(realCodes);
    return WriteReport(records, {filePath, pageWidth, pageHeight, heading, title, subtitle}, body, error);
}

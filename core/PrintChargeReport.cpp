#include "ApoyoLorimand.h"
#include "ChargeReportBody.h"
#include "ChargeReports.h"
#include "ViewFileFormat.h"

#include <algorithm>

namespace {

constexpr float kLeft = 0.5f;
constexpr float kCellHeight = 0.25f;
constexpr float kBlockGap = 0.15f;
constexpr qint32 kFirstColumnCells = 7;

using namespace viewalign;

// Small plain caption at the top left of a cell.
void writeLabel(ViewFile& file, qint16 page, float x, float y, QStringView label)
{
    WriteViewText(file, page, x, y, 2.0f, 0.2f, Left, Top, viewcolour::Black, 6, false, false, label);
}

// A value in italics on the bottom line of a cell.
void writeValue(ViewFile& file, qint16 page, float x, float y, QStringView value)
{
    WriteViewText(file, page, x, y, 2.3f, 0.24f, Left, Bottom, viewcolour::Black, 10, false, true, value);
}

class DetailedChargeReport : public ChargeReportBody {
public:
    using ChargeReportBody::ChargeReportBody;

    float recordHeight() const override { return blockHeight() + kBlockGap; }

    void startPage(ViewFile&, qint16, float& y) override { y = y + 0.2f; }

    void writeRecord(ViewFile& file, const Recordset& records, qint32, qint16 page, float& y) override
    {
        const float column = 7.3f / 3.0f;
        const float secondColumn = kLeft + column;
        const float thirdColumn = kLeft + 2.0f * column;
        const float height = blockHeight();

        WriteViewBox(file, page, kLeft, y, 7.0f, height, 0.02f, viewcolour::White, viewcolour::Black);
        WriteViewBox(file, page, secondColumn, y, column, height, 0.02f, viewcolour::White, viewcolour::Black);
        for (int k = 1; k < kFirstColumnCells; ++k)
            WriteViewBox(file, page, kLeft, cellY(y, k), column, 0.005f, 0.001f, viewcolour::Black,
                         viewcolour::Black);

        const QString cells[kFirstColumnCells][2] = {
            {QStringLiteral("Patient"), text(records, QStringLiteral("Names")) + QStringLiteral("  (") +
                                            text(records, QStringLiteral("DateOfBirth")) + QStringLiteral(") ")},
            {QStringLiteral("Date of Service"), text(records, QStringLiteral("ChargeRealDate"))},
            {QStringLiteral("Evaluation & Managment"),
             text(records, QStringLiteral("EMDescription")) + QStringLiteral("  (") + emCode(records) + u')'},
            {QStringLiteral("Facility"), text(records, QStringLiteral("Facility")) + QStringLiteral("  (") + facilityCode(records) + u')'},
            {QStringLiteral("Refer Doctor"), text(records, QStringLiteral("ReferDoctor")) + QStringLiteral("  (") +
                                                 text(records, QStringLiteral("BillingReferDoctorCode")) + u')'},
            {QStringLiteral("Billing Doctor"), text(records, QStringLiteral("Doctor")) + QStringLiteral("  (") +
                                                   text(records, QStringLiteral("BillingDoctorCode")) + u')'},
            {QStringLiteral("Insurance"), text(records, QStringLiteral("Insurance"))},
        };
        for (int k = 0; k < kFirstColumnCells; ++k) {
            writeLabel(file, page, 0.51f, cellY(y, k), cells[k][0]);
            writeValue(file, page, 0.6f, cellY(y, k), cells[k][1]);
        }

        writeCodes(file, page, secondColumn, y, u"Diagnosis", diagnoses_);
        writeCodes(file, page, thirdColumn, y, u"Procedures", procedures_);
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

    void writeCodes(ViewFile& file, qint16 page, float columnX, float y, QStringView label,
                    const ChargeCodes& codes) const
    {
        writeLabel(file, page, columnX + 0.01f, y, label);
        codes.forEach(realCodes_, [&](qint32 k, const QString& description, const QString& code) {
            writeValue(file, page, columnX + 0.1f, cellY(y, k - 1), description + QStringLiteral(" (") + code + u')');
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

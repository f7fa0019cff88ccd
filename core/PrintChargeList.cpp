#include "ApoyoLorimand.h"
#include "ChargeReportBody.h"
#include "ChargeReports.h"
#include "RecordsetValues.h"

#include <algorithm>

namespace {

using namespace viewalign;

constexpr float kHeadingY = 1.25f;
constexpr float kLineHeight = 0.2f;
constexpr float kCodeLineStep = 0.15f;
constexpr int kCodesPerLine = 4;

constexpr qint32 kDarkRed = 128;   // RGB 128, 0, 0
constexpr qint32 kOlive = 32896;   // RGB 128, 128, 0
constexpr qint32 kGreen = 32768;   // RGB 0, 128, 0

struct HeadingCell {
    const char16_t* caption;
    float boxX;
    float boxWidth;
    float captionX;
    float captionWidth;
};

constexpr HeadingCell kHeadings[] = {
    {u"Patient", 0.5f, 2.95f, 0.55f, 2.45f},   {u"POS", 3.5f, 0.45f, 3.55f, 0.45f},
    {u"Diagnosis", 4.0f, 1.95f, 4.05f, 1.95f}, {u"Procedures", 6.0f, 1.95f, 6.05f, 1.95f},
    {u"E&M", 8.0f, 0.45f, 8.05f, 0.45f},       {u"DOS", 8.5f, 0.55f, 8.55f, 0.55f},
    {u"Refer.", 9.1f, 0.45f, 9.15f, 0.6f},     {u"Bill.", 9.6f, 0.45f, 9.65f, 0.6f},
    {u"Status", 10.1f, 0.45f, 10.15f, 0.6f},
};

qint32 statusColour(const QVariant& status)
{
    if (!recordsetvalues::isNull(status)) {
        if (status.toInt() == 0)
            return kDarkRed;
        if (status.toInt() == 1)
            return kOlive;
    }
    return kGreen;
}

// Lines of four codes that a list of count codes takes (none for no code).
int codeLines(qint32 count)
{
    return count > 0 ? (count - 1) / kCodesPerLine + 1 : 0;
}

class BillingList : public ChargeReportBody {
public:
    BillingList(bool realCodes, float pageWidth) : ChargeReportBody(realCodes), pageWidth_(pageWidth) {}

    float recordHeight() const override
    {
        const int lines = std::max({1, codeLines(diagnoses_.count()), codeLines(procedures_.count())});
        return static_cast<float>(lines) * kLineHeight;
    }

    void startPage(ViewFile& file, qint16 page, float& y) override
    {
        for (const HeadingCell& cell : kHeadings) {
            WriteViewBox(file, page, cell.boxX, kHeadingY, cell.boxWidth, 0.25f, 0.001f, viewcolour::Grey,
                         viewcolour::Grey);
            WriteViewText(file, page, cell.captionX, kHeadingY, cell.captionWidth, 0.25f, Left, Middle,
                          viewcolour::Black, 10, true, true, QStringView(cell.caption));
        }
        y = y + 0.25f;
        patientPrintedOnPage_ = false;
    }

    void writeRecord(ViewFile& file, const Recordset& records, qint32 position, qint16 page, float& y) override
    {
        const float height = recordHeight();
        WriteViewText(file, page, 0.4f, y, 2.25f, 0.15f, Left, Middle, viewcolour::Black, 6, false, true,
                      QString::number(position));

        const QVariant patientId = records.Field(QStringLiteral("PatientId"));
        if (!patientPrintedOnPage_ || patientId != lastPatientId_) {
            if (patientPrintedOnPage_) {
                WriteViewBox(file, page, 0.5f, y - 0.025f, pageWidth_ - 1.0f, 0.01f, 0.001f, viewcolour::Grey,
                             viewcolour::Grey);
                y = y + 0.01f;
            }
            writeCell(file, page, 0.55f, y, 2.25f, text(records, QStringLiteral("AccountNumber")));
            writeCell(file, page, 1.05f, y, 2.25f,
                      text(records, QStringLiteral("Names")) + QStringLiteral(" (") + text(records, QStringLiteral("DateOfBirth")) +
                          QStringLiteral(") "));
            lastPatientId_ = patientId;
            patientPrintedOnPage_ = true;
        }

        writeCell(file, page, 3.55f, y, 0.45f, facilityCode(records));
        writeCodes(file, page, 4.05f, y, diagnoses_);
        writeCodes(file, page, 6.05f, y, procedures_);
        writeCell(file, page, 8.05f, y, 2.25f, emCode(records));
        writeCell(file, page, 8.55f, y, 0.55f, text(records, QStringLiteral("ChargeRealDate")));
        writeCell(file, page, 9.15f, y, 2.25f, text(records, QStringLiteral("BillingReferDoctorCode")));
        writeCell(file, page, 9.65f, y, 2.25f, text(records, QStringLiteral("BillingDoctorCode")));
        WriteViewText(file, page, 10.15f, y, 0.45f, 0.15f, Left, Middle,
                      statusColour(records.Field(QStringLiteral("status"))), 10, false, true,
                      text(records, QStringLiteral("statusDescription")));
        y = y + height;
    }

private:
    static void writeCell(ViewFile& file, qint16 page, float x, float y, float width, const QString& value)
    {
        WriteViewText(file, page, x, y, width, 0.15f, Left, Middle, viewcolour::Black, 10, false, true, value);
    }

    // Four codes to a line, lines 0.15 apart.
    void writeCodes(ViewFile& file, qint16 page, float x, float y, const ChargeCodes& codes) const
    {
        codes.forEach(realCodes_, [&](qint32 k, const QString&, const QString& code) {
            const int slot = (k - 1) % kCodesPerLine;
            const int line = (k - 1) / kCodesPerLine;
            writeCell(file, page, x + 0.5f * static_cast<float>(slot), y + kCodeLineStep * static_cast<float>(line),
                      1.95f, code);
        });
    }

    const float pageWidth_;
    bool patientPrintedOnPage_ = false;
    QVariant lastPatientId_;
};

}  // namespace

bool PrintChargeList(Recordset& records, const QString& filePath, float pageWidth, float pageHeight,
                     const QString& heading, const QString& title, const QString& subtitle, bool realCodes,
                     QString& error)
{
    BillingList body(realCodes, pageWidth);
    return WriteReport(records, {filePath, pageWidth, pageHeight, heading, title, subtitle}, body, error);
}

#include "ApoyoLorimand.h"
#include "ChargeReportBody.h"
#include "ChargeReports.h"
#include "RecordsetValues.h"
#include "ViewFileTextWidth.h"

#include <algorithm>
#include <vector>

namespace {

using namespace viewalign;

constexpr float kHeadingY = 1.25f;
constexpr float kHeadingsHeight = 0.25f;
constexpr float kLineHeight = 0.2f;
constexpr float kCodeLineStep = 0.15f;
constexpr float kCodeSlotWidth = 0.5f;
constexpr int kCodeSlotsPerLine = 4;
constexpr qint16 kTextSize = 10;
constexpr qint16 kPositionSize = 6;

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

// The columns in the order of kHeadings.
enum Column { Patient, Pos, Diagnosis, Procedures, EM, Dos, Refer, Bill, Status, ColumnCount };

constexpr HeadingCell kHeadings[ColumnCount] = {
    {u"Patient", 0.5f, 2.95f, 0.55f, 2.45f},   {u"POS", 3.5f, 0.45f, 3.55f, 0.45f},
    {u"Diagnosis", 4.0f, 1.95f, 4.05f, 1.95f}, {u"Procedures", 6.0f, 1.95f, 6.05f, 1.95f},
    {u"E&M", 8.0f, 0.45f, 8.05f, 0.45f},       {u"DOS", 8.5f, 0.55f, 8.55f, 0.55f},
    {u"Refer.", 9.1f, 0.45f, 9.15f, 0.6f},     {u"Bill.", 9.6f, 0.45f, 9.65f, 0.6f},
    {u"Status", 10.1f, 0.45f, 10.15f, 0.6f},
};

// Where the patient's name begins when the account number leaves room for it.
constexpr float kNameX = 1.05f;
constexpr float kPositionX = 0.4f;

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

// The codes of one charge in their column, four slots of 0.5 inch to a line, lines 0.15
// apart. A code wider than its slot takes the following slots too, and a code that does not
// fit the rest of a line starts the next one; only a code wider than a whole line is cut.
class CodeColumn {
public:
    CodeColumn(float x, float end) : x_(x), end_(end) {}

    void place(const ChargeCodes& codes, bool realCodes)
    {
        placed_.clear();
        int line = 0;
        int slot = 0;
        codes.forEach(realCodes, [&](qint32, const QString&, const QString& code) {
            const float width = ViewTextWidth(code, kTextSize, false, true);
            if (slot == kCodeSlotsPerLine || (slot > 0 && slotX(slot) + width > end_)) {
                ++line;
                slot = 0;
            }
            const float x = slotX(slot);
            placed_.push_back({FitViewText(code, end_ - x, kTextSize, false, true), line, slot});
            do
                ++slot;
            while (slot < kCodeSlotsPerLine && x + width + kColumnSeparation > slotX(slot));
        });
    }

    // Lines the codes take; none for no code.
    int lines() const { return placed_.empty() ? 0 : placed_.back().line + 1; }

    void write(ViewFile& file, qint16 page, float y) const
    {
        for (const Placed& code : placed_)
            WriteViewText(file, page, slotX(code.slot), y + kCodeLineStep * static_cast<float>(code.line), 1.95f,
                          0.15f, Left, Middle, viewcolour::Black, kTextSize, false, true, code.text);
    }

private:
    struct Placed {
        QString text;
        int line;
        int slot;
    };

    float slotX(int slot) const { return x_ + kCodeSlotWidth * static_cast<float>(slot); }

    const float x_;
    const float end_;  // the latest a code may end
    std::vector<Placed> placed_;
};

class BillingList : public ChargeReportBody {
public:
    BillingList(bool realCodes, float pageWidth)
        : ChargeReportBody(realCodes),
          pageWidth_(pageWidth),
          diagnosisCodes_(kHeadings[Diagnosis].captionX, columnEnd(Diagnosis)),
          procedureCodes_(kHeadings[Procedures].captionX, columnEnd(Procedures))
    {
    }

    bool readRecord(const Recordset& records, QString& error) override
    {
        if (!ChargeReportBody::readRecord(records, error))
            return false;
        diagnosisCodes_.place(diagnoses_, realCodes_);
        procedureCodes_.place(procedures_, realCodes_);
        return true;
    }

    float recordHeight() const override
    {
        const int lines = std::max({1, diagnosisCodes_.lines(), procedureCodes_.lines()});
        return static_cast<float>(lines) * kLineHeight;
    }
    float shortestRecordHeight() const override { return kLineHeight; }
    float pageStartHeight() const override { return kHeadingsHeight; }

    void startPage(ViewFile& file, qint16 page, float& y) override
    {
        for (int column = 0; column < ColumnCount; ++column) {
            const HeadingCell& cell = kHeadings[column];
            WriteViewBox(file, page, cell.boxX, kHeadingY, cell.boxWidth, 0.25f, 0.001f, viewcolour::Grey,
                         viewcolour::Grey);
            WriteViewText(file, page, cell.captionX, kHeadingY, cell.captionWidth, 0.25f, Left, Middle,
                          viewcolour::Black, 10, true, true,
                          FitViewText(QString::fromUtf16(cell.caption), columnEnd(column) - cell.captionX, 10, true, true));
        }
        y = y + kHeadingsHeight;
        patientPrintedOnPage_ = false;
    }

    void writeRecord(ViewFile& file, const Recordset& records, qint32 position, qint16 page, float& y) override
    {
        const float height = recordHeight();
        const QString number = QString::number(position);
        WriteViewText(file, page, kPositionX, y, 2.25f, 0.15f, Left, Middle, viewcolour::Black, kPositionSize, false,
                      true, number);

        const QVariant patientId = records.Field(QStringLiteral("PatientId"));
        if (!patientPrintedOnPage_ || patientId != lastPatientId_) {
            if (patientPrintedOnPage_) {
                WriteViewBox(file, page, 0.5f, y - 0.025f, pageWidth_ - 1.0f, 0.01f, 0.001f, viewcolour::Grey,
                             viewcolour::Grey);
                y = y + 0.01f;
            }
            // The account number and the name share the patient column: each starts at its
            // place, or after what stands before it when that is longer.
            const float numberEnd = kPositionX + ViewTextWidth(number, kPositionSize, false, true);
            const float accountX = std::max(kHeadings[Patient].captionX, numberEnd + kColumnSeparation);
            const float accountEnd = writeCellAt(file, page, Patient, accountX, y, 2.25f,
                                                 text(records, QStringLiteral("AccountNumber")), QString());
            writeCellAt(file, page, Patient, std::max(kNameX, accountEnd + kColumnSeparation), y, 2.25f,
                        text(records, QStringLiteral("Names")),
                        QStringLiteral(" (") + text(records, QStringLiteral("DateOfBirth")) + QStringLiteral(") "));
            lastPatientId_ = patientId;
            patientPrintedOnPage_ = true;
        }

        writeCell(file, page, Pos, y, 0.45f, facilityCode(records));
        diagnosisCodes_.write(file, page, y);
        procedureCodes_.write(file, page, y);
        writeCell(file, page, EM, y, 2.25f, emCode(records));
        writeCell(file, page, Dos, y, 0.55f, text(records, QStringLiteral("ChargeRealDate")));
        writeCell(file, page, Refer, y, 2.25f, text(records, QStringLiteral("BillingReferDoctorCode")));
        writeCell(file, page, Bill, y, 2.25f, text(records, QStringLiteral("BillingDoctorCode")));
        writeCell(file, page, Status, y, 0.45f, text(records, QStringLiteral("statusDescription")),
                  statusColour(records.Field(QStringLiteral("status"))));
        y = y + height;
    }

private:
    // Where the texts of a column must end: before the next column's texts, the last one
    // within the printable width.
    float columnEnd(int column) const
    {
        return column + 1 < ColumnCount ? kHeadings[column + 1].captionX - kColumnSeparation
                                         : PrintableRight(pageWidth_);
    }

    // A value and what follows it at x in its column, the value cut to the column; answers
    // where the written text ends.
    float writeCellAt(ViewFile& file, qint16 page, int column, float x, float y, float width, const QString& value,
                      const QString& ending, qint32 colour = viewcolour::Black) const
    {
        const QString fitted = FitViewText(value, ending, columnEnd(column) - x, kTextSize, false, true);
        WriteViewText(file, page, x, y, width, 0.15f, Left, Middle, colour, kTextSize, false, true, fitted);
        return x + ViewTextWidth(fitted, kTextSize, false, true);
    }

    // A value at its column's place.
    void writeCell(ViewFile& file, qint16 page, int column, float y, float width, const QString& value,
                   qint32 colour = viewcolour::Black) const
    {
        writeCellAt(file, page, column, kHeadings[column].captionX, y, width, value, QString(), colour);
    }

    const float pageWidth_;
    CodeColumn diagnosisCodes_;
    CodeColumn procedureCodes_;
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

#pragma once
#include <QString>
#include <QtGlobal>

class Recordset;
class ViewFile;

// The paged frame every report shares: the file header, one block per record of the
// recordset (walked by position from 1), and on each new page a separator bar closing the
// previous page, the page header and the report's own page start.

// What one report writes on that frame.
class ReportBody {
public:
    virtual ~ReportBody() = default;
    // Reads what the current record's block needs. False with a text stops the report.
    virtual bool readRecord(const Recordset& records, QString& error);
    // Inches the current record's block needs below y.
    virtual float recordHeight() const = 0;
    // Inches that the block of any record needs at least.
    virtual float shortestRecordHeight() const = 0;
    // Writes what follows the page header and moves y below it, by pageStartHeight.
    virtual void startPage(ViewFile& file, qint16 page, float& y) = 0;
    virtual float pageStartHeight() const = 0;
    // Writes the current record's block and moves y below it.
    virtual void writeRecord(ViewFile& file, const Recordset& records, qint32 position, qint16 page, float& y) = 0;
};

// The page and its header texts.
struct ReportPage {
    QString filePath;
    float width = 0;   // inches
    float height = 0;  // inches
    QString heading;
    QString title;
    QString subtitle;
};

// Writes the report to the page's file and starts the viewer on it. A recordset without
// records writes nothing and starts nothing. The recordset is left on its last record.
// False with a text when the file could not be written (no file is left half written) or
// the viewer could not be started, and when the report would be longer than the viewer
// holds of one file: a recordset whose records need more pages even at their shortest is
// refused before anything is written, any other as soon as it outgrows the file.
bool WriteReport(Recordset& records, const ReportPage& page, ReportBody& body, QString& error);

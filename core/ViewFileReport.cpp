#include "ViewFileReport.h"

#include "ApoyoLorimand.h"
#include "Recordset.h"
#include "ViewFile.h"
#include "ViewerCommandLine.h"

bool ReportBody::readRecord(const Recordset&, QString&)
{
    return true;
}

bool WriteReport(Recordset& records, const ReportPage& page, ReportBody& body, QString& error)
{
    const qint32 count = records.RecordCount();
    if (count < 1)
        return true;

    ViewFile file;
    if (!file.open(page.filePath, error))
        return false;
    WriteViewFileHeader(file, page.width, page.height);

    const float bottom = page.height - 1.0f;
    const float separatorY = bottom + 0.5f;
    const float separatorWidth = page.width - 0.9f;
    float y = 0;
    qint16 pageNumber = 0;
    bool newPage = true;
    for (qint32 position = 1; position <= count; ++position) {
        records.SetAbsolutePosition(position);
        if (!body.readRecord(records, error))
            return false;
        if (bottom < y + body.recordHeight())
            newPage = true;
        if (newPage) {
            if (pageNumber > 0)
                WriteViewSeparator(file, pageNumber, separatorY, separatorWidth);
            ++pageNumber;
            y = 1.25f;
            WriteViewPageHeader(file, page.heading, page.title, page.subtitle, pageNumber, y);
            body.startPage(file, pageNumber, y);
            newPage = false;
        }
        body.writeRecord(file, records, position, pageNumber, y);
    }
    WriteViewSeparator(file, pageNumber, separatorY, separatorWidth);

    if (!file.commit(error))
        return false;
    return StartViewer(page.filePath, error);
}

#pragma once
#include <QString>
#include <QTemporaryFile>
#include <QtGlobal>

#include <string>

// One view file being written. Lines go to a temporary file beside the target, which
// replaces the target only when commit succeeds; a file that was not committed is
// removed, so a view file is either complete or absent. The first failure is kept and
// every later write is skipped; a file of more elements than the viewer holds fails too.
// (The file is not forced to disk: it is written to be shown at once and is rewritten by
// the next print.)
class ViewFile {
public:
    ViewFile() = default;
    ViewFile(const ViewFile&) = delete;
    ViewFile& operator=(const ViewFile&) = delete;

    // Starts a new file for path. False with a text when it cannot be created.
    bool open(const QString& path, QString& error);

    // The line being built; endLine adds CR LF and hands it to the file.
    std::string& line() { return pending_; }
    void endLine();

    // True once a write failed or the file outgrew the viewer.
    bool failed() const { return !failure_.isEmpty(); }

    // Writes what is left, closes the file and puts it in place of path.
    // False with a text when any write or the replacement failed.
    bool commit(QString& error);

private:
    void flush();
    void fail(const QString& reason);

    QTemporaryFile file_;
    QString path_;
    std::string pending_;
    bool headerWritten_ = false;  // the first line is the header, every further one an element
    qint64 elements_ = 0;
    QString failure_;
};

// The message for a report too long for one view file; why says what it needs against what
// the viewer holds.
QString ReportTooLongText(const QString& why);

// A count as messages spell it, with thousands separated: 32,767.
QString CountText(qint64 count);

#include "frmCharges.h"

#include "AsisRutinasRecordsets.h"
#include "BusyCursor.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "ModalDialogs.h"
#include "VNSQLCharges.h"
#include "frmChargesRows.h"
#include "frmPostCharges.h"

qint32 ProposedLotNumber(const QDate& day)
{
    return day.year() * 100000 + day.month() * 1000 + day.day() * 10 + 1;
}

void frmCharges::Post()
{
    QList<ChargeKey> listed;
    const qint32 rows = records_ ? records_->RecordCount() : 0;
    for (qint32 position = 1; position <= rows; ++position) {
        records_->SetAbsolutePosition(position);
        if (IsReadyCharge(*records_))
            listed.append(ChargeKeyOfCurrentRow(*records_));
    }
    if (listed.isEmpty()) {
        ShowMessage("No charges to post!", MessageButtons::Ok);
        return;
    }
    // Counted as the database holds them: another user may have posted, archived or deleted some.
    QList<ChargeKey> ready;
    QString error;
    if (ReadyCharges(listed, ready, error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return;
    }

    ChargesToPost = qint32(ready.size());
    QList<ChargeKey> posted;
    // The Ready ones stay as read unless this post changes them.
    QSet<ChargeKey> unchanged(ready.cbegin(), ready.cend());
    if (ChargesToPost == 0) {
        ShowMessage("No charges to post!", MessageButtons::Ok);
    } else {
        PostLotNumber = ProposedLotNumber(QDate::currentDate());
        PrintAfterPost = 0;
        {
            frmPostCharges dialog(*this, this);
            ShowModalDialog(dialog);
        }
        if (ChargesToPost > 0 && postLot(ready, posted))
            unchanged.clear();
    }
    showStoredCharges(listed, posted, unchanged);
    FillListView(*ListView1, *records_);
    if (PrintAfterPost > 0 && !posted.isEmpty())
        Imprimir();
}

bool frmCharges::postLot(const QList<ChargeKey>& ready, QList<ChargeKey>& posted)
{
    BusyCursor busy;
    QString error;
    if (PostCharges(ready, PostLotNumber, posted, error) != 0) {
        ShowMessage(QString("Problems updating status: none of the %1 charges was posted in lot %2.\n\n%3")
                        .arg(ready.size())
                        .arg(PostLotNumber)
                        .arg(error),
                    MessageButtons::Ok);
        return false;
    }
    if (posted.size() < ready.size()) {
        ShowMessage(QString("%1 of the %2 charges counted were posted in lot %3; another user posted, archived or "
                            "deleted the rest meanwhile.")
                        .arg(posted.size())
                        .arg(ready.size())
                        .arg(PostLotNumber),
                    MessageButtons::Ok);
    }
    return true;
}

void frmCharges::showStoredCharges(const QList<ChargeKey>& listed, const QList<ChargeKey>& posted,
                                   const QSet<ChargeKey>& unchanged)
{
    const QSet<ChargeKey> postedHere(posted.cbegin(), posted.cend());
    QSet<ChargeKey> changed(listed.cbegin(), listed.cend());
    changed -= postedHere;
    changed -= unchanged;
    if (postedHere.isEmpty() && changed.isEmpty())
        return;
    // From the last row up, so that a row leaving the list never shifts the rows still to be visited.
    for (qint32 position = records_->RecordCount(); position >= 1; --position) {
        records_->SetAbsolutePosition(position);
        const ChargeKey key = ChargeKeyOfCurrentRow(*records_);
        if (postedHere.contains(key)) {
            records_->SetField("status", 1);
            records_->SetField("statusDescription", "Posted");
        } else if (changed.contains(key) && !showStoredCharge(key)) {
            return;
        }
    }
}

bool frmCharges::showStoredCharge(const ChargeKey& key)
{
    RecordsetPtr stored;
    QString error;
    if (OpenRecordset(stored, StoredChargeQuery(key), error) != 0) {
        ShowMessage(error, MessageButtons::Ok);
        return false;
    }
    if (stored->RecordCount() == 0) {
        records_->Delete();
    } else {
        stored->MoveFirst();
        OverwriteCurrentRow(*records_, *stored);
    }
    return true;
}

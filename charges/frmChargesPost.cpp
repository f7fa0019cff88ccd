#include "frmCharges.h"

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
    ChargesToPost = 0;
    const qint32 rows = records_ ? records_->RecordCount() : 0;
    for (qint32 position = 1; position <= rows; ++position) {
        records_->SetAbsolutePosition(position);
        if (IsReadyCharge(*records_))
            ++ChargesToPost;
    }
    if (ChargesToPost == 0) {
        ShowMessage("No charges to post!", MessageButtons::Ok);
        return;
    }
    PostLotNumber = ProposedLotNumber(QDate::currentDate());
    PrintAfterPost = 0;
    {
        frmPostCharges dialog(*this, this);
        ShowModalDialog(dialog);
    }

    // Each charge is its own transaction: a failed one stays Ready and the others go on.
    if (ChargesToPost > 0) {
        BusyCursor busy;
        for (qint32 position = 1; position <= rows; ++position) {
            records_->SetAbsolutePosition(position);
            if (!IsReadyCharge(*records_))
                continue;
            const ChargeKey key = ChargeKeyOfCurrentRow(*records_);
            QString error;
            if (SetChargeStatus(key.patientId, key.chargeDate, key.chargeTime, PostLotNumber, 1, error) != 0) {
                ShowMessage("Problems updating status: " + error, MessageButtons::Ok);
                continue;
            }
            records_->SetField("status", 1);
            records_->SetField("statusDescription", "Posted");
        }
    }
    FillListView(*ListView1, *records_);
    if (PrintAfterPost > 0)
        Imprimir();
}

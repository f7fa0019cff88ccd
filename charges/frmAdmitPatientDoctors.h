#pragma once
#include "Recordset.h"

#include <QDialog>

class QComboBox;

// Chooses one visiting doctor with a role and a visit frequency. "Add" answers through
// PickedDoctorCode and PickedDoctorName, CurrentAttentionTypeCode and PickedAttentionTypeName,
// PickedFrequency and PickedFrequencyName; "Cancel" sets PickedDoctorCode to 0.
class frmAdmitPatientDoctors : public QDialog {
    Q_OBJECT
public:
    explicit frmAdmitPatientDoctors(QWidget* parent = nullptr);

    // Refused (nothing set, the dialog stays) while any of the three lists is empty.
    void OKButtonClick();
    void CancelButtonClick();

private:
    RecordsetPtr doctors_;
    RecordsetPtr attentionTypes_;
    RecordsetPtr frequencies_;
    QComboBox* CBDoctors = nullptr;
    QComboBox* CBAttentionTypes = nullptr;
    QComboBox* CBFrequency = nullptr;
};

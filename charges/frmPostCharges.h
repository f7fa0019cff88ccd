#pragma once
#include <QDialog>

class QCheckBox;
class QLineEdit;
class frmCharges;

// Confirms a post of the charges list: shows the number of Ready charges, proposes the lot
// and offers printing afterwards. It reads and writes the list's ChargesToPost, PostLotNumber
// and PrintAfterPost; ChargesToPost stays 0 unless "Post" is pressed.
class frmPostCharges : public QDialog {
    Q_OBJECT
public:
    frmPostCharges(frmCharges& charges, QWidget* parent = nullptr);

    // Takes the dialog's values unless the lot is refused with a message: the dialog then
    // stays open on the lot.
    void OKButtonClick();

private:
    frmCharges& charges_;
    QLineEdit* TxtNumCharges = nullptr;
    QLineEdit* TxtLotNumber = nullptr;
    QCheckBox* chkPrint = nullptr;
};

// The lot typed: a positive whole number that fits the 32-bit lot column; false for any
// other text.
bool LotNumberFromText(const QString& text, qint32& lot);

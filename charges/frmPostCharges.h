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

    // Takes the dialog's values unless the lot is no whole number of 32 bits, which is
    // refused: the dialog stays open on the lot.
    void OKButtonClick();

private:
    frmCharges& charges_;
    QLineEdit* TxtNumCharges = nullptr;
    QLineEdit* TxtLotNumber = nullptr;
    QCheckBox* chkPrint = nullptr;
};

// The lot typed: a number rounded to the even neighbour on halves, within 32 bits; false for
// any other text.
bool LotNumberFromText(const QString& text, qint32& lot);

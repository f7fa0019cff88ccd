#include "frmEditSickness.h"

#include "VNSQLSickness.h"

namespace {

enum LookupIndex { SicknessTypes };

}  // namespace

frmEditSickness::frmEditSickness(QWidget* parent)
    : EditDialog({"frmEditSickness", "History Item", GlobalCode(&AppGlobals::CurrentSicknessCode),
                  [](qint32 code) { return GetSickness(qint16(code)); },
                  [](qint32 code) { return StoredSickness(qint16(code)); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    QComboBox* types = addComboBox("Type:", "CBSicknessTypes");
    addLookup({"select * from SicknessType", nullptr, types, "Description", "SicknessTypeCode",
               "You have to define History Groups first!"});
    Load();
}

bool frmEditSickness::showRecord(const Recordset& row)
{
    description_->setText(row.Field("Description").toString());
    return true;
}

qint16 frmEditSickness::insertRecord(QString& error)
{
    return InsertSickness(Globals().CurrentSicknessCode, description_->text(),
                          qint16(lookupCode(SicknessTypes).toInt()), error);
}

qint16 frmEditSickness::updateRecord(QString& error)
{
    return UpdateSickness(Globals().CurrentSicknessCode, description_->text(),
                          qint16(lookupCode(SicknessTypes).toInt()), loadedState(), error);
}

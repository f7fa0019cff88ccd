#include "RecordsTestEnvironment.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "RecordsForms.h"
#include "ViewerCommandLine.h"

#include <QAbstractButton>
#include <QDir>
#include <QTest>

void RecordsTest::SetUp()
{
    ShellTest::SetUp();
    RegisterRecordsForms();
    Globals().MainForm = &mainForm;
    programFolder = QString::fromStdString(folder.file("program"));
    QDir().mkpath(programFolder);
    SetProgramFolder(programFolder);
    SetViewerLauncher([this](const ViewerCommand& command) {
        startedViewers << command.arguments.value(0);
        return true;
    });
}

void RecordsTest::TearDown()
{
    SetViewerLauncher({});
    SetProgramFolder(QString());
    ShellTest::TearDown();
}

QVariant RecordsTest::queryValue(const QString& sql)
{
    jet::Rows rows;
    std::string error;
    EXPECT_TRUE(Globals().DbConnection->query(sql.toStdString(), rows, error)) << error;
    if (rows.rows.empty() || rows.rows.front().empty())
        return {};
    const jet::Value& value = rows.rows.front().front();
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return QVariant::fromValue(qlonglong(*number));
    if (const auto* real = std::get_if<double>(&value))
        return *real;
    if (const auto* text = std::get_if<std::string>(&value))
        return QString::fromStdString(*text);
    return {};
}

void RecordsTest::selectItems(ListView& list, std::initializer_list<int> indexes)
{
    list.clearSelection();
    for (int index : indexes) {
        QTreeWidgetItem* item = list.topLevelItem(index);
        ASSERT_NE(item, nullptr) << "no item " << index;
        item->setSelected(true);
        list.setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    }
}

QStringList RecordsTest::columnTexts(const ListView& list, int column)
{
    QStringList texts;
    for (int index = 0; index < list.topLevelItemCount(); ++index)
        texts << list.topLevelItem(index)->text(column);
    return texts;
}

void RecordsTest::clickButton(QWidget& form, const char* name)
{
    auto* button = form.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

ListView& RecordsTest::listOf(QWidget& form)
{
    auto* list = form.findChild<ListView*>("ListView1");
    EXPECT_NE(list, nullptr);
    return *list;
}

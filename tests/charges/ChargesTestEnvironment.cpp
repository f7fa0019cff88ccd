#include "ChargesTestEnvironment.h"

#include "AppGlobals.h"
#include "JetConnection.h"

#include <QDialog>

void ChargesTest::run(const QString& sql)
{
    long affected = 0;
    std::string error;
    ASSERT_TRUE(Globals().DbConnection->execute(sql.toStdString(), affected, error)) << error << "\n"
                                                                                        << sql.toStdString();
}

QStringList ChargesTest::rows(const QString& sql)
{
    jet::Rows result;
    std::string error;
    EXPECT_TRUE(Globals().DbConnection->query(sql.toStdString(), result, error)) << error;
    QStringList lines;
    for (const auto& row : result.rows) {
        QStringList values;
        for (const jet::Value& value : row) {
            if (const auto* number = std::get_if<std::int64_t>(&value))
                values << QString::number(*number);
            else if (const auto* real = std::get_if<double>(&value))
                values << QString::number(*real);
            else if (const auto* text = std::get_if<std::string>(&value))
                values << QString::fromStdString(*text);
            else
                values << QStringLiteral("<null>");
        }
        lines << values.join(QLatin1Char('|'));
    }
    return lines;
}

void ChargesTest::registerStandInDialog(const QString& name)
{
    registerTestForm(name, [name](QWidget* parent) {
        auto* dialog = new QDialog(parent);
        dialog->setObjectName(name);
        return dialog;
    });
}

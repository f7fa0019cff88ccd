#pragma once
#include "RecordsTestEnvironment.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

#include <memory>

// Helpers of the code-table tests: lists opened under a filter, the texts of a printed list,
// and the controls of an edit dialog by name.
class CodeTablesTest : public RecordsTest {
protected:
    // A list form loaded as the main window loads it, then reloaded for the filter.
    template <typename Form>
    std::unique_ptr<Form> openList(qint16 filter)
    {
        mainForm.FiltroActual = filter;
        auto form = std::make_unique<Form>();
        form->resize(800, 400);
        form->Refresca();
        return form;
    }

    // Clicks a column header of a list.
    static void clickColumn(ListView& list, int column) { emit list.header()->sectionClicked(column); }

    // The text of every element of a view file written in the program folder.
    QStringList printedTexts(const QString& viewFileName) const
    {
        QFile file(programFolder + "/" + viewFileName + ".lrm");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList texts;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (qsizetype index = 1; index < lines.size(); ++index) {
            const QList<QByteArray> fields = lines[index].trimmed().split(',');
            if (fields.size() >= 19)
                texts << QString::fromLatin1(fields.mid(18).join(',')).trimmed();
        }
        return texts;
    }

    template <typename Widget>
    static Widget& control(QWidget& form, const char* name)
    {
        auto* widget = form.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    static QLineEdit& textBox(QWidget& form, const char* name) { return control<QLineEdit>(form, name); }
    static QComboBox& comboBox(QWidget& form, const char* name) { return control<QComboBox>(form, name); }

    // The caption of the label beside a control of a dialog.
    static QString labelOf(QWidget& dialog, const char* name)
    {
        auto* layout = dialog.findChild<QFormLayout*>();
        auto* label = layout ? qobject_cast<QLabel*>(layout->labelForField(dialog.findChild<QWidget*>(name))) : nullptr;
        return label ? label->text() : QString();
    }

    // Selects the entry showing the text; the test fails when there is none.
    static void choose(QComboBox& combo, const QString& text)
    {
        const int index = combo.findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo.setCurrentIndex(index);
    }

    static QStringList entriesOf(QComboBox& combo)
    {
        QStringList entries;
        for (int index = 0; index < combo.count(); ++index)
            entries << combo.itemText(index);
        return entries;
    }
};

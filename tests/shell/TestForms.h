#pragma once
#include "AppGlobals.h"

#include <QDialog>
#include <QStringList>
#include <QWidget>

// A child form that offers the list operations and records every call, with the filter the
// main window held at that moment.
class RecordingListForm : public QWidget {
    Q_OBJECT
public:
    explicit RecordingListForm(QStringList& calls, QWidget* parent = nullptr) : QWidget(parent), calls_(calls) {}

    Q_INVOKABLE void Refresca() { record("Refresca"); }
    Q_INVOKABLE void Insertado() { record("Insertado"); }
    Q_INVOKABLE void Eliminar() { record("Eliminar"); }
    Q_INVOKABLE void Imprimir() { record("Imprimir"); }
    Q_INVOKABLE void Post() { record("Post"); }
    Q_INVOKABLE void Admit() { record("Admit"); }
    Q_INVOKABLE void Discharge() { record("Discharge"); }
    Q_INVOKABLE void Merge() { record("Merge"); }
    Q_INVOKABLE void Accion(const QString& key) { record("Accion " + key); }

private:
    void record(const QString& operation) { calls_ << objectName() + " " + operation; }
    QStringList& calls_;
};

// A child form that offers no operation at all.
class SilentForm : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// An edit dialog: the test's dialog handler decides what it does.
class TestDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
};

#pragma once
#include <QObject>
#include <QString>

// The operations the main window calls on the active child form by name: Refresca,
// Insertado, Eliminar, Imprimir, Post, Admit, Discharge, Merge (no arguments) and
// Accion(QString). Child forms declare the ones they offer as Q_INVOKABLE (or slots).
// An operation that the child does not offer does nothing: the calls answer false.
bool CallChildOperation(QObject* child, const char* operation);
bool CallChildOperation(QObject* child, const char* operation, const QString& argument);

// Whether the child offers the operation without arguments.
bool OffersChildOperation(const QObject* child, const char* operation);

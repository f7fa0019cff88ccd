#pragma once
#include <QString>
#include <QWidget>

#include <functional>

// Child forms and dialogs are created by name, so that the main window and the folders built
// on the shell open each other's forms without including them. Each folder registers its
// forms from the program's start-up (and tests register forms of their own).
using FormFactory = std::function<QWidget*(QWidget* parent)>;

// Registers (or replaces) the factory of a form name.
void RegisterForm(const QString& name, FormFactory factory);
// Forgets a form name.
void UnregisterForm(const QString& name);

// A new instance of the named form with the given parent; nullptr for a name not registered.
QWidget* CreateForm(const QString& name, QWidget* parent);

// Creates the named dialog, shows it modally through ShowModalDialog and deletes it.
// False when no dialog of that name is registered (nothing is shown).
bool ShowDialogByName(const QString& name, QWidget* parent);

#include "FormRegistry.h"

#include "ModalDialogs.h"

#include <QDialog>
#include <QHash>

#include <memory>

namespace {

QHash<QString, FormFactory>& factories()
{
    static QHash<QString, FormFactory> registered;
    return registered;
}

}  // namespace

void RegisterForm(const QString& name, FormFactory factory)
{
    factories().insert(name, std::move(factory));
}

void UnregisterForm(const QString& name)
{
    factories().remove(name);
}

QWidget* CreateForm(const QString& name, QWidget* parent)
{
    const auto found = factories().constFind(name);
    if (found == factories().constEnd() || !*found)
        return nullptr;
    return (*found)(parent);
}

bool ShowDialogByName(const QString& name, QWidget* parent)
{
    QWidget* form = CreateForm(name, parent);
    auto* dialog = qobject_cast<QDialog*>(form);
    if (!dialog) {
        delete form;
        return false;
    }
    std::unique_ptr<QDialog> owned(dialog);
    ShowModalDialog(*dialog);
    return true;
}

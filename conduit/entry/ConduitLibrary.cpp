#include "ConduitLibrary.h"

#include "ConduitMessages.h"
#include "PalmCommon.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace {

constexpr const char* kResourceLibrary = "VelvixLang.DLL";
void* const kOwnResources = nullptr;

struct LibraryState {
    int starts = 0;
    void* resources = kOwnResources;
};

LibraryState& state()
{
    static LibraryState libraryState;
    return libraryState;
}

// A modal box without owner; without a widget application there is no screen to show it on.
void showMessageBox(const std::string& text, const std::string& caption)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        WriteConduitMessageToStandardError(text, caption);
        return;
    }
    QMessageBox::information(nullptr, QString::fromStdString(caption), QString::fromStdString(text));
}

}  // namespace

void StartConduitLibrary()
{
    if (state().starts++ > 0)
        return;
    state().resources = PalmLoadResourceLibrary(kResourceLibrary, kOwnResources);
    SetConduitMessageHandler(showMessageBox);
}

void EndConduitLibrary()
{
    if (state().starts == 0 || --state().starts > 0)
        return;
    if (state().resources != kOwnResources)
        state().resources = PalmFreeResourceLibrary(state().resources, kOwnResources);
    SetConduitMessageHandler(nullptr);
}

void* ConduitResourceHandle()
{
    return state().resources;
}

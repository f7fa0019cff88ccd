#pragma once
#include <QString>
#include <QStringList>

#include <functional>

// The view files the desktop program writes, each under a fixed name in its own folder,
// and the start of the page viewer on one of them.

namespace viewfilename {
inline constexpr const char* Patients = "PatientView";
inline constexpr const char* Facilities = "FacilitiesView";
inline constexpr const char* Doctors = "DoctorsView";
inline constexpr const char* HistoryItems = "HistoryItemsView";
inline constexpr const char* Insurances = "InsurancesView";
inline constexpr const char* Procedures = "ProceduresView";
inline constexpr const char* Diagnoses = "DiagnosisView";
inline constexpr const char* EMCodes = "EMCodesView";
inline constexpr const char* DiagnosisFamilies = "DiagnosisFamiliesView";
inline constexpr const char* Charges = "ChargesView";
inline constexpr const char* ChargesDetail = "ChargesDetail";
inline constexpr const char* ChargesDetailWithBillingCodes = "ChargesDetailB";
inline constexpr const char* ChargesDataEntry = "ChargesBilling";
inline constexpr const char* ChargesDataEntryWithBillingCodes = "ChargesBillingB";
}  // namespace viewfilename

// The folder of the running program, where the view files and the viewer live.
QString ProgramFolder();

// "<program folder>/<name>.lrm".
QString ViewFilePath(const QString& name);

// The viewer program of the program folder and its one argument, the view file's full path.
struct ViewerCommand {
    QString program;
    QStringList arguments;
};
ViewerCommand ViewerCommandLine(const QString& viewFilePath);

// Starts the viewer on the file as a process of its own, without waiting for it.
// False with a text when it cannot be started.
bool StartViewer(const QString& viewFilePath, QString& error);

// Tests replace the program folder (empty: the running program's) and the way the viewer
// is started (an empty function: a detached process). Each returns the previous one.
QString SetProgramFolder(const QString& folder);
using ViewerLauncher = std::function<bool(const ViewerCommand& command)>;
ViewerLauncher SetViewerLauncher(ViewerLauncher launcher);

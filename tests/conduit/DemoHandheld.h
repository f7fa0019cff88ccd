#pragma once
// Handheld folders as the demo's handheld application leaves them: the patients database, its
// history sub-table, the preference database and the HotSync user file. Tests make them with
// these and the Palm database file routines; no script is needed.
#include "HandheldLayout.h"
#include "PalmDatabaseFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace demohandheld {

inline constexpr const char* kPatientsDatabase = "VelvixPatients";
inline constexpr const char* kHistoryDatabase = "VelvixHistory";
inline constexpr const char* kPreferenceDatabase = "VelvixPrefs";

// The HandheldTimeStamp of a date and time.
std::string stamp(int year, int month, int day, int hour, int minute, int second);

struct Patient {
    int id = 0;
    std::string names;
    std::string birth = "1950-01-31";  // year-month-day
    std::string account;
    int insurance = 0;
    int facility = 0;
    int ward = 0;
    int doctor = 0;
};

HandheldLayout patientLayout();
HandheldLayout historyLayout();
HandheldLayout preferenceLayout();

// The application-info block that describes a layout.
std::string layoutBlock(const HandheldLayout& layout);

std::string patientBytes(const std::string& recordStamp, const Patient& patient);
std::string historyBytes(int patientId, int sicknessCode, int sicknessTypeCode);
// The fields of a stored patient record, as desktop literals by handheld field name.
std::string patientField(const std::string& bytes, const std::string& fieldName);
// Sets one field of a stored patient record from desktop text.
void setPatientField(std::string& bytes, const std::string& fieldName, const std::string& text);

hotsync::PalmDatabase emptyDatabase(const std::string& name, const HandheldLayout& layout);

// The patients and history databases of a handheld on which patients 1 to count, each with
// history items 1 to historyPerPatient, were entered (all marked changed) and never synchronised.
void newPatientsWithHistory(int count, int historyPerPatient, hotsync::PalmDatabase& patients,
                            hotsync::PalmDatabase& history);
hotsync::PalmDatabase preferenceDatabase(std::int32_t rancod);

// Writes the HotSync user file of the folder.
void writeHotSyncUser(const std::string& folder, const std::string& name, std::uint32_t id);

}  // namespace demohandheld

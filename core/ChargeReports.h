#pragma once
#include <QString>

class Recordset;

// The charge reports of the charges list, over its rows of ChargesDescriptive. realCodes
// prints the real E&M, diagnosis and procedure codes, otherwise their billing codes; the
// facility, referring and billing doctors always show their billing codes. Both write the
// report to filePath and start the viewer as PrintRecordset does, answer true without doing
// anything for a recordset without records, and false with a text for the caller to show
// when a charge's codes could not be read, the file could not be written or the viewer
// could not be started.

// One framed block per charge with every field spelled out and its diagnoses and procedures.
bool PrintChargeReport(Recordset& records, const QString& filePath, float pageWidth, float pageHeight,
                       const QString& heading, const QString& title, const QString& subtitle, bool realCodes,
                       QString& error);

// One line per charge for typing the charges into a billing system (landscape page).
bool PrintChargeList(Recordset& records, const QString& filePath, float pageWidth, float pageHeight,
                     const QString& heading, const QString& title, const QString& subtitle, bool realCodes,
                     QString& error);

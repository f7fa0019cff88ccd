#pragma once
#include <QString>

class Recordset;

// Writes the recordset as a paged list report to filePath (a page of pageWidth by
// pageHeight inches: page header, column headings, one row per record) and starts the
// viewer on it. The specifications are "caption,width;" and "field,width;" entries, widths
// in inches. Nothing happens for a recordset without records. False with a text for the
// caller to show when the file could not be written or the viewer could not be started.
bool PrintRecordset(Recordset& records, const QString& filePath, float pageWidth, float pageHeight,
                    const QString& heading, const QString& title, const QString& subtitle,
                    const QString& headingSpecification, const QString& fieldSpecification, QString& error);

// A list column's width as a specification writes it: twips / 1440 rounded to two decimals
// (halves to the even neighbour), "." as separator.
QString ColumnSpecificationWidth(int widthTwips);

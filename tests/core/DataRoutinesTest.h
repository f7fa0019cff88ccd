#pragma once
#include "CoreTestEnvironment.h"
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QStringList>

#include <functional>

// The record as an editor reads it before it shows it; the test fails when it cannot be read.
StoredState Loaded(const StoredRecord& record);

// A practice database for the data routines, with helpers to arrange rows directly, read
// back what is stored and see every SQL text the routines send.
class DataRoutinesTest : public CoreTest {
protected:
    void SetUp() override;
    // Also checks that no routine left a transaction open.
    void TearDown() override;

    // Every row of every table a data routine writes, to compare before and after a call.
    QStringList snapshot();

    // Makes the database refuse a statement on a table: `when` is INSERT, UPDATE or DELETE,
    // `condition` a trigger WHEN clause over NEW or OLD ("1" for every row).
    void refuse(const QString& when, const QString& table, const QString& condition = QStringLiteral("1"));

    // SQL texts sent since SetUp (or since the last clear()).
    QStringList statements;
    // Statements that change the database (no SELECT).
    QStringList writes() const;
};

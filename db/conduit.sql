-- Tables of the HotSync conduit, which never creates them itself.

-- One row per registered handheld: its HotSync user id, terminal number and owner.
CREATE TABLE VXUSERS (
    PDTId      INTEGER NOT NULL PRIMARY KEY,
    TerminalId INTEGER,
    PDTOwner   TEXT COLLATE NOCASE
);

-- Mirror of the patients each handheld holds: what the desktop last gave or took from it.
-- It carries every Patient column, so a table description may synchronise any of them
-- (with VXTS as its time stamp), plus the handheld and its record id.
CREATE TABLE VXPatient (
    PatientId      SMALLINT,
    Names          TEXT COLLATE NOCASE,
    DateOfBirth    DATE,
    AccountNumber  TEXT COLLATE NOCASE,
    InsuranceCode  SMALLINT,
    InFacilityCode SMALLINT,
    InWardCode     SMALLINT,
    InDoctorCode   SMALLINT,
    LastChargeDate DATE,
    VXTS           DATETIME,
    PDTId          INTEGER NOT NULL,
    PDTRecordId    INTEGER NOT NULL,
    PRIMARY KEY (PDTId, PDTRecordId)
);
-- The HotSync conduit looks a handheld's mirror rows up by its patient.
CREATE INDEX VXPatientByPDTKey ON VXPatient (PDTId, PatientId);

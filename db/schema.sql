-- Tables of the practice database.
-- Declared type names are the ones the jet layer maps: SMALLINT (16-bit), INTEGER (32-bit),
-- TEXT, DATE ('YYYY-MM-DD'), TIME ('HH:MM:SS'), DATETIME ('YYYY-MM-DD HH:MM:SS'), BIT (flag).
-- Every text column compares without regard to case, as the desktop program expects.

CREATE TABLE PatientCharges (
    PatientId       SMALLINT NOT NULL,
    ChargeDate      DATE NOT NULL,
    ChargeTime      TIME NOT NULL,
    ChargeRealDate  DATE,
    FacilityCode    SMALLINT,
    EMCode          INTEGER,
    DoctorCode      SMALLINT,
    ReferDoctorCode SMALLINT DEFAULT 0,
    Status          SMALLINT DEFAULT 0,
    PrintLot        INTEGER DEFAULT 0,
    PRIMARY KEY (PatientId, ChargeDate, ChargeTime)
);
CREATE INDEX PatientChargesByDateOfService ON PatientCharges (ChargeRealDate);

CREATE TABLE ChargeDiagnosis (
    PatientId     SMALLINT NOT NULL,
    ChargeDate    DATE NOT NULL,
    ChargeTime    TIME NOT NULL,
    DiagnosisCode SMALLINT NOT NULL,
    PRIMARY KEY (PatientId, ChargeDate, ChargeTime, DiagnosisCode)
);

CREATE TABLE ChargeProcedures (
    PatientId     SMALLINT NOT NULL,
    ChargeDate    DATE NOT NULL,
    ChargeTime    TIME NOT NULL,
    ProcedureCode SMALLINT NOT NULL,
    PRIMARY KEY (PatientId, ChargeDate, ChargeTime, ProcedureCode)
);

-- The diagnosis and procedure rows of a charge live and die with it: the program deletes
-- and re-keys only the charge row (a delete, or a patient merge moving its PatientId).
CREATE TRIGGER PatientChargesDeleteDetails AFTER DELETE ON PatientCharges
BEGIN
    DELETE FROM ChargeDiagnosis
     WHERE PatientId = OLD.PatientId AND ChargeDate = OLD.ChargeDate AND ChargeTime = OLD.ChargeTime;
    DELETE FROM ChargeProcedures
     WHERE PatientId = OLD.PatientId AND ChargeDate = OLD.ChargeDate AND ChargeTime = OLD.ChargeTime;
END;

CREATE TRIGGER PatientChargesMoveDetails AFTER UPDATE OF PatientId, ChargeDate, ChargeTime ON PatientCharges
WHEN OLD.PatientId IS NOT NEW.PatientId OR OLD.ChargeDate IS NOT NEW.ChargeDate
     OR OLD.ChargeTime IS NOT NEW.ChargeTime
BEGIN
    UPDATE ChargeDiagnosis
       SET PatientId = NEW.PatientId, ChargeDate = NEW.ChargeDate, ChargeTime = NEW.ChargeTime
     WHERE PatientId = OLD.PatientId AND ChargeDate = OLD.ChargeDate AND ChargeTime = OLD.ChargeTime;
    UPDATE ChargeProcedures
       SET PatientId = NEW.PatientId, ChargeDate = NEW.ChargeDate, ChargeTime = NEW.ChargeTime
     WHERE PatientId = OLD.PatientId AND ChargeDate = OLD.ChargeDate AND ChargeTime = OLD.ChargeTime;
END;

CREATE TABLE Patient (
    PatientId      SMALLINT NOT NULL PRIMARY KEY,
    Names          TEXT COLLATE NOCASE,
    DateOfBirth    DATE,
    AccountNumber  TEXT COLLATE NOCASE,
    InsuranceCode  SMALLINT DEFAULT 0,
    InFacilityCode SMALLINT DEFAULT 0,
    InWardCode     SMALLINT DEFAULT 0,
    InDoctorCode   SMALLINT DEFAULT 0,
    LastChargeDate DATE,
    VXTS           DATETIME
);
-- The duplicate lists look patients up by these.
CREATE INDEX PatientByNames ON Patient (Names);
CREATE INDEX PatientByDateOfBirth ON Patient (DateOfBirth);
CREATE INDEX PatientByAccountNumber ON Patient (AccountNumber);

CREATE TABLE PatientHistory (
    PatientId        SMALLINT NOT NULL,
    SicknessCode     SMALLINT NOT NULL,
    SicknessTypeCode SMALLINT NOT NULL,
    PRIMARY KEY (PatientId, SicknessCode, SicknessTypeCode)
);

CREATE TABLE PatientDoctors (
    PatientId         SMALLINT NOT NULL,
    DoctorCode        SMALLINT NOT NULL,
    AttentionTypeCode SMALLINT,
    Frequency         SMALLINT,
    PRIMARY KEY (PatientId, DoctorCode)
);

CREATE TABLE Doctors (
    DoctorCode        SMALLINT NOT NULL PRIMARY KEY,
    Description       TEXT COLLATE NOCASE,
    BillingDoctorCode TEXT COLLATE NOCASE
);

CREATE TABLE DoctorCoveringDoctors (
    DoctorCode         SMALLINT NOT NULL,
    CoveringDoctorCode SMALLINT NOT NULL,
    PRIMARY KEY (DoctorCode, CoveringDoctorCode)
);

CREATE TABLE Facility (
    FacilityCode           SMALLINT NOT NULL PRIMARY KEY,
    Description            TEXT COLLATE NOCASE,
    FacilityTypeCode       SMALLINT,
    BillingFacilityCode    TEXT COLLATE NOCASE,
    BillingFacilityCodeOut TEXT COLLATE NOCASE
);

-- checked: row state of the program's in-memory copies; always 0 here.
CREATE TABLE FacilityWards (
    WardCode     SMALLINT NOT NULL PRIMARY KEY,
    FacilityCode SMALLINT,
    Description  TEXT COLLATE NOCASE,
    checked      SMALLINT DEFAULT 0
);

CREATE TABLE Insurance (
    InsuranceCode        SMALLINT NOT NULL PRIMARY KEY,
    Description          TEXT COLLATE NOCASE,
    BillingInsuranceCode TEXT COLLATE NOCASE
);

CREATE TABLE Procedures (
    ProcedureCode        SMALLINT NOT NULL PRIMARY KEY,
    Description          TEXT COLLATE NOCASE,
    RealProcedureCode    TEXT COLLATE NOCASE,
    BillingProcedureCode TEXT COLLATE NOCASE,
    checked              SMALLINT DEFAULT 0
);

CREATE TABLE Diagnosis (
    DiagnosisCode        SMALLINT NOT NULL PRIMARY KEY,
    Description          TEXT COLLATE NOCASE,
    DiagnosisFamilyCode  SMALLINT,
    RealDiagnosisCode    TEXT COLLATE NOCASE,
    BillingDiagnosisCode TEXT COLLATE NOCASE,
    checked              SMALLINT DEFAULT 0
);

CREATE TABLE DiagnosisFamily (
    DiagnosisFamilyCode        SMALLINT NOT NULL PRIMARY KEY,
    DiagnosisFamilyDescription TEXT COLLATE NOCASE
);

CREATE TABLE Sickness (
    SicknessCode     SMALLINT NOT NULL PRIMARY KEY,
    Description      TEXT COLLATE NOCASE,
    SicknessTypeCode SMALLINT,
    checked          SMALLINT DEFAULT 0
);

CREATE TABLE EvaluationManagement (
    EMCode            INTEGER NOT NULL PRIMARY KEY,
    Description       TEXT COLLATE NOCASE,
    FacilityTypeCode  SMALLINT,
    ChargeTypeCode    SMALLINT,
    AttentionTypeCode SMALLINT,
    BillingEMCode     TEXT COLLATE NOCASE,
    RealEMCode        TEXT COLLATE NOCASE,
    ShowOnFirst       BIT DEFAULT 0,
    ShowOnNext        BIT DEFAULT 0,
    IsDischarge       SMALLINT
);

-- Lookup tables: installation data the program only reads.

CREATE TABLE FacilityTypes (
    FacilityTypeCode SMALLINT NOT NULL PRIMARY KEY,
    Description      TEXT COLLATE NOCASE
);

CREATE TABLE ChargeTypes (
    ChargeTypeCode SMALLINT NOT NULL PRIMARY KEY,
    Description    TEXT COLLATE NOCASE,
    DoctorCaption  TEXT COLLATE NOCASE
);

CREATE TABLE AttentionTypes (
    AttentionTypeCode SMALLINT NOT NULL PRIMARY KEY,
    Description       TEXT COLLATE NOCASE
);

CREATE TABLE Frequency (
    Frequency   SMALLINT NOT NULL PRIMARY KEY,
    Description TEXT COLLATE NOCASE
);

CREATE TABLE SicknessType (
    SicknessTypeCode SMALLINT NOT NULL PRIMARY KEY,
    Description      TEXT COLLATE NOCASE
);

-- Saved queries: the program opens each as "SELECT * FROM" its name, often with a WHERE
-- clause of its own, and relies on the column names given here. Joins to rows a charge or
-- patient merely names are LEFT joins, so that a missing doctor, facility or code never
-- hides the row. `checked` is the row state of the program's in-memory copies: 0 = stored.

CREATE VIEW PatientsDescriptive AS
SELECT Patient.PatientId, Patient.Names, Patient.DateOfBirth, Patient.AccountNumber,
       Patient.InsuranceCode, Insurance.Description, Facility.Description AS FacilityName,
       Patient.InFacilityCode, Patient.InWardCode, Patient.InDoctorCode
  FROM Patient
  LEFT JOIN Insurance ON Insurance.InsuranceCode = Patient.InsuranceCode
  LEFT JOIN Facility ON Facility.FacilityCode = Patient.InFacilityCode;

-- Incomplete: a patient the office cannot bill yet.
CREATE VIEW PatientsDescriptiveInconsistent AS
SELECT * FROM PatientsDescriptive AS P
 WHERE TRIM(COALESCE(P.Names, '')) = ''
    OR P.DateOfBirth IS NULL OR TRIM(P.DateOfBirth) = ''
    OR TRIM(COALESCE(P.AccountNumber, '')) = ''
    OR NOT EXISTS (SELECT 1 FROM Insurance WHERE Insurance.InsuranceCode = P.InsuranceCode);

CREATE VIEW PatientsDescriptiveAdmitted AS
SELECT * FROM PatientsDescriptive WHERE COALESCE(InFacilityCode, 0) <> 0;

CREATE VIEW PatientsDescriptiveNotAdmitted AS
SELECT * FROM PatientsDescriptive WHERE COALESCE(InFacilityCode, 0) = 0;

-- Likely duplicates: another patient shares the date of birth, the name (without regard
-- to case), both, or the account number. Missing values never count as shared.
CREATE VIEW PatientsDescriptiveDupDOB AS
SELECT * FROM PatientsDescriptive AS P
 WHERE EXISTS (SELECT 1 FROM Patient AS Other
                WHERE Other.PatientId <> P.PatientId AND Other.DateOfBirth = P.DateOfBirth);

CREATE VIEW PatientsDescriptiveDupName AS
SELECT * FROM PatientsDescriptive AS P
 WHERE TRIM(COALESCE(P.Names, '')) <> ''
   AND EXISTS (SELECT 1 FROM Patient AS Other
                WHERE Other.PatientId <> P.PatientId AND Other.Names = P.Names);

CREATE VIEW PatientsDescriptiveDupDOBName AS
SELECT * FROM PatientsDescriptive AS P
 WHERE TRIM(COALESCE(P.Names, '')) <> ''
   AND EXISTS (SELECT 1 FROM Patient AS Other
                WHERE Other.PatientId <> P.PatientId AND Other.DateOfBirth = P.DateOfBirth
                  AND Other.Names = P.Names);

CREATE VIEW PatientsDescriptiveDupAccount AS
SELECT * FROM PatientsDescriptive AS P
 WHERE TRIM(COALESCE(P.AccountNumber, '')) <> ''
   AND EXISTS (SELECT 1 FROM Patient AS Other
                WHERE Other.PatientId <> P.PatientId AND Other.AccountNumber = P.AccountNumber);

-- Status is one column: the program reads it as `Status` and as `status` (names match
-- without regard to case).
CREATE VIEW ChargesDescriptive AS
SELECT PatientCharges.PatientId, PatientCharges.ChargeDate, PatientCharges.ChargeTime,
       PatientCharges.ChargeRealDate, PatientCharges.FacilityCode, PatientCharges.EMCode,
       PatientCharges.DoctorCode, PatientCharges.ReferDoctorCode, PatientCharges.Status,
       PatientCharges.PrintLot,
       (CASE PatientCharges.Status WHEN 0 THEN 'Ready' WHEN 1 THEN 'Posted'
                                   WHEN 2 THEN 'Archived' ELSE '' END) COLLATE NOCASE
           AS statusDescription,
       Patient.Names, Patient.DateOfBirth, Patient.AccountNumber, Patient.InsuranceCode,
       Insurance.Description AS Insurance,
       Doctor.Description AS Doctor,
       Facility.Description AS Facility,
       EvaluationManagement.Description AS EMDescription,
       ReferDoctor.Description AS ReferDoctor,
       EvaluationManagement.ChargeTypeCode,
       Doctor.BillingDoctorCode,
       ReferDoctor.BillingDoctorCode AS BillingReferDoctorCode,
       Facility.BillingFacilityCode, Facility.BillingFacilityCodeOut,
       EvaluationManagement.BillingEMCode, EvaluationManagement.RealEMCode
  FROM PatientCharges
  LEFT JOIN Patient ON Patient.PatientId = PatientCharges.PatientId
  LEFT JOIN Insurance ON Insurance.InsuranceCode = Patient.InsuranceCode
  LEFT JOIN Doctors AS Doctor ON Doctor.DoctorCode = PatientCharges.DoctorCode
  LEFT JOIN Facility ON Facility.FacilityCode = PatientCharges.FacilityCode
  LEFT JOIN EvaluationManagement ON EvaluationManagement.EMCode = PatientCharges.EMCode
  LEFT JOIN Doctors AS ReferDoctor ON ReferDoctor.DoctorCode = PatientCharges.ReferDoctorCode;

CREATE VIEW ChargeDiagnosisDescriptive AS
SELECT ChargeDiagnosis.PatientId, ChargeDiagnosis.ChargeDate, ChargeDiagnosis.ChargeTime,
       ChargeDiagnosis.DiagnosisCode, Diagnosis.Description, 0 AS checked
  FROM ChargeDiagnosis
  LEFT JOIN Diagnosis ON Diagnosis.DiagnosisCode = ChargeDiagnosis.DiagnosisCode;

CREATE VIEW ChargeProceduresDescriptive AS
SELECT ChargeProcedures.PatientId, ChargeProcedures.ChargeDate, ChargeProcedures.ChargeTime,
       ChargeProcedures.ProcedureCode, Procedures.Description, 0 AS checked
  FROM ChargeProcedures
  LEFT JOIN Procedures ON Procedures.ProcedureCode = ChargeProcedures.ProcedureCode;

CREATE VIEW PatientsHistoryDescriptive AS
SELECT PatientHistory.PatientId, PatientHistory.SicknessCode, PatientHistory.SicknessTypeCode,
       Sickness.Description, 0 AS checked
  FROM PatientHistory
  LEFT JOIN Sickness ON Sickness.SicknessCode = PatientHistory.SicknessCode;

CREATE VIEW PatientDoctorsDescriptive AS
SELECT PatientDoctors.PatientId, PatientDoctors.DoctorCode, PatientDoctors.AttentionTypeCode,
       PatientDoctors.Frequency, Doctors.Description AS Names,
       AttentionTypes.Description AS AttentionTypeDescription,
       Frequency.Description AS FrequencyDescription, 0 AS checked
  FROM PatientDoctors
  LEFT JOIN Doctors ON Doctors.DoctorCode = PatientDoctors.DoctorCode
  LEFT JOIN AttentionTypes ON AttentionTypes.AttentionTypeCode = PatientDoctors.AttentionTypeCode
  LEFT JOIN Frequency ON Frequency.Frequency = PatientDoctors.Frequency;

-- A doctor has no role of its own; 0 lets the charge editor take its default role.
CREATE VIEW DoctorsDescriptive AS
SELECT Doctors.DoctorCode, Doctors.Description AS Names, 0 AS AttentionTypeCode
  FROM Doctors;

CREATE VIEW Coverage AS
SELECT DoctorCoveringDoctors.DoctorCode, DoctorCoveringDoctors.CoveringDoctorCode,
       CoveringDoctor.Description AS Names, 0 AS checked
  FROM DoctorCoveringDoctors
  LEFT JOIN Doctors AS CoveringDoctor
         ON CoveringDoctor.DoctorCode = DoctorCoveringDoctors.CoveringDoctorCode;

CREATE VIEW DiagnosisDescriptive AS
SELECT Diagnosis.DiagnosisCode, Diagnosis.Description, Diagnosis.DiagnosisFamilyCode,
       Diagnosis.RealDiagnosisCode, Diagnosis.BillingDiagnosisCode,
       DiagnosisFamily.DiagnosisFamilyDescription AS FamilyDesc
  FROM Diagnosis
  LEFT JOIN DiagnosisFamily ON DiagnosisFamily.DiagnosisFamilyCode = Diagnosis.DiagnosisFamilyCode;

CREATE VIEW FacilitiesDescriptive AS
SELECT Facility.FacilityCode, Facility.Description, Facility.FacilityTypeCode,
       Facility.BillingFacilityCode, Facility.BillingFacilityCodeOut,
       FacilityTypes.Description AS TypeDescription
  FROM Facility
  LEFT JOIN FacilityTypes ON FacilityTypes.FacilityTypeCode = Facility.FacilityTypeCode;

CREATE VIEW SicknessDescriptive AS
SELECT Sickness.SicknessCode, Sickness.Description, Sickness.SicknessTypeCode,
       SicknessType.Description AS SicknessTypeDescription
  FROM Sickness
  LEFT JOIN SicknessType ON SicknessType.SicknessTypeCode = Sickness.SicknessTypeCode;

CREATE VIEW EMCodesDescriptive AS
SELECT EvaluationManagement.EMCode, EvaluationManagement.Description,
       EvaluationManagement.FacilityTypeCode, EvaluationManagement.ChargeTypeCode,
       EvaluationManagement.AttentionTypeCode, EvaluationManagement.BillingEMCode,
       EvaluationManagement.RealEMCode, EvaluationManagement.ShowOnFirst,
       EvaluationManagement.ShowOnNext, EvaluationManagement.IsDischarge,
       FacilityTypes.Description AS FacilityTypeDescription,
       ChargeTypes.Description AS ChargeTypeDescription,
       AttentionTypes.Description AS AttentionTypeDescription
  FROM EvaluationManagement
  LEFT JOIN FacilityTypes ON FacilityTypes.FacilityTypeCode = EvaluationManagement.FacilityTypeCode
  LEFT JOIN ChargeTypes ON ChargeTypes.ChargeTypeCode = EvaluationManagement.ChargeTypeCode
  LEFT JOIN AttentionTypes ON AttentionTypes.AttentionTypeCode = EvaluationManagement.AttentionTypeCode;

-- Rows of the lookup tables. Charge types keep codes 1, 2, ... in list order: the charge
-- editor selects a charge type by its position. Charge type 1 is the inpatient visit
-- (billed with the facility's inpatient code); every other type bills as outpatient.

INSERT INTO FacilityTypes (FacilityTypeCode, Description) VALUES
    (1, 'Hospitals'),
    (2, 'Extended Care Facilities'),
    (3, 'Home'),
    (4, 'Board & Care'),
    (5, 'Office');

INSERT INTO SicknessType (SicknessTypeCode, Description) VALUES
    (0, 'Allergies'),
    (1, 'Medical History'),
    (2, 'Surgical History');

INSERT INTO ChargeTypes (ChargeTypeCode, Description, DoctorCaption) VALUES
    (1, 'Inpatient Visit', 'Attending'),
    (2, 'Outpatient Visit', 'Doctor'),
    (3, 'Consultation', 'Consultant');

INSERT INTO AttentionTypes (AttentionTypeCode, Description) VALUES
    (1, 'Attending'),
    (2, 'Primary Care'),
    (3, 'Consultant'),
    (4, 'Covering');

INSERT INTO Frequency (Frequency, Description) VALUES
    (1, 'Daily'),
    (2, 'Every Other Day'),
    (3, 'Twice a Week'),
    (4, 'Weekly'),
    (5, 'Every Two Weeks'),
    (6, 'Monthly'),
    (7, 'As Needed');

-- Version 5 -> 6: heart rate. Each user's maximum and resting heart rate in beats per minute
-- (NULL until set) and the lower bounds of the five heart-rate zones as percentages of the
-- maximum; and the time-weighted average heart rate of each workout whose track has one, kept
-- once when the track is stored so that load charts never unpack tracks. The same columns and
-- table stand in the schema of a new file, so a migrated file and a new one are the same.
ALTER TABLE Users ADD COLUMN Max_HR INTEGER CHECK (Max_HR IS NULL OR Max_HR BETWEEN 30 AND 250);
ALTER TABLE Users ADD COLUMN Rest_HR INTEGER
    CHECK (Rest_HR IS NULL OR (Rest_HR BETWEEN 30 AND 250 AND (Max_HR IS NULL OR Rest_HR < Max_HR)));
ALTER TABLE Users ADD COLUMN HR_Zones TEXT NOT NULL DEFAULT '50,60,70,80,90';
CREATE TABLE Exercise_HeartRate (
    Exercise_ID INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Average_HR  REAL NOT NULL CHECK (Average_HR > 0),
    Seconds     REAL NOT NULL CHECK (Seconds > 0)
) STRICT;

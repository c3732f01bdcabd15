-- Version 1 -> 2: every date column accepts real dates only. SQLite cannot add a CHECK to a
-- table, so the four tables with a date column are rebuilt under their names: new table,
-- rows copied with their identifiers, old table dropped, new one renamed, indexes made
-- again. The AUTOINCREMENT counters are kept, so no identifier is ever given out twice.
-- Runs inside the migration's transaction with foreign keys off.
CREATE TEMP TABLE kept_sequence AS SELECT name, seq FROM sqlite_sequence;

CREATE TABLE Exercise_Master_2 (
    Exercise_ID   INTEGER PRIMARY KEY AUTOINCREMENT,
    Exercise_Type TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Exercise_Date TEXT NOT NULL CHECK (date(Exercise_Date, '+0 days') IS Exercise_Date),
    Exercise_Day  TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Exercise_Time TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Comments      TEXT COLLATE NOCASE
) STRICT;
INSERT INTO Exercise_Master_2 (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, Comments)
    SELECT Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, Comments FROM Exercise_Master;
DROP TABLE Exercise_Master;
ALTER TABLE Exercise_Master_2 RENAME TO Exercise_Master;
CREATE INDEX Exercise_Master_User_Date ON Exercise_Master (User_Name, Exercise_Date);

CREATE TABLE RaceLog_2 (
    RaceID         INTEGER PRIMARY KEY AUTOINCREMENT,
    Exercise       TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    RaceDate       TEXT NOT NULL CHECK (date(RaceDate, '+0 days') IS RaceDate),
    RaceType       TEXT COLLATE NOCASE,
    RaceName       TEXT COLLATE NOCASE,
    RaceDistance   REAL NOT NULL,
    RaceDistanceKM REAL NOT NULL,
    RaceTime       TEXT COLLATE NOCASE,
    RaceCity       TEXT COLLATE NOCASE,
    RaceState      TEXT COLLATE NOCASE,
    RaceComments   TEXT COLLATE NOCASE,
    User_Name      TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    AgeGroup       TEXT COLLATE NOCASE,
    AgeGroupPlace  TEXT COLLATE NOCASE,
    OverallPlace   TEXT COLLATE NOCASE
) STRICT;
INSERT INTO RaceLog_2 (RaceID, Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, RaceTime,
                       RaceCity, RaceState, RaceComments, User_Name, AgeGroup, AgeGroupPlace, OverallPlace)
    SELECT RaceID, Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, RaceTime,
           RaceCity, RaceState, RaceComments, User_Name, AgeGroup, AgeGroupPlace, OverallPlace FROM RaceLog;
DROP TABLE RaceLog;
ALTER TABLE RaceLog_2 RENAME TO RaceLog;
CREATE INDEX RaceLog_User_Date ON RaceLog (User_Name, RaceDate);

CREATE TABLE Running_Shoes_2 (
    Shoes_ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    Shoe          TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Shoe_Type     TEXT COLLATE NOCASE,
    Price         REAL,
    Active        INTEGER NOT NULL DEFAULT 1 CHECK (Active IN (0, 1)),
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Purchase_Date TEXT CHECK (Purchase_Date IS NULL OR date(Purchase_Date, '+0 days') IS Purchase_Date),
    UNIQUE (User_Name, Shoe)
) STRICT;
INSERT INTO Running_Shoes_2 (Shoes_ID, Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date)
    SELECT Shoes_ID, Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date FROM Running_Shoes;
DROP TABLE Running_Shoes;
ALTER TABLE Running_Shoes_2 RENAME TO Running_Shoes;

CREATE TABLE Bikes_2 (
    Bike          TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Bike_Type     TEXT COLLATE NOCASE,
    Price         REAL,
    Active        INTEGER NOT NULL DEFAULT 1 CHECK (Active IN (0, 1)),
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Purchase_Date TEXT CHECK (Purchase_Date IS NULL OR date(Purchase_Date, '+0 days') IS Purchase_Date),
    UNIQUE (User_Name, Bike)
) STRICT;
INSERT INTO Bikes_2 (rowid, Bike, Bike_Type, Price, Active, User_Name, Purchase_Date)
    SELECT rowid, Bike, Bike_Type, Price, Active, User_Name, Purchase_Date FROM Bikes;
DROP TABLE Bikes;
ALTER TABLE Bikes_2 RENAME TO Bikes;

DELETE FROM sqlite_sequence;
INSERT INTO sqlite_sequence (name, seq) SELECT name, seq FROM temp.kept_sequence;
DROP TABLE temp.kept_sequence;

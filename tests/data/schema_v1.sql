-- Trainbook database, version 1.
-- Text columns compare without regard to case; dates are ISO yyyy-mm-dd; booleans are 0/1.
PRAGMA application_id = 1414676546;
PRAGMA user_version = 1;

CREATE TABLE Users (
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '' PRIMARY KEY,
    DistanceMiles INTEGER NOT NULL DEFAULT 1 CHECK (DistanceMiles IN (0, 1))
) STRICT;

CREATE TABLE Exercise_Master (
    Exercise_ID   INTEGER PRIMARY KEY AUTOINCREMENT,
    Exercise_Type TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Exercise_Date TEXT NOT NULL CHECK (Exercise_Date GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    Exercise_Day  TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Exercise_Time TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Comments      TEXT COLLATE NOCASE
) STRICT;
CREATE INDEX Exercise_Master_User_Date ON Exercise_Master (User_Name, Exercise_Date);

CREATE TABLE Running_Log (
    Running_ID INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Miles      REAL NOT NULL,
    Course     TEXT COLLATE NOCASE,
    Shoes      TEXT COLLATE NOCASE,
    Kilometers REAL NOT NULL
) STRICT;

CREATE TABLE Cycling_Log (
    Cycling_ID      INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Miles           REAL NOT NULL,
    Course          TEXT COLLATE NOCASE,
    Bike            TEXT COLLATE NOCASE,
    Calories_Burned REAL NOT NULL DEFAULT 0,
    Kilometers      REAL NOT NULL
) STRICT;

CREATE TABLE Swimming_Log (
    Swimming_ID INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Laps        REAL NOT NULL,
    Location    TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE Video_Log (
    Video_ID INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Video    TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE OtherLog (
    Other_ID      INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Exercise_Name TEXT COLLATE NOCASE,
    Field1        TEXT COLLATE NOCASE,
    Field2        TEXT COLLATE NOCASE,
    Field3        TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE RaceLog (
    RaceID         INTEGER PRIMARY KEY AUTOINCREMENT,
    Exercise       TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    RaceDate       TEXT NOT NULL CHECK (RaceDate GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
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
CREATE INDEX RaceLog_User_Date ON RaceLog (User_Name, RaceDate);

CREATE TABLE Running_Shoes (
    Shoes_ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    Shoe          TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Shoe_Type     TEXT COLLATE NOCASE,
    Price         REAL,
    Active        INTEGER NOT NULL DEFAULT 1 CHECK (Active IN (0, 1)),
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Purchase_Date TEXT CHECK (Purchase_Date IS NULL OR Purchase_Date GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    UNIQUE (User_Name, Shoe)
) STRICT;

CREATE TABLE Bikes (
    Bike          TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Bike_Type     TEXT COLLATE NOCASE,
    Price         REAL,
    Active        INTEGER NOT NULL DEFAULT 1 CHECK (Active IN (0, 1)),
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Purchase_Date TEXT CHECK (Purchase_Date IS NULL OR Purchase_Date GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    UNIQUE (User_Name, Bike)
) STRICT;

CREATE TABLE Videos (
    Video      TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Video_Type TEXT COLLATE NOCASE,
    Length     TEXT COLLATE NOCASE,
    Active     INTEGER NOT NULL DEFAULT 1 CHECK (Active IN (0, 1)),
    User_Name  TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    UNIQUE (User_Name, Video)
) STRICT;

CREATE TABLE Video_Types (
    Video_Type TEXT COLLATE NOCASE NOT NULL PRIMARY KEY
) STRICT;

CREATE TABLE RaceTypes (
    Exercise     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    RaceType     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    RaceDistance REAL NOT NULL DEFAULT 0,
    User_Name    TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    UNIQUE (Exercise, RaceType, User_Name)
) STRICT;

CREATE TABLE Other_Setup (
    Exercise_Name  TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Num_Fields     INTEGER NOT NULL DEFAULT 0 CHECK (Num_Fields BETWEEN 0 AND 3),
    Field1         TEXT COLLATE NOCASE,
    Field2         TEXT COLLATE NOCASE,
    Field3         TEXT COLLATE NOCASE,
    User_Name      TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    UNIQUE (Exercise_Name, User_Name)
) STRICT;

CREATE TABLE RptCriteria (
    Criteria       TEXT,
    Exercise       TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    User_Name      TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    UNIQUE (Exercise, User_Name)
) STRICT;

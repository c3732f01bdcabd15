-- Trainbook database, version 7 (Migration.cpp brings older files up to it).
-- Text columns compare without regard to case; booleans are 0/1. Dates are ISO yyyy-mm-dd
-- text, and only real dates: date(x, '+0 days') gives x back only for a day of the calendar.
-- The SQL dialect knows a date column by that CHECK.
PRAGMA application_id = 1414676546;
PRAGMA user_version = 7;

CREATE TABLE Users (
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '' PRIMARY KEY,
    DistanceMiles INTEGER NOT NULL DEFAULT 1 CHECK (DistanceMiles IN (0, 1)),
    -- Heart rate in beats per minute (NULL until set); the zones' lower bounds in percent of
    -- the maximum.
    Max_HR        INTEGER CHECK (Max_HR IS NULL OR Max_HR BETWEEN 30 AND 250),
    Rest_HR       INTEGER
        CHECK (Rest_HR IS NULL OR (Rest_HR BETWEEN 30 AND 250 AND (Max_HR IS NULL OR Rest_HR < Max_HR))),
    HR_Zones      TEXT NOT NULL DEFAULT '50,60,70,80,90'
) STRICT;

CREATE TABLE Exercise_Master (
    Exercise_ID   INTEGER PRIMARY KEY AUTOINCREMENT,
    Exercise_Type TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Exercise_Date TEXT NOT NULL CHECK (date(Exercise_Date, '+0 days') IS Exercise_Date),
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
CREATE INDEX RaceLog_User_Date ON RaceLog (User_Name, RaceDate);

CREATE TABLE Running_Shoes (
    Shoes_ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    Shoe          TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Shoe_Type     TEXT COLLATE NOCASE,
    Price         REAL,
    Active        INTEGER NOT NULL DEFAULT 1 CHECK (Active IN (0, 1)),
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Purchase_Date TEXT CHECK (Purchase_Date IS NULL OR date(Purchase_Date, '+0 days') IS Purchase_Date),
    Retire_Distance REAL CHECK (Retire_Distance IS NULL OR Retire_Distance > 0),
    UNIQUE (User_Name, Shoe)
) STRICT;

CREATE TABLE Bikes (
    Bike          TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Bike_Type     TEXT COLLATE NOCASE,
    Price         REAL,
    Active        INTEGER NOT NULL DEFAULT 1 CHECK (Active IN (0, 1)),
    User_Name     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Purchase_Date TEXT CHECK (Purchase_Date IS NULL OR date(Purchase_Date, '+0 days') IS Purchase_Date),
    Retire_Distance REAL CHECK (Retire_Distance IS NULL OR Retire_Distance > 0),
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

CREATE TABLE Goals (
    User_Name TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Kind      TEXT COLLATE NOCASE NOT NULL CHECK (Kind IN ('Running', 'Cycling', 'Swimming', 'All')),
    Period    TEXT COLLATE NOCASE NOT NULL CHECK (Period IN ('week', 'month', 'year')),
    Distance  REAL CHECK (Distance IS NULL OR Distance > 0),
    Minutes   REAL CHECK (Minutes IS NULL OR Minutes > 0),
    CHECK ((Distance IS NULL) <> (Minutes IS NULL)),
    CHECK (Distance IS NULL OR Kind <> 'All'),
    UNIQUE (User_Name, Kind, Period)
) STRICT;

-- The points and laps of an imported workout, packed (Track.h), one row per workout that has them.
CREATE TABLE Exercise_Track (
    Exercise_ID INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Points      BLOB NOT NULL,
    Laps        BLOB NOT NULL
) STRICT;

-- The time-weighted average heart rate of a workout's track and the seconds it spans, kept when
-- the track is stored (HeartRate.h); no row for a workout without heart rate.
CREATE TABLE Exercise_HeartRate (
    Exercise_ID INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Average_HR  REAL NOT NULL CHECK (Average_HR > 0),
    Seconds     REAL NOT NULL CHECK (Seconds > 0)
) STRICT;

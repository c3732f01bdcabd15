-- Version 3 -> 4: goals. A user sets at most one goal per kind of workout and period: a
-- distance (miles, or laps for swimming) or a time in minutes, never both; a goal for every
-- kind of workout ("All") takes a time only. The same table stands at the end of the schema
-- of a new file, so a migrated file and a new one are the same.
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

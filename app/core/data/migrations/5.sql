-- Version 4 -> 5: the points and laps an imported workout was recorded with, packed, one row
-- per workout that has them.
CREATE TABLE Exercise_Track (
    Exercise_ID INTEGER PRIMARY KEY REFERENCES Exercise_Master (Exercise_ID),
    Points      BLOB NOT NULL,
    Laps        BLOB NOT NULL
) STRICT;

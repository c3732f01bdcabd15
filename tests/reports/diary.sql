-- The diary of the report reference cases and of the report window tests: Ann's workouts
-- and races of November 2026 to January 2027, one run of Bob's on the Hill, O'Neil's run in
-- the Park, and Sam's runs on a Saturday and the Sunday after it (the first day of a week).
--  id  date        kind      time     facts
--   1  28-Nov-2026 Running   45:00    5 mi / 8.1 km, River Loop, "easy"
--   2  30-Nov-2026 Running   1:02:30  6.2 mi / 10 km, Hill
--   3  02-Dec-2026 Running   30:00    0 mi / 0 km, Treadmill, comment ""
--   4  05-Dec-2026 Running   20:00    2.6 mi / 4.3 km, Track, "intervals"
--   5  01-Dec-2026 Running   1:20:00  10 mi, Bob's
--   6  06-Dec-2026 Cycling   1:30:00  30 mi / 48.3 km, Coast
--   7  07-Dec-2026 Cycling   0:00     10 mi / 16.1 km, Park
--   8  03-Dec-2026 Swimming  40:00    40 laps, Pool A, "drills"
--   9  04-Jan-2027 Swimming  30:00    0 laps, Lake
--  10  04-Dec-2026 Video     25:00    Core Blast, "hard"
--  11  10-Dec-2026 Video     35:00    Yoga Flow
--  12  08-Dec-2026 Other     15:00    Pushups, Field1 50
--  13  08-Dec-2026 Running   30:00    3 mi / 4.8 km, Park, O'Neil's
--  14  05-Dec-2026 Running   30:00    3 mi / 4.8 km, Park, Sam's (Saturday)
--  15  06-Dec-2026 Running   1:00:00  6 mi / 9.7 km, Park, Sam's (Sunday)
--  16  20-Oct-2026 Running   25:00    0 mi, Treadmill, Eve's (a month without distance)
--  17  30-Nov-2026 Running   1:02:30  6.2 mi / 10 km, Hill, Eve's
--  18  02-Dec-2026 Running   30:00    0 mi, Treadmill, Eve's
--  19  01-Dec-2026 Running   abc      3 mi, Park, Dee's: a time that is not a duration
-- Races: 1 RunningRace 04-Oct-2026 10K Harbor Run 6.2 mi / 10 km 50:00;
--        2 RunningRace 15-Nov-2026 Marathon City Marathon 26.2 / 42.2 3:30:00;
--        3 CyclingRace 01-Nov-2026 Crit Night Crit 0 / 0 1:00:00.
-- Shoes: Ann's Blue (active) and Red (retired).
INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time,
    User_Name, Comments) VALUES
    (1, 'Running', '11/28/2026', 'Saturday', '45:00', 'Ann', 'easy'),
    (2, 'Running', '11/30/2026', 'Monday', '1:02:30', 'Ann', NULL),
    (3, 'Running', '12/2/2026', 'Wednesday', '30:00', 'Ann', ''),
    (4, 'Running', '12/5/2026', 'Saturday', '20:00', 'Ann', 'intervals'),
    (5, 'Running', '12/1/2026', 'Tuesday', '1:20:00', 'Bob', NULL),
    (6, 'Cycling', '12/6/2026', 'Sunday', '1:30:00', 'Ann', NULL),
    (7, 'Cycling', '12/7/2026', 'Monday', '0:00', 'Ann', NULL),
    (8, 'Swimming', '12/3/2026', 'Thursday', '40:00', 'Ann', 'drills'),
    (9, 'Swimming', '1/4/2027', 'Monday', '30:00', 'Ann', NULL),
    (10, 'Video', '12/4/2026', 'Friday', '25:00', 'Ann', 'hard'),
    (11, 'Video', '12/10/2026', 'Thursday', '35:00', 'Ann', NULL),
    (12, 'Other', '12/8/2026', 'Tuesday', '15:00', 'Ann', NULL),
    (13, 'Running', '12/8/2026', 'Tuesday', '30:00', 'O''Neil', NULL),
    (14, 'Running', '12/5/2026', 'Saturday', '30:00', 'Sam', NULL),
    (15, 'Running', '12/6/2026', 'Sunday', '1:00:00', 'Sam', NULL),
    (16, 'Running', '10/20/2026', 'Tuesday', '25:00', 'Eve', NULL),
    (17, 'Running', '11/30/2026', 'Monday', '1:02:30', 'Eve', NULL),
    (18, 'Running', '12/2/2026', 'Wednesday', '30:00', 'Eve', NULL),
    (19, 'Running', '12/1/2026', 'Tuesday', 'abc', 'Dee', NULL);
INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course, Shoes) VALUES
    (1, 5, 8.1, 'River Loop', 'Blue'), (2, 6.2, 10, 'Hill', 'Blue'), (3, 0, 0, 'Treadmill', 'Blue'),
    (4, 2.6, 4.3, 'Track', 'Red'), (5, 10, 16.1, 'Hill', 'Bobs'), (13, 3, 4.8, 'Park', 'Grey'),
    (14, 3, 4.8, 'Park', 'Green'), (15, 6, 9.7, 'Park', 'Green'), (16, 0, 0, 'Treadmill', NULL),
    (17, 6.2, 10, 'Hill', NULL), (18, 0, 0, 'Treadmill', NULL), (19, 3, 4.8, 'Park', NULL);
INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers, Course, Bike) VALUES
    (6, 30, 48.3, 'Coast', 'Roadie'), (7, 10, 16.1, 'Park', 'Roadie');
INSERT INTO Swimming_Log (Swimming_ID, Laps, Location) VALUES (8, 40, 'Pool A'), (9, 0, 'Lake');
INSERT INTO Video_Log (Video_ID, Video) VALUES (10, 'Core Blast'), (11, 'Yoga Flow');
INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (12, 'Pushups', '50');
INSERT INTO RaceLog (RaceID, Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM,
    RaceTime, User_Name) VALUES
    (1, 'RunningRace', '10/4/2026', '10K', 'Harbor Run', 6.2, 10, '50:00', 'Ann'),
    (2, 'RunningRace', '11/15/2026', 'Marathon', 'City Marathon', 26.2, 42.2, '3:30:00', 'Ann'),
    (3, 'CyclingRace', '11/1/2026', 'Crit', 'Night Crit', 0, 0, '1:00:00', 'Ann');
INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Purchase_Date, Active, User_Name) VALUES
    ('Blue', 'Trainer', 120, '3/1/2026', 1, 'Ann'), ('Red', 'Racer', 90, '4/1/2026', 0, 'Ann');
-- Goals and bests. Gus (miles) runs on the edges of weeks, months and years (12-Dec-2026 is a
-- Saturday, 29-Feb-2028 a Tuesday), rides, swims and does other workouts, one of them at a time
-- that is no duration; Kit (kilometres) runs and swims around the same Saturday. Gus's races
-- tie, differ in the case of a type or have no usable time; Kit's 5K is faster than his. Gus's
-- shoes: Pegasus (8 of its 9 miles), Trail King (10 of 10), Old (retired) and Unused; Kit's
-- Pegasus is another shoe of the same name. His bike has a quote in its name.
INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Gus', 1), ('Kit', 0), ('Sam', 1);
INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Time, User_Name) VALUES
    (31, 'Running', '11/30/2026', '1:20:00', 'Gus'), (32, 'Running', '12/12/2026', '40:00', 'Gus'),
    (33, 'Running', '12/13/2026', '25:00', 'Gus'), (34, 'Running', '12/31/2026', '32:00', 'Gus'),
    (35, 'Running', '1/1/2027', '50:00', 'Gus'), (36, 'Running', '2/28/2028', '16:00', 'Gus'),
    (37, 'Running', '2/29/2028', '1:00:00', 'Gus'), (38, 'Running', '3/1/2028', '8:00', 'Gus'),
    (39, 'Cycling', '12/12/2026', '1:00:00', 'Gus'), (40, 'Swimming', '12/13/2026', '45:00', 'Gus'),
    (41, 'Other', '12/12/2026', '15:00', 'Gus'), (42, 'Other', '12/11/2026', 'soon', 'Gus'),
    (43, 'Running', '12/12/2026', '40:00', 'Kit'), (44, 'Running', '12/13/2026', '25:00', 'Kit'),
    (45, 'Running', '12/31/2026', '32:00', 'Kit'), (46, 'Swimming', '12/12/2026', '45:00', 'Kit');
INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Shoes) VALUES
    (31, 10, 16.1, 'Trail King'), (32, 5, 8, 'Pegasus'), (33, 3, 4.8, 'Pegasus'), (34, 4, 6.4, 'Old'),
    (35, 6, 9.7, NULL), (36, 2, 3.2, NULL), (37, 7, 11.3, NULL), (38, 1, 1.6, NULL), (43, 5, 8, 'Pegasus'),
    (44, 3, 4.8, 'Pegasus'), (45, 4, 6.4, 'Pegasus');
INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers, Bike) VALUES (39, 20, 32.2, 'Bob''s Racer');
INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (40, 40), (46, 40);
INSERT INTO Goals (User_Name, Kind, Period, Distance, Minutes) VALUES
    ('Gus', 'Running', 'week', 25, NULL), ('Gus', 'Running', 'month', 100, NULL),
    ('Gus', 'Running', 'year', 1000, NULL), ('Gus', 'Cycling', 'month', 100, NULL),
    ('Gus', 'All', 'week', NULL, 300), ('Kit', 'Running', 'week', 25, NULL),
    ('Kit', 'Running', 'month', NULL, 600), ('Kit', 'Swimming', 'week', 100, NULL);
INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, RaceTime,
    User_Name) VALUES
    ('RunningRace', '11/25/2026', '5K', 'Turkey Trot', 3.1, 5, '25:00', 'Gus'),
    ('RunningRace', '4/12/2026', '5K', 'Spring 5K', 3.1, 5, '24:30', 'Gus'),
    ('RunningRace', '6/1/2026', '5k', 'Park Run', 3.1, 5, '24:30', 'Gus'),
    ('RunningRace', '6/8/2026', '5K', 'Rainy', 3.1, 5, 'abc', 'Gus'),
    ('RunningRace', '10/4/2026', 'Marathon', 'City Marathon', 26.2, 42.2, '3:30:00', 'Gus'),
    ('RunningRace', '3/1/2026', '10K', 'Fun Run', 6.2, 10, '', 'Gus'),
    ('CyclingRace', '8/9/2026', '40K TT', 'Club TT', 24.9, 40, '1:05:30', 'Gus'),
    ('RunningRace', '4/12/2026', '5K', 'Kit 5K', 3.1, 5, '19:00', 'Kit');
INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date, Retire_Distance) VALUES
    ('Pegasus', 'Road', 89.5, 1, 'Gus', '3/4/2026', 9), ('Trail King', 'Trail', NULL, 1, 'Gus', NULL, 10),
    ('Old', 'Road', NULL, 0, 'Gus', NULL, NULL), ('Unused', 'Road', NULL, 1, 'Gus', NULL, NULL),
    ('Pegasus', 'Road', NULL, 1, 'Kit', NULL, NULL);
INSERT INTO Bikes (Bike, Bike_Type, Price, Active, User_Name, Purchase_Date) VALUES
    ('Bob''s Racer', 'Road Bike', 1200, 1, 'Gus', '6/15/2025');

-- The diary of the chart reference cases and of the graph window tests (ann's; today is
-- 1 April 2026 where the tests fix it):
--   id  kind   date        time     distance
--    1  run    2025-03-05  30:00    3 mi  4.8 km
--    2  run    2025-03-20  1:00:00  6 mi  9.7 km
--    3  run    2025-05-02  20:00    0 mi  0 km     (treadmill, no distance)
--    4  video  2025-05-02  30:00
--    5  run    2026-01-10  45:00    5 mi  8 km
--    6  other  2026-01-10  15:00    (Weights)
--    7  run    2026-03-01  40:00    4 mi  6.4 km
--    8  ride   2026-03-15  1:30:00  30 mi 48.3 km
--    9  swim   2026-03-15  45:00    40 laps
--   10  ride   2026-03-16  0:00     10 mi 16.1 km  (no time)
--   11  run    2026-03-31  24:00    3 mi  4.8 km
-- bob has one run in March 2026 that must never show in ann's charts.
INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time,
    User_Name) VALUES
    (1, 'Running', '3/5/2025', 'Day', '30:00', 'ann'), (2, 'Running', '3/20/2025', 'Day', '1:00:00', 'ann'),
    (3, 'Running', '5/2/2025', 'Day', '20:00', 'ann'), (4, 'Video', '5/2/2025', 'Day', '30:00', 'ann'),
    (5, 'Running', '1/10/2026', 'Day', '45:00', 'ann'), (6, 'Other', '1/10/2026', 'Day', '15:00', 'ann'),
    (7, 'Running', '3/1/2026', 'Day', '40:00', 'ann'), (8, 'Cycling', '3/15/2026', 'Day', '1:30:00', 'ann'),
    (9, 'Swimming', '3/15/2026', 'Day', '45:00', 'ann'), (10, 'Cycling', '3/16/2026', 'Day', '0:00', 'ann'),
    (11, 'Running', '3/31/2026', 'Day', '24:00', 'ann'), (12, 'Running', '3/2/2026', 'Day', '2:00:00', 'bob');
INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES
    (1, 3, 4.8), (2, 6, 9.7), (3, 0, 0), (5, 5, 8), (7, 4, 6.4), (11, 3, 4.8), (12, 10, 16.1);
INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (8, 30, 48.3), (10, 10, 16.1);
INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (9, 40);
INSERT INTO Video_Log (Video_ID, Video) VALUES (4, 'Abs');
INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (6, 'Weights', NULL);
-- The calendar cases: Cal's March 2004 of every kind, with runs on the days around it (Cal
-- is written in lower case by one case: user names ignore case), one run of bob's in that
-- month, and O'Brien's workouts with quotes in their texts.
INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time,
    User_Name) VALUES
    (101, 'Running', '3/5/2004', 'Day', '40:00', 'Cal'), (102, 'Swimming', '3/5/2004', 'Day', '35:00', 'Cal'),
    (103, 'Cycling', '3/1/2004', 'Day', '1:05:00', 'Cal'), (104, 'Other', '3/31/2004', 'Day', '30:00', 'Cal'),
    (105, 'Other', '3/12/2004', 'Day', '1:00:00', 'Cal'), (106, 'Video', '3/12/2004', 'Day', '20:00', 'Cal'),
    (107, 'Other', '3/20/2004', 'Day', '15:00', 'Cal'), (108, 'Other', '3/21/2004', 'Day', '10:00', 'Cal'),
    (109, 'Video', '3/22/2004', 'Day', '25:00', 'Cal'), (110, 'Running', '4/1/2004', 'Day', '24:00', 'Cal'),
    (111, 'Running', '2/29/2004', 'Day', '24:00', 'Cal'), (112, 'Running', '3/7/2004', 'Day', '48:00', 'bob'),
    (113, 'Cycling', '3/2/2004', 'Day', '30:00', 'Cal'), (114, 'Running', '12/5/2026', 'Day', '25:00', 'O''Brien'),
    (115, 'Other', '12/6/2026', 'Day', '5:00', 'O''Brien');
INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES
    (101, 5, 8.05), (110, 3, 4.8), (111, 3, 4.8), (112, 6, 9.7), (114, 3.1, 5);
INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (103, 20.5, 33), (113, 10, 16.1);
INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (102, 40);
INSERT INTO Video_Log (Video_ID, Video) VALUES (106, 'Abs of Steel'), (109, NULL);
INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES
    (104, 'Weights', '3 sets'), (105, 'Yoga', NULL), (107, 'weights', '10 reps'), (108, 'Running', ''),
    (115, 'Push-ups', 'Bob''s set');

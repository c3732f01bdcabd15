-- The diary of the command-line reference cases: Kim (kilometres) with one half marathon,
-- Lou (miles) without races or goals.
INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Kim', 0), ('Lou', 1);
INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, RaceTime,
    User_Name) VALUES ('RunningRace', '9/20/2026', 'Half', 'Harbour Half', 13.1, 21.1, '1:45:30', 'Kim');

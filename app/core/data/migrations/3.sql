-- Version 2 -> 3: a retirement distance per pair of shoes and per bike, in miles (the unit of
-- the Miles columns); NULL means no limit. Added at the end of each table, where the schema
-- of a new file also has it, so a migrated file and a new one are the same.
ALTER TABLE Running_Shoes ADD COLUMN Retire_Distance REAL CHECK (Retire_Distance IS NULL OR Retire_Distance > 0);
ALTER TABLE Bikes ADD COLUMN Retire_Distance REAL CHECK (Retire_Distance IS NULL OR Retire_Distance > 0);

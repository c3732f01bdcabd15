-- Version 6 -> 7: no change to the tables. The step keeps the average heart rate of every
-- track stored before averages were kept (C++ work after this script, see Migration.cpp).
SELECT 1;

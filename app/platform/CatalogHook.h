#pragma once

#include <QString>

// Implemented by a log window that waits for a catalog dialog: after a successful add the
// dialog hands the new name over, and the log window appends it to its pick list.
// `catalog` names the dialog's class ("frmAddShoe", "frmAddBike", "frmAddVideo",
// "frmAddExercise", "frmAddRaceType").
class CatalogHook {
public:
    virtual ~CatalogHook() = default;
    virtual void catalogItemAdded(const QString& catalog, const QString& name) = 0;
};

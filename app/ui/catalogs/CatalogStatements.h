#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// The statements and value rules of the catalogs, kept apart from the widgets so the
// dialogs (and the logs that offer catalog items) only read their fields, call these, run
// the result and show messages. Every typed text goes through CLibrary::Quote and every
// unquoted number through CLibrary::Number; the builders throw DbError ("Type mismatch")
// for a non-number. Queries take the values the program supplies (the user's name, an item
// chosen from a list) as ? parameters, in the order their comments give.
namespace CatalogStatements {

// --- Equipment (shoes, bikes, videos) -----------------------------------------------------

// Which equipment table a dialog maintains.
struct Equipment {
    QString table;      // "Running_Shoes"
    QString nameColumn; // "Shoe"
    QString typeColumn; // "Shoe_Type"
    QString listOrder;  // appended to the list queries, e.g. "ORDER BY Shoes_ID DESC"
};

extern const Equipment Shoes; // newest first
extern const Equipment Bikes;
extern const Equipment Videos;

// The price as the person typed or the field shows it, as plain number text: blanks
// trimmed, one leading "$" dropped ("$45.00" -> "45.00"). Other text is left as it is.
QString stripCurrency(const QString& typed);

// The price shown in the field once it is left: "0.00" ("45" -> "45.00"), or with
// `currency` the form "$#,##0.00" ("1234.5" -> "$1,234.50"). Text that is not a price
// comes back without its currency sign only, so the insert can refuse it.
QString displayPrice(const QString& typed, bool currency);

// The price for a statement: the currency sign and the thousands separators of the display
// form dropped, then CLibrary::Number. Throws DbError for empty or non-numeric text.
QString priceNumber(const QString& typed);

// INSERT of a shoe or a bike; `date` is the picker's statement text (M/d/yyyy), `retireMiles`
// the retirement distance in miles (none: no limit).
QString insertPurchased(const Equipment& e, const QString& name, const QString& type, const QString& price,
                        bool active, const QString& user, const QString& date,
                        std::optional<double> retireMiles = std::nullopt);

// The retirement distance as typed in the person's unit (`miles`, else kilometres), in miles
// as it is stored: nothing for an empty field (no limit). Throws DbError ("Type mismatch")
// for text that is not a number and for a distance that is not above zero.
std::optional<double> retireMiles(const QString& typed, bool miles);
// A stored retirement distance (miles; NULL: no limit) as the field shows it in the person's
// unit, to one decimal at most ("500", "804.5"); empty for no limit.
QString retireText(const QVariant& storedMiles, bool miles);
// The stored value bound for a ? parameter: the miles, or NULL.
QVariant retireParameter(std::optional<double> retireMiles);
// INSERT of a video.
QString insertVideo(const QString& name, const QString& type, const QString& length, bool active,
                    const QString& user);
// The user's items, for the modify list. Parameters: user.
QString listItems(const Equipment& e);
// The user's active items, offered by the logs. Parameters: user.
QString activeItems(const Equipment& e);
// The Active flag of one item. Parameters: user, item.
QString selectActive(const Equipment& e);
// The Active flag and the retirement distance of one shoe or bike. Parameters: user, item.
QString selectActiveAndRetire(const Equipment& e);
// A video's stored length. Parameters: user, video.
QString selectVideoLength();
// Sets the Active flag of every item of the user with that name. Parameters: active (0/1),
// item, user.
QString updateActive(const Equipment& e);
// Sets the Active flag and the retirement distance of every item of the user with that name
// (shoes, bikes). Parameters: active (0/1), retirement distance (miles or NULL), item, user.
QString updateActiveAndRetire(const Equipment& e);
// The shared video types, sorted.
QString listVideoTypes();

// --- User-defined exercises ---------------------------------------------------------------

// How many of the three captions are in use (non-empty), whatever their positions.
int countCaptions(const QString& c1, const QString& c2, const QString& c3);
QString insertExercise(const QString& name, const QString& c1, const QString& c2, const QString& c3,
                       const QString& user);
// The user's exercises. Parameters: user.
QString listExercises();
// Num_Fields and the three captions of one exercise. Parameters: user, exercise.
QString selectCaptions();
// New captions of one exercise. Parameters: exercise, user.
QString updateExercise(const QString& c1, const QString& c2, const QString& c3);

// --- Race types and video types -----------------------------------------------------------

// `kind` is the race kind ("RunningRace"); `miles` goes in unquoted (throws DbError).
QString insertRaceType(const QString& kind, const QString& raceType, const QString& miles,
                       const QString& user);
QString insertVideoType(const QString& videoType);
// The user's race types of a race kind. Parameters: kind, user.
QString listRaceTypes();
// The standard distance of a race type. Parameters: kind, race type, user.
QString selectRaceDistance();

} // namespace CatalogStatements

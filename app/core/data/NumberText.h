#pragma once

#include <QString>
#include <optional>

// Numbers as text: "." is the decimal point everywhere.
namespace NumberText {

// The default conversion of a double to text: up to 15 significant digits, no trailing
// zeros, no exponent for ordinary magnitudes (26.2, 10, 3.75).
QString general(double value);

// Exactly `decimals` decimals, at least one integer digit, no thousands separator, halves
// rounded away from zero on the decimal value (so 0.125 -> "0.13" with 2 decimals).
QString fixed(double value, int decimals);

// Reads a plain decimal number: optional sign, digits with at most one ".", surrounding
// blanks allowed. Returns nothing for anything else (empty text, "abc", ".", "1e5", "5;").
std::optional<double> parse(const QString& text);

} // namespace NumberText

#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vintora {

// Reads the text of a number box as a 16-bit signed integer: blanks around
// the number are allowed and a fraction is rounded to the nearest integer,
// halves to the even neighbour (6.5 gives 6, 7.5 gives 8). Text that is not
// a number, or a number outside -32768..32767 once rounded, gives nothing.
std::optional<qint16> readNumber(const QString &text);

// A value as a 16-bit signed integer: the nearest whole number, halves to
// the even neighbour. Nothing when the rounded value lies outside
// -32768..32767 or the value is not finite.
std::optional<qint16> toInteger16(double value);

// The line shown beside a box whose text does not read as a number.
QString badNumberMessage();

} // namespace vintora

#pragma once

#include <QString>

// Why a control's property, method or entry point stopped early. Setters and
// entry points report it to their caller instead of throwing: nothing is
// thrown through Qt's event loop.
enum class ControlError {
    None,
    Overflow,             // a number outside the range of its type
    TypeMismatch,         // a stored value of the wrong kind
    InvalidPropertyValue, // a value the control base refuses
    ObjectRequired,       // none given where an object is needed
    NavigationFailed,     // the hyperlink navigation could not open the address
};

// The platform's wording, for messages.
QString describe(ControlError error);

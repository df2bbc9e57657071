#include "platform/host/controlerror.h"

QString describe(ControlError error) {
    switch (error) {
    case ControlError::None:
        return {};
    case ControlError::Overflow:
        return QStringLiteral("Overflow");
    case ControlError::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ControlError::InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case ControlError::ObjectRequired:
        return QStringLiteral("Object required");
    case ControlError::NavigationFailed:
        return QStringLiteral("The address could not be opened");
    }
    return {};
}

#include "VbError.h"

namespace zorbel {

VbError::VbError(int32_t number, QString description)
    : m_number(number), m_description(description.isEmpty() ? vbErrorText(number) : std::move(description))
{
}

QString vbErrorText(int32_t number)
{
    switch (number) {
    case 5: return QStringLiteral("Invalid procedure call or argument");
    case 6: return QStringLiteral("Overflow");
    case 7: return QStringLiteral("Out of memory");
    case 9: return QStringLiteral("Subscript out of range");
    case 11: return QStringLiteral("Division by zero");
    case 13: return QStringLiteral("Type mismatch");
    case 52: return QStringLiteral("Bad file name or number");
    case 53: return QStringLiteral("File not found");
    case 57: return QStringLiteral("Device I/O error");
    case 61: return QStringLiteral("Disk full");
    case 70: return QStringLiteral("Permission denied");
    case 75: return QStringLiteral("Path/File access error");
    case 76: return QStringLiteral("Path not found");
    case 326: return QStringLiteral("Resource with identifier not found");
    case 380: return QStringLiteral("Invalid property value");
    case 481: return QStringLiteral("Invalid picture");
    case 482: return QStringLiteral("Printer error");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

} // namespace zorbel

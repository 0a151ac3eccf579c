#pragma once
#include <QString>
#include <cstdint>
#include <exception>

namespace zorbel {

// A failure as the classic Basic runtime describes it: a number and its text.
// Statements throw it; the numbered-statement runner hands it to the error reporter.
class VbError : public std::exception {
public:
    explicit VbError(int32_t number, QString description = {});
    int32_t number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return "VbError"; }

private:
    int32_t m_number;
    QString m_description;
};

// The runtime's own text for an error number ("Type mismatch" for 13).
QString vbErrorText(int32_t number);

// Common error numbers, so call sites read as what went wrong.
namespace vberr {
constexpr int32_t InvalidCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t OutOfMemory = 7;
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t DivisionByZero = 11;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t BadFileName = 52;
constexpr int32_t FileNotFound = 53;
constexpr int32_t DeviceIO = 57;
constexpr int32_t DiskFull = 61;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t PathFileAccess = 75;
constexpr int32_t PathNotFound = 76;
constexpr int32_t InvalidPropertyValue = 380;
constexpr int32_t InvalidPicture = 481;
constexpr int32_t PrinterError = 482;
constexpr int32_t ResourceNotFound = 326;
} // namespace vberr

} // namespace zorbel

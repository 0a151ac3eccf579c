#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

// The plain-text error protocol: what the error dialog shows, when, and on which system.
namespace zorbel::protocol {

struct SystemInfo {
    QString platform;
    QString version;
    QString build;
    QString servicePack;
};
// The operating system as Qt reports it.
SystemInfo currentSystem();

struct Fields {
    QString progInfoCaption;  // "Programm-Info:"
    QString progInfo;         // "zorbel  V1.0.1"
    QString errorCaption;     // "Fehlerbeschreibung / error description:"
    std::array<QString, 4> titles;
    std::array<QString, 4> values;
    QDateTime when;
    SystemInfo system;
};

// Every line ends with CR LF.
QString build(const Fields& f);
// The lines as printed: cut at 73 columns into words, continuation lines indented by 20 blanks.
QStringList wrapForPrint(const QString& protocol);
// The text of an ANSI (Windows-1252) buffer before its first zero character; empty when it has none.
QString LPSTRToVBString(const QByteArray& buffer);
// Windows-1252 bytes for the plain-text files; a character without a code becomes '?'.
QByteArray toAnsi(const QString& text);

} // namespace zorbel::protocol

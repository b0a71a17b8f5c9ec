// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one error type of the runtime: a failed operation carries a number and a description,
// so a handler fails the same way whichever operation it called.

#include <QString>

#include <exception>

namespace runtime {

namespace err {
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kFileAccess = 75;
inline constexpr int kInvalidPropertyValue = 380;
inline constexpr int kObjectLacksOperation = 438;
inline constexpr int kInvalidPicture = 481;
} // namespace err

class RuntimeError : public std::exception
{
public:
    RuntimeError(int number, QString description)
        : m_number(number), m_description(std::move(description))
    { }
    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return "framolin runtime error"; }

private:
    int m_number;
    QString m_description;
};

// Thrown out of DoEvents once the program has ended, so that a handler that was yielding
// unwinds at once and no statement of it runs after End.
class ProgramEnded : public std::exception
{
public:
    const char *what() const noexcept override { return "program ended"; }
};

} // namespace runtime

#pragma once
#include <stdexcept>
#include <string>

// Raised by CArchive when a project file cannot be read: reading past the end
// (endOfFile), a value a record cannot accept (badIndex, badSchema, generic).
class CArchiveException : public std::runtime_error {
public:
    enum Cause { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    CArchiveException(Cause cause, const std::string& what, bool explainsToUser = false)
        : std::runtime_error(what), m_cause(cause), m_bExplainsToUser(explainsToUser) {}

    Cause m_cause;
    // what() is a sentence of the string table that the load-error report
    // shows under its own text.
    bool m_bExplainsToUser;
};

// Raised when a file cannot be opened, read or written.
class CFileException : public std::runtime_error {
public:
    CFileException(const std::string& path, const std::string& what)
        : std::runtime_error(what), m_path(path) {}

    std::string m_path;
};

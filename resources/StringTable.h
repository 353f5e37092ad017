#pragma once
// The program's string table: labels, messages and list texts by id.
// The entries live in resources/strings/*.inc, one KADREL_STRING(id, "text")
// per line, gathered into one table at build time.

#include <string>

// The text of the id, or an empty string when the table has none.
const std::string& LoadStringId(unsigned id);
// True when the table holds the id.
bool HasStringId(unsigned id);

// The function exchange file: a set of user functions carried from one
// project to another. The dialogs around it live in exchange_dialog.h.
#pragma once

#include <string>
#include <vector>

// The path written for a path the user chose: one trailing ".xml" taken
// off, then ".xml" added ("lib.xml" and "lib" give "lib.xml").
std::string exchangeFilePath(const std::string& chosen);

// A function's code as the file holds it: each line break followed by four
// spaces in place of the next line's leading blanks and tabs, none after
// the last line break when only blanks and tabs follow it.
std::string exchangeCode(const std::string& code);

// The document for the functions whose `chosen` entry is true, by position
// in `fns` (entry i is the i-th function).
std::string functionExchangeDocument(const std::string& author, const std::string& description,
                                     const std::vector<bool>& chosen);

// Writes the document (through a temporary file); false when it failed.
bool writeFunctionExchange(const std::string& path, const std::string& author,
                           const std::string& description, const std::vector<bool>& chosen);

// Appends the functions of an exchange file to `fns`, a taken name getting
// "_2" until it is free. false (nothing appended) for a file that cannot be
// read or is not well-formed; a list shorter than its count gives what it has.
// The modified flag stays.
bool importFunctionsFrom(const std::string& path);

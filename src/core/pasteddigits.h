// Text taken from the clipboard, read as a figure to key.
#pragma once

#include <QString>

#include <optional>

// The digits of text as ASCII, leading zeros kept, when text is a whole
// number the entry could hold: surrounding white space is dropped, and what
// remains must be one to five digits, each either ASCII or full width (０ to
// ９, as Japanese input methods give them). Anything else is no figure.
std::optional<QString> pastedDigits(const QString &text);

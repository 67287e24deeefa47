// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

// A file name as the command line gives it. The system's names are bytes and the toolkit's are
// text: bytes that are no text in the system's encoding would each become U+FFFD, and the name
// would then stand for another file, which would be read or even replaced in its stead. Such a
// name is refused, never changed.
class CommandLineName
{
public:
    // The argument as text that names exactly the file it named, or nothing.
    static std::optional<QString> decode(const char *argument);
    // The argument for a message: its text, with each byte that is no text written as \xFF.
    static QString shown(const char *argument);
    // Why such a name is refused, to follow it after a colon.
    static QString refusal();
};

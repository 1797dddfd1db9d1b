#pragma once

#include <QString>
#include <optional>

namespace kwemo {

// A style set's name becomes a folder name under the style root, so only names that stay one
// plain folder there are accepted: not empty, not starting with "." (which also rules out "."
// and ".."), no "/", NUL or other control character, no format character (bidi overrides,
// zero-width characters), not the list's reset entry or a name the list would show as it, at
// most 100 characters and 255 bytes.
// Returns the reason a name is refused, in the words the user is shown, or nothing when it is fine.
std::optional<QString> styleSetNameProblem(const QString& name);

// True when `name` can only mean a folder directly inside the style root ("", ".", "..", a name
// starting with "." or holding "/" or NUL cannot). Listing never yields other names.
bool isStyleSetFolderName(const QString& name);

}  // namespace kwemo

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The local paths in a text/uri-list, as the exact bytes of each name: lines end in CR LF,
// "#" lines are comments, and only file: URIs on this host (no host, or "localhost") count.
// A path is percent-decoded byte for byte, so a name that is not UTF-8 stays what it is.
std::vector<std::string> localPathsOfUriList(std::string_view list);

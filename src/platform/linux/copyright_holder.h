#pragma once
#include <string>
#include <string_view>

namespace halvane {

// The first copyright holder of a machine-readable Debian copyright file (one whose header
// paragraph has a Format field): the first holder named in the Copyright field of the first
// "Files: *" paragraph, with the years, "(C)", "Copyright" and the e-mail address taken off.
// Empty for a free-form copyright file or when no holder can be found.
std::string FirstCopyrightHolder(std::string_view copyright_file);

// One holder line as written in a Copyright field, such as
// "Copyright (C) 1987-2022 Free Software Foundation, Inc." or "2001, 2003 Jo Doe <jo@x.org>",
// reduced to the holder's name.
std::string HolderName(std::string_view holder_line);

}  // namespace halvane

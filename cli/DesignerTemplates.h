#pragma once
// What the template and design commands share: a template named the way a user names it.
#include <string>

#include "platform/mxbase/Mx_String.h"

namespace connsheet {

// NAME as the user gave it: a template name below the designer's root folder (with or without ".txt",
// subfolders with "/" or "\"), or the path of a template file inside it. False with `problem` set when
// the name leads outside the root folder; `path` is then untouched.
bool templatePath(const std::string& name, Mx_String& path, std::string& problem);

}  // namespace connsheet

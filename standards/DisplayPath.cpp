#include "standards/DisplayPath.h"

#include <algorithm>
#include <string>

Mx_String displayPath(const Mx_String& path) {
    std::wstring text = path.str();
    std::replace(text.begin(), text.end(), L'\\', L'/');
    return Mx_String(text);
}

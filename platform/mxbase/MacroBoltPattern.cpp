#include "platform/mxbase/MacroBoltPattern.h"

int MacroBoltPattern::getCount(const Mx_String& countText) {
    int count = 0;
    if (!countText.toInt(count) || count < 0)
        return -1;
    return count;
}

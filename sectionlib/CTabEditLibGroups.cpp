#include "sectionlib/CTabEditLibGroups.h"

#include "platform/mxbase/UiTexts.h"

int CTabEditLibGroups::appendNew() {
    return data_.groups.appendNewGrp(dialString(171));
}

#pragma once
// The core's multiple-selection file dialog: files of one type (and folders) chosen in one go.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class CWnd;

// Asks for files of type `extension` (without the dot) described as `description`, starting in
// `folder`, under `title`. True with the full chosen paths in `paths` (emptied first); false when
// cancelled.
bool DlgOpenMulti(CWnd* parent, const Mx_String& title, const Mx_String& extension,
                  const Mx_String& description, const Mx_String& folder, Mx_StringArray& paths);

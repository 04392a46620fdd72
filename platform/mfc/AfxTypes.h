#pragma once
// MFC's value types in one include: CString, CPoint, CSize, CRect.
#include "platform/mfc/CPoint.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CSize.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/Win32Types.h"

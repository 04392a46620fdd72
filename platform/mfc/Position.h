#pragma once
// MFC's handle for walking a collection: the list view's selected items, a file dialog's chosen files.
// One definition for both, so a file may use the two together.

struct PositionTag;
using POSITION = PositionTag*;

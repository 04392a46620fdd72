#pragma once
// The core's bitmap picker: a drop-down list whose items each show a picture before their text, in
// the list and in the field. The combo owns the pictures it is given.
#include <vector>

#include "platform/mfc/CComboBox.h"
#include "platform/mxbase/Mx_String.h"

class CBitmapPickerCombo : public CComboBox {
public:
    CBitmapPickerCombo() = default;
    ~CBitmapPickerCombo() override;
    CBitmapPickerCombo(const CBitmapPickerCombo&) = delete;
    CBitmapPickerCombo& operator=(const CBitmapPickerCombo&) = delete;

    // Appends an item; `picture` may be null (the item then shows its text alone). Returns its index.
    int AddBitmap(HBITMAP picture, const Mx_String& text);
    // The item's picture, or null.
    HBITMAP bitmapAt(int index) const;

protected:
    // The items are drawn by this class, so the window is owner-drawn, as the control requires.
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    std::vector<HBITMAP> m_pictures;
};

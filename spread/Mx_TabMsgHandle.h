#pragma once
// What a Tab-key handler of a designed dialog or a spreadsheet window did with the key. On 2 and 3
// the calling dialog moves the focus out of the template or grid itself.
enum Mx_TabMsgHandle : int {
    kTabFocusMoved = 0,    // the focus moved inside the grid or template
    kTabNotHandled = 1,    // not a Tab the handler acts on
    kTabLeaveForward = 2,  // Tab on the last control
    kTabLeaveBackward = 3, // Shift+Tab on the first control
};

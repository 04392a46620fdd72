#pragma once
// The module's frame: what happens when the host loads it, asks for its API version, initialises it
// and unloads it.
//
// Library attach creates the module-wide objects (the extension-module record joined to the resource
// chain, the resource override), initialisation unlocks the application, declares it MDI-aware and
// loads the check-box bitmaps; unload removes the command group "MXFRAME_SS", closes every modeless
// macro dialog (settling closes still deferred, so no timer outlives the module) and the modeless
// macro editor; library detach destroys the module-wide objects.
//
// Without a host, LoadedModule does the whole life in one scope:
//     ModuleFrame::LoadedModule module;   // attach + kInitAppMsg ... kUnloadAppMsg + detach
#include "platform/arx/AcRxHost.h"
#include "platform/mfc/Win32Types.h"

class CBitmap;

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* application);
// The ObjectARX API version the module is built for: 17.0.
extern "C" int acrxGetApiVersion();

namespace ModuleFrame {

constexpr int kApiVersion = 0x110000;
constexpr UINT kCheckedBitmap = 8134;
constexpr UINT kUncheckedBitmap = 8136;

// DllMain's attach: false when the extension module could not be initialised (the load fails).
bool attach();
void detach();
bool isAttached();
bool isInitialised();

// The check-box pictures the dialogs draw (null before initialisation).
CBitmap* checkBoxBitmap(bool checked);

class LoadedModule {
public:
    LoadedModule();
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
};

}  // namespace ModuleFrame

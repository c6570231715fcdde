// The user application family: CRixUserApp, the program class rg_chxl and the window program
// class rg_chkchxl with its three hooks on the message loop (pre-translation, idle, exit). A
// program's startup class derives from one of them and adds its StartApplication routine.
//
// A new object of the family is not recorded as the current user application by its
// constructor: only the create path of start-up records it, so that a clone or a Reset copy
// made later can never take the startup object's place (the teardown deletes whatever is
// recorded).
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/rix_object.h"

class CRixUserApp : public CRixObject {
    RIX_OBJECT(CRixUserApp, CRixObject, "CRixUserApp")
    RIX_NO_OWN_FIELDS(CRixUserApp)
public:
    // The class records of the eight basic value classes, or null.
    virtual const ClassInfo* const* GetValueClassTable() const { return nullptr; }
};

namespace rg_lch_jb {

class rg_chxl : public CRixUserApp {
    RIX_OBJECT(rg_chxl, CRixUserApp, "rg_lch_jb::rg_chxl")
    RIX_NO_OWN_FIELDS(rg_chxl)
public:
    // Byte, 16-bit integer, character, 32-bit integer, two 64-bit integers, decimal, logical.
    const ClassInfo* const* GetValueClassTable() const override;
};

class rg_chkchxl : public rg_chxl {
    RIX_OBJECT(rg_chkchxl, rg_chxl, "rg_lch_jb::rg_chkchxl")
    RIX_NO_OWN_FIELDS(rg_chkchxl)
public:
    // 0 consumes the message: it is neither translated nor dispatched.
    virtual int PreTranslateAppMessage(HWND hwnd, UINT message, uint64_t wParam, int64_t lParam,
                                       MSG* msg) {
        (void)hwnd, (void)message, (void)wParam, (void)lParam, (void)msg;
        return 1;
    }
    // Called while the queue is empty, with the milliseconds since the idle phase began;
    // nonzero asks for another call.
    virtual int OnAppIdle(DWORD idleMilliseconds) {
        (void)idleMilliseconds;
        return 0;
    }
    virtual void OnAppExit() {}
};

} // namespace rg_lch_jb

// What a program tells start-up about its startup class: the class record through which the
// object is created, and the StartApplication routine run on it (nonzero: started).
struct RixStartupClass {
    const ClassInfo* pClassInfo;
    int (*pfnStartApplication)(CRixUserApp* app);
};

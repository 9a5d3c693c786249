#pragma once
// The progress-bar wrapper: typed calls for the bar's messages.

#include "platform/window/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) {
        SendMessage(PBM_SETRANGE, 0,
                    MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
    }
    int SetPos(int position) {
        return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position)));
    }
    int GetPos() { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int SetStep(int step) {
        return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step)));
    }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};

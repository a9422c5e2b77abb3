// The application object: owns the one CData for the whole run and runs the main window.
#pragma once

#include "win/framework/CWinApp.h"
#include "core/library/CData.h"

namespace brindlex {

class CBrindlexApp : public CWinApp {
public:
    CBrindlexApp() = default;

    // Prepares the platform's controls, runs the main window modally, and returns false so that
    // the process ends when the main window's run ends.
    bool InitInstance() override;

    CData m_data;
};

} // namespace brindlex

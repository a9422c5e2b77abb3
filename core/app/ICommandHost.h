// The main window as the lists and dialogs see it: what the user asked for there is reported
// here, and the main window runs it, or holds it while a paste runs. Running it may release the
// dialog that reported, so a dialog uses nothing of itself after its report.
#pragma once

#include "core/app/AppCommand.h"

namespace brindlex {

class ICommandHost {
public:
    virtual void OnCommand(const AppCommand& command) = 0;

protected:
    ~ICommandHost() = default;
};

} // namespace brindlex

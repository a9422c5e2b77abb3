// A host for the lists and dialogs under test: keeps every command they report and can answer
// one (e.g. release the dialog, as the main window does).
#pragma once

#include "core/app/ICommandHost.h"

#include <functional>
#include <vector>

namespace brindlex {

class CRecordingCommandHost final : public ICommandHost {
public:
    std::vector<AppCommand> commands;
    std::function<void(const AppCommand&)> onCommand;

    void OnCommand(const AppCommand& command) override {
        commands.push_back(command);
        if (onCommand) {
            onCommand(command);
        }
    }
    int Count(CommandKind kind) const {
        int n = 0;
        for (const AppCommand& c : commands) {
            n += c.kind == kind ? 1 : 0;
        }
        return n;
    }
    // The first command of `kind`, or nullptr.
    const AppCommand* First(CommandKind kind) const {
        for (const AppCommand& c : commands) {
            if (c.kind == kind) {
                return &c;
            }
        }
        return nullptr;
    }
};

} // namespace brindlex

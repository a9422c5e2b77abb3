#include "win/dialogs/CDataFileQuestion.h"

#include "win/framework/MessageBox.h"
#include "win/framework/WideString.h"

#include <commctrl.h>

#include <vector>

namespace brindlex {

namespace {

// Button ids of the answers other than Cancel (which is the dialog's own IDCANCEL).
constexpr int kFirstAnswerId = 1001;

} // namespace

DataFileAnswer CDataFileQuestion::Ask(HWND hOwner) const {
    const std::vector<DataFileAnswer> answers = m_choice.Answers();
    std::vector<std::u16string> texts;
    for (const DataFileAnswer answer : answers) {
        texts.push_back(CDataFileChoice::AnswerText(answer));
    }
    std::vector<TASKDIALOG_BUTTON> buttons;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        if (answers[i] != DataFileAnswer::Cancel) {
            buttons.push_back({kFirstAnswerId + static_cast<int>(i), W(texts[i])});
        }
    }
    const std::u16string title = kProgramName;
    const std::u16string heading = m_choice.Heading();
    const std::u16string details = m_choice.Details(m_strPath);

    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = hOwner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = W(title);
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszMainInstruction = W(heading);
    config.pszContent = W(details);
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = IDCANCEL; // Enter alone never replaces or leaves a library
    int pressed = IDCANCEL;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
        return DataFileAnswer::Cancel;
    }
    const int index = pressed - kFirstAnswerId;
    if (index >= 0 && index < static_cast<int>(answers.size())) {
        return answers[static_cast<std::size_t>(index)];
    }
    return DataFileAnswer::Cancel;
}

} // namespace brindlex

#include "core/paste/PasteText.h"

#include "core/paste/CKeySender.h"
#include "core/paste/Segmentation.h"

#include <string>

namespace brindlex {

PasteResult PasteText(IKeyOutput& output, std::u16string_view itemText) {
    const std::u16string text = NormaliseText(itemText);
    CKeySender sender(output);
    const bool complete = SegmentText(
        text, [&sender](std::u16string_view run) { return sender.PasteRun(run); },
        [&sender](const ControlKey& key) {
            sender.SendToken(key.text);
            return true;
        });
    sender.ReleaseHeldModifiers();
    return complete ? PasteResult::Done : PasteResult::ClipboardBusy;
}

} // namespace brindlex

#include "core/paste/PasteText.h"

#include "core/paste/CKeySender.h"
#include "core/paste/ModifierRelease.h"
#include "core/paste/Segmentation.h"

#include <string>

namespace brindlex {

std::size_t CountPieces(std::u16string_view normalisedText) {
    std::size_t pieces = 0;
    SegmentText(
        normalisedText,
        [&pieces](std::u16string_view run) {
            pieces += run.empty() ? 0 : 1;
            return true;
        },
        [&pieces](const ControlKey&) {
            ++pieces;
            return true;
        });
    return pieces;
}

PasteOutcome PasteText(IKeyOutput& output, std::u16string_view itemText) {
    const std::u16string text = NormaliseText(itemText);
    PasteOutcome outcome;
    if (text.empty()) {
        return outcome;
    }
    outcome.pieces = CountPieces(text);
    if (!WaitForModifiersReleased(output)) {
        outcome.result = PasteResult::ModifiersHeld;
        return outcome;
    }
    CKeySender sender(output);
    CKeySender::Delivery delivery = CKeySender::Delivery::Sent;
    SegmentText(
        text,
        [&](std::u16string_view run) {
            delivery = sender.PasteRun(run);
            outcome.piecesSent += delivery == CKeySender::Delivery::Sent && !run.empty() ? 1 : 0;
            return delivery == CKeySender::Delivery::Sent;
        },
        [&](const ControlKey& key) {
            delivery = sender.SendToken(key.text);
            outcome.piecesSent += delivery == CKeySender::Delivery::Sent ? 1 : 0;
            return delivery == CKeySender::Delivery::Sent;
        });
    sender.ReleaseHeldModifiers();
    switch (delivery) {
    case CKeySender::Delivery::Sent:
        break;
    case CKeySender::Delivery::ClipboardBusy:
        outcome.result = PasteResult::ClipboardBusy;
        break;
    case CKeySender::Delivery::TargetLeft:
        outcome.result = PasteResult::TargetLeft;
        break;
    }
    return outcome;
}

} // namespace brindlex

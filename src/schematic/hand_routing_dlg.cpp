// The schematic window's side of hand routing: while it is on, the left and
// right buttons, mouse moves, Esc and End go to the hand-routing state
// machine instead of selection and dragging.
#include "schematic/schematic_dlg.h"

namespace corvane {

void CSchematicDlg::startHandRouting(Module& module) {
    if (handRouting_.on() || selection_.empty()) return;
    int net = -1;
    for (const SelectionEntry& entry : selection_) {
        if (entry.kind == kKindWire) {
            net = entry.index;
            break;
        }
    }
    handRouting_.start(module, sensitivity_, net);
    clearSelection();
    repaint();
}

void CSchematicDlg::handRoutingLeftDown(Module& module, Point area) {
    const Point p = modelPoint(area);
    afterHandRouting(handRouting_.leftButtonDown(module, sensitivity_, comments_, p, snapped(p)));
}

void CSchematicDlg::handRoutingRightUp(Module& module, Point area) {
    if (handRouting_.rightButtonUp(module, modelPoint(area)) == HandRouting::Outcome::kCancel) {
        handRouting_.cancel(module);
    }
    repaint();
}

void CSchematicDlg::handRoutingKey(Module& module, SchematicKey key) {
    if (key == SchematicKey::kEscape) {
        handRouting_.cancel(module);
    } else if (key == SchematicKey::kEnd) {
        handRouting_.finish(module);
    } else {
        return;
    }
    repaint();
}

void CSchematicDlg::afterHandRouting(HandRouting::Outcome outcome) {
    if (outcome == HandRouting::Outcome::kIgnored) return;
    if (outcome == HandRouting::Outcome::kFinished) {
        clearSelection();
        markModified();
    }
    repaint();
}

}  // namespace corvane

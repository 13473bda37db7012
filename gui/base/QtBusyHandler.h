#pragma once

#include "core/base/BusyHandler.h"

#include <QObject>

namespace kivo::gui {

// Keeps the panel alive while an exchange with the device blocks: pending events are
// processed, so the window repaints, but the operator's clicks and keys are dropped rather than
// queued, since a click carried out after the exchange it interrupted would act on a panel
// that has changed under it. Closing a window meanwhile is taken as the abort.
class QtBusyHandler final : public QObject, public BusyHandler {
    Q_OBJECT
public:
    void whileBusy() override;
    bool abortRequested() const override { return abortRequested_; }
    // The panel is ending: an exchange under way stops at its next read.
    void requestAbort() { abortRequested_ = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool abortRequested_ = false;
};

} // namespace kivo::gui

#pragma once

#include "core/base/Strings.h"

#include <QWidget>

namespace kivo::gui {

// One page of the main window's property sheet: its tab caption, its help topic, and what it
// does when it comes to the front or goes behind another page.
class PropertyPage : public QWidget {
    Q_OBJECT
public:
    PropertyPage(StringId caption, int helpContext, QWidget* parent);

    QString caption() const { return caption_; }
    int helpContext() const { return helpContext_; }

    virtual void onSetActive() {}
    virtual void onKillActive() {}

private:
    QString caption_;
    int helpContext_;
};

} // namespace kivo::gui

#include "gui/base/SliderControl.h"

#include <QAbstractSlider>

namespace kivo::gui {

int SliderControl::minimum() const { return slider_.minimum(); }

int SliderControl::maximum() const { return slider_.maximum(); }

int SliderControl::position() const { return slider_.value(); }

void SliderControl::setPosition(int position) { slider_.setValue(position); }

} // namespace kivo::gui

#pragma once

#include <string>

namespace kivo {

// The bring-up's progress bar and its label. Every step does nothing by default, so a
// front end without progress display needs no code.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void stepProgress() {}
    virtual void setProgressPosition(int /*position*/) {}
    virtual void setProgressStep(int /*step*/) {}
    virtual void showProgressText(const std::string& /*text*/) {}
};

} // namespace kivo

#pragma once

#include <functional>
#include <vector>

namespace kivo::gui {

class CheckedEdit;

// Turns a committed edit box into the action of the page that owns it, by the box's control
// id. Pages register their ranges of ids as they are built; a box nobody has claimed yet is
// accepted, so a half-built panel never traps the focus.
class EditRouter {
public:
    using Action = std::function<bool(CheckedEdit&)>;

    virtual ~EditRouter() = default;

    void routeEdits(int firstId, int lastId, Action action);
    // True when the value is accepted, false when the box must keep the focus.
    bool editCommitted(CheckedEdit& box);

private:
    struct Route {
        int firstId;
        int lastId;
        Action action;
    };
    std::vector<Route> routes_;
};

} // namespace kivo::gui

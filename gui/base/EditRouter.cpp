#include "gui/base/EditRouter.h"

#include "gui/base/CheckedEdit.h"

#include <algorithm>

namespace kivo::gui {

void EditRouter::routeEdits(int firstId, int lastId, Action action)
{
    routes_.push_back({firstId, lastId, std::move(action)});
}

bool EditRouter::editCommitted(CheckedEdit& box)
{
    const int id = box.controlId();
    const auto route = std::find_if(routes_.begin(), routes_.end(), [id](const Route& r) {
        return r.firstId <= id && id <= r.lastId;
    });
    return route == routes_.end() || route->action(box);
}

} // namespace kivo::gui

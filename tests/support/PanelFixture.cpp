#include "tests/support/PanelFixture.h"

namespace kivo::test {

PanelFixture::PanelFixture() { app.serialHandle = std::make_unique<ForwardingLink>(scriptedLink); }

} // namespace kivo::test

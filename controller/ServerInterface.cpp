#include "controller/ServerInterface.h"

namespace morvane {

namespace {
ServerProvider& Provider() {
    static ServerProvider provider;
    return provider;
}
} // namespace

void SetServerProvider(ServerProvider provider) {
    Provider() = std::move(provider);
}

ServerObjectPtr CreateServerFactory() {
    if (!Provider())
        return nullptr;
    return Provider()();
}

} // namespace morvane

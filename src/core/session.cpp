#include "core/session.h"

namespace core {

CurrentUserRecord &CurrentUser() {
    static CurrentUserRecord user;
    return user;
}

Settings &settings() {
    static Settings s;
    return s;
}

} // namespace core

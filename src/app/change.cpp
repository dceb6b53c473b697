#include "app/change.h"

namespace kavu {

Change Change::setting(QString space, QString key, std::optional<QString> value) {
    return {Kind::Setting, std::move(space), std::move(key), std::move(value)};
}

Change Change::density(std::optional<QString> value) {
    return {Kind::Density, {}, {}, std::move(value)};
}

Change Change::size(std::optional<QString> value) {
    return {Kind::Size, {}, {}, std::move(value)};
}

Change Change::overscan(std::optional<QString> value) {
    return {Kind::Overscan, {}, {}, std::move(value)};
}

Change Change::battery(std::optional<QString> value) {
    return {Kind::Battery, {}, {}, std::move(value)};
}

Change Change::package(QString name, PackageState state, bool reinstall) {
    return {Kind::Package, {}, std::move(name), std::nullopt, state, reinstall};
}

Change FixedChange::change() const {
    return {kind, space.toString(), key.toString(),
            value ? std::optional<QString>(value->toString()) : std::nullopt};
}

} // namespace kavu

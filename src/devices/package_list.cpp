#include "devices/package_list.h"

#include <algorithm>
#include <map>
#include <set>

namespace kavu::adb {

namespace {

bool isPackageNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.';
}

std::set<std::string> nameSet(std::string_view listing) {
    std::vector<std::string> names = listedPackageNames(listing);
    return {std::make_move_iterator(names.begin()), std::make_move_iterator(names.end())};
}

} // namespace

std::vector<std::string> listedPackageNames(std::string_view listing) {
    constexpr std::string_view kPrefix = "package:";
    std::vector<std::string> names;
    while (!listing.empty()) {
        const std::size_t end = listing.find('\n');
        std::string_view line = listing.substr(0, end);
        listing.remove_prefix(end == std::string_view::npos ? listing.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!line.starts_with(kPrefix)) {
            continue;
        }
        line.remove_prefix(kPrefix.size());
        if (!line.empty() && std::all_of(line.begin(), line.end(), isPackageNameCharacter)) {
            names.emplace_back(line);
        }
    }
    return names;
}

std::vector<Package> combinePackageListings(const PackageListings& listings) {
    const std::set<std::string> disabled = nameSet(listings.disabled);
    const std::set<std::string> installed = nameSet(listings.installed);
    std::map<std::string, bool> systemByName;
    for (std::string& name : listedPackageNames(listings.thirdParty)) {
        systemByName.emplace(std::move(name), false);
    }
    for (std::string& name : listedPackageNames(listings.system)) {
        systemByName.insert_or_assign(std::move(name), true);
    }
    std::vector<Package> packages;
    packages.reserve(systemByName.size());
    for (const auto& [name, system] : systemByName) {
        packages.push_back({name, system, disabled.contains(name), !installed.contains(name)});
    }
    return packages;
}

} // namespace kavu::adb

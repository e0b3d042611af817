#pragma once

#include <QLatin1StringView>

#include <optional>
#include <span>

namespace tavlo {

enum class FindingLevel { Error, Warning };

// One kind of finding of `tavlo-map check`: its name, the level it is reported at
// unless a run says otherwise, and what it means in one line.
struct FindingCode {
    QLatin1StringView code;
    FindingLevel level;
    QLatin1StringView description;
};

// Every finding code, in the order people read them. check, its help, `tavlo-map
// codes`, the JSON and SARIF rule lists and the manual page all come from this table.
std::span<const FindingCode> findingCodes();

// The entry of code, or nothing for a name the table does not hold.
std::optional<FindingCode> findingCode(QLatin1StringView code);

QLatin1StringView levelName(FindingLevel level); // "error", "warning"

} // namespace tavlo

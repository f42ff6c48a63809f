// Comparisons that time two implementations on the same data in alternating
// rounds of one run and print their figures and ratio as "name: value unit"
// lines. They are registered at static initialisation and run by the
// benchmark entry point after the Google benchmarks.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

struct TSideBySide {
    std::string name;
    // Runs the comparison and prints its lines; false on a failed check.
    std::function<bool()> run;
};

inline std::vector<TSideBySide>& SideBySideRegistry() {
    static std::vector<TSideBySide> all;
    return all;
}

// Registers a comparison; returns a value for a static initialiser.
inline bool RegisterSideBySide(std::string name, std::function<bool()> run) {
    SideBySideRegistry().push_back({std::move(name), std::move(run)});
    return true;
}

} // namespace bench
